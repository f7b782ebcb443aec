// The command line both converters share: "-o OUTPUT" in either place, --help,
// --version, "--" before an input that starts with "-", one input; the messages
// ("<tool>: <reason>" on standard error) and the exit codes.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tools {

inline constexpr int exit_success = 0;
inline constexpr int exit_failure = 1;  // the input cannot be read or converted, or the output written
inline constexpr int exit_usage = 2;

struct Tool {
  std::string_view name;   // the prefix of every message, "marktext"
  std::string_view usage;  // the --help text
};

struct Request {
  std::string input;
  std::string output;  // empty: standard output (an empty -o is refused)
};

// Writes "<tool>: <reason>" and a line end to standard error in one write.
void report(const Tool& tool, std::string_view reason);

// Reports a usage mistake with a pointer to --help; returns exit_usage.
int usage_error(const Tool& tool, std::string_view reason);

// A tool's own option. It is handed each argument that starts with "-" and is
// not a shared option, with next() giving the argument after it (nullptr when
// there is none). It says whether the argument was its option, and, when it was
// misused, why.
struct OwnOption {
  bool taken = false;
  std::string usage_error;
};
using OwnOptions = std::function<OwnOption(std::string_view arg, const std::function<const char*()>& next)>;

// Reads the arguments into request. Returns the exit code when the command is
// already done (help, version, a usage mistake), nothing when the conversion is
// to run.
std::optional<int> parse_command_line(const Tool& tool, int argc, char** argv, Request& request,
                                      const OwnOptions& own_options = {});

// Writes the gemtext to the requested output (atomically to a file). Returns the
// exit code.
int deliver(const Tool& tool, const Request& request, std::string_view gemtext);

}  // namespace tools
