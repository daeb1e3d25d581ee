#pragma once

namespace lagewandler {

// On desktops with X11 or Wayland, Qt aborts with a long report when neither
// display is there. Checks first and, when there is none (and no platform is
// chosen by QT_QPA_PLATFORM), prints one line that says so and how to run
// the tool anyway. Returns whether the window can be opened.
[[nodiscard]] bool displayAvailable();

}  // namespace lagewandler
