// marktext: the command. Reads a Markdown file, converts it (marktext.h) and
// writes the gemtext whole or not at all (tools/common/command_line.h).
//
//   marktext -o OUTPUT INPUT      (the order Veltrim uses; INPUT -o OUTPUT works too)
//
// Exit status: 0 success, 1 input unreadable or not convertible (or output not
// writable), 2 bad usage.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "tools/common/command_line.h"
#include "tools/common/input_file.h"
#include "tools/marktext/marktext.h"

namespace {

constexpr tools::Tool tool{
    "marktext",
    "Usage: marktext [-o OUTPUT] INPUT\n"
    "Converts a Markdown file (CommonMark and tables) to gemtext for Veltrim.\n"
    "\n"
    "  -o, --output FILE  write the gemtext to FILE: written whole or not at all\n"
    "                     (without -o it goes to standard output)\n"
    "  -h, --help         show this help and exit\n"
    "  -V, --version      show the version and exit\n"
    "\n"
    "INPUT may be - for standard input; put -- before an INPUT that starts with -.\n"
    "Headings keep their level and any length they carry (\"# Intro - 2:30\");\n"
    "marktext adds no lengths of its own.\n"
    "\n"
    "Exit status: 0 on success, 1 when the input cannot be read or converted or\n"
    "the output cannot be written, 2 for bad usage.\n"};

bool read_all(int fd, std::size_t limit, std::string& data, std::string& error) {
  char buffer[1 << 16];
  while (true) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      error = std::strerror(errno);
      return false;
    }
    if (n == 0) return true;
    if (data.size() + static_cast<std::size_t>(n) > limit) {
      error = "input is larger than " + std::to_string(limit >> 20) + " MB";
      return false;
    }
    data.append(buffer, static_cast<std::size_t>(n));
  }
}

// The whole input ("-" is standard input), refused beyond marktext's size limit.
bool read_input(const std::string& path, std::string& data, std::string& error) {
  if (path == "-") return read_all(STDIN_FILENO, marktext::max_input_bytes, data, error);
  struct stat st {};
  const int fd = tools::open_input(path, st, error);
  if (fd < 0) return false;
  if (S_ISREG(st.st_mode)) {
    if (static_cast<std::size_t>(st.st_size) > marktext::max_input_bytes) {
      ::close(fd);
      error = "'" + path + "' is larger than " + std::to_string(marktext::max_input_bytes >> 20) + " MB";
      return false;
    }
    data.reserve(static_cast<std::size_t>(st.st_size));
  }
  std::string why;
  const bool ok = read_all(fd, marktext::max_input_bytes, data, why);
  ::close(fd);
  if (!ok) error = "cannot read '" + path + "': " + why;
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  tools::Request request;
  if (const auto done = tools::parse_command_line(tool, argc, argv, request)) return *done;
  std::string data;
  std::string error;
  if (!read_input(request.input, data, error)) {
    tools::report(tool, error);
    return tools::exit_failure;
  }
  const marktext::Result result = marktext::convert(data);
  data = std::string();  // the input's memory is free before the output is written
  if (!result.ok) {
    // The reason first: Veltrim shows the first line of this, cut to its width.
    tools::report(tool, result.error + ": " + (request.input == "-" ? "standard input" : request.input));
    return tools::exit_failure;
  }
  return tools::deliver(tool, request, result.gemtext);
}
