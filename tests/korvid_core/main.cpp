// The test runner; with --helper <mode> it is instead a small Korvid program
// whose way of ending the process-end tests watch from outside.
#include <gtest/gtest.h>

#include <cstring>

namespace korvid_tests {
int run_helper_mode(const char* mode);
}

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--helper") == 0) {
    return korvid_tests::run_helper_mode(argv[2]);
  }
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
