// The test runner; with --helper <mode> it is instead a small Korvid program
// that ends in one of the ways the library must handle. What it prints tells
// the process-end tests how far it got.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <thread>

#include "korvid/korvid.h"
#include "korvid/testing.h"
#include "korvid/testing_screensaver.h"

namespace {

using std::chrono::milliseconds;

void say(const char* text) {
  std::printf("%s\n", text);
  std::fflush(stdout);
}

int open_window() {
  return korvid::initwindow(200, 100, "Helper", korvid::default_position, korvid::default_position, true, true);
}

// Opens the exit-on-close window and has the user close it from the close box,
// at once or, with `when_idle`, once the program thread waits in `loop`. `grace`
// is how long the library then waits for the program thread to end the process.
void open_and_close(milliseconds grace, bool when_idle) {
  // Printed only when the program thread ends the process through `exit`,
  // never when the library cuts it short.
  std::atexit([] { say("exit handlers ran"); });
  const int id = open_window();
  korvid::testing::set_close_grace(id, grace);
  korvid::setwindowclosecallback([] { say("close callback ran"); });
  const auto close = [id, when_idle] {
    while (when_idle && !korvid::testing::idle_waiting(id)) std::this_thread::sleep_for(milliseconds(1));
    korvid::testing::request_close(id);
  };
  if (when_idle) {
    std::thread(close).detach();
  } else {
    close();
  }
}

// Each mode returns the status main returns; the library should end the
// process before most of them get that far.
const std::map<std::string, std::function<int()>> modes = {
    {"return", [] {
       open_window();
       korvid::swapbuffers();
       say("returning");
       return 0;
     }},
    {"close-in-loop", [] {
       open_and_close(std::chrono::minutes(2), true);
       korvid::loop();
       say("left the loop");
       return 3;
     }},
    {"close-then-call", [] {
       open_and_close(std::chrono::minutes(2), false);
       say("calling");
       (void)korvid::getmaxx();
       say("call returned");
       return 3;
     }},
    {"close-while-busy", [] {
       open_and_close(milliseconds(300), false);
       std::this_thread::sleep_for(std::chrono::minutes(2));
       say("still running");
       return 3;
     }},
    {"closed-window", [] {
       open_window();
       korvid::closewindow();
       (void)korvid::getmaxx();
       say("call returned");
       return 3;
     }},
    // A mouse handler, on the window thread, draws after closing the window.
    {"error-in-handler", [] {
       const int id = open_window();
       korvid::registermousehandler(korvid::mouse::left_up, [](int, int) {
         korvid::closewindow();
         (void)korvid::getmaxx();
         say("handler went on");
       });
       korvid::testing::click(id, 5, 5);  // returns once the handler has run
       say("call returned");
       return 3;
     }},
    {"fake-screensaver", [] { return korvid::testing::serve_fake_screensaver(); }},
    {"no-display", [] {
       for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) unsetenv(name);
       std::printf("initwindow %d\n", open_window());
       return 0;
     }},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--helper") == 0) {
    const auto mode = modes.find(argv[2]);
    return mode == modes.end() ? 64 : mode->second();
  }
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
