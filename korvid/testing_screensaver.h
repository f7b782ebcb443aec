// Test hook: a stand-in for the desktop's screen saver service, so the screen
// saver calls can be tested on a private session bus. Linked into tests only
// (library `korvid_testing`).
#pragma once

namespace korvid::testing {

// Takes the name org.freedesktop.ScreenSaver on the session bus and answers
// Inhibit (with cookies 1, 2, ...) and UnInhibit, writing a line to standard
// output for each call ("Inhibit <application> <reason> -> <cookie>",
// "UnInhibit <cookie>") after "ready" once the name is taken. Serves until the
// process is ended; returns 1 at once when the name cannot be taken.
int serve_fake_screensaver();

}  // namespace korvid::testing
