// Runs this test binary again in one of its helper modes and reports how the
// child ended, so tests can watch a process end without ending themselves.
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace korvid_tests {

struct ChildResult {
  bool exited = false;  // ended through exit, not by a signal
  int status = -1;      // exit status when `exited`, else the signal number
  std::string output;   // standard output and standard error, interleaved
  std::chrono::steady_clock::duration elapsed{};
};

// Starts `/proc/self/exe --helper <mode>` with the given environment changes
// ("NAME=value" sets, "NAME" alone removes) and waits for it.
ChildResult run_helper(const std::string& mode, const std::vector<std::string>& environment = {});

}  // namespace korvid_tests
