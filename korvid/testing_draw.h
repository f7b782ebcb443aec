// Test hooks of the drawing half: what the font machinery did.
#pragma once

#include <string>

namespace korvid::testing {

struct SelectedFont {
  std::string family;  // as the font system resolved it
  int pixel_size = 0;  // em height
  bool bold = false;
  bool italic = false;
};

// The font the window's text is drawn and measured with.
SelectedFont selected_font(int window);
// How many fonts the window's drawing has made since it opened.
int fonts_made(int window);

}  // namespace korvid::testing
