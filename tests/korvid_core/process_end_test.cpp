// How a Korvid program's process ends, watched from outside: each case runs a
// helper mode of this binary in a child process.
#include <gtest/gtest.h>

#include <chrono>

#include "child_process.h"

namespace {

using korvid_tests::run_helper;

constexpr const char* no_window_message =
    "Drawing operation was attempted when there was no current window.";

TEST(ProcessEnd, ReturningFromMainWithAnOpenWindowExitsCleanly) {
  const auto child = run_helper("return");
  EXPECT_TRUE(child.exited) << "killed by signal " << child.status << "\n" << child.output;
  EXPECT_EQ(child.status, 0) << child.output;
  EXPECT_NE(child.output.find("returning"), std::string::npos);
}

TEST(ProcessEnd, ClosingAnExitOnCloseWindowEndsTheProgramWithSuccess) {
  // While the program waits in its idle wait: it ends at once, and the close
  // callback is not consulted.
  const auto waiting = run_helper("close-in-loop");
  EXPECT_TRUE(waiting.exited) << waiting.output;
  EXPECT_EQ(waiting.status, 0) << waiting.output;
  EXPECT_EQ(waiting.output.find("close callback ran"), std::string::npos);
  EXPECT_EQ(waiting.output.find("left the loop"), std::string::npos);

  // While the program is busy elsewhere: its next library call ends it.
  const auto calling = run_helper("close-then-call");
  EXPECT_TRUE(calling.exited) << calling.output;
  EXPECT_EQ(calling.status, 0) << calling.output;
  EXPECT_NE(calling.output.find("calling"), std::string::npos);
  EXPECT_EQ(calling.output.find("call returned"), std::string::npos);
}

TEST(ProcessEnd, ABusyProgramIsEndedAfterTheGraceTime) {
  const auto child = run_helper("close-while-busy");
  EXPECT_TRUE(child.exited) << child.output;
  EXPECT_EQ(child.status, 0) << child.output;
  EXPECT_EQ(child.output.find("still running"), std::string::npos);
  EXPECT_GE(child.elapsed, std::chrono::milliseconds(300));
}

TEST(ProcessEnd, DrawingWithoutACurrentWindowFailsWithStatusOne) {
  for (const char* mode : {"no-window", "closed-window", "error-in-handler"}) {
    SCOPED_TRACE(mode);
    const auto child = run_helper(mode);
    EXPECT_TRUE(child.exited) << "killed by signal " << child.status << "\n" << child.output;
    EXPECT_EQ(child.status, 1) << child.output;
    EXPECT_NE(child.output.find(no_window_message), std::string::npos) << child.output;
    EXPECT_EQ(child.output.find("call returned"), std::string::npos);
    EXPECT_EQ(child.output.find("handler went on"), std::string::npos);
  }
}

TEST(ProcessEnd, WithoutADisplayOpeningAWindowFailsInsteadOfAborting) {
  const auto child =
      run_helper("no-display", {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"});
  EXPECT_TRUE(child.exited) << child.output;
  EXPECT_EQ(child.status, 0) << child.output;
  EXPECT_NE(child.output.find("initwindow -1"), std::string::npos) << child.output;
}

}  // namespace
