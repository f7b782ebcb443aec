// marktext: the command. Reads a Markdown file, converts it (marktext.h) and
// writes the gemtext atomically: a temporary file beside the output, renamed over
// it only when everything was written, so a failure never leaves a partial file.
//
//   marktext -o OUTPUT INPUT      (the order Veltrim uses; INPUT -o OUTPUT works too)
//
// Exit status: 0 success, 1 input unreadable or not convertible (or output not
// writable), 2 bad usage.
#include "tools/marktext/marktext.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#ifndef VELTRIM_VERSION
#define VELTRIM_VERSION "0"
#endif

namespace {

constexpr const char* program = "marktext";

constexpr const char* usage_text =
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
    "the output cannot be written, 2 for bad usage.\n";

void fail_message(const std::string& reason) {
  std::string line = std::string(program) + ": " + reason + "\n";
  (void)!::write(STDERR_FILENO, line.data(), line.size());
}

int usage_error(const std::string& reason) {
  fail_message(reason + "\nTry 'marktext --help' for more information.");
  return 2;
}

// The temporary output file, removed by the signal handler if the process is
// interrupted while writing it.
char g_temporary[4096];

extern "C" void on_fatal_signal(int sig) {
  if (g_temporary[0] != '\0') ::unlink(g_temporary);
  std::signal(sig, SIG_DFL);
  std::raise(sig);
}

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

bool read_input(const std::string& path, std::string& data, std::string& error) {
  if (path == "-") return read_all(STDIN_FILENO, marktext::max_input_bytes, data, error);
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    error = "cannot read '" + path + "': " + std::strerror(errno);
    return false;
  }
  struct stat st {};
  if (::fstat(fd, &st) == 0) {
    if (S_ISDIR(st.st_mode)) {
      ::close(fd);
      error = "cannot read '" + path + "': it is a folder";
      return false;
    }
    if (S_ISREG(st.st_mode)) {
      if (static_cast<std::size_t>(st.st_size) > marktext::max_input_bytes) {
        ::close(fd);
        error = "'" + path + "' is larger than " + std::to_string(marktext::max_input_bytes >> 20) + " MB";
        return false;
      }
      data.reserve(static_cast<std::size_t>(st.st_size));
    }
  }
  std::string why;
  const bool ok = read_all(fd, marktext::max_input_bytes, data, why);
  ::close(fd);
  if (!ok) error = "cannot read '" + path + "': " + why;
  return ok;
}

bool write_all(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// Writes data to path through a temporary file in the same folder and a rename.
// An output that is a symbolic link is written through: its target is replaced.
bool write_atomically(const std::string& output, std::string_view data, std::string& error) {
  std::string path = output;
  struct stat link {};
  if (::lstat(output.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
    if (char* resolved = ::realpath(output.c_str(), nullptr)) {
      path = resolved;
      std::free(resolved);
    }
  }
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  std::string temporary = folder + "/.marktext-XXXXXX";
  if (temporary.size() >= sizeof g_temporary) {
    error = "cannot write '" + output + "': the name is too long";
    return false;
  }
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) {
    error = "cannot write '" + output + "': " + std::strerror(errno);
    return false;
  }
  std::memcpy(g_temporary, temporary.c_str(), temporary.size() + 1);
  // The file keeps the permissions of the file it replaces (Veltrim hands over a
  // private scratch file), or gets the usual ones for a new file.
  mode_t mode;
  struct stat existing {};
  if (::stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
    mode = existing.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  bool ok = ::fchmod(fd, mode) == 0 && write_all(fd, data) && ::fsync(fd) == 0;
  int saved = errno;
  if (::close(fd) != 0 && ok) {
    ok = false;
    saved = errno;
  }
  if (ok && ::rename(temporary.c_str(), path.c_str()) != 0) {
    ok = false;
    saved = errno;
  }
  if (!ok) {
    ::unlink(temporary.c_str());
    error = "cannot write '" + output + "': " + std::strerror(saved);
  }
  g_temporary[0] = '\0';
  return ok;
}

bool file_exists(const char* path) {
  struct stat st {};
  return ::stat(path, &st) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string input;
  std::string output;
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
      if (arg == "-h" || arg == "--help") {
        std::fputs(usage_text, stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
      }
      if (arg == "-V" || arg == "--version") {
        std::printf("marktext (Veltrim) %s\n", VELTRIM_VERSION);
        return std::fflush(stdout) == 0 ? 0 : 1;
      }
      if (arg == "-o" || arg == "--output" || arg.starts_with("--output=")) {
        if (have_output) return usage_error("the output is given twice");
        if (arg.starts_with("--output=")) {
          output = std::string(arg.substr(9));
        } else {
          if (i + 1 >= argc) return usage_error("option " + std::string(arg) + " needs a file name");
          output = argv[++i];
        }
        if (output.empty()) return usage_error("the output file name is empty");
        have_output = true;
        continue;
      }
      // Not an option of ours: an input file whose name starts with "-" (Veltrim
      // passes file names untouched), or a mistake.
      if (!file_exists(argv[i])) return usage_error("unknown option '" + std::string(arg) + "'");
    }
    if (have_input) return usage_error("more than one input file");
    input = argv[i];
    have_input = true;
  }
  if (!have_input) return usage_error("no input file");
  if (input.empty()) return usage_error("the input file name is empty");

  std::string data;
  std::string error;
  if (!read_input(input, data, error)) {
    fail_message(error);
    return 1;
  }
  marktext::Result result = marktext::convert(data);
  data = std::string();
  if (!result.ok) {
    // The reason first: Veltrim shows the first line of this, cut to its width.
    fail_message(result.error + ": " + (input == "-" ? std::string("standard input") : input));
    return 1;
  }
  if (!have_output) {
    if (!write_all(STDOUT_FILENO, result.gemtext)) {
      fail_message(std::string("cannot write to standard output: ") + std::strerror(errno));
      return 1;
    }
    return 0;
  }
  std::signal(SIGINT, on_fatal_signal);
  std::signal(SIGTERM, on_fatal_signal);
  std::signal(SIGHUP, on_fatal_signal);
  if (!write_atomically(output, result.gemtext, error)) {
    fail_message(error);
    return 1;
  }
  return 0;
}
