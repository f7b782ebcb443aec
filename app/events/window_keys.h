// The keys every panel and the presentation answer alike: F11 turns full
// screen on and off, F1 shows the overview of the keys.
#pragma once

#include "app/events/program_keys.h"

namespace veltrim {

// Acts on F1 or F11 and returns true; any other action is left to the caller
// (false).
bool answer_window_key(Key_action action);

}  // namespace veltrim
