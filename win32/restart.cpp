#include "win32/restart.h"

namespace lagewandler {

bool registerRestartAfterUpdate(RestartRegistration registration) {
    // An operator whose window vanished in a crash or a hang chooses
    // whether to open it again; only an update's restart gives it back.
    constexpr DWORD kOnlyAfterAnUpdate = RESTART_NO_CRASH | RESTART_NO_HANG | RESTART_NO_REBOOT;
    return SUCCEEDED(registration(nullptr, kOnlyAfterAnUpdate));
}

}  // namespace lagewandler
