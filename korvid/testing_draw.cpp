#include "korvid/testing_draw.h"

#include <QFontInfo>

#include "korvid/internal/draw_state.h"
#include "korvid/internal/window_table.h"

namespace korvid::testing {

SelectedFont selected_font(int id) {
  auto window = detail::find_window(id);
  if (!window || !window->draw || !window->draw->font) return {};
  const QFontInfo info(window->draw->font->font);
  return {info.family().toStdString(), info.pixelSize(), info.bold(), info.italic()};
}

int fonts_made(int id) {
  auto window = detail::find_window(id);
  if (!window || !window->draw) return -1;
  return window->draw->fonts.fonts_made();
}

}  // namespace korvid::testing
