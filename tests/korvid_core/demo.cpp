// The smallest Korvid program: a window with a filled rectangle that quits
// when clicked. It says where it was clicked, so a test driving it from outside
// knows the click arrived.
#include <atomic>
#include <cstdio>

#include "korvid/korvid.h"

int main() {
  constexpr int width = 320;
  constexpr int height = 200;
  if (korvid::initwindow(width, height, "Korvid demo", korvid::default_position, korvid::default_position,
                         true, true) < 0) {
    std::fprintf(stderr, "no window\n");
    return 1;
  }
  // x and y of the click, once there was one; written on the window thread.
  static std::atomic<int> click_x{-1};
  static std::atomic<int> click_y{-1};
  korvid::registermousehandler(korvid::mouse::left_up, [](int x, int y) {
    click_y = y;
    click_x = x;
    korvid::stopidle();
  });
  // Drawn out of sight, then shown whole.
  korvid::setfillstyle(korvid::fill_style::solid, korvid::creatergb(255, 128, 0));
  korvid::bar(40, 30, width - 40, height - 30);
  korvid::swapbuffers();
  std::printf("ready\n");
  std::fflush(stdout);
  while (click_x < 0) korvid::loop();
  std::printf("clicked %d %d\n", click_x.load(), click_y.load());
  korvid::closewindow();
  return 0;
}
