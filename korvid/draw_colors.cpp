#include "korvid/draw.h"
#include "korvid/internal/draw_state.h"
#include "korvid/internal/window_data.h"

namespace korvid {

int creatergb(int r, int g, int b) { return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16); }
int getredvalue(int color) { return color & 0xFF; }
int getgreenvalue(int color) { return (color >> 8) & 0xFF; }
int getbluevalue(int color) { return (color >> 16) & 0xFF; }
int getmaxcolor() { return 0; }
// Pages keep 8 bits per component, so every 24-bit colour shows as itself.
int getdisplaycolor(int color) { return color & 0xFFFFFF; }

void setcolor(int color) {
  auto window = detail::drawing_window();
  window->draw->color = color;
  detail::rebuild_pen(*window->draw);
}

int getcolor() { return detail::drawing_window()->draw->color; }

void setbkcolor(int color) {
  auto window = detail::drawing_window();
  window->draw->bk_color = color;
  // Pattern and hatch gaps show the background colour.
  detail::rebuild_brush(*window->draw);
}

int getbkcolor() { return detail::drawing_window()->draw->bk_color; }

}  // namespace korvid
