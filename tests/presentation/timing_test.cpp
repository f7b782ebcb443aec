// The countdown, the elapsed title and the running lengths, without a window.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <random>

#include "app/presentation_plan.h"
#include "app/presentation_timing.h"

namespace veltrim {
namespace {

using namespace std::chrono_literals;
using std::chrono::duration_cast;
using std::chrono::milliseconds;

const ClockTime start{10h};

TEST(SegmentTimer, AnHourOfIrregularPassesWithPausesDoesNotDrift) {
  // Passes 1 to 200 ms apart, at nanosecond-ragged instants, with a pause of a
  // few seconds every so often: a countdown that truncated each difference to
  // whole milliseconds would fall some 18 seconds behind in this hour.
  std::mt19937 random(8);
  std::uniform_int_distribution<std::int64_t> gap_ns(1'000'000, 200'000'000);
  std::uniform_int_distribution<int> pause_every(50, 400);
  constexpr std::int32_t length = 2 * 3600;
  SegmentTimer timer(length, start);
  ClockTime now = start;
  ClockDuration paused_in_total{};
  int passes_to_pause = pause_every(random);
  while (now - start < 1h) {
    now += std::chrono::nanoseconds{gap_ns(random)};
    timer.advance(now);
    if (--passes_to_pause == 0) {
      timer.toggle_pause(now);
      const auto pause = std::chrono::nanoseconds{gap_ns(random) * 20};
      for (auto t = 150ms; t < pause; t += 150ms) timer.advance(now + t);  // passes go on while paused
      now += pause;
      paused_in_total += pause;
      timer.toggle_pause(now);
      passes_to_pause = pause_every(random);
    }
  }
  const ClockDuration ran = (now - start) - paused_in_total;
  ASSERT_GT(paused_in_total, 1min);
  EXPECT_EQ(duration_cast<milliseconds>(timer.spent()), duration_cast<milliseconds>(ran));
  EXPECT_EQ(duration_cast<milliseconds>(timer.remaining()), duration_cast<milliseconds>(std::chrono::seconds{length} - ran));
  EXPECT_EQ(timer.shown_seconds(), length - std::chrono::ceil<std::chrono::seconds>(ran).count());
  EXPECT_EQ(elapsed_title(timer.spent() + 3s), elapsed_title(ran + 3s));
}

TEST(SegmentTimer, PausedTimeCountsForNothing) {
  SegmentTimer timer(90, start);
  timer.advance(start + 10s);
  timer.toggle_pause(start + 10s);
  EXPECT_TRUE(timer.paused());
  for (auto t = 10s; t <= 70s; t += 1s) timer.advance(start + t);
  EXPECT_EQ(timer.remaining(), 80s);
  EXPECT_EQ(timer.spent(), 10s);
  timer.toggle_pause(start + 70s);
  timer.advance(start + 75s);
  EXPECT_FALSE(timer.paused());
  EXPECT_EQ(timer.remaining(), 75s);
  EXPECT_EQ(timer.spent(), 15s);
}

TEST(SegmentTimer, DialShowsWholeSecondsTruncatedTowardsZero) {
  SegmentTimer timer(10, start);
  timer.advance(start + 100ms);
  EXPECT_EQ(timer.shown_seconds(), 9);
  EXPECT_FALSE(timer.time_up());
  timer.advance(start + 10s);
  EXPECT_TRUE(timer.time_up());
  EXPECT_EQ(timer.shown_seconds(), 0);
  timer.advance(start + 10s + 999ms);
  EXPECT_EQ(timer.shown_seconds(), 0);  // the first second of an overrun
  timer.advance(start + 12s + 500ms);
  EXPECT_EQ(timer.shown_seconds(), -2);
}

TEST(SegmentTimer, PlusMinusAndWaitingAtZero) {
  SegmentTimer timer(20, start);
  timer.add_seconds(15);
  EXPECT_EQ(timer.remaining(), 35s);
  timer.take_seconds(30);
  EXPECT_EQ(timer.remaining(), 5s);
  timer.advance(start + 8s);
  EXPECT_EQ(timer.remaining(), -3s);
  timer.hold_at_zero();
  EXPECT_EQ(timer.remaining(), 0s);
  EXPECT_EQ(timer.spent(), 8s);  // the elapsed time goes on counting
  timer.advance(start + 9s);
  timer.hold_at_zero();
  timer.add_seconds(15);
  timer.advance(start + 10s);
  EXPECT_EQ(timer.remaining(), 14s);
  EXPECT_EQ(timer.spent(), 10s);
  for (int i = 0; i < 10'000'000; i += 100'000) timer.add_seconds(3600);  // cannot wrap around
  EXPECT_GT(timer.remaining(), 0s);
}

TEST(SegmentTimer, PercentUsedStaysWithinTheScale) {
  SegmentTimer timer(100, start);
  EXPECT_FLOAT_EQ(timer.percent_used(), 0.0F);
  timer.advance(start + 25s);
  EXPECT_FLOAT_EQ(timer.percent_used(), 25.0F);
  timer.add_seconds(60);  // more left than the segment started with
  EXPECT_FLOAT_EQ(timer.percent_used(), 0.0F);
  timer.advance(start + 300s);
  EXPECT_FLOAT_EQ(timer.percent_used(), 100.0F);

  SegmentTimer empty(0, start);
  EXPECT_FALSE(std::isnan(empty.percent_used()));
  EXPECT_FLOAT_EQ(empty.percent_used(), 100.0F);
  EXPECT_TRUE(empty.time_up());
}

TEST(ElapsedTitle, MinutesColonTwoDigitSeconds) {
  EXPECT_EQ(elapsed_title(0s), "Veltrim - 0:00 elapsed");
  EXPECT_EQ(elapsed_title(7s + 999ms), "Veltrim - 0:07 elapsed");
  EXPECT_EQ(elapsed_title(3min + 45s), "Veltrim - 3:45 elapsed");
  EXPECT_EQ(elapsed_title(125min), "Veltrim - 125:00 elapsed");
}

TEST(RunningLength, FloorsAndBounds) {
  EXPECT_EQ(running_length(0, 0), 45);
  EXPECT_EQ(running_length(-20, 0), 45);
  EXPECT_EQ(running_length(0, 10), 55);
  EXPECT_EQ(running_length(60, -30), 30);
  EXPECT_EQ(running_length(60, -58), 5);
  EXPECT_EQ(running_length(60, -1'000'000'000'000), 5);
  EXPECT_GT(running_length(60, 1'000'000'000'000), 60);
  EXPECT_LE(running_length(60, 1'000'000'000'000), 9999 * 60 + 59);
}

TEST(CarryFor, EachTimeModeBalancesTheGain) {
  // Five segments planned for ten minutes in all; the first (two minutes
  // planned) ended thirty seconds early.
  const PlanPosition early{.planned_total = 600, .planned_remaining = 480, .spent = 90, .next = 2, .count = 5};
  EXPECT_EQ(carry_for(TimeMode::unfixed, early), 0);
  EXPECT_EQ(carry_for(TimeMode::spread, early), 10);
  EXPECT_EQ(carry_for(TimeMode::next_segment, early), 30);

  const PlanPosition late{.planned_total = 600, .planned_remaining = 480, .spent = 137, .next = 2, .count = 5};
  EXPECT_EQ(carry_for(TimeMode::spread, late), -5);  // -17 / 3, towards zero
  EXPECT_EQ(carry_for(TimeMode::next_segment, late), -17);

  // Onto the last segment, spreading has nowhere else to put the gain.
  const PlanPosition last{.planned_total = 600, .planned_remaining = 120, .spent = 440, .next = 5, .count = 5};
  EXPECT_EQ(carry_for(TimeMode::spread, last), 40);
}

}  // namespace
}  // namespace veltrim
