#include "win32/main_window.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "win32/clipboard.h"
#include "win32/message_box.h"
#include "win32/wide_text.h"

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

// Handles the messages waiting for this thread as the program's loop does.
void pump(HWND window) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));  // left for the test to see
            return;
        }
        if (IsWindow(window) && IsDialogMessageW(window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<MainWindow>(clipboard, messages);
        ASSERT_TRUE(window->create(GetModuleHandleW(nullptr)));
        ShowWindow(window->handle(), SW_SHOW);
        SetForegroundWindow(window->handle());
        pump(window->handle());
    }
    // A closed window leaves the thread a quit message, which would end the
    // next test's message box at once.
    void TearDown() override {
        window.reset();
        MSG quit;
        while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
    [[nodiscard]] HWND control(ControlId id) const { return GetDlgItem(window->handle(), static_cast<int>(id)); }
    [[nodiscard]] std::string text(ControlId id) const { return utf8Text(textOf(control(id))); }
    void setText(ControlId id, const std::string& value) const {
        SetWindowTextW(control(id), wideText(value).c_str());
    }
    void click(ControlId id) const {
        SendMessageW(control(id), BM_CLICK, 0, 0);
        pump(window->handle());
    }
    // Types key on the keyboard, holding shift where asked.
    void press(WORD key, bool shift = false) const {
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
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
        settle();
    }
    // Input reaches the window through Wine's server a moment later.
    void settle() const {
        constexpr DWORD kSettleMs = 50;
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < kSettleMs) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, kSettleMs, QS_ALLINPUT);
            pump(window->handle());
        }
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
};

TEST_F(MainWindowTest, LaysOutEveryControlFromTheTableAtTheWindowsDpi) {
    const std::map<ControlKind, std::string> classes{
        {ControlKind::Button, "Button"}, {ControlKind::Field, "Edit"}, {ControlKind::Label, "Static"}};
    for (const UINT dpi : {96U, 144U}) {
        RECT suggested{};
        GetWindowRect(window->handle(), &suggested);
        SendMessageW(window->handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        const auto pixels = [dpi](int twips) { return MulDiv(twips, static_cast<int>(dpi), 1440); };
        for (const ControlRow& row : kControls) {
            const std::string name = std::string(row.role) + " at " + std::to_string(dpi);
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
        }
        RECT client{};
        GetClientRect(window->handle(), &client);
        EXPECT_EQ(client.right, pixels(4860)) << dpi;
        EXPECT_EQ(client.bottom, pixels(4170)) << dpi;
    }
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window->handle(), GWL_STYLE));
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MAXIMIZEBOX), 0U);
    EXPECT_EQ(utf8Text(textOf(window->handle())), "Lagewandler");
    EXPECT_EQ(SendMessageW(control(ControlId::Text2), EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);
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
}

TEST_F(MainWindowTest, ShowsMessagesInAnOwnedBoxWithOneOkButtonAndNoIcon) {
    struct SeenBox {
        std::string caption, text;
        std::vector<std::string> buttons;
        int visibleIcons = 0;
        bool owned = false;
    };
    SeenBox seen;
    HWND owner = window->handle();
    std::thread closer([&seen, owner] {
        HWND box = nullptr;
        // The box is complete once it shows.
        for (int wait = 0; wait < 1000 && (box == nullptr || !IsWindowVisible(box)); ++wait) {
            Sleep(10);
            box = FindWindowW(L"#32770", L"Ortsmappe");
        }
        if (box == nullptr) return;
        seen.caption = utf8Text(textOf(box));
        seen.owned = GetWindow(box, GW_OWNER) == owner;
        for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
            if (!IsWindowVisible(child)) continue;
            const auto style = static_cast<DWORD>(GetWindowLongPtrW(child, GWL_STYLE));
            if (classOf(child) == "Button") seen.buttons.push_back(utf8Text(textOf(child)));
            const bool icon = (style & SS_TYPEMASK) == SS_ICON;
            if (classOf(child) == "Static" && icon && SendMessageW(child, STM_GETICON, 0, 0) != 0) ++seen.visibleIcons;
            if (classOf(child) == "Static" && !icon) seen.text = utf8Text(textOf(child));
        }
        PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    MessageBoxDisplay().show(owner, L"Bitte 8 Stellen eingeben");
    closer.join();
    EXPECT_EQ(seen.caption, "Ortsmappe");
    EXPECT_EQ(seen.text, "Bitte 8 Stellen eingeben");
    EXPECT_EQ(seen.buttons, std::vector<std::string>{"OK"});
    EXPECT_EQ(seen.visibleIcons, 0);
    EXPECT_TRUE(seen.owned);
}

TEST_F(MainWindowTest, CarriesCodesInAndTheCompactTextOutThroughTheWindowsClipboard) {
    clipboard.setText("FC18D8F0");
    click(ControlId::Command3);
    EXPECT_EQ(text(ControlId::Text2), "FC18D8F0");
    EXPECT_EQ(text(ControlId::Text5), "495360090000");
    clipboard.setText("Zwischenablage vorher");
    click(ControlId::Command4);
    EXPECT_EQ(clipboard.text(), "495360090000");
    // Umlauts and a long text come back unchanged.
    const std::string long_text = "ÄÖÜ" + std::string(1'000'000, '7');
    clipboard.setText(long_text);
    EXPECT_EQ(clipboard.text(), long_text);
    EXPECT_EQ(messages.texts, kNone);
}

// The test runs under German and English regional settings (see CMake).
TEST_F(MainWindowTest, WritesSecondsWithTheRegionalDecimalSeparator) {
    const std::map<std::string, std::string> latitudeByLocale{
        {"de_DE.UTF-8", "50 Grad 27 Min. 57,60 Sek."},
        {"en_US.UTF-8", "50 Grad 27 Min. 57.60 Sek."},
    };
    const char* locale = std::getenv("LANG");
    ASSERT_NE(locale, nullptr);
    ASSERT_EQ(latitudeByLocale.count(locale), 1U) << locale;
    setText(ControlId::Text2, "12345678");
    click(ControlId::Command1);
    EXPECT_EQ(text(ControlId::Text3), latitudeByLocale.at(locale));
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
}

TEST_F(MainWindowTest, EndeClosesTheWindowAndEndsTheLoop) {
    HWND handle = window->handle();
    click(ControlId::Command2);
    EXPECT_FALSE(IsWindow(handle));
    MSG quit{};
    EXPECT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(messages.texts, kNone);
}

}  // namespace
}  // namespace lagewandler
