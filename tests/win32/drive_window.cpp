// Drives a running lagewandler.exe from outside, as a UI-automation client
// would: finds the window and its controls by class, caption and id, types
// with WM_SETTEXT, presses with BM_CLICK, reads with WM_GETTEXT, and finds
// and closes the message box by its caption.
// Usage: drive_window convert   the worked example, a wrong length, the
//                               paste and the copy button; exit status 1
//                               and a line per difference when any
//        drive_window show CODE converts CODE and prints the window on the
//                               screen, its frame with the title bar and
//                               icon included: LEFT TOP WIDTH HEIGHT
//        drive_window close     presses "Ende" and waits for the window to go
#include <windows.h>

#include <cstdio>
#include <string>

#include "form/layout.h"
#include "text/utf16_text.h"
#include "win32/clipboard.h"
#include "win32/main_window.h"

namespace lagewandler {
namespace {

constexpr UINT kPatienceMs = 10000;
constexpr DWORD kPollMs = 10;
int differences = 0;

// Waits until find() returns a visible window; nullptr after kPatienceMs.
template <typename Find>
HWND waitForWindow(Find find) {
    for (DWORD waited = 0; waited < kPatienceMs; waited += kPollMs) {
        HWND window = find();
        if (window != nullptr && IsWindowVisible(window)) return window;
        Sleep(kPollMs);
    }
    return nullptr;
}

HWND mainWindow() {
    return waitForWindow([] { return FindWindowW(kMainWindowClass, L"Lagewandler"); });
}

HWND messageBox() {
    return waitForWindow([] { return FindWindowW(L"#32770", L"Ortsmappe"); });
}

std::string textOf(HWND window) {
    DWORD_PTR length = 0;
    SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kPatienceMs, &length);
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                        kPatienceMs, &copied);
    text.resize(copied);
    return utf8Text(text);
}

HWND item(HWND window, ControlId id) { return GetDlgItem(window, static_cast<int>(id)); }

void type(HWND window, ControlId id, const std::string& text) {
    const std::wstring wide = wideText(text);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(item(window, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()), SMTO_ABORTIFHUNG,
                        kPatienceMs, &ignored);
}

// Presses a button and returns once its action has run. An action that
// shows a message box runs until the box is closed, so press it with post.
void press(HWND window, ControlId id) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(item(window, id), BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, kPatienceMs, &ignored);
}
void post(HWND window, ControlId id) { PostMessageW(item(window, id), BM_CLICK, 0, 0); }

void expect(const char* what, const std::string& seen, const std::string& expected) {
    if (seen == expected) return;
    std::printf("%s: '%s' instead of '%s'\n", what, seen.c_str(), expected.c_str());
    ++differences;
}

void expectResults(HWND window, const char* step, const char* text3, const char* text4, const char* text5) {
    expect((std::string(step) + ": Text3").c_str(), textOf(item(window, ControlId::Text3)), text3);
    expect((std::string(step) + ": Text4").c_str(), textOf(item(window, ControlId::Text4)), text4);
    expect((std::string(step) + ": Text5").c_str(), textOf(item(window, ControlId::Text5)), text5);
}

// Reads the open message box's text and closes it with its OK button.
std::string answerMessageBox() {
    HWND box = messageBox();
    if (box == nullptr) return "(no message box)";
    std::string text;
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        const auto style = static_cast<DWORD>(GetWindowLongPtrW(child, GWL_STYLE));
        wchar_t name[16] = {};
        GetClassNameW(child, name, 16);
        if (std::wstring(name) == L"Static" && (style & SS_TYPEMASK) != SS_ICON) text = textOf(child);
    }
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    for (DWORD waited = 0; waited < kPatienceMs && IsWindow(box); waited += kPollMs) Sleep(kPollMs);
    return text;
}

int convert(HWND window) {
    constexpr const char* kLatitude = "50 Grad 27 Min. 57,60 Sek.";
    constexpr const char* kLongitude = "12 Grad 12 Min. 48,96 Sek.";
    type(window, ControlId::Text2, "12345678");
    press(window, ControlId::Command1);
    expectResults(window, "umwandeln", kLatitude, kLongitude, "502758121249");

    type(window, ControlId::Text2, "1234567");
    post(window, ControlId::Command1);
    expect("wrong length: message", answerMessageBox(), "Bitte 8 Stellen eingeben");
    expectResults(window, "wrong length", "", "", "");

    SystemClipboard clipboard;
    expect("clipboard takes the code", clipboard.setText("FC18D8F0") ? "yes" : "no", "yes");
    press(window, ControlId::Command3);
    expect("Clipboard: Text2", textOf(item(window, ControlId::Text2)), "FC18D8F0");
    expectResults(window, "Clipboard", "49 Grad 53 Min. 60,00 Sek.", "9 Grad 0 Min. 00,00 Sek.", "495360090000");

    expect("clipboard takes a text", clipboard.setText("vorher") ? "yes" : "no", "yes");
    press(window, ControlId::Command4);
    expect("ins Clipboard", clipboard.text().value_or("(unreadable)"), "495360090000");
    return differences == 0 ? 0 : 1;
}

int show(HWND window, const char* code) {
    type(window, ControlId::Text2, code);
    press(window, ControlId::Command1);
    RECT r{};
    GetWindowRect(window, &r);
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return 0;
}

int close(HWND window) {
    post(window, ControlId::Command2);
    for (DWORD waited = 0; waited < kPatienceMs && IsWindow(window); waited += kPollMs) Sleep(kPollMs);
    if (!IsWindow(window)) return 0;
    std::printf("Ende: the window is still open\n");
    return 1;
}

}  // namespace
}  // namespace lagewandler

int main(int argc, char* argv[]) {
    const std::string command = argc > 1 ? argv[1] : "";
    HWND window = lagewandler::mainWindow();
    if (window == nullptr) {
        std::printf("no window \"Lagewandler\" appeared\n");
        return 1;
    }
    if (command == "convert") return lagewandler::convert(window);
    if (command == "show" && argc > 2) return lagewandler::show(window, argv[2]);
    if (command == "close") return lagewandler::close(window);
    std::printf("usage: drive_window convert | show CODE | close\n");
    return 2;
}
