#include <windows.h>

#include <commctrl.h>

#include <cstdlib>

#include "presets/reference_presets.h"
#include "win32/clipboard.h"
#include "win32/main_window.h"
#include "win32/message_box.h"
#include "win32/restart.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int showCommand) {
    // The manifest asks for the version 6 controls; registering their
    // classes first is what Microsoft documents for them.
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    lagewandler::SystemClipboard clipboard;
    lagewandler::MessageBoxDisplay messages;
    lagewandler::MainWindow window(clipboard, messages, lagewandler::readReferencePresets());
    if (!window.create(instance)) {
        lagewandler::reportWindowUnavailable(messages);
        return EXIT_FAILURE;
    }
    // An installer that closes the window for an update opens it again.
    static_cast<void>(lagewandler::registerRestartAfterUpdate());
    ShowWindow(window.handle(), showCommand);
    return lagewandler::runMessageLoop(window.handle());
}
