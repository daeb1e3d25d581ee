#include "win32/restart.h"

namespace lagewandler {

bool registerRestartAfterUpdate(RestartRegistration registration) {
    // An operator whose window vanished in a crash or a hang chooses
    // whether to open it again; only an update gives it back, also where the
    // update is finished by a restart of the machine (an installer in
    // another session cannot close the window, so it replaces the program
    // at the next restart): the window holds nothing that reopening loses.
    constexpr DWORD kOnlyAfterAnUpdate = RESTART_NO_CRASH | RESTART_NO_HANG;
    return SUCCEEDED(registration(nullptr, kOnlyAfterAnUpdate));
}

}  // namespace lagewandler
