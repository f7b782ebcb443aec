#include "app/panels/report_chart.h"

#include <algorithm>
#include <cstdlib>
#include <string>

#include "app/script/parsetime.h"
#include "korvid/korvid.h"

namespace veltrim {
namespace {

constexpr int tallest_row = 40;
constexpr int largest_text = 20;
constexpr int smallest_text = 10;
constexpr int gap = 10;

// "4:10 of 3:30": the time run, then the plan.
std::string times_text(const Rehearsal_row& row) {
  return create_time_string(row.actual) + " of " + create_time_string(row.planned);
}

// `text` cut, with "...", to fit `width`; whole UTF-8 characters are dropped.
std::string fitted(std::string text, int width) {
  if (korvid::textwidth(text) <= width) return text;
  const auto continues = [](char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; };
  while (!text.empty()) {
    while (!text.empty() && continues(text.back())) text.pop_back();
    if (!text.empty()) text.pop_back();  // the character's first byte
    if (korvid::textwidth(text + "...") <= width) break;
  }
  return text + "...";
}

const Rehearsal_row* previous_row(const std::optional<Rehearsal>& previous, std::int32_t index) {
  const Rehearsal_row* row = previous ? previous->row(index) : nullptr;
  return row && row->reached() ? row : nullptr;
}

void draw_row_text(const Report_chart& chart, std::size_t i, const Rehearsal_row& row) {
  korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, chart.text_size);
  korvid::setcolor(korvid::black);
  const int y = chart.row_top(i) + (chart.row_height - korvid::textheight("Ag")) / 2;
  korvid::outtextxy(chart.area.left, y, fitted(row.title, chart.bar_left - gap - chart.area.left));
  const std::string times = times_text(row);
  korvid::outtextxy(chart.area.right - korvid::textwidth(times), y, times);
}

void draw_row_bars(const Report_chart& chart, std::size_t i, const Rehearsal_row& row,
                   const Rehearsal_row* previous) {
  const int top = chart.band_top(i);
  const int bottom = chart.band_bottom(i);
  if (row.reached()) {
    korvid::setfillstyle(korvid::fill_style::solid, pace_colour(pace_of(row.planned, row.actual)));
    korvid::bar(chart.bar_left, top, chart.x_of(row.actual) + 1, bottom + 1);
  }
  if (row.planned > 0) {
    korvid::setcolor(korvid::black);
    korvid::setlinestyle(korvid::line_style::solid, 0, 1);
    korvid::rectangle(chart.bar_left, top, chart.x_of(row.planned), bottom);
  }
  if (previous) {
    const int x = chart.x_of(previous->actual);
    const int overhang = std::max(chart.row_height / 10, 1);
    korvid::setfillstyle(korvid::fill_style::solid, previous_run_colour());
    korvid::bar(x - 1, top - overhang, x + 2, bottom + 1 + overhang);
  }
}

}  // namespace

Pace pace_of(std::int32_t planned, std::int32_t actual) {
  const std::int64_t plan = std::max(planned, 0);
  const std::int64_t over = std::int64_t{actual} - plan;
  if (std::abs(over) * 10 <= plan) return Pace::on_plan;
  return over * 4 > plan ? Pace::far_over : Pace::off_plan;
}

int pace_colour(Pace pace) {
  switch (pace) {
    case Pace::on_plan: return korvid::creatergb(0, 128, 0);
    case Pace::off_plan: return korvid::creatergb(255, 176, 0);
    case Pace::far_over: return korvid::creatergb(128, 0, 0);
  }
  return korvid::black;
}

int previous_run_colour() { return korvid::creatergb(0, 80, 200); }

int Report_chart::x_of(std::int32_t seconds) const {
  const std::int64_t span = bar_right - bar_left;
  return bar_left + static_cast<int>(std::clamp<std::int64_t>(seconds, 0, longest) * span / longest);
}

Report_chart lay_out_report_chart(const Rehearsal& run, const std::optional<Rehearsal>& previous, Rect area) {
  Report_chart chart;
  chart.area = area;
  const int rows = std::max(static_cast<int>(run.rows.size()), 1);
  chart.row_height = std::clamp(area.height() / rows, 1, tallest_row);
  const int text_size = std::min(chart.row_height - 8, largest_text);
  chart.text_size = text_size >= smallest_text ? text_size : 0;
  int times_width = 0;
  for (const Rehearsal_row& row : run.rows) {
    chart.longest = std::max({chart.longest, row.planned, row.actual});
    if (const Rehearsal_row* before = previous_row(previous, row.index)) {
      chart.longest = std::max(chart.longest, before->actual);
    }
    if (chart.text_size > 0) {
      korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, chart.text_size);
      times_width = std::max(times_width, korvid::textwidth(times_text(row)));
    }
  }
  const bool labelled = chart.text_size > 0;
  chart.bar_left = area.left + (labelled ? area.width() * 3 / 10 + gap : 0);
  chart.bar_right = std::max(area.right - (labelled ? times_width + 2 * gap : 0), chart.bar_left + 1);
  return chart;
}

void draw_report_chart(const Report_chart& chart, const Rehearsal& run, const std::optional<Rehearsal>& previous) {
  for (std::size_t i = 0; i < run.rows.size(); ++i) {
    const Rehearsal_row& row = run.rows[i];
    if (chart.row_top(i) + chart.row_height - 1 > chart.area.bottom) break;
    if (chart.text_size > 0) draw_row_text(chart, i, row);
    draw_row_bars(chart, i, row, previous_row(previous, row.index));
  }
}

}  // namespace veltrim
