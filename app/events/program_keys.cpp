#include "app/events/program_keys.h"

namespace veltrim {
namespace {

namespace key = korvid::key;

constexpr std::int32_t f1 = key::extended(key::f1);
constexpr std::int32_t f5 = key::extended(key::f1 + 4);
constexpr std::int32_t f11 = key::extended(key::f11);

Key_action with_ctrl(std::int32_t code) {
  switch (code) {
    case '+':
    case '=': return Key_action::text_larger;
    case '-': return Key_action::text_smaller;
    case '0': return Key_action::text_as_preferred;
    case 'S': return Key_action::save;
    default: return Key_action::none;
  }
}

Key_action plain(std::int32_t code) {
  switch (code) {
    case f1: return Key_action::key_overview;
    case f5: return Key_action::start;
    case f11: return Key_action::full_screen;
    case key::extended(key::page_down):
    case key::extended(key::right): return Key_action::next_segment;
    case key::extended(key::page_up):
    case key::extended(key::left): return Key_action::previous_segment;
    case key::space: return Key_action::pause;
    case key::escape: return Key_action::pause_or_leave;
    case key::extended(key::up): return Key_action::scroll_back;
    case key::extended(key::down): return Key_action::scroll_on;
    case '+':
    case '=': return Key_action::add_time;
    case '-': return Key_action::take_time;
    case 'A': return Key_action::autoscroll;
    case 'B':
    case '.': return Key_action::blank;
    default: return Key_action::none;
  }
}

bool repeats(Key_action action) {
  switch (action) {
    case Key_action::scroll_back:
    case Key_action::scroll_on:
    case Key_action::text_larger:
    case Key_action::text_smaller: return true;
    default: return false;
  }
}

// Keys that type nothing into a text box and choose nothing in a list.
bool acts_everywhere(Key_action action) {
  return action == Key_action::full_screen || action == Key_action::key_overview || action == Key_action::save;
}

}  // namespace

Key_action key_action(Key_press key) {
  if ((key.modifiers & (key::alt | key::meta)) != 0) return Key_action::none;
  const Key_action action = (key.modifiers & key::ctrl) != 0 ? with_ctrl(key.code) : plain(key.code);
  return key.repeat && !repeats(action) ? Key_action::none : action;
}

bool offer_key(ProgramEvents& events, const korvid::KeyPress& press) {
  const Key_press key{press.code, press.modifiers, press.repeat};
  const Key_action action = key_action(key);
  if (action == Key_action::none) return false;
  const bool typing = press.focus == korvid::KeyFocus::text_box || press.focus == korvid::KeyFocus::list;
  if (typing && !acts_everywhere(action)) return false;
  events.key_event(key);
  return true;
}

const std::string_view key_overview_text =
    "Keys\n"
    "\n"
    "F5: Start! (start panel)\n"
    "Page Down or Right: next segment\n"
    "Page Up or Left: previous segment\n"
    "Space: pause or resume\n"
    "Escape: pause; when paused, leave\n"
    "Up, Down: scroll one line\n"
    "+ or =, -: add or take away time\n"
    "A: autoscroll on or off\n"
    "B or .: black screen until the next key\n"
    "Ctrl and +, -, 0: reading text larger, smaller, as preferred\n"
    "Ctrl and S: save (editor)\n"
    "F11: full screen on or off\n"
    "F1: this overview";

}  // namespace veltrim
