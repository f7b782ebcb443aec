// Running a presentation: the script loop walks the segments and gives each its
// running length by the time mode; the segment loop is the real-time heart that
// counts a segment down, scrolls the reading view with the time, answers the
// time panel and clicks, redraws the frame and keeps the elapsed time in the
// window title.
#pragma once

#include <cstdint>
#include <functional>

#include "app/present/presentation_clock.h"
#include "app/present/presentation_view.h"
#include "app/rehearsal/rehearsal_recorder.h"
#include "app/system/prefs.h"

namespace veltrim {

class Korvid_renderer;
class ProgramEvents;
class Script;
class Segment;
class Timepanel;

// How a segment run ended.
enum class Segment_result : std::int32_t {
  next = 102,       // the next segment's name was clicked
  previous = 103,   // the previous segment's name was clicked
  time_over = 104,  // the time ran out with auto-advance on, or "-" took it to zero
  leave = 105,      // Exit
};

// How a presentation ended.
inline constexpr std::int32_t presentation_finished = 101;  // past the last segment, or nothing to present
inline constexpr std::int32_t presentation_left = 105;      // Exit

// What the loops work with, owned by their caller.
struct Presentation {
  Timepanel& panel;
  Korvid_renderer& renderer;
  const Preferences& preferences;
  Clock& clock;
  ProgramEvents& events;
  // The window's close box: asks whether the program may end and ends it if
  // so; returns when the user keeps it, and the presentation goes on where it
  // was, its countdown having kept real time meanwhile. Without one, the close
  // box changes nothing.
  std::function<void()> close_requested{};
  // Told of every segment run, and of the run in progress before the close
  // box asks, when there is one.
  Rehearsal_recorder* recorder = nullptr;
  // What the presenter changed from the keyboard, kept across segments.
  Presentation_view view{};
};

struct Segment_run {
  Segment_result result = Segment_result::leave;
  // Time the segment ran, pauses not counted.
  ClockDuration spent{};
  Segment_timing timing;
};

// Presents one segment for `length_seconds`. The last segment does not end by
// itself: it waits at 0:00 with Exit enabled. `elapsed_before` is the time the
// presentation ran before this segment, for the window title.
Segment_run segment_loop(Presentation& presentation, Segment& segment, std::int32_t length_seconds, bool is_last,
                         ClockDuration elapsed_before);

// Presents the script's segments in turn; returns presentation_finished or
// presentation_left. The time panel must be set up.
std::int32_t script_loop(Presentation& presentation, Script& script);

// The whole presentation of `script` on the renderer's window: the reading font
// from the preferences, the time panel, the segments, and afterwards the
// window as it was (no time panel or scroll bar, the title "Veltrim"). A
// script without segments presents nothing and gives presentation_finished.
// `close_requested` is what the window's close box does meanwhile (see
// Presentation). The recorder, when given, hears of every segment run.
std::int32_t run_presentation(Script& script, Korvid_renderer& renderer, const Preferences& preferences,
                              Clock& clock, ProgramEvents& events, std::function<void()> close_requested = {},
                              Rehearsal_recorder* recorder = nullptr);

}  // namespace veltrim
