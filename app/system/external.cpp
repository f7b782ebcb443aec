#include "app/system/external.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <limits>
#include <system_error>

#include "app/script/middle_cut.h"

extern char** environ;

namespace veltrim {
namespace {

// Enough of the child's standard error to hold a whole first line, even one
// that names a file of the longest path; the rest is read and dropped.
constexpr std::size_t kept_error_bytes = 16 * 1024;

std::size_t utf8_characters(std::string_view text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0U) != 0x80U;
  }));
}

// The first line of `text` without its line end, at most `limit` characters.
// A longer one loses its middle rather than its end: converters name the file
// after saying what went wrong, and the user needs both.
std::string first_line(std::string_view text, std::size_t limit) {
  text = text.substr(0, text.find('\n'));
  if (text.ends_with('\r')) text.remove_suffix(1);
  return shorten_in_middle(text, [limit](std::string_view shown) { return utf8_characters(shown) <= limit; });
}

// Reads what `descriptor` holds now into `kept`, keeping only the beginning;
// false at its end.
bool read_some(int descriptor, std::string& kept) {
  std::array<char, 4096> buffer{};
  ssize_t count = 0;
  do {
    count = read(descriptor, buffer.data(), buffer.size());
  } while (count < 0 && errno == EINTR);
  if (count <= 0) return false;
  auto room = kept_error_bytes - kept.size();
  kept.append(buffer.data(), std::min(room, static_cast<std::size_t>(count)));
  return true;
}

bool readable_now(int descriptor) {
  pollfd entry{descriptor, POLLIN, 0};
  return poll(&entry, 1, 0) > 0;
}

struct Watched {
  std::string error_text;  // the beginning of the child's standard error
  bool timed_out = false;
};

// Reads the child's standard error, so that it never blocks on a full pipe,
// until the child ends or `time_limit` has passed; a child still running then
// is killed. A process descriptor tells when the child ends, also when it
// closed its standard error early; without one, the end of standard error
// stands for the child's end.
Watched watch_child(pid_t child, int error_pipe, std::chrono::milliseconds time_limit) {
  using std::chrono::steady_clock;
  const auto deadline = steady_clock::now() + time_limit;
  const int process = static_cast<int>(syscall(SYS_pidfd_open, child, 0));
  Watched watched;
  bool reading = true;
  bool ended = false;
  while (!ended) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - steady_clock::now());
    if (left.count() <= 0) {
      kill(child, SIGKILL);
      watched.timed_out = true;
      break;
    }
    std::array<pollfd, 2> watch{pollfd{reading ? error_pipe : -1, POLLIN, 0}, pollfd{process, POLLIN, 0}};
    const int wait = static_cast<int>(std::min<std::int64_t>(left.count(), std::numeric_limits<int>::max()));
    if (poll(watch.data(), watch.size(), wait) < 0) {
      if (errno == EINTR) continue;
      break;  // cannot watch: wait for the child without a limit
    }
    if (watch[0].revents != 0) reading = read_some(error_pipe, watched.error_text);
    ended = watch[1].revents != 0 || (process < 0 && !reading);
  }
  while (reading && !watched.timed_out && readable_now(error_pipe)) reading = read_some(error_pipe, watched.error_text);
  if (process >= 0) close(process);
  return watched;
}

int wait_for_exit_code(pid_t child) {
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return child_killed;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : child_killed;
}

// Spawn settings: standard input and output from and to /dev/null, standard
// error into `error_pipe`; the child starts with default signal handling and
// nothing blocked, whatever the program set for itself.
struct SpawnSettings {
  posix_spawn_file_actions_t actions{};
  posix_spawnattr_t attributes{};

  explicit SpawnSettings(int error_pipe) {
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, error_pipe, STDERR_FILENO);
    posix_spawnattr_init(&attributes);
    sigset_t signals;
    sigemptyset(&signals);
    posix_spawnattr_setsigmask(&attributes, &signals);
    sigfillset(&signals);
    posix_spawnattr_setsigdefault(&attributes, &signals);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  }
  ~SpawnSettings() {
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
  }
  SpawnSettings(const SpawnSettings&) = delete;
  SpawnSettings& operator=(const SpawnSettings&) = delete;
};

// A path as a converter argument: one that begins with "-" would be taken for
// an option, so it is given as "./-...", which names the same file.
std::string as_argument(const std::filesystem::path& path) {
  const std::string& text = path.native();
  return text.starts_with('-') ? "./" + text : text;
}

Conversion conversion_failure(int exit_code, std::string error_line) {
  return Conversion{TemporaryFile(), exit_code, std::move(error_line)};
}

// Runs a converter that writes `input` converted into a new temporary file.
// `arguments` builds its argument vector from the input and output names.
template <typename MakeArguments>
Conversion convert(const Environment& environment, const std::filesystem::path& input,
                   std::chrono::milliseconds time_limit, MakeArguments arguments) {
  if (input.empty()) return conversion_failure(child_not_started, "no file to convert");
  TemporaryFile output(temporary_filename(environment, "gmi"));
  if (output.path().empty()) {
    return conversion_failure(child_not_started, "cannot create a temporary file in " +
                                                     get_temporary_directory(environment).string());
  }
  auto outcome = store_child_command_line(arguments(as_argument(input), as_argument(output.path())), time_limit);
  if (outcome.exit_code == child_timed_out) outcome.error_line = converter_timeout_message(time_limit);
  if (outcome.exit_code != 0) return conversion_failure(outcome.exit_code, std::move(outcome.error_line));
  return Conversion{std::move(output), 0, {}};
}

}  // namespace

TemporaryFile::TemporaryFile(TemporaryFile&& other) noexcept : path_(std::move(other.path_)) {
  other.path_.clear();
}

TemporaryFile& TemporaryFile::operator=(TemporaryFile&& other) noexcept {
  if (this != &other) {
    remove();
    path_ = std::move(other.path_);
    other.path_.clear();
  }
  return *this;
}

TemporaryFile::~TemporaryFile() { remove(); }

void TemporaryFile::remove() {
  if (path_.empty()) return;
  std::error_code ignored;
  std::filesystem::remove(path_, ignored);
  path_.clear();
}

std::filesystem::path full_tool_command(const std::filesystem::path& program_directory,
                                        std::string_view tool) {
  if (program_directory.empty()) return std::filesystem::path(tool);
  return program_directory / tool;
}

std::filesystem::path temporary_filename(const Environment& environment, std::string_view extension) {
  std::string suffix = "." + std::string(extension);
  std::string name = (get_temporary_directory(environment) / ("veltrim-XXXXXX" + suffix)).string();
  int descriptor = mkostemps(name.data(), static_cast<int>(suffix.size()), O_CLOEXEC);
  if (descriptor < 0) return {};
  close(descriptor);
  return name;
}

std::string converter_timeout_message(std::chrono::milliseconds time_limit) {
  using std::chrono::minutes;
  const bool whole_minutes = time_limit % minutes(1) == time_limit.zero();
  const auto amount = whole_minutes ? std::chrono::duration_cast<minutes>(time_limit).count() : time_limit.count();
  const std::string unit = !whole_minutes ? "ms" : amount == 1 ? "minute" : "minutes";
  return "The converter did not finish within " + std::to_string(amount) + " " + unit + ".";
}

ChildOutcome store_child_command_line(const std::vector<std::string>& arguments,
                                      std::chrono::milliseconds time_limit) {
  if (arguments.empty()) return ChildOutcome{child_not_started, "no program to run"};
  std::array<int, 2> error_pipe{};
  if (pipe2(error_pipe.data(), O_CLOEXEC) != 0) {
    return ChildOutcome{child_not_started, std::string("cannot make a pipe: ") + std::strerror(errno)};
  }
  std::vector<char*> argv;
  for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);

  pid_t child = 0;
  int error = 0;
  {
    SpawnSettings settings(error_pipe[1]);
    error = posix_spawn(&child, argv[0], &settings.actions, &settings.attributes, argv.data(), environ);
  }
  close(error_pipe[1]);
  if (error != 0) {
    close(error_pipe[0]);
    return ChildOutcome{child_not_started, "cannot run " + arguments[0] + ": " + std::strerror(error)};
  }
  const Watched watched = watch_child(child, error_pipe[0], time_limit);
  close(error_pipe[0]);
  ChildOutcome outcome{wait_for_exit_code(child), first_line(watched.error_text, longest_error_line)};
  if (watched.timed_out) outcome.exit_code = child_timed_out;
  if (outcome.exit_code == child_killed && outcome.error_line.empty()) {
    outcome.error_line = arguments[0] + " was stopped by a signal";
  }
  return outcome;
}

Conversion markdown_to_gemtext(const Platform& platform, const std::filesystem::path& markdown_file,
                               std::chrono::milliseconds time_limit) {
  auto tool = full_tool_command(platform.program_directory, markdown_converter).string();
  return convert(platform.environment, markdown_file, time_limit, [&](std::string input, std::string output) {
    return std::vector<std::string>{tool, "-o", std::move(output), std::move(input)};
  });
}

Conversion powerpoint_to_gemtext(const Platform& platform, const std::filesystem::path& pptx_file,
                                 bool notes, int words_per_minute, std::chrono::milliseconds time_limit) {
  auto tool = full_tool_command(platform.program_directory, powerpoint_converter).string();
  return convert(platform.environment, pptx_file, time_limit, [&](std::string input, std::string output) {
    std::vector<std::string> arguments{tool};
    if (notes) arguments.emplace_back("-n");
    // The converter's own rate is the usual one; only another rate is named.
    if (words_per_minute != converter_words_per_minute) {
      arguments.insert(arguments.end(), {"--wpm", std::to_string(words_per_minute)});
    }
    arguments.insert(arguments.end(), {std::move(input), "-o", std::move(output)});
    return arguments;
  });
}

}  // namespace veltrim
