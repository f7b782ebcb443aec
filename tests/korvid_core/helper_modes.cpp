// The helper modes: each is a small Korvid program that ends in one of the
// ways the library must handle. What they print tells the test how far they got.
#include <chrono>
#include <cstdio>
#include <future>
#include <string_view>
#include <thread>

#include "korvid/korvid.h"
#include "korvid/testing.h"

namespace korvid_tests {
namespace {

void say(const char* text) {
  std::printf("%s\n", text);
  std::fflush(stdout);
}

int open_window() {
  return korvid::initwindow(200, 100, "Helper", korvid::default_position,
                            korvid::default_position, true, true);
}

// Returns from main with the window still open.
int normal_return() {
  if (open_window() < 0) return 2;
  korvid::swapbuffers();
  say("returning");
  return 0;
}

// The user closes the window while the program sleeps in its idle wait.
int close_in_loop() {
  const int id = open_window();
  if (id < 0) return 2;
  korvid::setwindowclosecallback([] { say("close callback ran"); });
  std::thread([id] { korvid::testing::request_close(id); }).detach();
  for (;;) korvid::loop();
  say("left the loop");
  return 3;
}

// The user closes the window while the program thread is busy outside the
// library; the library ends the process after its grace time.
int close_while_busy() {
  const int id = open_window();
  if (id < 0) return 2;
  korvid::testing::set_close_grace(id, std::chrono::milliseconds(300));
  korvid::testing::request_close(id);
  std::this_thread::sleep_for(std::chrono::seconds(60));
  say("still running");
  return 3;
}

// The user closes the window; the program's next library call ends the process.
int close_then_call() {
  const int id = open_window();
  if (id < 0) return 2;
  korvid::testing::set_close_grace(id, std::chrono::seconds(60));
  korvid::testing::request_close(id);
  say("calling");
  (void)korvid::getmaxx();
  say("call returned");
  return 3;
}

// Drawing with no window at all.
int no_window() {
  (void)korvid::getmaxx();
  say("call returned");
  return 3;
}

// Drawing after the program closed its window.
int closed_window() {
  if (open_window() < 0) return 2;
  korvid::closewindow();
  (void)korvid::getmaxx();
  say("call returned");
  return 3;
}

// A mouse handler, on the window thread, draws after the window was closed.
int error_in_handler() {
  const int id = open_window();
  if (id < 0) return 2;
  korvid::registermousehandler(korvid::mouse::left_up, [](int, int) {
    korvid::closewindow();
    (void)korvid::getmaxx();
    say("handler went on");
  });
  std::thread([id] { korvid::testing::click(id, 5, 5); }).detach();
  for (;;) korvid::loop();
}

// No display to open a window on.
int no_display() {
  std::printf("initwindow %d\n", open_window());
  return 0;
}

}  // namespace

int run_helper_mode(const char* mode_name) {
  const std::string_view mode = mode_name;
  if (mode == "return") return normal_return();
  if (mode == "close-in-loop") return close_in_loop();
  if (mode == "close-while-busy") return close_while_busy();
  if (mode == "close-then-call") return close_then_call();
  if (mode == "no-window") return no_window();
  if (mode == "closed-window") return closed_window();
  if (mode == "error-in-handler") return error_in_handler();
  if (mode == "no-display") return no_display();
  std::fprintf(stderr, "unknown helper mode %s\n", mode_name);
  return 64;
}

}  // namespace korvid_tests
