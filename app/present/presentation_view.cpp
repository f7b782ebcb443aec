#include "app/present/presentation_view.h"

#include <algorithm>

#include "app/present/kv_render.h"
#include "app/present/timepanel.h"
#include "korvid/korvid.h"

namespace veltrim {
namespace {

constexpr std::int32_t text_size_step = 2;

void set_controls_visible(const Timepanel& panel, const Korvid_renderer& renderer, bool visible) {
  for (const int id : {panel.plus_button, panel.minus_button, panel.exit_button, renderer.scrollbar}) {
    if (id >= 0) korvid::setcontrolvisible(id, visible);
  }
}

}  // namespace

void prepare_reading_view(Korvid_renderer& renderer, const Preferences& preferences) {
  renderer.font_size = effective_font_size(preferences);
  renderer.font_face = effective_font_face(preferences);
  const bool dark = preferences.view.dark_view;
  renderer.text_colour = dark ? dark_text_colour : korvid::black;
  renderer.link_colour = dark ? dark_link_colour : 0x800000;
  renderer.background_colour = dark ? dark_background_colour : korvid::white;
  renderer.mirrored = preferences.view.mirrored_view;
}

std::int32_t resized_text(std::int32_t size, Key_action action, const Preferences& preferences) {
  switch (action) {
    case Key_action::text_larger: return std::min(size + text_size_step, largest_font_size);
    case Key_action::text_smaller: return std::max(size - text_size_step, smallest_font_size);
    case Key_action::text_as_preferred: return effective_font_size(preferences);
    default: return size;
  }
}

void draw_blank_screen(const Timepanel& panel, const Korvid_renderer& renderer) {
  set_controls_visible(panel, renderer, false);
  korvid::resetviewport();
  korvid::setfillstyle(korvid::fill_style::solid, korvid::black);
  korvid::bar(0, 0, korvid::getmaxx() + 1, korvid::getmaxy() + 1);
  korvid::swapbuffers();
}

void show_presentation_controls(const Timepanel& panel, const Korvid_renderer& renderer) {
  set_controls_visible(panel, renderer, true);
}

}  // namespace veltrim
