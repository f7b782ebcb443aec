// Keeping the screen awake, against a private session bus: a dbus-daemon of
// the test's own and this binary's fake screen saver service (helper mode
// "fake-screensaver"), which reports the calls it gets.
#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <vector>

#include "korvid/korvid.h"

extern char** environ;

namespace {

// A child process whose standard output the test reads.
class Child {
 public:
  explicit Child(std::vector<std::string> argv) {
    int pipe_ends[2];
    if (pipe(pipe_ends) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipe_ends[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipe_ends[0]);
    std::vector<char*> args;
    for (std::string& arg : argv) args.push_back(arg.data());
    args.push_back(nullptr);
    if (posix_spawnp(&pid_, args[0], &actions, nullptr, args.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(pipe_ends[1]);
    out_ = pipe_ends[0];
  }
  ~Child() {
    stop();
    if (out_ >= 0) close(out_);
  }
  void stop() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }
  // The next line it writes; empty when none comes within ten seconds.
  std::string line() {
    std::string text;
    char c = 0;
    pollfd waiting{out_, POLLIN, 0};
    while (poll(&waiting, 1, 10'000) == 1 && read(out_, &c, 1) == 1 && c != '\n') text += c;
    return text;
  }

 private:
  pid_t pid_ = -1;
  int out_ = -1;
};

TEST(ScreenSaver, RequestsReachTheDesktopsServiceAndNoServiceIsNoError) {
  Child bus({"dbus-daemon", "--session", "--nofork", "--print-address=1"});
  const std::string address = bus.line();
  ASSERT_FALSE(address.empty()) << "dbus-daemon did not start";
  setenv("DBUS_SESSION_BUS_ADDRESS", address.c_str(), 1);

  EXPECT_FALSE(korvid::inhibitscreensaver("Presenting"));  // nobody offers the service yet
  Child service({"/proc/self/exe", "--helper", "fake-screensaver"});
  ASSERT_EQ(service.line(), "ready");
  EXPECT_TRUE(korvid::inhibitscreensaver("Presenting a talk"));
  EXPECT_TRUE(korvid::inhibitscreensaver("Again"));  // one request stands at a time
  EXPECT_TRUE(korvid::screensaverinhibited());
  korvid::releasescreensaver();
  korvid::releasescreensaver();
  EXPECT_FALSE(korvid::screensaverinhibited());
  EXPECT_EQ(service.line(), "Inhibit veltrim Presenting a talk -> 1");
  EXPECT_EQ(service.line(), "UnInhibit 1");

  // The bus gone: nothing is asked, nothing hangs.
  service.stop();
  bus.stop();
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(korvid::inhibitscreensaver("Presenting"));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
}

}  // namespace
