// marktext's conversion (the library): the README-like fixture byte for byte,
// the cases the fixture does not hold, the size limit and repaired bytes. Random
// and pathological input is the fuzz target's, speed the benchmark's.
#include "tools/marktext/marktext.h"

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

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

// md4c must never be handed a buffer whose end it can run past: the document
// sits against a page nobody may read.
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
