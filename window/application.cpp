#include "application.h"

#include <QtGlobal>

#include <cstdio>

namespace lagewandler {

bool displayAvailable() {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fputs("lagewandler: no display (neither DISPLAY nor WAYLAND_DISPLAY is set); start it from a desktop "
                   "session, or put xvfb-run (package xvfb) in front of the command to use a virtual display\n",
                   stderr);
        return false;
    }
#endif
    return true;
}

}  // namespace lagewandler
