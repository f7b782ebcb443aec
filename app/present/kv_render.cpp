#include "app/present/kv_render.h"

#include <cmath>

#include "app/script/blanks.h"
#include "app/events/event_codes.h"
#include "app/system/external.h"
#include "app/system/links.h"
#include "app/events/program_events.h"
#include "korvid/korvid.h"

namespace veltrim {

namespace {

constexpr int quotation_colour = 0x808080;
constexpr int yes = 1;
// The yes/no question about a link comes in the warning box.
constexpr int link_question_kind = korvid::message_warning;

std::int32_t width_of(std::string_view text) { return text.empty() ? 0 : std::max(korvid::textwidth(text), 0); }

}  // namespace

Korvid_renderer::Korvid_renderer(ProgramEvents& events) : events_(events) {}

Korvid_renderer::~Korvid_renderer() {
  if (window < 0 || !korvid::isvalidwindow(window)) return;
  korvid::setcurrentwindow(window);
  korvid::registermousehandler(korvid::mouse::wheel, {});
  destroy_scrollbar();
}

void Korvid_renderer::reset() {
  y = 0;
  max_width = 0;
  content_height = 0;
  bounds = Rect{0, 0, 100, 100};
  render_event = 0;
  bounds_changed = false;
  window = -1;
  font_size = korvid::scaledpi(18);
  font_face = korvid::font::serif;
  line_spacing = 2;
  left_margin = 15;
  right_margin = 15;
  indent_gap = 5;
  text_colour = 0x000000;
  link_colour = 0x800000;
  background_colour = 0xFFFFFF;
  mirrored = false;
  scrollbar_width = 0;
  saved_y = 0;
  links_.clear();
  status_.clear();
  line_heights_.clear();
  scroll_position_ = 0;
  wheel_movement_ = 0;
  pending_event_ = reading_event::none;
}

void Korvid_renderer::initialize(std::int32_t window_id) {
  destroy_scrollbar();
  reset();
  window = window_id;
  korvid::setcurrentwindow(window);
  // A wheel turn away from the reader gives a positive delta, 120 a notch.
  korvid::registermousehandler(korvid::mouse::wheel, [this](int delta, int) {
    wheel_movement_ += delta;
    pending_event_ = reading_event::wheel;
    events_.set_event(event::renderer);
  });
}

void Korvid_renderer::post_renderer_event() { events_.set_event(event::renderer); }

void Korvid_renderer::new_page() {
  y = 0;
  scroll_position_ = 0;
  wheel_movement_ = 0;
  if (scrollbar >= 0) korvid::setscrollposition(scrollbar, 0);
  pending_event_ = reading_event::none;
  bounds_changed = true;
  content_height = 0;
}

void Korvid_renderer::place_scrollbar() {
  scrollbar_width = scrollbar_size;
  // A window too small for the text area still gets a bar of no height rather
  // than a negative one.
  const Rect wanted{bounds.top, bounds.right - (scrollbar_size - 1), bounds.top + std::max(bounds.bottom - bounds.top, 0),
                    bounds.right + 1};
  if (scrollbar < 0) {
    scrollbar = korvid::createscrollbar(wanted.left, wanted.top, scrollbar_size, wanted.bottom - wanted.top, true,
                                        [this](int position) {
                                          scroll_position_ = position;
                                          pending_event_ = reading_event::scrolled;
                                          events_.set_event(event::renderer);
                                        });
    korvid::setscrollrange(scrollbar, 0, 100);
  } else if (wanted != scrollbar_place_) {
    korvid::setscrollbarposition(scrollbar, wanted.left, wanted.top, scrollbar_size, wanted.bottom - wanted.top);
  }
  scrollbar_place_ = wanted;
}

void Korvid_renderer::prepare_for_layout() {
  // The width before the bar is first placed leaves its room out: the first
  // pass wraps 15 pixels wider than later ones.
  max_width = bounds.right - bounds.left + 1 - left_margin - right_margin - scrollbar_width;
  korvid::setcurrentwindow(window);
  korvid::setbkcolor(background_colour);
  korvid::resetviewport();
  place_scrollbar();
  korvid::setviewport(bounds.left, bounds.top, std::max(bounds.right - scrollbar_width + 1, bounds.left),
                      std::max(bounds.bottom, bounds.top), true);
  korvid::clearviewport();
  korvid::settextjustify(korvid::left_text, korvid::top_text);
  links_.clear();
  if (bounds_changed) y = 0;
  saved_y = y;
}

void Korvid_renderer::layout_complete() {
  if (bounds_changed) {
    saved_y = 0;
    if (scrollbar >= 0) korvid::setscrollposition(scrollbar, 0);
  }
  // The content is measured on a fresh pass only, and then includes one line
  // of slack below the text; passes that merely scroll keep it.
  if (content_height == 0 || bounds_changed) {
    content_height = y + text_height("XXX", type_plain);
    if (scrollbar >= 0) {
      korvid::setscrollrange(scrollbar, 0, scroll_max_value());
      korvid::setscrollpagesize(scrollbar, std::max(page_size(), 0));
    }
    bounds_changed = false;
  }
  y = saved_y;
  // The text was laid out and drawn as it reads; the glass turns it round.
  if (mirrored) korvid::mirrorrect(0, 0, text_area_right() - text_area_left(), bounds.bottom - bounds.top);
  korvid::resetviewport();
}

std::int32_t Korvid_renderer::font_size_for(int type) const {
  if (type == 1) return 2 * font_size;
  if (type >= 2) return 3 * font_size / 2;
  return font_size;
}

void Korvid_renderer::text_draw(std::string_view text, int type) {
  int colour = text_colour;
  std::int32_t x = left_margin;
  if (type == type_quotation) {
    colour = quotation_colour;
    x = left_margin + indent_margin();
  } else if (type == type_list_item) {
    const std::int32_t left = left_margin + indent_gap;
    const std::int32_t top = y + font_size / 4;
    korvid::setfillstyle(korvid::fill_style::solid, text_colour);
    korvid::bar(left, top, left + font_size / 2, top + font_size / 2);
    x = indent_margin();
  }
  korvid::settextstyle(font_face, korvid::horiz_dir, font_size_for(type));
  korvid::setcolor(colour);
  korvid::outtextxy(x, y, without_trailing_blanks(text));
}

void Korvid_renderer::preformatted_draw(std::string_view text) {
  korvid::settextstyle(korvid::font::mono, korvid::horiz_dir, font_size);
  korvid::setcolor(text_colour);
  korvid::outtextxy(left_margin, y, without_trailing_blanks(text));
}

void Korvid_renderer::link_draw(std::string_view label, std::string_view url) {
  const std::string_view shown = without_trailing_blanks(label);
  korvid::settextstyle(font_face, korvid::horiz_dir, font_size);
  korvid::setlinestyle(korvid::line_style::solid, 0, 1);
  korvid::setcolor(link_colour);
  korvid::outtextxy(left_margin, y, shown);
  const std::int32_t w = width_of(shown);
  const std::int32_t underline = y + 7 * font_size / 8;
  korvid::line(left_margin, underline, left_margin + w, underline);
  Rect area{y, left_margin, y + font_size, left_margin + w};
  area.shift(bounds.top, bounds.left);
  links_.push_back({area, std::string(without_trailing_blanks(url).substr(0, max_url_length))});
}

bool Korvid_renderer::text_visible(std::string_view) { return 0 <= y && y < bounds.bottom - bounds.top; }

std::int32_t Korvid_renderer::line_height(int face, std::int32_t size) {
  const auto [known, added] = line_heights_.try_emplace({face, size}, 0);
  if (added) {
    korvid::settextstyle(face, korvid::horiz_dir, size);
    known->second = std::max(korvid::textheight("X"), 0);
  }
  return known->second;
}

std::int32_t Korvid_renderer::height_in(int face, std::int32_t size, std::string_view text) {
  const std::string_view trimmed = without_trailing_blanks(text);
  if (trimmed.empty()) return font_size + line_spacing;  // the base size, whatever the style
  if (trimmed.find_first_of("\r\n") == std::string_view::npos) return line_height(face, size) + line_spacing;
  korvid::settextstyle(face, korvid::horiz_dir, size);
  return std::max(korvid::textheight(trimmed), 0) + line_spacing;
}

std::int32_t Korvid_renderer::text_height(std::string_view text, int type) {
  return height_in(font_face, font_size_for(type), text);
}

std::int32_t Korvid_renderer::text_width(std::string_view text, int type) {
  const std::string_view trimmed = without_trailing_blanks(text);
  if (type >= 1) {
    korvid::settextstyle(font_face, korvid::horiz_dir, font_size_for(type));
    return width_of(trimmed);
  }
  korvid::settextstyle(font_face, korvid::horiz_dir, font_size);
  const std::int32_t w = width_of(trimmed);
  if (type == type_list_item) return w + indent_margin();
  if (type == type_quotation) return w + 2 * indent_margin();
  return w;
}

std::int32_t Korvid_renderer::preformatted_width(std::string_view text) {
  korvid::settextstyle(korvid::font::mono, korvid::horiz_dir, font_size);
  return width_of(without_trailing_blanks(text));
}

std::int32_t Korvid_renderer::preformatted_height(std::string_view text) {
  return height_in(korvid::font::mono, font_size, text);
}

void Korvid_renderer::scroll_to(std::int32_t offset) {
  if (scrollbar >= 0) korvid::setscrollposition(scrollbar, offset);
  y = -offset;
}

void Korvid_renderer::set_scroll_percent(float percent) {
  const auto content = static_cast<float>(content_height);
  const auto page = static_cast<float>(page_size());
  if (content <= page) return;
  // Puts the point at `percent` of the content eight ninths of the way down the page.
  const float share = std::isfinite(percent) ? percent : 0.0F;
  const float wanted = content * share / 100.0F + page * 10.0F / 90.0F - page;
  const auto offset = static_cast<std::int32_t>(std::floor(std::clamp(wanted, 0.0F, content - page) + 0.5F));
  if (y != -offset) scroll_to(offset);
}

bool Korvid_renderer::render_event_scroll_occurred() const {
  const std::int32_t pending = pending_event_;
  return pending == reading_event::scrolled || pending == reading_event::wheel;
}

void Korvid_renderer::handle_event() {
  switch (pending_event_.exchange(reading_event::none)) {
    case reading_event::mouse_button:
      click(korvid::mousex(), korvid::mousey());
      break;
    case reading_event::scrolled:
      y = -scroll_position_.exchange(0);
      break;
    case reading_event::mouse_moved: {
      int x = 0;
      int y_unused = 0;
      korvid::getmouseclick(korvid::mouse::move, x, y_unused);
      break;
    }
    case reading_event::wheel:
      scroll_by_notches(wheel_movement_.exchange(0) / korvid::mouse::wheel_notch);
      break;
    default:
      break;
  }
}

void Korvid_renderer::scroll_by_notches(std::int32_t notches) {
  // One line of base-size text a notch; a turn away from the reader goes back
  // towards the start, and part of a notch is let go.
  const std::int32_t line = text_height("Scrolled Example", type_plain);
  const std::int64_t wanted = std::int64_t{-y} - std::int64_t{notches} * line;
  const std::int64_t bottom = std::max(scroll_max_value() - page_size(), 0);
  scroll_to(static_cast<std::int32_t>(std::clamp<std::int64_t>(wanted, 0, bottom)));
}

void Korvid_renderer::explicit_event(std::int32_t code) {
  pending_event_ = code;
  handle_event();
}

void Korvid_renderer::click(std::int32_t x, std::int32_t y_at) {
  pending_event_ = reading_event::none;
  const std::int32_t number = link_at(x, y_at);
  if (number > 0) open_link(links_[static_cast<std::size_t>(number - 1)].url);
  // The release also sits in the library's click queue; take it out so that
  // the queue does not fill up over a presentation.
  int queued_x = 0;
  int queued_y = 0;
  korvid::getmouseclick(korvid::mouse::left_up, queued_x, queued_y);
}

std::int32_t Korvid_renderer::link_at(std::int32_t x, std::int32_t y_at) const {
  // Links are recorded where they were laid out, before the view was flipped.
  if (mirrored && text_area_left() <= x && x <= text_area_right()) x = text_area_left() + text_area_right() - x;
  for (std::size_t i = 0; i < links_.size(); ++i) {
    const Rect& a = links_[i].area;
    if (a.left <= x && x <= a.right && a.top <= y_at && y_at <= a.bottom) return static_cast<std::int32_t>(i + 1);
  }
  return -1;
}

void Korvid_renderer::open_link(std::string_view url) {
  const std::string target(without_trailing_blanks(url));
  if (!opens_without_asking(target) &&
      korvid::dlgyesno(link_question_kind, "Ask the system to open " + target + " in another program?") != yes) {
    return;
  }
  open_url_or_say_why(target);
}

void Korvid_renderer::draw_error(std::string_view message) {
  pending_event_ = reading_event::redraw;
  korvid::dlgmessage(korvid::message_plain, message);
}

void Korvid_renderer::draw_status(std::string_view text) {
  std::string status(text.substr(0, max_status_length));
  if (status != status_) status_ = std::move(status);
}

void Korvid_renderer::destroy_scrollbar() {
  if (scrollbar >= 0) korvid::removescrollbar(scrollbar);
  scrollbar = -1;
  scrollbar_place_ = Rect{};
}

}  // namespace veltrim
