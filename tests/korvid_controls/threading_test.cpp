#include "controls_fixture.h"

#include <chrono>

namespace controls_test {
namespace {

using namespace std::chrono_literals;

using Threading = ControlsTest;

void wait_until(const std::function<bool()>& condition) {
  while (!condition()) std::this_thread::sleep_for(1ms);
}

// A modal dialog runs an event loop of its own, which keeps serving requests.
TEST_F(Threading, RequestsDuringAModalDialogAreServedWithoutDeadlock) {
  std::atomic<bool> close{false};
  kt::open_modal_dialog(window, [&] { return close.load(); });
  wait_until([] { return kt::modal_dialog_open(); });

  const int box = korvid::createtextbox(10, 10, 200, 24);
  korvid::settextboxcontents(box, "while modal");
  EXPECT_EQ(korvid::gettextboxcontents(box), "while modal");
  EXPECT_TRUE(kt::modal_dialog_open());

  close = true;
  wait_until([] { return !kt::modal_dialog_open(); });
}

// Callbacks run on their own threads and may use controls themselves while the
// program thread waits in the idle loop.
TEST_F(Threading, CallbackMayUseControlsWhileTheProgramWaits) {
  const int box = korvid::createtextbox(10, 50, 200, 24);
  const int button = korvid::createbutton(10, 10, 100, 30, "Go", [box] {
    korvid::settextboxcontents(box, "pressed");
    korvid::stopidle();
  });
  std::thread user([this, button] { kt::click_control(window, button); });
  korvid::loop();
  user.join();
  EXPECT_EQ(korvid::gettextboxcontents(box), "pressed");
  settle();
}

}  // namespace
}  // namespace controls_test
