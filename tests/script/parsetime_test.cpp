#include <gtest/gtest.h>

#include <string>

#include "app/script/parsetime.h"

namespace veltrim {
namespace {

// Lengths as people type them, read as the length box reads them.
TEST(Parsetime, ReadsEveryWrittenFormAndNeverOverflows) {
  const std::pair<std::string, std::int32_t> readings[] = {
      {"1:30", 90},        {"01:30", 90},       {"  1:30  ", 90},    {"1:30.9", 90},
      {"1:02:03", 3723},   {"::30", 30},        {":30", 30},         {"a:30", 30},
      {"5:", 300},         {"0:75", 75},        {"12345:00", 74040}, {"1:5", 65},
      {"1:305", 90},       {"90:00", 5400},     {"2m 30s", 150},     {"2 min 30 sec", 150},
      {"2 minutes 30 seconds", 150},            {"2 mins 30s", 150}, {"2m30s", 120},
      {"5 minutes", 300},  {"45s", 45},         {"45 s", 45},        {"45 secs", 45},
      {"1.5m", 90},        {"1.5 minutes", 90}, {"0.75 minutes", 45}, {"1.51m", 90},
      {"30.9s", 30},       {"90", 0},           {"", 0},             {"one hour", 0},
      {"min", 0},          {"x2m", 0},          {"   m", 0},         {"2,5m", 120},
      {"2 MIN 30 SEC", 150}, {"-1:30", -90},    {"-0:05", -5},       {"-2m", -120},
      // Only the first 32 characters are read.
      {std::string(29, ' ') + "2 min", 120},    {std::string(30, ' ') + "2 min", 0},
      {"1.0e30m", 2147483647},                  {"-1.0e30m", -2147483647 - 1},
      {"1.0e99m", 0},      {"99999999999m", 0}, {"nan.m", 0},
      {"9999:9999:99", 9999 * 3600 + 9999 * 60 + 99},
  };
  for (const auto& [text, seconds] : readings) EXPECT_EQ(parse_length_field(text), seconds) << '"' << text << '"';
}

TEST(CreateTimeString, WritesMinutesAndTwoDigitSecondsAndEveryLengthReadsBack) {
  const std::pair<std::int32_t, const char*> written[] = {
      {0, "0:00"},      {5, "0:05"},       {65, "1:05"},  {3600, "60:00"},
      {-5, "-0:05"},    {-90, "-1:30"},    {-2147483647 - 1, "-35791394:08"},
  };
  for (const auto& [seconds, text] : written) EXPECT_EQ(create_time_string(seconds), text);
  for (std::int32_t seconds = -longest_length; seconds <= longest_length; ++seconds) {
    ASSERT_EQ(parse_length_field(create_time_string(seconds)), seconds);
  }
  EXPECT_EQ(parse_length_field("10000:00"), 1000 * 60);  // five minute digits read as four
}

}  // namespace
}  // namespace veltrim
