#pragma once

#include <windows.h>

#include "presets/reference_presets.h"
#include "win32/restart.h"

namespace lagewandler {

class MessageDisplay;
class Utf8Clipboard;

// The window program from start to end, after the common controls are
// registered: opens the window with presets in its reference fields (or
// tells the operator it could not), registers with registration for a
// restart after an update, shows the window as showCommand asks and runs it.
// Returns the program's exit status.
[[nodiscard]] int runWindowProgram(HINSTANCE instance, int showCommand, Utf8Clipboard& clipboard,
                                   MessageDisplay& messages, const ReferencePresets& presets,
                                   RestartRegistration registration);

}  // namespace lagewandler
