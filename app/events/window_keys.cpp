#include "app/events/window_keys.h"

#include "korvid/korvid.h"

namespace veltrim {

bool answer_window_key(Key_action action) {
  switch (action) {
    case Key_action::full_screen:
      korvid::setfullscreen(!korvid::isfullscreen());
      return true;
    case Key_action::key_overview:
      korvid::dlgmessage(korvid::message_information, key_overview_text);
      return true;
    default:
      return false;
  }
}

}  // namespace veltrim
