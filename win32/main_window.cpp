#include "win32/main_window.h"

#include <commctrl.h>

#include <cstdlib>
#include <utility>

#include "form/caption_fit.h"
#include "form/form_texts.h"
#include "regional/regional_settings.h"
#include "text/utf16_text.h"
#include "win32/message_box.h"

namespace lagewandler {
namespace {

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;  // fixed size
constexpr DWORD kWindowExStyle = 0;

[[nodiscard]] int toPixels(int twips, UINT dpi) { return twipsToPixels(twips, static_cast<int>(dpi)); }

[[nodiscard]] std::wstring windowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

struct ControlStyle {
    const wchar_t* windowClass;
    DWORD style;
    DWORD exStyle;
};

[[nodiscard]] ControlStyle styleOf(ControlKind kind) {
    // Some rectangles overlap by a few pixels: clipping each control by its
    // siblings lets the z-order (the creation order) decide what shows,
    // rather than whichever control repainted last.
    constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    switch (kind) {
        case ControlKind::Button:
            // A plain push button: the window has no default button.
            return {L"BUTTON", kChild | WS_TABSTOP | BS_PUSHBUTTON, 0};
        case ControlKind::Field:
            return {L"EDIT", kChild | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
        case ControlKind::Label:
            break;
    }
    return {L"STATIC", kChild | SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0};
}

// The program's icon resource (see the resource script of every program).
constexpr int kProgramIconId = 1;

// The program's icon at the system's large or small icon size, drawn from
// the size nearest above it, as Microsoft recommends for high DPI; the
// stock icon where instance has none.
[[nodiscard]] HICON programIcon(HINSTANCE instance, int size) {
    HICON icon = nullptr;
    if (SUCCEEDED(LoadIconMetric(instance, MAKEINTRESOURCEW(kProgramIconId), size, &icon))) return icon;
    return LoadIconW(nullptr, IDI_APPLICATION);
}

// The window's size, frame included, for the layout's client area at dpi.
[[nodiscard]] SIZE frameSize(UINT dpi) {
    RECT frame{0, 0, toPixels(kClientWidthTwips, dpi), toPixels(kClientHeightTwips, dpi)};
    AdjustWindowRectExForDpi(&frame, kWindowStyle, FALSE, kWindowExStyle, dpi);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

// Measures captions in a font like base at a given character height, for
// the caption fitting; keeps the font of the last height asked for.
class CaptionMeter {
public:
    CaptionMeter(HWND window, const LOGFONTW& base) : window_(window), dc_(GetDC(window)), font_(base) {}
    CaptionMeter(const CaptionMeter&) = delete;
    CaptionMeter& operator=(const CaptionMeter&) = delete;
    ~CaptionMeter() {
        release();
        ReleaseDC(window_, dc_);
    }

    [[nodiscard]] PixelSize measure(int fontPixels, std::string_view caption) {
        select(fontPixels);
        const std::wstring text = wideText(caption);
        SIZE size{};
        GetTextExtentPoint32W(dc_, text.c_str(), static_cast<int>(text.size()), &size);
        return {size.cx, size.cy};
    }

    // The font at fontPixels, which the caller then owns.
    [[nodiscard]] HFONT take(int fontPixels) {
        select(fontPixels);
        SelectObject(dc_, previous_);
        HFONT taken = selected_;
        selected_ = nullptr;
        return taken;
    }

private:
    void select(int fontPixels) {
        if (selected_ != nullptr && pixels_ == fontPixels) return;
        release();
        // A negative height asks for that character height; a positive one
        // (rare) for the cell height: the sign is kept.
        font_.lfHeight = font_.lfHeight < 0 ? -fontPixels : fontPixels;
        selected_ = CreateFontIndirectW(&font_);
        previous_ = SelectObject(dc_, selected_);
        pixels_ = fontPixels;
    }
    void release() {
        if (selected_ == nullptr) return;
        SelectObject(dc_, previous_);
        DeleteObject(selected_);
        selected_ = nullptr;
    }

    HWND window_;
    HDC dc_;
    LOGFONTW font_;
    HFONT selected_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    int pixels_ = 0;
};

}  // namespace

MainWindow::MainWindow(Utf8Clipboard& clipboard, MessageDisplay& messages, ReferencePresets presets)
    : messages_(messages), presets_(std::move(presets)), actions_(*this, clipboard, regionalDecimalSeparator) {}

MainWindow::~MainWindow() {
    if (window_ != nullptr) DestroyWindow(window_);
    if (font_ != nullptr) DeleteObject(font_);
}

bool MainWindow::create(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = programIcon(instance, LIM_LARGE);    // Alt+Tab, the taskbar
    windowClass.hIconSm = programIcon(instance, LIM_SMALL);  // the title bar
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = kMainWindowClass;
    RegisterClassExW(&windowClass);  // fails harmlessly when already registered
    // The window opens on the primary monitor, at the system's DPI: made at
    // its size with its controls in place, it needs no moves before it shows.
    const UINT dpi = GetDpiForSystem();
    const SIZE frame = frameSize(dpi);
    const std::wstring title = wideText(kWindowTitle);
    window_ = CreateWindowExW(kWindowExStyle, kMainWindowClass, title.c_str(), kWindowStyle, CW_USEDEFAULT,
                              CW_USEDEFAULT, frame.cx, frame.cy, nullptr, nullptr, instance, this);
    if (window_ == nullptr) return false;
    // A window missing a control cannot work: it goes, as if never made.
    if (!createControls(instance, dpi)) {
        DestroyWindow(window_);
        window_ = nullptr;
        return false;
    }
    const UINT windowDpi = GetDpiForWindow(window_);
    if (windowDpi != dpi) {
        layOut(windowDpi);
    } else {
        sizeClientArea(dpi);
        chooseFont(dpi);
    }
    lastFocus_ = control(ControlId::Command1);
    return true;
}

bool MainWindow::createControls(HINSTANCE instance, UINT dpi) {
    for (const ControlId id : kCreationOrder) {
        if (!createControl(controlRow(id), instance, dpi)) return false;
    }
    return true;
}

bool MainWindow::createControl(const ControlRow& row, HINSTANCE instance, UINT dpi) {
    const ControlStyle style = styleOf(row.kind);
    const std::wstring caption = wideText(openingText(row, presets_));
    const TwipsRect& r = row.rect;
    HWND created = CreateWindowExW(style.exStyle, style.windowClass, caption.c_str(), style.style,
                                   toPixels(r.left, dpi), toPixels(r.top, dpi), toPixels(r.width, dpi),
                                   toPixels(r.height, dpi), window_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), instance, nullptr);
    if (created == nullptr) return false;
    // No length limit, so a paste is never cut short.
    if (row.kind == ControlKind::Field) SendMessageW(created, EM_SETLIMITTEXT, 0, 0);
    return true;
}

void MainWindow::layOut(UINT dpi) {
    for (const ControlRow& row : kControls) {
        const TwipsRect& r = row.rect;
        SetWindowPos(control(row.id), nullptr, toPixels(r.left, dpi), toPixels(r.top, dpi), toPixels(r.width, dpi),
                     toPixels(r.height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    sizeClientArea(dpi);
    chooseFont(dpi);
}

void MainWindow::sizeClientArea(UINT dpi) {
    const int width = toPixels(kClientWidthTwips, dpi);
    const int height = toPixels(kClientHeightTwips, dpi);
    const SIZE frame = frameSize(dpi);
    RECT now{};
    GetWindowRect(window_, &now);
    if (now.right - now.left != frame.cx || now.bottom - now.top != frame.cy) {
        SetWindowPos(window_, nullptr, 0, 0, frame.cx, frame.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // The frame drawn may differ from the one computed (a caption drawn at
    // another DPI while the window moves between monitors): correct by what
    // the client area really got.
    RECT client{};
    GetClientRect(window_, &client);
    const int extraWidth = width - client.right;
    const int extraHeight = height - client.bottom;
    if (extraWidth == 0 && extraHeight == 0) return;
    GetWindowRect(window_, &now);
    SetWindowPos(window_, nullptr, 0, 0, now.right - now.left + extraWidth, now.bottom - now.top + extraHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::chooseFont(UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
    CaptionMeter meter(window_, metrics.lfMessageFont);
    const int pixels = captionFontPixels(std::abs(static_cast<int>(metrics.lfMessageFont.lfHeight)),
                                         static_cast<int>(dpi), [&meter](int fontPixels, std::string_view caption) {
                                             return meter.measure(fontPixels, caption);
                                         });
    HFONT chosen = meter.take(pixels);
    for (const ControlRow& row : kControls) {
        SendMessageW(control(row.id), WM_SETFONT, reinterpret_cast<WPARAM>(chosen), TRUE);
    }
    if (font_ != nullptr) DeleteObject(font_);
    font_ = chosen;
}

LRESULT CALLBACK MainWindow::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    return self->handleMessage(message, wParam, lParam);
}

LRESULT MainWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            onCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_ACTIVATE:
            // The focus comes back to the control that had it.
            if (LOWORD(wParam) == WA_INACTIVE && IsChild(window_, GetFocus())) lastFocus_ = GetFocus();
            break;
        case WM_SETFOCUS:
            SetFocus(lastFocus_);
            return 0;
        case WM_GETDPISCALEDSIZE:
            // The window's exact size at the new DPI, so that Windows'
            // suggestion for WM_DPICHANGED already has it.
            *reinterpret_cast<SIZE*>(lParam) = frameSize(static_cast<UINT>(wParam));
            return TRUE;
        case WM_DPICHANGED: {
            // Where Windows suggests, then everything inside at the new DPI.
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(window_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                         suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
            layOut(HIWORD(wParam));
            return 0;
        }
        case WM_QUERYENDSESSION:
            // An installer's Restart Manager (ENDSESSION_CLOSEAPP) or the
            // end of the session asks first: nothing is kept, so the answer
            // is yes, and the window stays until WM_ENDSESSION says to go.
            return TRUE;
        case WM_ENDSESSION:
            // Told to go, also from within a message box's loop: the box,
            // owned by the window, goes with it, and the thread's loop ends.
            if (wParam != FALSE) DestroyWindow(window_);
            return 0;
        case WM_DESTROY: {
            HWND destroyed = window_;
            window_ = nullptr;
            SetWindowLongPtrW(destroyed, GWLP_USERDATA, 0);
            PostQuitMessage(0);
            return 0;
        }
        default:
            break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

void MainWindow::onCommand(int id, int code) {
    // Enter sends IDOK; with no default button it presses the focused button.
    if (id == IDOK) {
        pressFocusedButton();
        return;
    }
    if (code != BN_CLICKED) return;
    switch (static_cast<ControlId>(id)) {
        case ControlId::Command1:
            actions_.Command1_Click();
            break;
        case ControlId::Command2:
            actions_.Command2_Click();
            break;
        case ControlId::Command3:
            actions_.Command3_Click();
            break;
        case ControlId::Command4:
            actions_.Command4_Click();
            break;
        default:
            break;
    }
}

void MainWindow::pressFocusedButton() {
    HWND focus = GetFocus();
    if (focus == nullptr || GetParent(focus) != window_) return;
    const int id = GetDlgCtrlID(focus);
    if (id >= static_cast<int>(ControlId::Command1) && id <= static_cast<int>(ControlId::Command4)) {
        SendMessageW(focus, BM_CLICK, 0, 0);
    }
}

std::string MainWindow::fieldText(ControlId field) const { return utf8Text(windowText(control(field))); }

void MainWindow::showFieldText(ControlId field, const std::string& text) {
    HWND edit = control(field);
    SetWindowTextW(edit, wideText(text).c_str());
    // From the first character: a long text shows its start.
    SendMessageW(edit, EM_SETSEL, 0, 0);
    SendMessageW(edit, EM_SCROLLCARET, 0, 0);
}

// Once the window is gone (closed for an update while a click was still
// running) there is no one to tell: a box without an owner would hold up
// the end.
void MainWindow::showMessage(std::string_view text) {
    if (window_ != nullptr) messages_.show(window_, wideText(text));
}

void MainWindow::closeWindow() { DestroyWindow(window_); }

void reportWindowUnavailable(MessageDisplay& messages) {
    // A window destroyed while it was being made has queued WM_QUIT, which
    // would end the box's own loop before the operator sees it.
    MSG quit;
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    messages.show(nullptr, wideText(kMessageWindowUnavailable));
}

int runMessageLoop(HWND window) {
    MSG message{};
    for (;;) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(message.wParam);
        if (got == -1) return EXIT_FAILURE;
        if (IsWindow(window) && IsDialogMessageW(window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace lagewandler
