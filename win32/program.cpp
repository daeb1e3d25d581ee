#include "win32/program.h"

#include <cstdlib>

#include "win32/main_window.h"

namespace lagewandler {

int runWindowProgram(HINSTANCE instance, int showCommand, Utf8Clipboard& clipboard, MessageDisplay& messages,
                     const ReferencePresets& presets, RestartRegistration registration) {
    MainWindow window(clipboard, messages, presets);
    if (!window.create(instance)) {
        reportWindowUnavailable(messages);
        return EXIT_FAILURE;
    }
    // An installer that closes the window for an update opens it again.
    static_cast<void>(registerRestartAfterUpdate(registration));
    ShowWindow(window.handle(), showCommand);
    return runMessageLoop(window.handle());
}

}  // namespace lagewandler
