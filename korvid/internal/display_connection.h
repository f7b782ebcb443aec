// Connecting to the display without letting Qt abort the process.
//
// Qt ends the process with abort() and a core dump when its platform cannot
// reach the display, which is what a stale DISPLAY left by ssh or tmux does.
// While a DisplayConnection lives (around the application's construction on
// the window thread), Qt's messages are held back; a fatal one becomes a
// one-line message on standard error and exit status 1, and the others are
// passed on once the connection stands.
#pragma once

#include <QString>
#include <QtGlobal>

#include <string>
#include <vector>

namespace korvid::detail {

class DisplayConnection {
 public:
  DisplayConnection();
  ~DisplayConnection();
  DisplayConnection(const DisplayConnection&) = delete;
  DisplayConnection& operator=(const DisplayConnection&) = delete;
};

// The display the platform tries: WAYLAND_DISPLAY under a Wayland platform,
// else DISPLAY, else WAYLAND_DISPLAY; "(none)" when neither is set.
std::string display_name();

}  // namespace korvid::detail
