#include <QList>

#include <algorithm>

#include "korvid/draw.h"
#include "korvid/internal/draw_color.h"
#include "korvid/internal/draw_dashes.h"
#include "korvid/internal/draw_state.h"
#include "korvid/internal/window_data.h"

namespace korvid {
namespace detail {

// Wider pens than this cover any page anyway; the cap keeps the stroker's work bounded.
constexpr int widest_pen = 1 << 16;

void rebuild_pen(DrawState& state) {
  const int width = std::clamp(state.line.thickness, 1, widest_pen);
  QPen pen(QBrush(to_qcolor(state.color)), width, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
  const DashTable table = dash_table(state.line.style, state.line.pattern);
  if (!is_solid(table)) {
    // Qt measures dashes in pen widths; the table is in pixels. A zero-length
    // dash still shows as one square cap, so it is kept just above zero.
    QList<qreal> dashes;
    for (const int length : table) {
      dashes.push_back(std::max(static_cast<qreal>(length), 0.01) / width);
    }
    pen.setDashPattern(dashes);
  }
  state.pen = pen;
}

}  // namespace detail

void setlinestyle(int style, unsigned pattern, int thickness) {
  setlinesettings({style, pattern, thickness});
}

LineSettings getlinesettings() { return detail::drawing_window()->draw->line; }

void setlinesettings(const LineSettings& settings) {
  auto window = detail::drawing_window();
  window->draw->line = settings;
  detail::rebuild_pen(*window->draw);
}

void setwritemode(int mode) {
  detail::drawing_window()->draw->write_mode = mode == xor_put ? xor_put : copy_put;
}

}  // namespace korvid
