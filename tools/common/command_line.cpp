#include "tools/common/command_line.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "tools/common/atomic_output.h"

#ifndef VELTRIM_VERSION
#define VELTRIM_VERSION "0"
#endif

namespace tools {
namespace {

bool file_exists(const char* path) {
  struct stat st {};
  return ::stat(path, &st) == 0;
}

int print_and_exit(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
  return std::fflush(stdout) == 0 ? exit_success : exit_failure;
}

}  // namespace

void report(const Tool& tool, std::string_view reason) {
  std::string line = std::string(tool.name) + ": " + std::string(reason) + "\n";
  (void)!::write(STDERR_FILENO, line.data(), line.size());
}

int usage_error(const Tool& tool, std::string_view reason) {
  report(tool, std::string(reason) + "\nTry '" + std::string(tool.name) + " --help' for more information.");
  return exit_usage;
}

std::optional<int> parse_command_line(const Tool& tool, int argc, char** argv, Request& request,
                                      const OwnOptions& own_options) {
  bool have_input = false;
  bool have_output = false;
  bool options_done = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (!options_done && arg.size() > 1 && arg[0] == '-') {
      if (arg == "--") {
        options_done = true;
        continue;
      }
      if (arg == "-h" || arg == "--help") return print_and_exit(tool.usage);
      if (arg == "-V" || arg == "--version")
        return print_and_exit(std::string(tool.name) + " (Veltrim) " VELTRIM_VERSION "\n");
      if (arg == "-o" || arg == "--output" || arg.starts_with("--output=")) {
        if (have_output) return usage_error(tool, "the output is given twice");
        if (arg.starts_with("--output=")) {
          request.output = std::string(arg.substr(9));
        } else {
          if (i + 1 >= argc) return usage_error(tool, "option " + std::string(arg) + " needs a file name");
          request.output = argv[++i];
        }
        if (request.output.empty()) return usage_error(tool, "the output file name is empty");
        have_output = true;
        continue;
      }
      if (own_options) {
        const OwnOption own = own_options(arg, [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; });
        if (!own.usage_error.empty()) return usage_error(tool, own.usage_error);
        if (own.taken) continue;
      }
      // Not an option: an input file whose name starts with "-" (Veltrim passes
      // file names untouched), or a mistake.
      if (!file_exists(argv[i])) return usage_error(tool, "unknown option '" + std::string(arg) + "'");
    }
    if (have_input) return usage_error(tool, "more than one input file");
    request.input = argv[i];
    have_input = true;
  }
  if (!have_input) return usage_error(tool, "no input file");
  if (request.input.empty()) return usage_error(tool, "the input file name is empty");
  return std::nullopt;
}

int deliver(const Tool& tool, const Request& request, std::string_view gemtext) {
  if (request.output.empty()) {
    if (write_all(STDOUT_FILENO, gemtext)) return exit_success;
    report(tool, std::string("cannot write to standard output: ") + std::strerror(errno));
    return exit_failure;
  }
  std::string error;
  if (write_atomically(tool.name, request.output, gemtext, error)) return exit_success;
  report(tool, error);
  return exit_failure;
}

}  // namespace tools
