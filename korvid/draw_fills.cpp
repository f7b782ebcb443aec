#include <QImage>

#include <array>

#include "korvid/draw.h"
#include "korvid/internal/draw_color.h"
#include "korvid/internal/draw_state.h"
#include "korvid/internal/window_data.h"

namespace korvid {
namespace detail {
namespace {

// Every fill but the plain ones is an 8 x 8 tile, bit 7 leftmost, repeated from
// the page's top-left corner. Hatches are one-pixel lines every 8 pixels.
constexpr std::array<FillPattern, 13> fill_tiles = {{
    {},                                                  // empty (plain)
    {},                                                  // solid (plain)
    {0xFF, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00},  // horizontal lines
    {0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01},  // falling to the right
    {0xE0, 0xC1, 0x83, 0x07, 0x0E, 0x1C, 0x38, 0x70},
    {0x07, 0x83, 0xC1, 0xE0, 0x70, 0x38, 0x1C, 0x0E},
    {0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80},  // rising to the right
    {0xFF, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80},  // horizontal and vertical
    {0x81, 0x42, 0x24, 0x18, 0x18, 0x24, 0x42, 0x81},  // both diagonals
    {0xCC, 0x33, 0xCC, 0x33, 0xCC, 0x33, 0xCC, 0x33},
    {0x80, 0x00, 0x08, 0x00, 0x80, 0x00, 0x08, 0x00},
    {0x88, 0x00, 0x22, 0x00, 0x88, 0x00, 0x22, 0x00},
    {},  // the user's pattern
}};

QBrush tile_brush(const FillPattern& rows, int foreground, int background) {
  QImage tile(8, 8, QImage::Format_RGB32);
  const QRgb fg = to_qrgb(foreground);
  const QRgb bg = to_qrgb(background);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      const bool set = (rows[static_cast<std::size_t>(y)] >> (7 - x)) & 1;
      tile.setPixel(x, y, set ? fg : bg);
    }
  }
  return QBrush(tile);
}

bool is_fill_style(int style) { return style >= fill_style::empty && style <= fill_style::user; }

}  // namespace

void rebuild_brush(DrawState& state) {
  switch (state.fill.style) {
    case fill_style::empty: state.brush = QBrush(to_qcolor(state.empty_fill_color)); break;
    case fill_style::solid: state.brush = QBrush(to_qcolor(state.fill.color)); break;
    case fill_style::user:
      state.brush = tile_brush(state.fill_pattern, state.fill.color, state.bk_color);
      break;
    default:
      state.brush = tile_brush(fill_tiles[static_cast<std::size_t>(state.fill.style)],
                               state.fill.color, state.bk_color);
  }
}

}  // namespace detail

void setfillstyle(int style, int color) {
  auto window = detail::drawing_window();
  detail::DrawState& state = *window->draw;
  if (!detail::is_fill_style(style)) {
    state.graph_result = gr_error;
    return;
  }
  state.fill = {style, color};
  // The empty fill keeps the background colour of the moment it was chosen.
  if (style == fill_style::empty) state.empty_fill_color = state.bk_color;
  detail::rebuild_brush(state);
}

void setfillpattern(const FillPattern& pattern, int color) {
  auto window = detail::drawing_window();
  detail::DrawState& state = *window->draw;
  state.fill_pattern = pattern;
  state.fill = {fill_style::user, color};
  detail::rebuild_brush(state);
}

FillSettings getfillsettings() { return detail::drawing_window()->draw->fill; }
FillPattern getfillpattern() { return detail::drawing_window()->draw->fill_pattern; }

}  // namespace korvid
