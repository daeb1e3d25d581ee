#include "win32/main_window.h"

#include <cstdlib>

#include "form/form_texts.h"
#include "regional/regional_settings.h"
#include "win32/message_box.h"
#include "win32/wide_text.h"

namespace lagewandler {
namespace {

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;  // fixed size
constexpr DWORD kWindowExStyle = 0;
constexpr UINT kDefaultDpi = 96;
// Room a button keeps between its edges and its caption, at 96 DPI.
constexpr int kButtonHorizontalInset = 4;
constexpr int kButtonVerticalInset = 1;
// Captions are never shrunk below this height in pixels.
constexpr LONG kSmallestFontHeight = 7;

[[nodiscard]] int toPixels(int twips, UINT dpi) { return MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch); }

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
    constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
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

// Whether caption, drawn by dc, fits a control of the given size in pixels.
[[nodiscard]] bool captionFits(HDC dc, std::string_view caption, int width, int height) {
    const std::wstring text = wideText(caption);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx <= width && size.cy <= height;
}

// Whether every label and button caption fits its control at dpi in the
// font selected into dc.
[[nodiscard]] bool allCaptionsFit(HDC dc, UINT dpi) {
    for (const ControlRow& row : kControls) {
        if (row.kind == ControlKind::Field) continue;
        const int inset = row.kind == ControlKind::Button ? 1 : 0;
        const int width = toPixels(row.rect.width, dpi) - 2 * inset * MulDiv(kButtonHorizontalInset, dpi, kDefaultDpi);
        const int height = toPixels(row.rect.height, dpi) - 2 * inset * MulDiv(kButtonVerticalInset, dpi, kDefaultDpi);
        if (!captionFits(dc, row.caption, width, height)) return false;
    }
    return true;
}

}  // namespace

MainWindow::MainWindow(Utf8Clipboard& clipboard, MessageDisplay& messages)
    : messages_(messages), actions_(*this, clipboard, regionalDecimalSeparator) {}

MainWindow::~MainWindow() {
    if (window_ != nullptr) DestroyWindow(window_);
    if (font_ != nullptr) DeleteObject(font_);
}

bool MainWindow::create(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);  // the stock window icon
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = kMainWindowClass;
    RegisterClassExW(&windowClass);  // fails harmlessly when already registered
    // The window opens on the primary monitor, at the system's DPI: made at
    // its size with its controls in place, it needs no moves before it shows.
    const UINT dpi = GetDpiForSystem();
    RECT frame{0, 0, toPixels(kClientWidthTwips, dpi), toPixels(kClientHeightTwips, dpi)};
    AdjustWindowRectExForDpi(&frame, kWindowStyle, FALSE, kWindowExStyle, dpi);
    const std::wstring title = wideText(kWindowTitle);
    window_ = CreateWindowExW(kWindowExStyle, kMainWindowClass, title.c_str(), kWindowStyle, CW_USEDEFAULT,
                              CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                              instance, this);
    if (window_ == nullptr) return false;
    createControls(instance, dpi);
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

void MainWindow::createControls(HINSTANCE instance, UINT dpi) {
    for (const ControlRow& row : kControls) {
        if (row.kind == ControlKind::Field) createControl(controlRow(row.label), instance, dpi);
        if (control(row.id) == nullptr) createControl(row, instance, dpi);
    }
}

void MainWindow::createControl(const ControlRow& row, HINSTANCE instance, UINT dpi) {
    const ControlStyle style = styleOf(row.kind);
    const std::wstring caption = wideText(row.caption);
    const TwipsRect& r = row.rect;
    HWND created = CreateWindowExW(style.exStyle, style.windowClass, caption.c_str(), style.style,
                                   toPixels(r.left, dpi), toPixels(r.top, dpi), toPixels(r.width, dpi),
                                   toPixels(r.height, dpi), window_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(row.id)), instance, nullptr);
    // No length limit, so a paste is never cut short.
    if (row.kind == ControlKind::Field) SendMessageW(created, EM_SETLIMITTEXT, 0, 0);
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
    RECT frame{0, 0, width, height};
    AdjustWindowRectExForDpi(&frame, kWindowStyle, FALSE, kWindowExStyle, dpi);
    RECT now{};
    GetWindowRect(window_, &now);
    if (now.right - now.left != frame.right - frame.left || now.bottom - now.top != frame.bottom - frame.top) {
        SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // The frame drawn may differ from the one computed (a caption drawn at
    // another DPI while the window moves between monitors): correct by what
    // the client area really got.
    RECT client{};
    GetClientRect(window_, &client);
    const int extraWidth = width - client.right;
    const int extraHeight = height - client.bottom;
    if (extraWidth == 0 && extraHeight == 0) return;
    GetWindowRect(window_, &frame);
    SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left + extraWidth, frame.bottom - frame.top + extraHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::chooseFont(UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi);
    LOGFONTW font = metrics.lfMessageFont;
    HDC dc = GetDC(window_);
    HFONT chosen = CreateFontIndirectW(&font);
    HGDIOBJ previous = SelectObject(dc, chosen);
    while (!allCaptionsFit(dc, dpi) && std::labs(font.lfHeight) > kSmallestFontHeight) {
        // lfHeight is negative for a character height: shrink towards zero.
        font.lfHeight += font.lfHeight < 0 ? 1 : -1;
        SelectObject(dc, previous);
        DeleteObject(chosen);
        chosen = CreateFontIndirectW(&font);
        SelectObject(dc, chosen);
    }
    SelectObject(dc, previous);
    ReleaseDC(window_, dc);
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
        case WM_DPICHANGED: {
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(window_, nullptr, suggested->left, suggested->top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            layOut(HIWORD(wParam));
            return 0;
        }
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
    const std::wstring wide = wideText(text);
    if (windowText(edit) == wide) return;
    SetWindowTextW(edit, wide.c_str());
    // From the first character: a long text shows its start.
    SendMessageW(edit, EM_SETSEL, 0, 0);
    SendMessageW(edit, EM_SCROLLCARET, 0, 0);
}

void MainWindow::showMessage(std::string_view text) { messages_.show(window_, wideText(text)); }

void MainWindow::closeWindow() { DestroyWindow(window_); }

int runMessageLoop(HWND window) {
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (IsWindow(window) && IsDialogMessageW(window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace lagewandler
