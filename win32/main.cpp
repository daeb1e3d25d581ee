#include <windows.h>
#include <commctrl.h>

#include "win32/clipboard.h"
#include "win32/main_window.h"
#include "win32/message_box.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int showCommand) {
    // Loads the version 6 controls the manifest asks for.
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    lagewandler::SystemClipboard clipboard;
    lagewandler::MessageBoxDisplay messages;
    lagewandler::MainWindow window(clipboard, messages);
    if (!window.create(instance)) return 1;
    ShowWindow(window.handle(), showCommand);
    return lagewandler::runMessageLoop(window.handle());
}
