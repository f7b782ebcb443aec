#include <gtest/gtest.h>

#include <string>

#include "app/parsetime.h"

namespace veltrim {
namespace {

struct Reading {
  const char* text;
  std::int32_t seconds;
};

// Lengths as people type them, read as the length box reads them.
TEST(Parsetime, ReadsEveryWrittenForm) {
  const Reading readings[] = {
      {"1:30", 90},        {"01:30", 90},       {"  1:30  ", 90},    {"1:30.9", 90},
      {"1:02:03", 3723},   {"::30", 30},        {":30", 30},         {"a:30", 30},
      {"5:", 300},         {"0:75", 75},        {"12345:00", 74040}, {"1:5", 65},
      {"1:305", 90},       {"90:00", 5400},     {"2m 30s", 150},     {"2 min 30 sec", 150},
      {"2 minutes 30 seconds", 150},            {"2 mins 30s", 150}, {"2m30s", 120},
      {"5 minutes", 300},  {"45s", 45},         {"45 s", 45},        {"45 secs", 45},
      {"1.5m", 90},        {"1.5 minutes", 90}, {"0.75 minutes", 45}, {"1.51m", 90},
      {"30.9s", 30},       {"90", 0},           {"", 0},             {"one hour", 0},
      {"min", 0},          {"x2m", 0},          {"2 MIN 30 SEC", 150}, {"-1:30", -90},
      {"-0:05", -5},       {"-2m", -120},
  };
  for (const auto& [text, seconds] : readings) EXPECT_EQ(parse_length_field(text), seconds) << '"' << text << '"';
}

TEST(Parsetime, MatchesUnitLettersInLowerCaseOnly) {
  EXPECT_EQ(parsetime("2 MIN"), 0);
  EXPECT_EQ(parse_length_field("2 MIN"), 120);
}

TEST(Parsetime, ReadsOnlyTheFirst32Characters) {
  EXPECT_EQ(parse_length_field(std::string(30, ' ') + "2 min"), 0);
  EXPECT_EQ(parse_length_field(std::string(29, ' ') + "2 min"), 120);
}

TEST(Parsetime, NumberBeforeReadsTheRunBeforeTheUnit) {
  EXPECT_FLOAT_EQ(number_before("2m30s", 5), 0.0f);  // the run is 2m30
  EXPECT_FLOAT_EQ(number_before("  12   m", 8), 12.0f);
  EXPECT_FLOAT_EQ(number_before("1.5m", 4), 1.5f);
  EXPECT_FLOAT_EQ(number_before("2,5m", 4), 2.0f);  // reading stops at a comma
  EXPECT_FLOAT_EQ(number_before("   m", 4), 0.0f);
  EXPECT_FLOAT_EQ(number_before("m", 1), 0.0f);
}

TEST(Parsetime, NumbersTooLargeOrNotFiniteNeverOverflow) {
  EXPECT_EQ(parse_length_field("1.0e30m"), 2147483647);
  EXPECT_EQ(parse_length_field("-1.0e30m"), -2147483647 - 1);
  EXPECT_EQ(parse_length_field("1.0e99m"), 0);
  EXPECT_EQ(parse_length_field("99999999999m"), 0);  // not a whole number that fits
  EXPECT_EQ(parse_length_field("nan.m"), 0);
  EXPECT_EQ(parse_length_field("9999:9999:99"), 9999 * 3600 + 9999 * 60 + 99);
}

TEST(CreateTimeString, WritesMinutesAndTwoDigitSeconds) {
  EXPECT_EQ(create_time_string(0), "0:00");
  EXPECT_EQ(create_time_string(5), "0:05");
  EXPECT_EQ(create_time_string(65), "1:05");
  EXPECT_EQ(create_time_string(599), "9:59");
  EXPECT_EQ(create_time_string(3600), "60:00");
  EXPECT_EQ(create_time_string(5400), "90:00");
  EXPECT_EQ(create_time_string(-5), "-0:05");
  EXPECT_EQ(create_time_string(-90), "-1:30");
  EXPECT_EQ(create_time_string(-2147483647 - 1), "-35791394:08");
}

TEST(CreateTimeString, EveryLengthASegmentCanHoldReadsBackUnchanged) {
  for (std::int32_t seconds = -longest_length; seconds <= longest_length; ++seconds) {
    ASSERT_EQ(parse_length_field(create_time_string(seconds)), seconds);
  }
  EXPECT_EQ(parse_length_field("10000:00"), 1000 * 60);  // five minute digits read as four
}

}  // namespace
}  // namespace veltrim
