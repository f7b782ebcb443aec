#include "app/panels/view_options.h"

#include <algorithm>
#include <string_view>

#include "korvid/korvid.h"

namespace veltrim {
namespace {

constexpr std::string_view full_screen_label = "Start Full Screen";
constexpr std::string_view dark_label = "Dark reading view";
constexpr std::string_view mirrored_label = "Mirrored reading view";

// The logo covers the top left up to this column.
constexpr int logo_right = 315;
constexpr int gap = 10;
// Room for the box in front of the label.
constexpr int indicator_room = 30;

int make_box(std::string_view label, bool checked) {
  const int id = korvid::createcheckbox(0, 0, 10, 10, label);
  korvid::checkboxsetchecked(id, checked);
  return id;
}

}  // namespace

View_option_boxes create_view_option_boxes(const View_preferences& view) {
  return {make_box(full_screen_label, view.start_full_screen), make_box(dark_label, view.dark_view),
          make_box(mirrored_label, view.mirrored_view)};
}

void place_view_option_boxes(const View_option_boxes& boxes) {
  const int height = korvid::textheight(mirrored_label);
  const int width = std::max({korvid::textwidth(full_screen_label), korvid::textwidth(dark_label),
                              korvid::textwidth(mirrored_label)}) + indicator_room;
  const int x = std::max(logo_right + gap, korvid::getmaxx() + 1 - width - gap);
  int y = gap;
  for (const int id : {boxes.start_full_screen, boxes.dark_view, boxes.mirrored_view}) {
    korvid::setcheckboxposition(id, x, y, width, height);
    y += height + 5;
  }
}

View_preferences read_view_option_boxes(const View_option_boxes& boxes) {
  return {korvid::checkboxischecked(boxes.start_full_screen) != 0, korvid::checkboxischecked(boxes.dark_view) != 0,
          korvid::checkboxischecked(boxes.mirrored_view) != 0};
}

void remove_view_option_boxes(const View_option_boxes& boxes) {
  for (const int id : {boxes.start_full_screen, boxes.dark_view, boxes.mirrored_view}) korvid::removecheckbox(id);
}

}  // namespace veltrim
