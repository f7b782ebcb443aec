// The countdown, the elapsed title and the running lengths, without a window.
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <tuple>

#include "app/present/presentation_plan.h"
#include "app/present/presentation_timing.h"

namespace veltrim {
namespace {

using namespace std::chrono_literals;
using std::chrono::milliseconds;
using std::chrono::duration_cast;

const ClockTime start{10h};

TEST(SegmentTimer, AnHourOfIrregularPassesWithPausesDoesNotDrift) {
  // Passes 1 to 200 ms apart at nanosecond-ragged instants, and now and then a
  // pause of a few seconds: truncating each difference to whole milliseconds
  // would lose some 18 seconds in this hour.
  std::mt19937 random(8);
  std::uniform_int_distribution<std::int64_t> gap_ns(1'000'000, 200'000'000);
  std::uniform_int_distribution<int> passes_between_pauses(50, 400);
  constexpr std::int32_t length = 2 * 3600;
  SegmentTimer timer(length, start);
  ClockTime now = start;
  ClockDuration paused{};
  for (int until_pause = passes_between_pauses(random); now - start < 1h;) {
    now += std::chrono::nanoseconds{gap_ns(random)};
    timer.advance(now);
    if (--until_pause > 0) continue;
    timer.toggle_pause(now);
    const auto pause = std::chrono::nanoseconds{gap_ns(random) * 20};
    for (auto t = 150ms; t < pause; t += 150ms) timer.advance(now + t);  // passes go on while paused
    now += pause;
    paused += pause;
    timer.toggle_pause(now);
    until_pause = passes_between_pauses(random);
  }
  const ClockDuration ran = (now - start) - paused;
  ASSERT_GT(paused, 1min);
  EXPECT_EQ(duration_cast<milliseconds>(timer.spent()), duration_cast<milliseconds>(ran));
  EXPECT_EQ(duration_cast<milliseconds>(timer.remaining()), duration_cast<milliseconds>(std::chrono::seconds{length} - ran));
  EXPECT_EQ(elapsed_title(timer.spent()), elapsed_title(ran));
}

TEST(SegmentTimer, CountsDownInWholeSecondsAndWaitsAtZero) {
  SegmentTimer timer(20, start);
  timer.advance(start + 100ms);
  EXPECT_EQ(timer.shown_seconds(), 19);
  timer.add_seconds(15);
  timer.take_seconds(30);
  timer.advance(start + 5500ms);
  EXPECT_EQ(std::tuple(timer.remaining(), timer.time_up()), std::tuple(-500ms, true));
  EXPECT_EQ(timer.shown_seconds(), 0);  // the first second of an overrun shows 0, then -1
  timer.advance(start + 7s + 1ms);
  EXPECT_EQ(timer.shown_seconds(), -2);
  timer.hold_at_zero();
  EXPECT_EQ(std::tuple(timer.remaining(), timer.spent()), std::tuple(0ms, 7s + 1ms));  // the elapsed time counts on
  for (int i = 0; i < 1'000'000; ++i) timer.add_seconds(3600);
  EXPECT_GT(timer.remaining(), 0s);  // no number of "+" wraps the count around

  SegmentTimer no_time(0, start);
  EXPECT_FLOAT_EQ(no_time.percent_used(), 100.0F);  // no NaN
  EXPECT_EQ(elapsed_title(125min + 999ms), "Veltrim - 125:00 elapsed");
}

TEST(RunningLength, FloorsOfFortyFiveAndFiveSeconds) {
  EXPECT_EQ(running_length(0, 0), 45);
  EXPECT_EQ(running_length(-20, 10), 55);
  EXPECT_EQ(running_length(60, -58), 5);
  EXPECT_EQ(running_length(60, -1'000'000'000'000), 5);
  EXPECT_LT(running_length(60, 1'000'000'000'000), 1'000'000);
}

TEST(CarryFor, LateOrOnTheLastSegment) {
  // Five segments planned for ten minutes; the first two-minute one ran 137 s.
  const PlanPosition late{.planned_total = 600, .planned_remaining = 480, .spent = 137, .next = 2, .count = 5};
  EXPECT_EQ(carry_for(TimeMode::spread, late), -5);  // -17 / 3, towards zero
  EXPECT_EQ(carry_for(TimeMode::next_segment, late), -17);
  EXPECT_EQ(carry_for(TimeMode::unfixed, late), 0);
  const PlanPosition last{.planned_total = 600, .planned_remaining = 120, .spent = 440, .next = 5, .count = 5};
  EXPECT_EQ(carry_for(TimeMode::spread, last), 40);
}

}  // namespace
}  // namespace veltrim
