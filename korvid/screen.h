// The window and the whole screen: full screen, and keeping the screen awake.
#pragma once

#include <string_view>

namespace korvid {

// Shows the current window over its whole screen, without a frame, or back at
// the size and place it had. Only a window the user may resize (enableresize)
// goes full screen. The resize handler hears of the new size as of any other.
void setfullscreen(bool on);
bool isfullscreen();

// Asks the desktop not to blank the screen or start the screen saver, giving
// `reason` (the freedesktop ScreenSaver service on the session bus), until
// releasescreensaver. Asking again while a request stands changes nothing. No
// session bus, or no such service: nothing happens, and that is no error.
// Returns whether the desktop agreed.
bool inhibitscreensaver(std::string_view reason);
void releasescreensaver();
// Whether a request of this process stands.
bool screensaverinhibited();

}  // namespace korvid
