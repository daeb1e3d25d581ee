#pragma once

#include <windows.h>

namespace lagewandler {

// How the program asks Windows to start it again: RegisterApplicationRestart,
// or a stand-in in tests.
using RestartRegistration = HRESULT(WINAPI*)(PCWSTR commandLine, DWORD flags);

// Asks Windows' Restart Manager to start the window again once an installer
// has closed it for an update, or the restart that finishes an update has
// ended it, and never after a crash or a hang. No command line: it opens as
// a fresh start does, with the references preset for the desk.
// Returns whether Windows took the registration.
[[nodiscard]] bool registerRestartAfterUpdate(RestartRegistration registration = RegisterApplicationRestart);

}  // namespace lagewandler
