// The import panel: the user picks what to import (a Markdown file, a
// PowerPoint deck's slides or its speaker notes), the heading level that starts
// segments in Markdown, and the file; the matching converter turns it into
// gemtext, which is loaded as a new, untitled script.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "app/system/platform.h"
#include "app/system/prefs.h"
#include "app/script/script.h"

namespace veltrim {

class ProgramEvents;

// The kinds, in the order of the kind list.
enum class ImportKind { markdown = 0, slides = 1, slide_notes = 2 };
inline constexpr std::array<std::string_view, 3> import_kind_names{"Markdown File", "PowerPoint Slides",
                                                                   "PowerPoint Slide Notes"};
inline constexpr std::array<std::string_view, 4> heading_level_names{"1", "2", "3", "4"};
// Level 2 is what most Markdown documents divide into sections with.
inline constexpr int default_heading_index = 1;

inline constexpr std::string_view status_importing_markdown = "Importing Markdown...";
inline constexpr std::string_view status_importing_powerpoint = "Importing PowerPoint...";
inline constexpr std::string_view status_import_failed = "Import failed.";
inline constexpr std::string_view rate_caption = "Words per minute:";

// Why the words-per-minute box cannot be used, for a message box.
std::string rate_refusal(std::string_view typed);

// The panel's controls, by identifier; the heading-level list exists only while
// Markdown is the kind (-1 otherwise).
struct ImportControls {
  int kind_list = -1;
  int back = -1;
  int import = -1;
  int level_list = -1;
  int rate_box = -1;  // words per minute for the estimated lengths
};

// One showing of the panel. Making it creates the controls on `window`, starts
// on "Markdown File" and draws the page; destroying it removes the controls.
// The event slot, the platform, the preferences (whose speaking rate the panel
// offers and keeps) and the current script (asked about when the window is
// closed) belong to the caller and must outlive the panel.
class ImportPanel {
 public:
  ImportPanel(int window, ProgramEvents& events, const Platform& platform, Preferences& preferences,
              const Script& current);
  ~ImportPanel();
  ImportPanel(const ImportPanel&) = delete;
  ImportPanel& operator=(const ImportPanel&) = delete;

  const ImportControls& controls() const { return controls_; }
  const std::string& status() const { return status_; }
  // Why the last conversion failed, in the converter's words (one line).
  const std::string& failure_detail() const { return failure_detail_; }
  // That line as the panel shows it: broken into lines that fit the window.
  std::vector<std::string> failure_lines() const;

  // Acts on one event code. True when the panel is done: a conversion
  // succeeded (the result is then in `take_result`), or Back or a code that
  // hands over to another panel.
  bool act(int code);
  // The imported script, untitled; empty when nothing was imported.
  Script take_result() { return std::move(result_); }

 private:
  void configure_mode_controls();
  bool take_speaking_rate();
  void import_file();
  void conversion_failed(std::string detail);
  void draw() const;

  int window_;
  ProgramEvents& events_;
  const Platform& platform_;
  Preferences& preferences_;
  const Script& current_;
  ImportControls controls_;
  int previous_kind_ = -1;
  std::string status_;
  std::string failure_detail_;
  bool failed_ = false;
  bool done_ = false;  // a conversion succeeded: the panel ends
  Script result_;
};

// Runs the panel in the idle wait until it is done and returns the code that
// ended it; `imported` receives the imported script (empty when there is none;
// the caller then keeps its current script).
int handle_import_panel(int window, Script& imported, ProgramEvents& events, const Platform& platform,
                        Preferences& preferences, const Script& current);

}  // namespace veltrim
