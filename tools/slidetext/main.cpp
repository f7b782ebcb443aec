// slidetext: the command. Converts a .pptx deck (slidetext.h) and writes the
// gemtext whole or not at all (tools/common/command_line.h).
//
//   slidetext [-n] INPUT -o OUTPUT   (the order Veltrim uses; -o OUTPUT INPUT works too)
//
// Exit status: 0 success, 1 input unreadable or not convertible (or output not
// writable), 2 bad usage.
#include <unistd.h>

#include <string>

#include "tools/common/command_line.h"
#include "tools/common/input_file.h"
#include "tools/slidetext/slidetext.h"

namespace {

constexpr tools::Tool tool{
    "slidetext",
    "Usage: slidetext [-n] [--wpm N] INPUT [-o OUTPUT]\n"
    "Converts a PowerPoint deck (.pptx) to gemtext for Veltrim: one level-1 heading\n"
    "per slide, in presentation order, hidden slides left out.\n"
    "\n"
    "  -n, --notes        the speaker notes become each slide's text (by default the\n"
    "                     slide's own text: paragraphs, \"* \" bullets, tables)\n"
    "      --wpm N        speaking rate for the lengths, words per minute (130)\n"
    "  -o, --output FILE  write the gemtext to FILE: written whole or not at all\n"
    "                     (without -o it goes to standard output)\n"
    "  -h, --help         show this help and exit\n"
    "  -V, --version      show the version and exit\n"
    "\n"
    "Each heading carries a length estimated from the slide's notes (or, without\n"
    "notes, its text) at the speaking rate, rounded to 15 seconds, at least 0:15:\n"
    "\"# Results - 1:45\". Put -- before an INPUT that starts with -.\n"
    "\n"
    "Exit status: 0 on success, 1 when the input cannot be read or converted or\n"
    "the output cannot be written, 2 for bad usage.\n"};

bool parse_wpm(std::string_view text, int& wpm) {
  if (text.empty() || text.size() > 6) return false;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  if (value < 1 || value > slidetext::max_wpm) return false;
  wpm = value;
  return true;
}

// -n and --wpm.
tools::OwnOption own_option(std::string_view arg, const std::function<const char*()>& next,
                            slidetext::Options& options) {
  if (arg == "-n" || arg == "--notes") {
    options.notes = true;
    return {true, {}};
  }
  if (arg != "--wpm" && !arg.starts_with("--wpm=")) return {};
  std::string_view value;
  if (arg.starts_with("--wpm=")) {
    value = arg.substr(6);
  } else if (const char* after = next()) {
    value = after;
  } else {
    return {true, "option --wpm needs a number"};
  }
  if (!parse_wpm(value, options.wpm))
    return {true, "--wpm takes a whole number of words per minute from 1 to " + std::to_string(slidetext::max_wpm) +
                      ", not '" + std::string(value) + "'"};
  return {true, {}};
}

}  // namespace

int main(int argc, char** argv) {
  tools::Request request;
  slidetext::Options options;
  const auto own = [&](std::string_view arg, const std::function<const char*()>& next) {
    return own_option(arg, next, options);
  };
  if (const auto done = tools::parse_command_line(tool, argc, argv, request, own)) return *done;
  // Opened once first, to report a missing or unreadable file or a folder with
  // the system's reason.
  std::string error;
  struct stat st {};
  const int fd = tools::open_input(request.input, st, error);
  if (fd < 0) {
    tools::report(tool, error);
    return tools::exit_failure;
  }
  ::close(fd);
  const slidetext::Result result = slidetext::convert_file(request.input, options);
  if (!result.ok) {
    // The reason first: Veltrim shows the first line of this, cut to its width.
    tools::report(tool, result.error + ": " + request.input);
    return tools::exit_failure;
  }
  for (const std::string& warning : result.warnings) tools::report(tool, "warning: " + warning);
  return tools::deliver(tool, request, result.gemtext);
}
