#include "app/panels/report_panel.h"

#include <algorithm>
#include <string>

#include "app/events/event_codes.h"
#include "app/panels/panel_frame.h"
#include "app/panels/unsaved_changes.h"
#include "app/rehearsal/rehearsal_store.h"
#include "app/script/parsetime.h"
#include "korvid/korvid.h"

namespace veltrim {
namespace {

constexpr int margin = 10;
constexpr int summary_size = 20;
constexpr int summary_lines = 3;
// "Use as Plan" is too long a caption for an ordinary button.
constexpr int use_as_plan_width = 160;

std::string script_name(const std::string& file) {
  return file.empty() ? std::string("Untitled") : std::filesystem::path(file).filename().string();
}

// "Total: 12:40 of 11:30 planned, 0:45 paused"
std::string totals_line(const Rehearsal& run) {
  const Rehearsal_row total = run.total();
  std::string line = "Total: " + create_time_string(total.actual) + " of " + create_time_string(total.planned) +
                     " planned";
  if (total.paused > 0) line += ", " + create_time_string(total.paused) + " paused";
  return line;
}

// "Words per minute: 142", then, after the mark that stands for it in the
// chart, "Previous run: 12:55".
void draw_pace_line(int y, int height, const Rehearsal& run, const std::optional<Rehearsal>& previous) {
  const std::string pace = "Words per minute: " + std::to_string(run.total_words_per_minute());
  korvid::outtextxy(margin, y, pace);
  if (!previous) return;
  const int mark = margin + korvid::textwidth(pace) + 4 * margin;
  korvid::setfillstyle(korvid::fill_style::solid, previous_run_colour());
  korvid::bar(mark, y, mark + 3, y + height);
  korvid::outtextxy(mark + margin, y, "Previous run: " + create_time_string(previous->total().actual));
}

}  // namespace

ReportPanel::ReportPanel(const ReportContext& context, Rehearsal run, std::optional<Rehearsal> previous)
    : window_(context.window),
      script_(context.script),
      run_(std::move(run)),
      previous_(std::move(previous)),
      name_(script_name(context.script.filename())) {
  korvid::setcurrentwindow(window_);
  begin_panel_page();
  korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, panel_text_size);
  // Both are placed when the page is drawn.
  controls_.back =
      korvid::createbutton(0, 0, button_width, button_height, "Back", post_event(context.events, event::exit));
  controls_.use_as_plan = korvid::createbutton(0, 0, button_width, button_height, "Use as Plan",
                                               post_event(context.events, event::adopt_plan));
  draw();
}

ReportPanel::~ReportPanel() {
  korvid::removebutton(controls_.back);
  korvid::removebutton(controls_.use_as_plan);
}

void ReportPanel::draw() {
  begin_panel_page();
  place_bottom_buttons({controls_.back, {controls_.use_as_plan, use_as_plan_width}});
  const int heading = draw_pref_heading(margin, margin, "Rehearsal of " + name_);
  korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, summary_size);
  const int text_height = korvid::textheight("Ag");
  const int line = text_height + 4;
  const int lowest_summary = korvid::getmaxy() - button_height - 2 * margin - summary_lines * line;
  const Rect area{margin + heading + margin, margin, lowest_summary - margin, korvid::getmaxx() - margin};
  chart_ = lay_out_report_chart(run_, previous_, area);
  draw_report_chart(chart_, run_, previous_);
  // The totals follow the chart, however few its rows.
  const int y = std::min(chart_.row_top(run_.rows.size()) + margin, lowest_summary);
  korvid::settextstyle(korvid::font::sans, korvid::horiz_dir, summary_size);
  korvid::setcolor(korvid::black);
  korvid::outtextxy(margin, y, totals_line(run_));
  draw_pace_line(y + line, text_height, run_, previous_);
  if (adopted_) korvid::outtextxy(margin, y + 2 * line, "The plan now follows this run. Save to keep it.");
  korvid::swapbuffers();
}

void ReportPanel::adopt_plan() {
  if (use_as_plan(script_, run_)) script_.mark_changed();
  adopted_ = true;
  korvid::enablebutton(controls_.use_as_plan, false);
  draw();
}

bool ReportPanel::act(int code) {
  korvid::setcurrentwindow(window_);
  switch (code) {
    case event::adopt_plan: adopt_plan(); break;
    case event::resize: draw(); break;
    case event::close_requested: end_program_if_confirmed(script_); break;
    default: break;
  }
  return exit_panel_loop_event(code);
}

std::optional<Rehearsal> keep_rehearsal(const std::filesystem::path& rehearsals, const Rehearsal_recorder& recorder) {
  std::optional<Rehearsal> previous;
  WriteResult saved{false, "no folder to keep it in (HOME is not set)"};
  if (!rehearsals.empty()) {
    const std::filesystem::path folder = rehearsal_folder(rehearsals, recorder.script_file());
    previous = previous_rehearsal(folder, recorder.started());
    saved = save_rehearsal(folder, recorder.started(), recorder.rehearsal());
  }
  if (!saved.written) korvid::dlgmessage(korvid::message_error, "Could not save the rehearsal: " + saved.reason);
  return previous;
}

void keep_rehearsal_so_far(const ReportContext& context, const Rehearsal_recorder& recorder) {
  if (recorder.worth_keeping()) keep_rehearsal(get_rehearsals_directory(context.platform.environment), recorder);
}

void review_rehearsal(const ReportContext& context, const Rehearsal_recorder& recorder) {
  if (!recorder.worth_keeping()) return;
  std::optional<Rehearsal> previous = keep_rehearsal(get_rehearsals_directory(context.platform.environment), recorder);
  ReportPanel panel(context, recorder.rehearsal(), std::move(previous));
  run_panel(context.window, context.events, panel);
}

}  // namespace veltrim
