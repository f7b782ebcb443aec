// How a Korvid program's process ends, watched from outside: each case runs
// this binary again in one of its helper modes (helper_modes.cpp).
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

namespace {

struct ChildResult {
  bool started = false;  // started and waited for
  int exit_status = -1;  // the status it exited with; -1 when it did not exit
  int signal = 0;        // the signal that ended it; 0 when none did
  std::string output;    // standard output and standard error, interleaved
  std::chrono::steady_clock::duration elapsed{};
};

// Runs this binary again as `--helper <mode>` and waits for it; the shell
// execs the helper, so its status is the helper's own.
ChildResult run_helper(const std::string& mode) {
  ChildResult result;
  const std::string self = std::filesystem::read_symlink("/proc/self/exe");
  const auto start = std::chrono::steady_clock::now();
  FILE* child = popen(("exec '" + self + "' --helper " + mode + " 2>&1").c_str(), "r");
  if (child == nullptr) return result;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, child)) > 0;) result.output.append(buffer, n);
  const int status = pclose(child);
  result.elapsed = std::chrono::steady_clock::now() - start;
  result.started = status != -1;
  if (result.started && WIFEXITED(status)) result.exit_status = WEXITSTATUS(status);
  if (result.started && WIFSIGNALED(status)) result.signal = WTERMSIG(status);
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
  for (const char* mode : {"closed-window", "error-in-handler"}) {
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
