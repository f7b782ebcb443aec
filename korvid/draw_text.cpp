#include <QTransform>

#include <algorithm>
#include <string_view>
#include <vector>

#include "korvid/draw.h"
#include "korvid/internal/draw_color.h"
#include "korvid/internal/draw_paint.h"
#include "korvid/internal/draw_text_codec.h"

namespace korvid {
namespace {

using detail::DrawState;
using detail::FontEntry;
using detail::WindowData;

// A text cut into its lines and measured in one font. The lines point into
// the caller's text.
struct TextBlock {
  std::vector<std::string_view> lines;
  std::vector<int> widths;
  int width = 0;   // the widest line
  int height = 0;  // all lines, each a full line height
};

// Lines end at CR LF, LF or CR; a break at the very end starts no further line.
// Breaks are ASCII, so cutting the bytes never splits a character.
std::vector<std::string_view> split_lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const std::size_t end = text.find_first_of("\r\n");
    lines.push_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    const std::size_t skip = text.compare(end, 2, "\r\n") == 0 ? 2 : 1;
    text.remove_prefix(end + skip);
  }
  return lines;
}

TextBlock measure(const FontEntry& font, std::string_view text) {
  TextBlock block;
  block.lines = split_lines(detail::until_nul(text));
  for (const std::string_view line : block.lines) {
    const int width = font.line_width(line);
    block.widths.push_back(width);
    block.width = std::max(block.width, width);
  }
  block.height = static_cast<int>(block.lines.size()) * font.line_height;
  return block;
}

// Left edge of a line of `width` in a box from `left` to `right`.
std::int64_t justified_left(int justify, std::int64_t left, std::int64_t right, int width) {
  switch (justify) {
    case center_text: return (left + right - width) / 2;
    case right_text: return right - width;
    default: return left;
  }
}

// Horizontal text: each line in its place, on a background box as tall as the
// font's cell, stacking downwards from the text position.
void draw_horizontal(WindowData& window, const TextBlock& block) {
  DrawState& state = *window.draw;
  const FontEntry& font = *state.font;
  // The layout box runs from the text position to the client's right edge.
  const std::int64_t box_left = state.text_x;
  const std::int64_t box_right = window.width;
  detail::Box touched{box_left, state.text_y, box_left, static_cast<std::int64_t>(state.text_y) + block.height};
  detail::paint_page(window, [&](QPainter& painter, QImage& page) {
    painter.setFont(font.font);
    painter.setPen(detail::to_qcolor(state.color));
    const QColor background = detail::to_qcolor(state.bk_color);
    for (std::size_t i = 0; i < block.lines.size(); ++i) {
      const int width = block.widths[i];
      const std::int64_t x = justified_left(state.text.horiz, box_left, box_right, width);
      const std::int64_t y = state.text_y + static_cast<std::int64_t>(i) * font.line_height;
      touched.left = std::min(touched.left, x);
      touched.right = std::max(touched.right, x + width);
      // Lines entirely off the page are skipped: Qt's glyph positions cannot
      // reach arbitrarily far.
      if (!detail::page_rect(state, {x, y, x + width, y + font.cell_height}, page.rect())) continue;
      const QPointF at = detail::page_point(state, x, y);
      painter.fillRect(QRectF(at, QSizeF(width, font.cell_height)), background);
      painter.drawText(at + QPointF(0, font.ascent), detail::shown_text(block.lines[i]));
    }
  });
  state.text_y = detail::wrap32(static_cast<std::int64_t>(state.text_y) + block.height);
  detail::refresh_box(window, touched);
}

// Vertical text: the block is drawn upright on a scratch image and turned a
// quarter-turn counter-clockwise, so it reads upwards, its top-left corner at
// the text position. The position then moves right past it.
void draw_vertical(WindowData& window, const TextBlock& block) {
  DrawState& state = *window.draw;
  const FontEntry& font = *state.font;
  if (block.width <= 0 || block.height <= 0) return;
  QImage upright(block.width, block.height, QImage::Format_RGB32);
  upright.fill(detail::to_qcolor(state.bk_color));
  {
    QPainter painter(&upright);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setFont(font.font);
    painter.setPen(detail::to_qcolor(state.color));
    for (std::size_t i = 0; i < block.lines.size(); ++i) {
      const auto x = static_cast<int>(justified_left(state.text.horiz, 0, block.width, block.widths[i]));
      const int y = static_cast<int>(i) * font.line_height + font.ascent;
      painter.drawText(QPoint(x, y), detail::shown_text(block.lines[i]));
    }
  }
  const QImage turned = upright.transformed(QTransform().rotate(-90));
  const detail::Box touched{state.text_x, state.text_y,
                            static_cast<std::int64_t>(state.text_x) + turned.width(),
                            static_cast<std::int64_t>(state.text_y) + turned.height()};
  detail::paint_page(window, [&](QPainter& painter, QImage& page) {
    if (!detail::page_rect(state, touched, page.rect())) return;
    painter.drawImage(detail::page_point(state, state.text_x, state.text_y), turned);
  });
  state.text_x = detail::wrap32(static_cast<std::int64_t>(state.text_x) + block.height);
  detail::refresh_box(window, touched);
}

}  // namespace

void settextstyle(int font, int direction, int charsize) {
  if (font == font::match_theme) {
    setmatchthemetextstyle();
    if (direction != keep_direction) detail::drawing_window()->draw->text.direction = direction;
    return;
  }
  auto window = detail::drawing_window();
  DrawState& state = *window->draw;
  auto entry = state.fonts.get(font, charsize);
  if (!entry) {
    state.graph_result = gr_invalid_font_num;
    return;
  }
  state.text.font = font;
  state.text.charsize = charsize;
  if (direction != keep_direction) state.text.direction = direction;
  detail::select_font(state, std::move(entry));
}

void setmatchthemetextstyle() {
  auto window = detail::drawing_window();
  DrawState& state = *window->draw;
  auto entry = state.fonts.theme();
  // Recorded as the dialog font at its own height, so a later settextstyle
  // with these values picks the same face and size.
  state.text.font = font::dialog;
  state.text.charsize = entry->cell_height;
  detail::select_font(state, std::move(entry));
}

void settextjustify(int horiz, int vert) {
  auto window = detail::drawing_window();
  window->draw->text.horiz = horiz;
  window->draw->text.vert = vert;
}

TextSettings gettextsettings() { return detail::drawing_window()->draw->text; }

void setusercharsize(int multx, int divx, int multy, int divy) {
  detail::drawing_window()->draw->user_char_size = {multx, divx, multy, divy};
}

UserCharSize getusercharsize() { return detail::drawing_window()->draw->user_char_size; }

void settextxy(int x, int y) {
  auto window = detail::drawing_window();
  window->draw->text_x = x;
  window->draw->text_y = y;
}

void outtext(std::string_view text) {
  auto window = detail::drawing_window();
  const TextBlock block = measure(*window->draw->font, text);
  if (window->draw->text.direction == horiz_dir) {
    draw_horizontal(*window, block);
  } else {
    draw_vertical(*window, block);
  }
}

void outtextxy(int x, int y, std::string_view text) {
  settextxy(x, y);
  outtext(text);
}

int textwidth(std::string_view text) {
  auto window = detail::drawing_window();
  const FontEntry& font = *window->draw->font;
  // One line is the common case: measured without cutting anything up.
  text = detail::until_nul(text);
  if (text.find_first_of("\r\n") == std::string_view::npos) return font.line_width(text);
  return measure(font, text).width;
}

int textheight(std::string_view text) {
  auto window = detail::drawing_window();
  return measure(*window->draw->font, text).height;
}

// Linux desktops use UTF-8 as their code page, so there is nothing to switch.
void useansitext() {}

}  // namespace korvid
