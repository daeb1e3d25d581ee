// The least a Windows window of the tool's 17 controls needs: the baseline
// that bench/windows-startup compares lagewandler.exe's start-up with. It
// has the same manifest and version resource, but no DPI handling, no font
// choice, no clipboard and no actions.
#include <windows.h>

#include "form/layout.h"
#include "text/utf16_text.h"

namespace {

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

const wchar_t* classOf(lagewandler::ControlKind kind) {
    switch (kind) {
        case lagewandler::ControlKind::Button:
            return L"BUTTON";
        case lagewandler::ControlKind::Field:
            return L"EDIT";
        case lagewandler::ControlKind::Label:
            break;
    }
    return L"STATIC";
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int showCommand) {
    using lagewandler::kTwipsPerPixel;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = L"Lagewandler.Bare";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"Bare", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, lagewandler::kClientWidthTwips / kTwipsPerPixel,
                                  lagewandler::kClientHeightTwips / kTwipsPerPixel, nullptr, nullptr, instance,
                                  nullptr);
    for (const lagewandler::ControlRow& row : lagewandler::kControls) {
        const lagewandler::TwipsRect& r = row.rect;
        CreateWindowExW(0, classOf(row.kind), lagewandler::wideText(row.caption).c_str(), WS_CHILD | WS_VISIBLE,
                        r.left / kTwipsPerPixel, r.top / kTwipsPerPixel, r.width / kTwipsPerPixel,
                        r.height / kTwipsPerPixel, window, nullptr, instance, nullptr);
    }
    ShowWindow(window, showCommand);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
