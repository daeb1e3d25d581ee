#pragma once

#include <windows.h>

namespace lagewandler {

// How the program asks Windows to start it again: RegisterApplicationRestart,
// or a stand-in in tests.
using RestartRegistration = HRESULT(WINAPI*)(PCWSTR commandLine, DWORD flags);

// Asks Windows' Restart Manager to start the window again once an installer
// has closed it for an update, and never after a crash, a hang or a reboot.
// No command line: it opens as a fresh start does, references at 50 and 10.
// Returns whether Windows took the registration.
[[nodiscard]] bool registerRestartAfterUpdate(RestartRegistration registration = RegisterApplicationRestart);

}  // namespace lagewandler
