// The smallest Korvid program: a window with a filled rectangle that quits
// when clicked. It says where it was clicked, so a test driving it from outside
// knows the click arrived.
#include <atomic>
#include <cstdio>

#include "korvid/korvid.h"

namespace {

constexpr int width = 320;
constexpr int height = 200;

std::atomic<bool> clicked{false};
std::atomic<int> click_x{-1};
std::atomic<int> click_y{-1};

}  // namespace

int main() {
  const int id = korvid::initwindow(width, height, "Korvid demo", korvid::default_position,
                                    korvid::default_position, true, true);
  if (id < 0) {
    std::fprintf(stderr, "no window\n");
    return 1;
  }
  korvid::registermousehandler(korvid::mouse::left_up, [](int x, int y) {
    click_x = x;
    click_y = y;
    clicked = true;
    korvid::stopidle();
  });
  // Drawn out of sight, then shown whole.
  korvid::setfillstyle(korvid::fill_style::solid, korvid::creatergb(255, 128, 0));
  korvid::bar(40, 30, width - 40, height - 30);
  korvid::swapbuffers();
  std::printf("ready\n");
  std::fflush(stdout);

  while (!clicked) korvid::loop();
  std::printf("clicked %d %d\n", click_x.load(), click_y.load());
  korvid::closewindow();
  return 0;
}
