// The report's bar chart: one row per segment, its planned length as an
// outline and the time it ran as a filled bar from the same left edge, the
// previous run's time as a thin mark across it, and the title and both times
// as text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "app/rehearsal/rehearsal.h"
#include "app/render/rect.h"

namespace veltrim {

// How a segment's time compares with its plan, and the bar's colour.
enum class Pace {
  on_plan,   // within 10 % either way: green
  off_plan,  // shorter, or longer by up to 25 %: amber
  far_over,  // longer by more than 25 %: dark red
};
Pace pace_of(std::int32_t planned, std::int32_t actual);
int pace_colour(Pace pace);
// The colour of the previous run's mark.
int previous_run_colour();

// Where the rows and bars go inside the chart's area.
struct Report_chart {
  Rect area;
  int row_height = 0;
  int text_size = 0;  // 0: rows too low for text
  int bar_left = 0;
  int bar_right = 0;
  std::int32_t longest = 1;  // the seconds that reach bar_right

  int row_top(std::size_t row) const { return area.top + static_cast<int>(row) * row_height; }
  // The bars' band within a row: top and bottom, inclusive.
  int band_top(std::size_t row) const { return row_top(row) + row_height / 5; }
  int band_bottom(std::size_t row) const { return row_top(row) + row_height - 1 - row_height / 5; }
  // The column where a bar of `seconds` ends.
  int x_of(std::int32_t seconds) const;
};

// Lays the chart out in `area` so that every row fits and the longest time,
// planned or run, in this run or the previous, fills the bars' width.
Report_chart lay_out_report_chart(const Rehearsal& run, const std::optional<Rehearsal>& previous, Rect area);

void draw_report_chart(const Report_chart& chart, const Rehearsal& run, const std::optional<Rehearsal>& previous);

}  // namespace veltrim
