// How fast a presentation answers the presenter, seen from outside as on a
// real screen: from a click on the dial, or a press of Space, to the dial drawn
// paused on the X server (and back to running). Needs an X server with the
// XTEST extension (run it under xvfb-run); the program is the real one.
//
// Goal: key press to visible change within 8 ms (median), as fast as a click.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <benchmark/benchmark.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "bench/start_veltrim.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// A point of the dial's disc above its time text, in the 800 x 600 window's
// wide time panel; silver there means paused.
constexpr int dial_x = 55;
constexpr int dial_y = 524;
constexpr unsigned long silver = 0xC0C0C0;

struct Program {
  Display* display = nullptr;
  Window window = 0;
  pid_t pid = -1;
};

Window find_veltrim(Display* display, Clock::time_point deadline) {
  while (Clock::now() < deadline) {
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) != 0) {
      for (unsigned int i = 0; i < count; ++i) {
        char* name = nullptr;
        XWindowAttributes attributes{};
        if (XFetchName(display, children[i], &name) != 0 && name != nullptr) {
          const bool match = std::string(name).starts_with("Veltrim");
          XFree(name);
          if (match && XGetWindowAttributes(display, children[i], &attributes) != 0 &&
              attributes.map_state == IsViewable) {
            const Window found = children[i];
            XFree(children);
            return found;
          }
        }
      }
      if (children != nullptr) XFree(children);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return 0;
}

unsigned long dial_colour(const Program& p) {
  XImage* image = XGetImage(p.display, p.window, dial_x, dial_y, 1, 1, AllPlanes, ZPixmap);
  if (image == nullptr) return 0;
  const unsigned long colour = XGetPixel(image, 0, 0) & 0xFFFFFF;
  XDestroyImage(image);
  return colour;
}

bool wait_until(const std::function<bool()>& shown, Clock::time_point deadline) {
  while (Clock::now() < deadline) {
    if (shown()) return true;
    std::this_thread::sleep_for(std::chrono::microseconds(100));
  }
  return false;
}

void press_key(Display* display, KeySym symbol) {
  const KeyCode code = XKeysymToKeycode(display, symbol);
  XTestFakeKeyEvent(display, code, True, CurrentTime);
  XTestFakeKeyEvent(display, code, False, CurrentTime);
  XFlush(display);
}

void click_dial(const Program& p) {
  Window child = 0;
  int x = 0, y = 0;
  XTranslateCoordinates(p.display, p.window, DefaultRootWindow(p.display), dial_x, dial_y, &x, &y, &child);
  XTestFakeMotionEvent(p.display, -1, x, y, CurrentTime);
  XTestFakeButtonEvent(p.display, 1, True, CurrentTime);
  XTestFakeButtonEvent(p.display, 1, False, CurrentTime);
  XFlush(p.display);
}

// Starts the program on the example script and presents it with F5.
bool start_presenting(Program& p, const fs::path& home) {
  p.pid = start_veltrim(home);
  if (p.pid < 0) return false;
  const Clock::time_point deadline = Clock::now() + std::chrono::seconds(10);
  p.window = find_veltrim(p.display, deadline);
  if (p.window == 0) return false;
  XSetInputFocus(p.display, p.window, RevertToParent, CurrentTime);
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  press_key(p.display, XK_F5);
  return wait_until([&] { return dial_colour(p) != 0 && dial_colour(p) != 0xFFFFFF; }, deadline);
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Pauses and resumes `rounds` times with `act` and reports the median time
// until the paused dial is on the X server.
void measure(benchmark::State& state, const std::function<void(const Program&)>& act) {
  Program p;
  static Display* const display = XOpenDisplay(nullptr);  // one connection for the whole run
  p.display = display;
  if (p.display == nullptr) {
    state.SkipWithError("no X display: run under xvfb-run");
    return;
  }
  const fs::path home = fs::temp_directory_path() / ("veltrim-response-" + std::to_string(getpid()));
  fs::create_directories(home);
  if (!start_presenting(p, home)) {
    state.SkipWithError("the presentation did not start");
  } else {
    for (auto _ : state) {
      std::vector<double> to_paused;
      for (int round = 0; round < 25; ++round) {
        const Clock::time_point sent = Clock::now();
        act(p);
        if (!wait_until([&] { return dial_colour(p) == silver; }, sent + std::chrono::seconds(5))) break;
        to_paused.push_back(std::chrono::duration<double, std::milli>(Clock::now() - sent).count());
        act(p);
        wait_until([&] { return dial_colour(p) != silver; }, Clock::now() + std::chrono::seconds(5));
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
      }
      if (to_paused.size() != 25) {
        state.SkipWithError("the dial did not show the pause");
        break;
      }
      state.SetIterationTime(median(to_paused) / 1000.0);
      state.counters["median_ms"] = median(to_paused);
      state.counters["slowest_ms"] = *std::max_element(to_paused.begin(), to_paused.end());
    }
  }
  kill(p.pid, SIGTERM);
  waitpid(p.pid, nullptr, 0);
  fs::remove_all(home);
}

void BM_ClickToPauseDrawn(benchmark::State& state) { measure(state, click_dial); }
void BM_KeyToPauseDrawn(benchmark::State& state) {
  measure(state, [](const Program& p) { press_key(p.display, XK_space); });
}
BENCHMARK(BM_ClickToPauseDrawn)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeyToPauseDrawn)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
