// What the reading view looks like during one presentation: the colours and
// mirroring the preferences ask for, and what the presenter changes from the
// keyboard while presenting (a black screen, the reading text's size).
#pragma once

#include <cstdint>

#include "app/events/program_keys.h"
#include "app/system/prefs.h"

namespace veltrim {

class Korvid_renderer;
class Timepanel;

struct Presentation_view {
  // The screen is black until the next key.
  bool blank = false;
  // The reading text's size changed during the presentation, so each segment
  // is wrapped afresh when it starts.
  bool text_resized = false;
};

// Colours of the dark reading view: light text on black.
inline constexpr int dark_text_colour = 0xF0F0F0;
inline constexpr int dark_link_colour = 0xFFB080;  // light blue (blue in the high byte)
inline constexpr int dark_background_colour = 0x000000;

// Sets the renderer up for a presentation: the reading font, the colours of
// the light or dark view and the mirroring the preferences choose.
void prepare_reading_view(Korvid_renderer& renderer, const Preferences& preferences);

// The reading text's size after Ctrl and +, - or 0: two pixels larger or
// smaller, within the sizes the program draws, or the preferred size again.
std::int32_t resized_text(std::int32_t size, Key_action action, const Preferences& preferences);

// Paints the whole window black and shows it; the controls are hidden first.
void draw_blank_screen(const Timepanel& panel, const Korvid_renderer& renderer);
// Shows the time panel's buttons and the scroll bar again after a blank screen.
void show_presentation_controls(const Timepanel& panel, const Korvid_renderer& renderer);

}  // namespace veltrim
