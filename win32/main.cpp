#include <windows.h>

#include <commctrl.h>

#include "presets/reference_presets.h"
#include "win32/clipboard.h"
#include "win32/message_box.h"
#include "win32/program.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int showCommand) {
    // The manifest asks for the version 6 controls; registering their
    // classes first is what Microsoft documents for them.
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    lagewandler::SystemClipboard clipboard;
    lagewandler::MessageBoxDisplay messages;
    return lagewandler::runWindowProgram(instance, showCommand, clipboard, messages,
                                         lagewandler::readReferencePresets(), RegisterApplicationRestart);
}
