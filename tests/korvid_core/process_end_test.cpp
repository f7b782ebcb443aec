// How a Korvid program's process ends, watched from outside: each case runs
// this binary again in one of its helper modes (helper_modes.cpp).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <string>

extern char** environ;

namespace {

struct ChildResult {
  bool started = false;  // spawned and waited for
  int exit_status = -1;  // the status it exited with; -1 when it did not exit
  int signal = 0;        // the signal that ended it; 0 when none did
  std::string output;    // standard output and standard error, interleaved
  std::chrono::steady_clock::duration elapsed{};
};

// Runs `/proc/self/exe --helper <mode>` and waits for it.
ChildResult run_helper(std::string mode) {
  ChildResult result;
  std::string name = "korvid_core_tests", helper = "--helper";
  char* argv[] = {name.data(), helper.data(), mode.data(), nullptr};
  int pipe_ends[2];
  // Close-on-exec: only the duplicates on the child's output survive the spawn.
  if (pipe2(pipe_ends, O_CLOEXEC) != 0) return result;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipe_ends[1], STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, pipe_ends[1], STDERR_FILENO);
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = -1;
  const int spawned = posix_spawn(&pid, "/proc/self/exe", &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipe_ends[1]);
  char buffer[4096];
  for (ssize_t n; spawned == 0 && (n = read(pipe_ends[0], buffer, sizeof buffer)) != 0;) {
    if (n > 0) {
      result.output.append(buffer, static_cast<std::size_t>(n));
    } else if (errno != EINTR) {
      break;
    }
  }
  close(pipe_ends[0]);
  int wait_status = 0;
  pid_t waited = -1;
  while (spawned == 0 && (waited = waitpid(pid, &wait_status, 0)) < 0 && errno == EINTR) {
  }
  result.elapsed = std::chrono::steady_clock::now() - start;
  result.started = waited == pid;
  if (result.started && WIFEXITED(wait_status)) result.exit_status = WEXITSTATUS(wait_status);
  if (result.started && WIFSIGNALED(wait_status)) result.signal = WTERMSIG(wait_status);
  return result;
}

// The child ran, was not killed by a signal (no crash, no abort) and exited with `status`.
void expect_exit(const ChildResult& child, int status) {
  ASSERT_TRUE(child.started);
  EXPECT_EQ(child.signal, 0) << "killed by signal " << child.signal << "\n" << child.output;
  EXPECT_EQ(child.exit_status, status) << child.output;
}

bool printed(const ChildResult& child, const std::string& line) {
  return child.output.find(line + "\n") != std::string::npos;
}

TEST(ProcessEnd, ReturningFromMainWithAnOpenWindowExitsCleanly) {
  const auto child = run_helper("return");
  expect_exit(child, 0);
  EXPECT_TRUE(printed(child, "returning"));
}

TEST(ProcessEnd, ClosingAnExitOnCloseWindowEndsTheProgramWithSuccess) {
  // While the program waits in `loop`: the wait ends the process, through the
  // program thread's orderly exit, without consulting the close callback.
  const auto waiting = run_helper("close-in-loop");
  expect_exit(waiting, 0);
  EXPECT_TRUE(printed(waiting, "exit handlers ran")) << waiting.output;
  EXPECT_FALSE(printed(waiting, "close callback ran"));
  EXPECT_FALSE(printed(waiting, "left the loop"));

  // While the program is busy elsewhere: its next library call ends it.
  const auto calling = run_helper("close-then-call");
  expect_exit(calling, 0);
  EXPECT_TRUE(printed(calling, "calling"));
  EXPECT_TRUE(printed(calling, "exit handlers ran")) << calling.output;
  EXPECT_FALSE(printed(calling, "call returned"));
}

TEST(ProcessEnd, ABusyProgramIsEndedAfterTheGraceTime) {
  const auto child = run_helper("close-while-busy");
  expect_exit(child, 0);
  EXPECT_FALSE(printed(child, "still running"));
  EXPECT_FALSE(printed(child, "exit handlers ran"));  // cut short by the library
  EXPECT_GE(child.elapsed, std::chrono::milliseconds(300));
}

TEST(ProcessEnd, DrawingWithoutACurrentWindowFailsWithStatusOne) {
  for (const char* mode : {"no-window", "closed-window", "error-in-handler"}) {
    SCOPED_TRACE(mode);
    const auto child = run_helper(mode);
    expect_exit(child, 1);
    EXPECT_TRUE(printed(child, "Drawing operation was attempted when there was no current window."))
        << child.output;
    EXPECT_FALSE(printed(child, "call returned"));
    EXPECT_FALSE(printed(child, "handler went on"));
  }
}

TEST(ProcessEnd, WithoutADisplayOpeningAWindowFailsInsteadOfAborting) {
  const auto child = run_helper("no-display");
  expect_exit(child, 0);
  EXPECT_TRUE(printed(child, "initwindow -1")) << child.output;
}

}  // namespace
