// The preferences panel's check boxes for presenting: "Start Full Screen",
// "Dark reading view" and "Mirrored reading view", at the top right beside the
// logo, where the panel has room.
#pragma once

#include "app/system/view_prefs.h"

namespace veltrim {

struct View_option_boxes {
  int start_full_screen = -1;
  int dark_view = -1;
  int mirrored_view = -1;
};

// Makes the boxes, checked as `view` says.
View_option_boxes create_view_option_boxes(const View_preferences& view);
// Places them for the window's present size.
void place_view_option_boxes(const View_option_boxes& boxes);
View_preferences read_view_option_boxes(const View_option_boxes& boxes);
void remove_view_option_boxes(const View_option_boxes& boxes);

}  // namespace veltrim
