#include <windows.h>

#include "win32/clipboard.h"
#include "win32/main_window.h"
#include "win32/message_box.h"

// The manifest asks for the version 6 controls; Windows loads them when the
// first button, field or label is made, so nothing here needs to.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int showCommand) {
    lagewandler::SystemClipboard clipboard;
    lagewandler::MessageBoxDisplay messages;
    lagewandler::MainWindow window(clipboard, messages);
    if (!window.create(instance)) return 1;
    ShowWindow(window.handle(), showCommand);
    return lagewandler::runMessageLoop(window.handle());
}
