#include "win32/main_window.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "form/caption_fit.h"
#include "text/utf16_text.h"
#include "win32/clipboard.h"
#include "win32/message_box.h"
#include "presets/reference_presets_windows.h"
#include "win32/program.h"
#include "win32/restart.h"

namespace lagewandler {
namespace {

const std::vector<std::string> kNone{};
const std::vector<std::string> kNeedEight{"Bitte 8 Stellen eingeben"};

// Records the window's messages in the order it shows them.
class RecordingMessages final : public MessageDisplay {
public:
    void show(HWND /*owner*/, const std::wstring& text) override { texts.push_back(utf8Text(text)); }
    std::vector<std::string> texts;
};

std::wstring textOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::string classOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return utf8Text(name);
}

// What the program's loop returns when runLoop's time is up.
constexpr int kTimeUp = 77;

// Drops the quit messages queued for this thread, which would end the next
// loop or message box at once.
void dropQueuedQuits() {
    MSG quit;
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

// Runs the program's own message loop for about milliseconds (at least
// Windows' shortest timer), then has it quit. Input and posted messages
// come before the timer's. Returns what the loop returned: kTimeUp, or the
// status of the window's end.
int runLoop(HWND window, UINT milliseconds = USER_TIMER_MINIMUM) {
    const UINT_PTR timer =
        SetTimer(nullptr, 0, milliseconds, [](HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(kTimeUp); });
    const int status = runMessageLoop(window);
    KillTimer(nullptr, timer);
    dropQueuedQuits();  // a quit from the timer after the window's own end
    return status;
}

// Key releases the thread's loop has taken from its queue, counted by a
// keyboard hook: once a key's release is taken, its press has been handled.
int keyReleasesTaken = 0;
LRESULT CALLBACK countKeyReleases(int code, WPARAM key, LPARAM flags) {
    constexpr DWORD kReleased = 0x80000000U;  // the transition state bit
    if (code == HC_ACTION && (static_cast<DWORD>(flags) & kReleased) != 0) ++keyReleasesTaken;
    return CallNextHookEx(nullptr, code, key, flags);
}

// Every child window of window.
std::vector<HWND> childrenOf(HWND window) {
    std::vector<HWND> children;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM list) {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    return children;
}

// What a message box of the tool showed.
struct SeenBox {
    std::string caption, text;
    std::vector<std::string> buttons;
    int visibleIcons = 0;
    HWND owner = nullptr;
};

// Finds the box captioned "Ortsmappe" that the thread making this shows next,
// from a thread of its own, reads it and closes it. A box that does not show
// within a few seconds leaves seen() empty; any box of the thread with
// another caption is closed, so a test fails instead of waiting for ever.
class BoxAnswerer {
public:
    BoxAnswerer() : shower_(GetCurrentThreadId()), thread_([this] { answer(); }) {}
    BoxAnswerer(const BoxAnswerer&) = delete;
    BoxAnswerer& operator=(const BoxAnswerer&) = delete;
    ~BoxAnswerer() {
        if (thread_.joinable()) thread_.join();
    }
    [[nodiscard]] const SeenBox& seen() {
        if (thread_.joinable()) thread_.join();
        return seen_;
    }

private:
    void answer() {
        constexpr int kPatienceSteps = 500;  // of 10 ms
        HWND box = nullptr;
        // The box is complete once it shows.
        for (int wait = 0; wait < kPatienceSteps && (box == nullptr || !IsWindowVisible(box)); ++wait) {
            Sleep(10);
            box = FindWindowW(L"#32770", L"Ortsmappe");
        }
        if (box == nullptr) {
            EnumThreadWindows(
                shower_,
                [](HWND other, LPARAM) {
                    if (classOf(other) == "#32770") PostMessageW(other, WM_COMMAND, IDOK, 0);
                    return TRUE;
                },
                0);
            return;
        }
        seen_.caption = utf8Text(textOf(box));
        seen_.owner = GetWindow(box, GW_OWNER);
        for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
            if (!IsWindowVisible(child)) continue;
            const auto style = static_cast<DWORD>(GetWindowLongPtrW(child, GWL_STYLE));
            if (classOf(child) == "Button") seen_.buttons.push_back(utf8Text(textOf(child)));
            const bool icon = (style & SS_TYPEMASK) == SS_ICON;
            if (classOf(child) == "Static" && icon && SendMessageW(child, STM_GETICON, 0, 0) != 0) ++seen_.visibleIcons;
            if (classOf(child) == "Static" && !icon) seen_.text = utf8Text(textOf(child));
        }
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    }

    DWORD shower_;
    SeenBox seen_;
    std::thread thread_;
};

// Holds the clipboard open from another thread for a while, as clipboard
// history or Remote Desktop's clipboard sync do right after a change.
class ClipboardHolder {
public:
    explicit ClipboardHolder(DWORD milliseconds) {
        HANDLE opened = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        thread_ = std::thread([opened, milliseconds] {
            const BOOL open = OpenClipboard(nullptr);
            SetEvent(opened);
            Sleep(milliseconds);
            if (open) CloseClipboard();
        });
        WaitForSingleObject(opened, INFINITE);
        CloseHandle(opened);
    }
    ClipboardHolder(const ClipboardHolder&) = delete;
    ClipboardHolder& operator=(const ClipboardHolder&) = delete;
    ~ClipboardHolder() { thread_.join(); }

private:
    std::thread thread_;
};

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        keyHook = SetWindowsHookExW(WH_KEYBOARD, countKeyReleases, nullptr, GetCurrentThreadId());
        window = std::make_unique<MainWindow>(clipboard, messages);
        ASSERT_TRUE(window->create(GetModuleHandleW(nullptr)));
        ShowWindow(window->handle(), SW_SHOW);
        SetForegroundWindow(window->handle());
        runLoop(window->handle());
    }
    // A closed window leaves the thread a quit message.
    void TearDown() override {
        UnhookWindowsHookEx(keyHook);
        window.reset();
        dropQueuedQuits();
    }
    [[nodiscard]] HWND control(ControlId id) const { return GetDlgItem(window->handle(), static_cast<int>(id)); }
    [[nodiscard]] std::string text(ControlId id) const { return utf8Text(textOf(control(id))); }
    void setText(ControlId id, const std::string& value) const {
        SetWindowTextW(control(id), wideText(value).c_str());
    }
    void click(ControlId id) const {
        SendMessageW(control(id), BM_CLICK, 0, 0);
        runLoop(window->handle());
    }
    // The mouse's left button pressed on control id and let go beside it:
    // a button takes the focus without being pressed.
    void focusWithTheMouse(ControlId id) const {
        RECT r{};
        GetClientRect(control(id), &r);
        PostMessageW(control(id), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(r.right / 2, r.bottom / 2));
        PostMessageW(control(id), WM_LBUTTONUP, 0, MAKELPARAM(r.right + 10, r.bottom + 10));
        runLoop(window->handle());
    }
    // Types key on the keyboard, holding shift where asked, and runs the
    // program's loop until done says the key had its effect, by default
    // until the loop has taken every release, for at most a few seconds:
    // input reaches the window through Wine's server after a moment that
    // grows with the machine's load.
    void press(WORD key, bool shift = false, const std::function<bool()>& done = nullptr) const {
        std::vector<INPUT> inputs;
        const auto add = [&inputs](WORD code, DWORD flags) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = code;
            input.ki.dwFlags = flags;
            inputs.push_back(input);
        };
        if (shift) add(VK_SHIFT, 0);
        add(key, 0);
        add(key, KEYEVENTF_KEYUP);
        if (shift) add(VK_SHIFT, KEYEVENTF_KEYUP);
        const int released = keyReleasesTaken + (shift ? 2 : 1);
        const auto handled = done ? done : [released] { return keyReleasesTaken >= released; };
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
        constexpr DWORD kPatienceMs = 5000;
        const DWORD start = GetTickCount();
        while (!handled() && GetTickCount() - start < kPatienceMs) runLoop(window->handle());
        EXPECT_TRUE(handled()) << "key " << key << " had no effect within " << kPatienceMs << " ms";
        runLoop(window->handle());  // what the key's handling posted
    }
    [[nodiscard]] std::string focused() const {
        const int id = GetDlgCtrlID(GetFocus());
        for (const ControlRow& row : kControls) {
            if (static_cast<int>(row.id) == id) return std::string(row.role);
        }
        return "none";
    }

    SystemClipboard clipboard;
    RecordingMessages messages;
    std::unique_ptr<MainWindow> window;
    HHOOK keyHook = nullptr;
};

// Moves between monitors as Windows does: asks the window's size at the new
// DPI, then suggests a place of that size.
TEST_F(MainWindowTest, FollowsTheDpiToWindowsSuggestedPlaceWithEveryControlOnceInOneFont) {
    const std::map<ControlKind, std::string> classes{
        {ControlKind::Button, "Button"}, {ControlKind::Field, "Edit"}, {ControlKind::Label, "Static"}};
    struct Step {
        UINT dpi;
        POINT place;
    };
    const Step steps[] = {{96, {20, 30}}, {144, {700, 40}}, {120, {300, 200}}, {96, {10, 10}}};
    for (const Step& step : steps) {
        const UINT dpi = step.dpi;
        const auto previousFont = reinterpret_cast<HFONT>(SendMessageW(control(ControlId::Text2), WM_GETFONT, 0, 0));
        SIZE size{};
        ASSERT_TRUE(SendMessageW(window->handle(), WM_GETDPISCALEDSIZE, dpi, reinterpret_cast<LPARAM>(&size)));
        RECT suggested{step.place.x, step.place.y, step.place.x + size.cx, step.place.y + size.cy};
        SendMessageW(window->handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        const std::string at = " at " + std::to_string(dpi);
        const auto pixels = [dpi](int twips) { return MulDiv(twips, static_cast<int>(dpi), 1440); };

        RECT frame{};
        GetWindowRect(window->handle(), &frame);
        EXPECT_EQ(frame.left, suggested.left) << at;
        EXPECT_EQ(frame.top, suggested.top) << at;
        RECT client{};
        GetClientRect(window->handle(), &client);
        EXPECT_EQ(client.right, pixels(4860)) << at;
        EXPECT_EQ(client.bottom, pixels(4170)) << at;

        const std::vector<HWND> children = childrenOf(window->handle());
        EXPECT_EQ(children.size(), kControls.size()) << at;
        std::set<HFONT> fonts;
        for (HWND child : children) fonts.insert(reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0)));
        EXPECT_EQ(fonts.size(), 1U) << at;
        EXPECT_EQ(GetObjectType(*fonts.begin()), static_cast<DWORD>(OBJ_FONT)) << at;
        EXPECT_EQ(GetObjectType(previousFont), 0U) << "the previous font is deleted" << at;

        for (const ControlRow& row : kControls) {
            const std::string name = std::string(row.role) + at;
            HWND item = control(row.id);
            ASSERT_NE(item, nullptr) << name;
            RECT r{};
            GetWindowRect(item, &r);
            MapWindowPoints(nullptr, window->handle(), reinterpret_cast<POINT*>(&r), 2);
            EXPECT_EQ(r.left, pixels(row.rect.left)) << name;
            EXPECT_EQ(r.top, pixels(row.rect.top)) << name;
            EXPECT_EQ(r.right - r.left, pixels(row.rect.width)) << name;
            EXPECT_EQ(r.bottom - r.top, pixels(row.rect.height)) << name;
            EXPECT_EQ(classOf(item), classes.at(row.kind)) << name;
            EXPECT_EQ(utf8Text(textOf(item)), row.caption) << name;
            EXPECT_NE(GetWindowLongPtrW(item, GWL_STYLE) & WS_CLIPSIBLINGS, 0) << name;
        }
    }
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window->handle(), GWL_STYLE));
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0U);
    EXPECT_EQ(utf8Text(textOf(window->handle())), "Lagewandler");
    EXPECT_EQ(SendMessageW(control(ControlId::Text2), EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);
}

// The test program carries the window's manifest, as lagewandler.exe does.
// Wine shows per-monitor awareness without telling version 2 from 1, and
// its version 6 controls call themselves 5.81, so what is checked is the
// awareness and that the manifest sends comctl32.dll to the version 6
// assembly.
TEST_F(MainWindowTest, RunsWithTheManifestsDpiAwarenessAndVersion6Controls) {
    EXPECT_EQ(GetAwarenessFromDpiAwarenessContext(GetWindowDpiAwarenessContext(window->handle())),
              DPI_AWARENESS_PER_MONITOR_AWARE);
    ACTCTX_SECTION_KEYED_DATA redirect{};
    redirect.cbSize = sizeof redirect;
    EXPECT_TRUE(FindActCtxSectionStringW(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION, L"comctl32.dll",
                                         &redirect));
}

// A larger message font than the layout was drawn for, as a desktop set to
// larger text has: the window's font shrinks until every caption fits.
TEST_F(MainWindowTest, ShrinksItsFontUntilEveryCaptionFitsALargeMessageFont) {
    NONCLIENTMETRICSW original{};
    original.cbSize = sizeof original;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof original, &original, 0));
    NONCLIENTMETRICSW large = original;
    constexpr LONG kLargeHeight = -24;
    large.lfMessageFont.lfHeight = kLargeHeight;
    ASSERT_TRUE(SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof large, &large, 0));
    RECT place{};
    GetWindowRect(window->handle(), &place);
    SendMessageW(window->handle(), WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&place));
    SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof original, &original, 0);

    const auto font = reinterpret_cast<HFONT>(SendMessageW(control(ControlId::Text2), WM_GETFONT, 0, 0));
    LOGFONTW chosen{};
    GetObjectW(font, sizeof chosen, &chosen);
    EXPECT_LT(std::abs(chosen.lfHeight), std::abs(kLargeHeight));
    HDC dc = GetDC(window->handle());
    HGDIOBJ previous = SelectObject(dc, font);
    for (const ControlRow& row : kControls) {
        if (row.kind == ControlKind::Field) continue;
        const std::wstring caption = wideText(row.caption);
        SIZE drawn{};
        GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &drawn);
        const PixelSize room = captionRoom(row, 96);
        EXPECT_LE(drawn.cx, room.width) << row.role;
        EXPECT_LE(drawn.cy, room.height) << row.role;
    }
    SelectObject(dc, previous);
    ReleaseDC(window->handle(), dc);
}

TEST_F(MainWindowTest, PutsEachLabelRightBeforeTheFieldItNames) {
    for (const ControlRow& row : kControls) {
        if (row.kind != ControlKind::Field) continue;
        HWND before = GetWindow(control(row.id), GW_HWNDPREV);
        EXPECT_EQ(GetDlgCtrlID(before), static_cast<int>(row.label)) << row.role;
        EXPECT_EQ(utf8Text(textOf(before)), labelCaption(row.id)) << row.role;
    }
}

TEST_F(MainWindowTest, KeyboardWalksTheTabOrderAndPressesOnlyButtons) {
    // Right after the start, before any Tab, Enter presses "umwandeln".
    press(VK_RETURN);
    EXPECT_EQ(messages.texts, kNeedEight) << "enter right after the start";

    SetFocus(control(ControlId::Command1));
    const std::vector<std::string> forward{"Command1", "Text3", "Text6",    "Text1",    "Text2",   "Text4",
                                           "Command2", "Text5", "Command3", "Command4", "Command1"};
    std::vector<std::string> walked{focused()};
    for (std::size_t step = 1; step < forward.size(); ++step) {
        press(VK_TAB);
        walked.push_back(focused());
    }
    EXPECT_EQ(walked, forward);
    press(VK_TAB, true);
    EXPECT_EQ(focused(), "Command4");
    press(VK_TAB);
    struct Case {
        const char* name;
        WORD key;
        std::vector<std::string> messages;
    };
    const Case keys[] = {{"space on umwandeln", VK_SPACE, kNeedEight}, {"enter on umwandeln", VK_RETURN, kNeedEight}};
    for (const Case& c : keys) {
        messages.texts.clear();
        press(c.key);
        EXPECT_EQ(messages.texts, c.messages) << c.name;
    }
    messages.texts.clear();
    setText(ControlId::Text2, "12345678");
    SetFocus(control(ControlId::Text2));
    press(VK_RETURN);
    EXPECT_EQ(messages.texts, kNone);
    EXPECT_EQ(text(ControlId::Text3), "");

    // Typed past the field's visible width, every character stays.
    SetFocus(control(ControlId::Text6));
    SendMessageW(control(ControlId::Text6), EM_SETSEL, 0, -1);
    const std::string typed = "31415926535897932384626433832795";
    for (const char digit : typed) press(static_cast<WORD>(digit));
    EXPECT_EQ(text(ControlId::Text6), typed);
}

// Enter presses whichever button has the focus, also one the mouse gave it.
TEST_F(MainWindowTest, EnterPressesEachButtonTheMouseFocused) {
    HWND handle = window->handle();
    ASSERT_TRUE(clipboard.setText("FC18D8F0"));
    struct Case {
        const char* role;
        ControlId button;
        std::function<bool()> pressed;
    };
    const Case cases[] = {
        {"Command1", ControlId::Command1, [&] { return messages.texts == kNeedEight; }},
        {"Command3", ControlId::Command3, [&] { return text(ControlId::Text2) == "FC18D8F0"; }},
        {"Command4", ControlId::Command4, [&] { return clipboard.text() == "495360090000"; }},
        {"Command2", ControlId::Command2, [&] { return !IsWindow(handle); }},
    };
    for (const Case& c : cases) {
        SetFocus(control(ControlId::Text2));
        focusWithTheMouse(c.button);
        EXPECT_EQ(focused(), c.role);
        EXPECT_FALSE(c.pressed()) << c.role << " pressed by the mouse alone";
        press(VK_RETURN, false, c.pressed);
    }
}

// The focus comes back to the control that had it when the operator
// returns to the window from another one.
TEST_F(MainWindowTest, GivesTheFocusBackToTheControlThatHadItWhenActivatedAgain) {
    HWND other = CreateWindowExW(0, L"STATIC", L"andere", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100, nullptr,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    SetFocus(control(ControlId::Text2));
    SetForegroundWindow(other);
    runLoop(window->handle());
    EXPECT_NE(focused(), "Text2");
    SetForegroundWindow(window->handle());
    runLoop(window->handle());
    EXPECT_EQ(focused(), "Text2");
    DestroyWindow(other);
}

TEST_F(MainWindowTest, ShowsMessagesInAnOwnedBoxWithOneOkButtonAndNoIcon) {
    BoxAnswerer answerer;
    MessageBoxDisplay().show(window->handle(), L"Bitte 8 Stellen eingeben");
    const SeenBox& seen = answerer.seen();
    EXPECT_EQ(seen.caption, "Ortsmappe");
    EXPECT_EQ(seen.text, "Bitte 8 Stellen eingeben");
    EXPECT_EQ(seen.buttons, std::vector<std::string>{"OK"});
    EXPECT_EQ(seen.visibleIcons, 0);
    EXPECT_EQ(seen.owner, window->handle());
}

// The control id whose creation refuseCreation refuses, as Windows refuses
// windows once USER handles or the desktop heap are used up; 0 refuses the
// main window itself.
int refusedId = -1;
LRESULT CALLBACK refuseCreation(int code, WPARAM handle, LPARAM details) {
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTW* made = reinterpret_cast<const CBT_CREATEWNDW*>(details)->lpcs;
        const bool child = (made->style & WS_CHILD) != 0;
        const int id = child ? static_cast<int>(reinterpret_cast<INT_PTR>(made->hMenu)) : 0;
        const bool ours = child || classOf(reinterpret_cast<HWND>(handle)) == utf8Text(kMainWindowClass);
        if (ours && id == refusedId) return 1;
    }
    return CallNextHookEx(nullptr, code, handle, details);
}

// A window missing its window or any control does not open, and says so in
// the tool's box, which shows although the window's destruction has queued
// a quit that would end a box at once.
TEST(MainWindowStart, ReportsAWindowOrControlWindowsRefusedInABoxThatShows) {
    const int refused[] = {0, static_cast<int>(ControlId::Text2), static_cast<int>(ControlId::Label6),
                           static_cast<int>(ControlId::Command4)};
    for (const int id : refused) {
        SystemClipboard clipboard;
        RecordingMessages unused;
        MainWindow window(clipboard, unused);
        refusedId = id;
        HHOOK hook = SetWindowsHookExW(WH_CBT, refuseCreation, nullptr, GetCurrentThreadId());
        const bool made = window.create(GetModuleHandleW(nullptr));
        UnhookWindowsHookEx(hook);
        EXPECT_FALSE(made) << id;
        EXPECT_EQ(window.handle(), nullptr) << id;
        BoxAnswerer answerer;
        MessageBoxDisplay boxes;
        reportWindowUnavailable(boxes);
        EXPECT_EQ(answerer.seen().text, "Das Fenster konnte nicht geöffnet werden.") << id;
    }
}

TEST_F(MainWindowTest, CarriesCodesInAndTheCompactTextOutThroughTheWindowsClipboard) {
    ASSERT_TRUE(clipboard.setText("FC18D8F0"));
    click(ControlId::Command3);
    EXPECT_EQ(text(ControlId::Text2), "FC18D8F0");
    EXPECT_EQ(text(ControlId::Text5), "495360090000");
    // One press changes the clipboard as often as one write does: once.
    DWORD sequence = GetClipboardSequenceNumber();
    ASSERT_TRUE(clipboard.setText("Zwischenablage vorher"));
    const DWORD oneWrite = GetClipboardSequenceNumber() - sequence;
    EXPECT_GT(oneWrite, 0U);
    sequence = GetClipboardSequenceNumber();
    click(ControlId::Command4);
    EXPECT_EQ(clipboard.text(), "495360090000");
    EXPECT_EQ(GetClipboardSequenceNumber() - sequence, oneWrite);
    // Without an owner window (none could be made) a write touches nothing;
    // a read, which needs no owner, still reads.
    SystemClipboard ownerless([]() -> HWND { return nullptr; });
    sequence = GetClipboardSequenceNumber();
    EXPECT_FALSE(ownerless.setText("neu"));
    EXPECT_EQ(ownerless.text(), "495360090000");
    EXPECT_EQ(GetClipboardSequenceNumber(), sequence);
    EXPECT_EQ(clipboard.text(), "495360090000");
    // A spreadsheet cell (its line end included) pasted after a good code
    // leaves nothing to copy: "ins Clipboard" then copies the empty text.
    ASSERT_TRUE(clipboard.setText("12345678\r\n"));
    click(ControlId::Command3);
    EXPECT_EQ(text(ControlId::Text2), "12345678\r\n");
    for (ControlId id : {ControlId::Text3, ControlId::Text4, ControlId::Text5}) EXPECT_EQ(text(id), "");
    click(ControlId::Command4);
    EXPECT_EQ(clipboard.text(), "");
    EXPECT_EQ(messages.texts, kNeedEight);
    messages.texts.clear();
    // Umlauts and a long text come back unchanged.
    const std::string long_text = "ÄÖÜ" + std::string(1'000'000, '7');
    ASSERT_TRUE(clipboard.setText(long_text));
    EXPECT_EQ(clipboard.text(), long_text);
    EXPECT_EQ(messages.texts, kNone);
}

TEST_F(MainWindowTest, WaitsHalfASecondForAClipboardThatIsHeldOrHoldsNoText) {
    const std::vector<std::string> unavailable{"Zwischenablage nicht verfügbar"};
    enum class Content { Code, Nothing, Picture };
    struct Case {
        const char* name;
        Content content;
        DWORD heldMs;
        std::string text2;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"code", Content::Code, 0, "FC18D8F0", kNone},
        {"code, held for 0.3 s", Content::Code, 300, "FC18D8F0", kNone},
        {"code, held for 1.5 s", Content::Code, 1500, "getippt", unavailable},
        {"emptied", Content::Nothing, 0, "", kNeedEight},
        {"only a picture", Content::Picture, 0, "", kNeedEight},
    };
    for (const Case& c : cases) {
        messages.texts.clear();
        setText(ControlId::Text2, "getippt");
        ASSERT_TRUE(clipboard.setText("FC18D8F0"));
        if (c.content != Content::Code) {
            ASSERT_TRUE(OpenClipboard(nullptr));
            EmptyClipboard();
            if (c.content == Content::Picture) SetClipboardData(CF_BITMAP, CreateBitmap(1, 1, 1, 1, nullptr));
            CloseClipboard();
        }
        {
            const ClipboardHolder holder(c.heldMs);
            click(ControlId::Command3);
        }
        EXPECT_EQ(text(ControlId::Text2), c.text2) << c.name;
        EXPECT_EQ(messages.texts, c.messages) << c.name;
    }
    struct CopyCase {
        const char* name;
        DWORD heldMs;
        std::string clipboardAfter;
        std::vector<std::string> messages;
    };
    const CopyCase copies[] = {
        {"copy, held for 0.3 s", 300, "495360090000", kNone},
        {"copy, held for 1.5 s", 1500, "vorher", unavailable},
    };
    for (const CopyCase& c : copies) {
        messages.texts.clear();
        setText(ControlId::Text5, "495360090000");
        ASSERT_TRUE(clipboard.setText("vorher"));
        {
            const ClipboardHolder holder(c.heldMs);
            click(ControlId::Command4);
        }
        EXPECT_EQ(clipboard.text(), c.clipboardAfter) << c.name;
        EXPECT_EQ(messages.texts, c.messages) << c.name;
    }
}

// The test runs under German and English regional settings (see CMake).
TEST_F(MainWindowTest, WritesSecondsWithTheRegionalDecimalSeparator) {
    const std::map<std::string, std::string> latitudeByLocale{
        {"de_DE.UTF-8", "50 Grad 27 Min. 57,60 Sek."},
        {"en_US.UTF-8", "50 Grad 27 Min. 57.60 Sek."},
    };
    char locale[64] = {};
    ASSERT_GT(GetEnvironmentVariableA("LANG", locale, sizeof locale), 0U);
    ASSERT_EQ(latitudeByLocale.count(locale), 1U) << locale;
    setText(ControlId::Text2, "12345678");
    click(ControlId::Command1);
    EXPECT_EQ(text(ControlId::Text3), latitudeByLocale.at(locale));
}

// A code field's UTF-16 text is read by characters: an unpaired surrogate
// is one character of its own, which refuses only its half.
TEST_F(MainWindowTest, CountsAnUnpairedSurrogateAsOneCharacterOfItsHalf) {
    const struct {
        const wchar_t* code;
        bool latitudeShown;  // and the longitude not, or the other way round
    } cases[] = {{L"1234567\xD800", true}, {L"\xDC00" L"2345678", false}};
    for (const auto& c : cases) {
        SetWindowTextW(control(ControlId::Text2), c.code);
        messages.texts.clear();
        click(ControlId::Command1);
        EXPECT_EQ(text(ControlId::Text3).empty(), !c.latitudeShown) << c.latitudeShown;
        EXPECT_EQ(text(ControlId::Text4).empty(), c.latitudeShown) << c.latitudeShown;
        EXPECT_EQ(messages.texts, std::vector<std::string>{"ungültiger Zahlenwert"}) << c.latitudeShown;
        EXPECT_EQ(text(ControlId::Text5), "") << c.latitudeShown;
    }
}

TEST_F(MainWindowTest, ShowsResultsFromTheirStartAndKeepsTheSelectionOfAnUnchangedOne) {
    const auto selection = [this](ControlId id) {
        DWORD start = 0, end = 0;
        SendMessageW(control(id), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return std::make_pair(start, end);
    };
    const ControlId results[] = {ControlId::Text3, ControlId::Text4, ControlId::Text5};
    setText(ControlId::Text2, "12345678");
    click(ControlId::Command1);
    for (const ControlId id : results) EXPECT_EQ(selection(id), std::make_pair(0UL, 0UL)) << static_cast<int>(id);
    for (const ControlId id : results) SendMessageW(control(id), EM_SETSEL, 2, 5);
    click(ControlId::Command1);
    for (const ControlId id : results) EXPECT_EQ(selection(id), std::make_pair(2UL, 5UL)) << static_cast<int>(id);

    // A long paste into a field that has the focus, its cursor at the end.
    SetFocus(control(ControlId::Text2));
    SendMessageW(control(ControlId::Text2), EM_SETSEL, 8, 8);
    ASSERT_TRUE(clipboard.setText("Ä" + std::string(500, '7')));
    click(ControlId::Command3);
    EXPECT_EQ(SendMessageW(control(ControlId::Text2), EM_GETFIRSTVISIBLELINE, 0, 0), 0);
}

TEST_F(MainWindowTest, EndeClosesTheWindowAndEndsTheLoopWithStatus0) {
    HWND handle = window->handle();
    PostMessageW(control(ControlId::Command2), BM_CLICK, 0, 0);
    EXPECT_EQ(runLoop(handle, 5000), 0);
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_EQ(messages.texts, kNone);
}

// What the program registered for Restart Manager, and the reference
// texts its window showed then; the window is then closed.
DWORD registeredFlags = 0;
std::string registeredWith;
HRESULT WINAPI recordRegistration(PCWSTR commandLine, DWORD flags) {
    registeredFlags = commandLine == nullptr ? flags : 0;
    HWND window = FindWindowW(kMainWindowClass, nullptr);
    registeredWith = utf8Text(textOf(GetDlgItem(window, static_cast<int>(ControlId::Text6)))) + " " +
                     utf8Text(textOf(GetDlgItem(window, static_cast<int>(ControlId::Text1))));
    PostMessageW(window, WM_CLOSE, 0, 0);
    return S_OK;
}

TEST(MainWindowRestart, TheProgramRegistersAtStartForARestartAfterAnUpdateNotACrashOrHang) {
    SystemClipboard clipboard;
    RecordingMessages messages;
    const ReferencePresets presets{PresetReference{"48", "HKLM"}, std::nullopt};
    // A program that never registers would run on: its loop is ended after
    // a few seconds with kTimeUp, which fails the test instead of hanging it.
    constexpr UINT kPatienceMs = 5000;
    const UINT_PTR timer =
        SetTimer(nullptr, 0, kPatienceMs, [](HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(kTimeUp); });
    EXPECT_EQ(runWindowProgram(GetModuleHandleW(nullptr), SW_SHOWNORMAL, clipboard, messages, presets,
                               recordRegistration), 0);
    KillTimer(nullptr, timer);
    dropQueuedQuits();
    EXPECT_EQ(registeredFlags, static_cast<DWORD>(RESTART_NO_CRASH | RESTART_NO_HANG));
    EXPECT_EQ(registeredWith, "48 10");
}

// A policy key of the tests' own, so that no other test's window reads it.
struct TestPolicyKey {
    explicit TestPolicyKey(const wchar_t* name) : path(std::wstring(L"Software\\LagewandlerTests\\") + name) {
        RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
    }
    ~TestPolicyKey() { RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str()); }
    void set(const wchar_t* value, DWORD type, const void* data, DWORD size) const {
        RegSetKeyValueW(HKEY_CURRENT_USER, path.c_str(), value, type, data, size);
    }
    [[nodiscard]] PolicyKey key(const char* name) const { return {HKEY_CURRENT_USER, path, name}; }
    std::wstring path;
};

// The registry's presets as group policy (strings) and IT's scripts (any
// type) write them: each reference from the machine's key, else the user's.
TEST(Presets, ReadsEachReferenceFromTheFirstPolicyKeyThatHoldsIt) {
    const TestPolicyKey machine(L"Machine"), user(L"User");
    const std::array keys{machine.key("HKLM"), user.key("HKCU")};
    EXPECT_EQ(readPolicyPresets(keys), ReferencePresets{}) << "none";
    const auto text = [](const TestPolicyKey& key, const wchar_t* name, const std::wstring& value, DWORD type) {
        key.set(name, type, value.c_str(), static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    };
    text(user, L"NorthReference", std::wstring(L"49\0\0", 4), REG_SZ);
    text(user, L"EastReference", L"11", REG_SZ);
    EXPECT_EQ(readPolicyPresets(keys), (ReferencePresets{PresetReference{"49", "HKCU"}, PresetReference{"11", "HKCU"}}))
        << "user";
    text(machine, L"NorthReference", L"-4\u00b08", REG_EXPAND_SZ);
    const DWORD east = 4294967295U;
    machine.set(L"EastReference", REG_DWORD, &east, sizeof east);
    EXPECT_EQ(readPolicyPresets(keys),
              (ReferencePresets{PresetReference{"-4\u00b08", "HKLM"}, PresetReference{"4294967295", "HKLM"}}))
        << "both, the machine's first, a wrong one as written";
    machine.set(L"EastReference", REG_BINARY, "1", 1);
    EXPECT_EQ(readPolicyPresets(keys).east, (PresetReference{"", "HKLM"})) << "an unreadable type";
}

// The real box, its texts recorded.
struct RecordedBoxes final : MessageDisplay {
    void show(HWND owner, const std::wstring& text) override {
        texts.push_back(utf8Text(text));
        MessageBoxDisplay().show(owner, text);
    }
    std::vector<std::string> texts;
};

// An installer's Restart Manager asks the window to close as Windows sends
// it: WM_QUERYENDSESSION with ENDSESSION_CLOSEAPP, which it agrees to and
// stays, then WM_ENDSESSION, on which it closes and its loop ends with 0;
// a WM_ENDSESSION of FALSE before it (another program vetoed the end)
// leaves the window open; also while its message box is open ("GGGGGGGG" draws two), which goes with
// it, no other box following.
TEST(MainWindowRestart, ClosesForAnUpdateWhenToldAlsoWithItsMessageBoxOpen) {
    for (const bool boxOpen : {false, true}) {
        SystemClipboard clipboard;
        RecordedBoxes boxes;
        MainWindow window(clipboard, boxes);
        ASSERT_TRUE(window.create(GetModuleHandleW(nullptr)));
        HWND handle = window.handle();
        ShowWindow(handle, SW_SHOW);
        LRESULT agreed = FALSE;
        BOOL stayed = FALSE, stayedAfterVeto = FALSE;
        // The installer, from a thread of its own, once the box shows.
        std::thread installer([&] {
            const auto boxShows = [] { return IsWindowVisible(FindWindowW(L"#32770", L"Ortsmappe")) != FALSE; };
            for (int wait = 0; boxOpen && wait < 500 && !boxShows(); ++wait) Sleep(10);
            // Bounded: a window whose loop already ended (a quit queued
            // before it started) takes no sent message, and the test would
            // wait for ever instead of failing.
            const auto send = [handle](UINT message, WPARAM wParam) {
                constexpr UINT kPatienceMs = 5000;
                DWORD_PTR result = 0;
                SendMessageTimeoutW(handle, message, wParam, ENDSESSION_CLOSEAPP, SMTO_NORMAL, kPatienceMs, &result);
                return static_cast<LRESULT>(result);
            };
            agreed = send(WM_QUERYENDSESSION, 0);
            stayed = IsWindow(handle);
            send(WM_ENDSESSION, FALSE);
            stayedAfterVeto = IsWindow(handle);
            send(WM_ENDSESSION, TRUE);
        });
        if (boxOpen) {
            SetWindowTextW(GetDlgItem(handle, static_cast<int>(ControlId::Text2)), L"GGGGGGGG");
            PostMessageW(GetDlgItem(handle, static_cast<int>(ControlId::Command1)), BM_CLICK, 0, 0);
        }
        EXPECT_EQ(runLoop(handle, 10000), 0) << boxOpen;
        installer.join();
        EXPECT_TRUE(agreed && stayed && stayedAfterVeto) << boxOpen;
        EXPECT_FALSE(IsWindow(handle)) << boxOpen;
        EXPECT_EQ(boxes.texts.size(), boxOpen ? 1U : 0U) << boxOpen;
    }
}

}  // namespace
}  // namespace lagewandler
