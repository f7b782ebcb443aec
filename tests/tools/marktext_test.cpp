// marktext's conversion (the library): the README-like fixture byte for byte,
// the cases the fixture does not hold, the size limit and repaired bytes. Random
// and pathological input is the fuzz target's, speed the benchmark's.
#include "tools/marktext/marktext.h"

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "tests/tools/gemtext_check.h"

namespace {

std::string read_fixture(const std::string& name) {
  std::ifstream in(std::string(TOOLS_FIXTURES) + "/" + name, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// Converts and expects well-formed success; the result with "\n" for CR LF so
// the expectations read as text.
std::string md(std::string_view input) {
  const marktext::Result r = marktext::convert(input);
  EXPECT_TRUE(r.ok) << r.error;
  EXPECT_TRUE(gemtext_check::well_formed(r.gemtext)) << r.gemtext;
  std::string out = r.gemtext;
  std::erase(out, '\r');
  return out;
}

TEST(Marktext, ReadmeFixtureGivesTheExactGemtext) {
  const std::string expected = read_fixture("readme.gmi");
  ASSERT_FALSE(expected.empty());
  const marktext::Result r = marktext::convert(read_fixture("readme.md"));
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.gemtext, expected);
}

// What the fixture does not show: edge cases of each construct.
TEST(Marktext, ConstructsBeyondTheFixture) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"## Two\n####### seven\n", "## Two\n\n ####### seven\n"},  // seven "#" are text: escaped
      {"#\n\n# \n", ""}, {"\n\n   \n\t\n", ""},
      {"a\r\nb\r\n\r\nc\rd\r", "a b\n\nc d\n"}, {"  lots   of\tspace  \n", "lots of space\n"},
      {"- # heading in item\n", "* heading in item\n"}, {"-\n- x\n", "* x\n"},
      {"- item\n  > quoted\n", "* item\n> * quoted\n"}, {"> > nested\n", "> nested\n"},
      {"```\n```\n", "```\n```\n"}, {"```\nunclosed\n", "```\nunclosed\n```\n"},
      {"```\ntab\there\n```\n", "```\ntab\there\n```\n"},
      {"- item\n\n  ```\n  code\n  ```\n", "* item\n```\ncode\n```\n"},
      {"[empty]()\n", "empty\n"}, {"[sp](<a b\tc>)\n", "sp\n=> a%20b%09c sp\n"},
      {"# [Linked](h) heading\n", "# Linked heading\n=> h Linked\n"},
      {"| h |\n|---|\n", "```\n| h |\n|---|\n```\n"},
      {"x <span class=\"a\">kept</span> y<br>z <!-- c --> w\n", "x kept y z w\n"},
      {"&#xD800; &#1114112; &nbsp; &ThickSpace;|\n", "\uFFFD \uFFFD \u00A0 \u205F\u200A|\n"},
      // Front matter: "..." closes it too; only at the very top, only when closed.
      {"---\r\na: 1\r\n...\r\ntext\r\n", "text\n"}, {"\xEF\xBB\xBF---\nx: 1\n---\nafter a BOM\n", "after a BOM\n"},
      {"---\nnever closed\n", "never closed\n"}, {"text\n\n---\na\n---\n", "text\n\n## a\n"},
      {"\\`\\`\\`x\n", " ```x\n"}, {"- #tag\n\n> #q\n", "* #tag\n\n> #q\n"},  // markers escaped where they would act
  };
  for (const auto& [input, expected] : cases) EXPECT_EQ(md(input), expected) << input;
}

// An opening "---" block is front matter only when all of it reads as YAML;
// otherwise it is a thematic break and every word after it stays.
TEST(Marktext, OnlyYamlBetweenTheFirstRulesIsFrontMatter) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      // Rules and setext headings: "Foo" used to go with the "front matter".
      {"---\nFoo\n---\nBar\n---\nBaz\n", "## Foo\n\n## Bar\n\nBaz\n"},
      // A real talk's front matter, with a comment, a list and a continuation, still goes.
      {"---\ntitle: My talk\n# draft\nauthor: Ada\ntags:\n  - pacing\n- keynote\nevent: \"Conf: 2026\"\n\n---\nHello\n",
       "Hello\n"},
      // Prose between the rules is the document's.
      {"---\nThis is prose, not YAML.\n---\nMore.\n", "## This is prose, not YAML.\n\nMore.\n"},
      {"---\n---\n---\n", ""},
  };
  for (const auto& [input, expected] : cases) EXPECT_EQ(md(input), expected) << input;
}

// Headings below level 3 keep their depth in the converter's output (the
// import decides segments with them, then lifts them); inside lists and
// quotes a heading is that container's text.
TEST(Marktext, DeepHeadingsKeepTheirLevelAndNestedOnesTheirContainer) {
  EXPECT_EQ(md("#### Four\n##### Five\n###### Six\n"), "#### Four\n\n##### Five\n\n###### Six\n");
  EXPECT_EQ(md("- #### in a list\n\n> ###### in a quote\n"), "* in a list\n\n> in a quote\n");
}

// ---------------------------------------------------------------- hostile input

// Binary input is refused through the executable (ConverterCli); the size limit
// is only looked at, so a view of one byte stands for the oversized input.
TEST(MarktextHostile, OversizedInputIsRefusedAndControlCharactersAreText) {
  static const char byte = 'a';
  const marktext::Result r = marktext::convert(std::string_view(&byte, marktext::max_input_bytes + 1));
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.error.find("larger than 256 MB"), std::string::npos) << r.error;
  EXPECT_TRUE(r.gemtext.empty());
  EXPECT_FALSE(marktext::looks_binary("plain text\twith tabs\r\n\f\x1B"));
}

TEST(MarktextHostile, NulInvalidUtf8AndUtf16AreRepaired) {
  std::string text = "A paragraph with a stray NUL ";
  text += '\0';
  text += " byte, and enough ordinary text around it to be a document.\n\n```\ncode";
  text += '\0';
  text += "\n```\n";
  EXPECT_EQ(md(text),
            "A paragraph with a stray NUL \uFFFD byte, and enough ordinary text around it to be a document.\n\n"
            "```\ncode\uFFFD\n```\n");
  EXPECT_EQ(md("caf\xE9 \xFF\xFE ok \xC3\xA9 \xED\xA0\x80 \xF4\x90\x80\x80 \xC0\xAF a\xE2\x82"),
            "caf\uFFFD \uFFFD\uFFFD ok \u00E9 \uFFFD\uFFFD\uFFFD "
            "\uFFFD\uFFFD\uFFFD\uFFFD \uFFFD\uFFFD a\uFFFD\uFFFD\n");
  const std::string le("\xFF\xFE#\0 \0H\0\xE9\0\n\0=\0>\0 \0\x3D\xD8\x00\xDE\n\0", 22);
  EXPECT_EQ(md(le), "# H\u00E9\n\n => \U0001F600\n");
  const std::string be("\xFE\xFF\0x\xD8\x00\0y", 8);  // an unpaired high surrogate
  EXPECT_EQ(md(be), "x\uFFFDy\n");
}

TEST(MarktextHostile, FiftyMegabyteFileConverts) {
  std::string input;
  input.reserve((std::size_t{50} << 20) + 4096);
  for (int n = 1; input.size() < (std::size_t{50} << 20); ++n)
    input += "# Section " + std::to_string(n) + " - 1:30\n\nSome *emphasis*, `code`, a [link](https://e.com/" +
             std::to_string(n) +
             ") &amp; more.\n\n- item\n  - nested\n1. first\n\n> quote\n\n```cpp\nint x;\n```\n\n"
             "| a | b |\n|---|--:|\n| 1 | 2 |\n\n<div>html</div>\n\n";
  const double start = gemtext_check::cpu_seconds();
  const marktext::Result r = marktext::convert(input);
  const double seconds = gemtext_check::cpu_seconds() - start;
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_GT(r.gemtext.size(), std::size_t{30} << 20);
  EXPECT_TRUE(gemtext_check::well_formed(r.gemtext));
  EXPECT_LT(seconds, 10.0 * gemtext_check::slowdown);  // about 0.7 s in a release build
}

std::string repeated(std::string_view piece, std::size_t times) {
  std::string s;
  s.reserve(piece.size() * times);
  for (std::size_t i = 0; i < times; ++i) s += piece;
  return s;
}

// Inputs built to hit known slow paths of Markdown parsers: each must finish
// quickly and give well-formed gemtext.
TEST(MarktextHostile, PathologicalInputsFinish) {
  const std::size_t n = 200000;
  std::string nested_lists, backticks, references, table = "|" + repeated("h|", 5000) + "\n|" + repeated("-|", 5000);
  for (std::size_t i = 0; i < 2000; ++i) nested_lists += std::string(i * 2, ' ') + "- item\n";
  for (std::size_t i = 1; i < 2000; ++i) backticks += std::string(i, '`') + "x";
  for (int i = 0; i < 20000; ++i) references += "[r" + std::to_string(i) + "]: /u\n";
  for (int i = 0; i < 20000; ++i) references += "[r" + std::to_string(i) + "] ";
  table += repeated("\n|" + repeated("c|", 5000), 50);
  // Random Markdown punctuation, and the same with any byte now and then.
  std::mt19937 rng(11);
  std::string random(2 * n, ' '), random_bytes(2 * n, ' ');
  for (char& c : random) c = "#*_-`[]()<>!&;:|\\ \n\tab1=~>+."[rng() % 28];
  for (char& c : random_bytes) c = rng() % 8 == 0 ? static_cast<char>(rng()) : "ab #*-`>|[]()\n\r\t<&;!"[rng() % 20];
  const std::vector<std::string> cases = {
      std::string(n, '>') + " deep\n", nested_lists, std::string(n, '[') + "a", std::string(n, ']') + "a",
      repeated("[a](", n / 4), repeated("*a _", n / 4), backticks, repeated("&#x1F6;&", n / 8), table,
      repeated("<a x='\n", n / 8), references, random, random_bytes};
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const double start = gemtext_check::cpu_seconds();
    const marktext::Result r = marktext::convert(cases[i]);
    EXPECT_TRUE(r.ok) << i << ": " << r.error;
    EXPECT_TRUE(gemtext_check::well_formed(r.gemtext)) << i;
    EXPECT_LT(gemtext_check::cpu_seconds() - start, 5.0 * gemtext_check::slowdown) << i;
  }
}

// md4c reads past the end of a document that stops inside a link destination.
// Here the document ends where readable memory ends, so such a read faults.
TEST(MarktextHostile, NothingBeyondTheInputIsRead) {
  const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  void* memory = mmap(nullptr, 2 * page, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  ASSERT_NE(memory, MAP_FAILED);
  char* const end = static_cast<char*>(memory) + page;
  ASSERT_EQ(mprotect(end, page, PROT_NONE), 0);
  for (const std::string_view document : {"[](", "[a](x", "![]("}) {
    char* const start = std::copy_backward(document.begin(), document.end(), end);
    const marktext::Result r = marktext::convert(std::string_view(start, document.size()));
    EXPECT_TRUE(r.ok && gemtext_check::well_formed(r.gemtext)) << document << ": " << r.error;
  }
  munmap(memory, 2 * page);
}

}  // namespace
