#pragma once

#include <memory>

class QApplication;
class QCoreApplication;

namespace lagewandler {

// The one line the tool prints, before ending with kNoDisplayStatus, when it
// cannot open its window for want of a display. A platform plugin that is
// not installed is reported in Qt's own words, with the same status.
inline constexpr const char* kNoDisplayMessage =
    "lagewandler: no display can be reached; start it from a desktop session, or put xvfb-run "
    "(package xvfb) in front of the command to use a virtual display\n";
inline constexpr int kNoDisplayStatus = 1;

// Creates the application for main's argc and argv. Where Qt cannot start
// its window system (no display set, a DISPLAY or WAYLAND_DISPLAY that
// cannot be reached, a QT_QPA_PLATFORM that cannot start), Qt would abort
// with a long report; instead this prints kNoDisplayMessage and ends the
// process with kNoDisplayStatus. Qt's other messages while starting are held
// back and passed on once the application is running. The application
// carries the desktop entry's name, so the desktop groups its window with
// the menu entry, and the program's icon.
[[nodiscard]] std::unique_ptr<QApplication> openApplication(int& argc, char** argv);

// Under German regional settings, loads Qt's own German texts (the fields'
// context menus, the message box's buttons) into application. Returns
// whether a translation was installed.
bool installQtTranslations(QCoreApplication& application);

}  // namespace lagewandler
