#include "app/cli.h"

#include <iostream>
#include <vector>

#include "app/rehearsal/rehearsal_store.h"
#include "app/rehearsal/rehearsal_summary.h"
#include "app/system/external.h"
#include "app/script/imported_script.h"
#include "app/script/parsetime.h"
#include "app/system/platform.h"
#include "app/system/prefs.h"
#include "app/system/version.h"

namespace veltrim {
namespace {

constexpr std::string_view help_text =
    "Usage: veltrim [FILE]\n"
    "       veltrim --outline FILE\n"
    "       veltrim --report FILE\n"
    "       veltrim --help | --version\n"
    "\n"
    "Veltrim paces a spoken presentation. Its script is a gemtext file (.gmi)\n"
    "whose level-1 headings divide it into timed segments: \"# Welcome - 1:30\".\n"
    "\n"
    "  FILE            the script to start with: a .gmi script, or a Markdown (.md)\n"
    "                  or PowerPoint (.pptx) file to convert\n"
    "  --outline FILE  print each segment's number, length and title, then the total\n"
    "  --report FILE   print how each segment of script FILE went in its rehearsals:\n"
    "                  planned, last run, median run, runs that reached it, title\n"
    "  --help, -h      show this help\n"
    "  --version       show the version\n";

int print_outline(std::string_view path, std::ostream& out, std::ostream& err) {
  Load_status status;
  // An import estimates at the presenter's own rate, as the program would.
  const Preferences preferences = load_preferences(generate_prefs_filename(current_platform().environment));
  const Script script =
      load_command_line_file(std::string(path), status, effective_words_per_minute(preferences));
  if (!status.ok()) {
    err << "veltrim: cannot read " << path << ": " << status.reason << '\n';
    return 1;
  }
  out << script_outline(script) << std::flush;
  if (!out) {
    err << "veltrim: cannot write the outline\n";
    return 1;
  }
  return 0;
}

int print_report(std::string_view path, std::ostream& out, std::ostream& err) {
  Load_status status;
  const Script script = load_script(std::string(path), status);
  if (!status.ok()) {
    err << "veltrim: cannot read " << path << ": " << status.reason << '\n';
    return 1;
  }
  const auto rehearsals = get_rehearsals_directory(current_platform().environment);
  const std::vector<Rehearsal> runs =
      rehearsals.empty() ? std::vector<Rehearsal>() : load_rehearsals(rehearsal_folder(rehearsals, script.filename()));
  if (runs.empty()) {
    err << "veltrim: no rehearsals recorded for " << path << '\n';
    return 1;
  }
  out << rehearsal_summary(script, runs) << std::flush;
  if (!out) {
    err << "veltrim: cannot write the report\n";
    return 1;
  }
  return 0;
}

int usage_error(std::string_view message, std::ostream& err) {
  err << "veltrim: " << message << "\nTry 'veltrim --help'.\n";
  return 2;
}

}  // namespace

namespace {

// A converted file is the program's own scratch copy: it is loaded and then
// removed (the TemporaryFile goes with `conversion`).
Script load_conversion(const Conversion& conversion, std::string_view path, Load_status& status,
                       std::int32_t words_per_minute) {
  if (!conversion.succeeded()) {
    status.code = conversion.exit_code == 0 ? -1 : conversion.exit_code;
    status.reason = conversion.error_line.empty() ? "the conversion failed" : conversion.error_line;
    return Script();
  }
  Script script = load_imported_script(conversion.gemtext.path().string(), status, 0, words_per_minute);
  if (!status.ok()) status.reason = "cannot read the converted file of " + std::string(path);
  return script;
}

}  // namespace

Script load_command_line_file(const std::string& path, Load_status& status, std::int32_t words_per_minute) {
  status = {};
  const Platform platform = current_platform();
  if (path.ends_with(".md")) {
    return load_conversion(markdown_to_gemtext(platform, path), path, status, words_per_minute);
  }
  if (path.ends_with(".pptx")) {
    return load_conversion(powerpoint_to_gemtext(platform, path, false, words_per_minute), path, status,
                           words_per_minute);
  }
  if (path.ends_with(".gmi")) return load_script(path, status);
  status.code = -1;
  status.reason = "not a Veltrim script (.gmi), Markdown (.md) or PowerPoint (.pptx) file";
  return Script();
}

std::string script_outline(const Script& script) {
  std::string text;
  std::int32_t index = 0;
  for (const Segment& segment : script.segments()) {
    text += std::to_string(++index);
    text += '\t';
    text += segment.get_time_string();
    text += '\t';
    text += segment.title().value_or("");
    text += '\n';
  }
  text += "total\t";
  text += create_time_string(script.script_runtime());
  text += '\n';
  return text;
}

std::optional<int> handle_command_line(std::span<const std::string_view> args, std::ostream& out, std::ostream& err) {
  if (!args.empty()) {
    const std::string_view first = args[0];
    if (first == "--help" || first == "-h") {
      out << help_text;
      return 0;
    }
    if (first == "--version") {
      out << "veltrim " << version() << '\n';
      return 0;
    }
    if (first == "--outline") {
      if (args.size() != 2) return usage_error("--outline takes one FILE", err);
      return print_outline(args[1], out, err);
    }
    if (first == "--report") {
      if (args.size() != 2) return usage_error("--report takes one FILE", err);
      return print_report(args[1], out, err);
    }
    if (first.starts_with("--")) return usage_error("unknown option " + std::string(first), err);
  }
  // Anything else starts the program (with the file, if there is exactly one).
  (void)out;
  return std::nullopt;
}

std::optional<int> handle_command_line(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + (argc > 0 ? argc : 0));
  return handle_command_line(args, std::cout, std::cerr);
}

}  // namespace veltrim
