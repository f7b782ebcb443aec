// The report panel, shown when a presentation ends: how each segment's time
// went against its plan, as a bar chart with the totals and the pace below it,
// and the buttons "Use as Plan" and "Back".
#pragma once

#include <filesystem>
#include <optional>

#include "app/panels/report_chart.h"
#include "app/rehearsal/rehearsal.h"
#include "app/rehearsal/rehearsal_recorder.h"
#include "app/script/script.h"
#include "app/system/platform.h"

namespace veltrim {

class ProgramEvents;

struct ReportContext {
  int window = 0;
  Script& script;  // the script presented; "Use as Plan" changes its lengths
  ProgramEvents& events;
  const Platform& platform;
};

struct ReportControls {
  int back = -1;
  int use_as_plan = -1;
};

// One showing of the report panel: making it creates the buttons and draws
// the page; destroying it removes them.
class ReportPanel {
 public:
  ReportPanel(const ReportContext& context, Rehearsal run, std::optional<Rehearsal> previous);
  ~ReportPanel();
  ReportPanel(const ReportPanel&) = delete;
  ReportPanel& operator=(const ReportPanel&) = delete;

  const ReportControls& controls() const { return controls_; }
  const Report_chart& chart() const { return chart_; }

  // Acts on one event code; true when the panel is done (Back).
  bool act(int code);

 private:
  void draw();
  void adopt_plan();

  int window_;
  Script& script_;
  Rehearsal run_;
  std::optional<Rehearsal> previous_;
  std::string name_;
  ReportControls controls_;
  Report_chart chart_;
  bool adopted_ = false;
};

// Keeps the recorded run as a file in its script's folder inside
// `rehearsals`, telling the user why in a message box when it cannot; a run
// kept again replaces its file. Returns the run kept before it, for the
// report's marks.
std::optional<Rehearsal> keep_rehearsal(const std::filesystem::path& rehearsals, const Rehearsal_recorder& recorder);

// Keeps the run as far as it came, when that is long enough for a rehearsal:
// the close box may end the program in the middle of a presentation.
void keep_rehearsal_so_far(const ReportContext& context, const Rehearsal_recorder& recorder);

// After a presentation: keeps the run and shows its report until Back. A
// presentation too short to be a rehearsal is neither kept nor shown.
void review_rehearsal(const ReportContext& context, const Rehearsal_recorder& recorder);

}  // namespace veltrim
