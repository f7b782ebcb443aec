// Saving a script and reading it back must change nothing: after the first
// save, every further load and save writes the same bytes, so a file never
// grows or drifts however often it is opened and saved.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "app/script/script_file.h"

namespace veltrim {
namespace {

// Scripts as people write them and as they should not: headings with every
// form of length, links, fences, lists, raw bytes, all three line ends, and
// sometimes a last line without one.
class Script_generator {
 public:
  explicit Script_generator(unsigned seed) : random_(seed) {}

  std::string script() {
    std::string text;
    const int lines = pick(0, 60);
    for (int i = 0; i < lines; ++i) {
      text += line();
      if (i + 1 < lines || pick(1, 10) <= 7) text += one_of({"\n", "\r\n", "\r"});
    }
    return text;
  }

 private:
  int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  template <std::size_t n>
  std::string one_of(const char* const (&choices)[n]) {
    return choices[pick(0, static_cast<int>(n) - 1)];
  }
  std::string blanks() { return std::string(static_cast<std::size_t>(pick(0, 3)), ' '); }

  std::string words() {
    std::string text;
    for (int n = pick(0, 6); n > 0; --n) {
      text += one_of({"alpha", "beta", "-", " - ", "1:30", "soon", "x", "\t", "é", "2 min", "#", "=>", "```", "*", ">",
                      "0:00", "-0:30", "--", " ", "a-b"});
    }
    return text;
  }

  std::string heading() {
    std::string text = (pick(1, 5) == 1 ? "#" : "# ") + (words().empty() ? "T" : "Title " + words());
    if (pick(1, 4) > 1) {
      text += " - " + one_of({"1:30", "01:30", "0:00", "-1:30", "2 min", "45s", "soon", "", "0:75", "12345:00",
                              "1:02:03", "1.5m", "-0:05", "90", "-", "1:30  "});
    }
    return text + blanks();
  }

  std::string line() {
    switch (pick(0, 11)) {
      case 0:
      case 1: return heading();
      case 2: return one_of({"## ", "### ", "##"}) + words();
      case 3: return one_of({"=>", "=> ", "=>\t"}) + "gemini://example.org/" + words() + blanks();
      case 4: return one_of({"```", "```code", "```  "});
      case 5: return blanks();
      case 6: return one_of({"* ", "> ", "  "}) + words();
      case 7: {
        std::string bytes;
        for (int n = pick(1, 20); n > 0; --n) bytes += static_cast<char>(pick(0, 255));
        std::erase_if(bytes, [](char c) { return c == '\r' || c == '\n'; });
        return bytes;
      }
      default: return words() + blanks();
    }
  }

  std::mt19937 random_;
};

std::string load_and_save(std::string_view file_text) {
  Script script = parse_script(file_text);
  return script_text(script);
}

TEST(RoundTrip, LoadingAndSavingASavedScriptChangesNoByteNorAnyTitleOrLength) {
  for (unsigned seed = 1; seed <= 3000; ++seed) {
    const std::string input = Script_generator(seed).script();
    const std::string first = load_and_save(input);
    const std::string second = load_and_save(first);
    ASSERT_EQ(second, first) << "seed " << seed << ", input:\n" << input;
    ASSERT_EQ(load_and_save(second), second) << "seed " << seed;

    const Script loaded = parse_script(input);
    const Script again = parse_script(first);
    ASSERT_EQ(again.script_number_segments(), loaded.script_number_segments()) << "seed " << seed;
    for (std::int32_t i = 1; i <= loaded.script_number_segments(); ++i) {
      ASSERT_EQ(again.segment(i).title(), loaded.segment(i).title()) << "seed " << seed;
      ASSERT_EQ(again.segment(i).time(), loaded.segment(i).time()) << "seed " << seed;
    }
  }
}

}  // namespace
}  // namespace veltrim
