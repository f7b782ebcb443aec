// The window and the whole screen.
#pragma once

namespace korvid {

// Shows the current window over its whole screen, without a frame, or back at
// the size and place it had. Only a window the user may resize (enableresize)
// goes full screen. The resize handler hears of the new size as of any other.
void setfullscreen(bool on);
bool isfullscreen();

}  // namespace korvid
