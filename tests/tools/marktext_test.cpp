// marktext's conversion (the library): the README-like fixture byte for byte, each
// construct on its own, and hostile input.
#include "tools/marktext/marktext.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "tests/tools/gemtext_check.h"
#include "tools/common/utf8.h"

namespace {

std::string read_fixture(const std::string& name) {
  std::ifstream in(std::string(TOOLS_FIXTURES) + "/" + name, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// Converts and expects success; the result written with "\n" for CR LF so the
// expectations read as text.
std::string md(std::string_view input) {
  const marktext::Result r = marktext::convert(input);
  EXPECT_TRUE(r.ok) << r.error;
  EXPECT_TRUE(gemtext_check::well_formed(r.gemtext)) << r.gemtext;
  std::string out;
  for (std::size_t i = 0; i < r.gemtext.size(); ++i) {
    if (r.gemtext[i] == '\r' && i + 1 < r.gemtext.size() && r.gemtext[i + 1] == '\n') continue;
    out += r.gemtext[i];
  }
  return out;
}

TEST(Marktext, ReadmeFixtureGivesTheExactGemtext) {
  const std::string input = read_fixture("readme.md");
  const std::string expected = read_fixture("readme.gmi");
  ASSERT_FALSE(input.empty());
  ASSERT_FALSE(expected.empty());
  const marktext::Result r = marktext::convert(input);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.gemtext, expected);
  EXPECT_TRUE(gemtext_check::well_formed(r.gemtext));
}

TEST(Marktext, EveryLineEndsInCrLf) {
  const marktext::Result r = marktext::convert("# A\n\ntext\n\n```\ncode\n```\n");
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.gemtext, "# A\r\n\r\ntext\r\n\r\n```\r\ncode\r\n```\r\n");
}

TEST(Marktext, HeadingsKeepLevelAndLength) {
  EXPECT_EQ(md("# Intro - 2:30\n## Two\n###### Six\n####### seven\n"),
            "# Intro - 2:30\n\n## Two\n\n###### Six\n\n ####### seven\n")
      << "seven # make a paragraph, escaped";
  EXPECT_EQ(md("Title\n=====\nSub\n---\n"), "# Title\n\n## Sub\n");
  EXPECT_EQ(md("# Multi *line*\nsetext\n===\n"), "# Multi line\n\n# setext\n");
  EXPECT_EQ(md("Two\nlines\n===\n"), "# Two lines\n");
  EXPECT_EQ(md("#\n\n# \n"), "") << "empty headings are dropped";
}

TEST(Marktext, ParagraphIsOneLine) {
  EXPECT_EQ(md("one\ntwo  \nthree\\\nfour\n"), "one two three four\n");
  EXPECT_EQ(md("a\r\nb\r\n\r\nc\rd\r"), "a b\n\nc d\n") << "CR LF and CR line ends";
  EXPECT_EQ(md("  lots   of\tspace  \n"), "lots of space\n");
}

TEST(Marktext, ListsFlattenAndKeepNumbers) {
  EXPECT_EQ(md("- a\n- b\n  - c\n    - d\n- e\n"), "* a\n* b\n* c\n* d\n* e\n");
  EXPECT_EQ(md("7. seven\n8. eight\n"), "* 7. seven\n* 8. eight\n");
  EXPECT_EQ(md("1) one\n   - inner\n2) two\n"), "* 1) one\n* inner\n* 2) two\n");
  EXPECT_EQ(md("- item\n\n  more\n"), "* item\n* more\n");
  EXPECT_EQ(md("- a\n\n\n- b\n"), "* a\n* b\n");
  EXPECT_EQ(md("- # heading in item\n"), "* heading in item\n");
  EXPECT_EQ(md("-\n- x\n"), "* x\n") << "an empty item gives no line";
}

TEST(Marktext, QuotesBecomeQuoteLines) {
  EXPECT_EQ(md("> a\nb\n\n> c\n>\n> d\n"), "> a b\n\n> c\n> d\n");
  EXPECT_EQ(md("> > nested\n"), "> nested\n");
  EXPECT_EQ(md("> - item\n> 2. two\n"), "> * item\n> * 2. two\n");
  EXPECT_EQ(md("- item\n  > quoted\n"), "* item\n> * quoted\n");
}

TEST(Marktext, CodeBlocks) {
  EXPECT_EQ(md("```python extra\nprint(1)\n\n  x\n```\n"), "```python extra\nprint(1)\n\n  x\n```\n");
  EXPECT_EQ(md("    indented\n      more\n"), "```\nindented\n  more\n```\n");
  EXPECT_EQ(md("```\n```\n"), "```\n```\n") << "empty code block";
  EXPECT_EQ(md("~~~\n```\n=> x\n# h\n~~~\n"), "```\n ```\n=> x\n# h\n```\n")
      << "a ``` line inside would end the block early";
  EXPECT_EQ(md("```\nunclosed\n"), "```\nunclosed\n```\n");
  EXPECT_EQ(md("```\ntab\there\n```\n"), "```\ntab\there\n```\n");
  EXPECT_EQ(md("- item\n\n  ```\n  code\n  ```\n"), "* item\n```\ncode\n```\n");
}

TEST(Marktext, LinksAndImagesAreListedAfterTheBlock) {
  EXPECT_EQ(md("See [the docs](https://x.org/d \"title\") and ![logo](l.png).\n"),
            "See the docs and logo.\n=> https://x.org/d the docs\n=> l.png logo\n");
  EXPECT_EQ(md("[a](u1)\n\n[b](u2)\n"), "a\n=> u1 a\n\nb\n=> u2 b\n");
  EXPECT_EQ(md("- [x](u1)\n- [y](u2)\n\nafter\n"), "* x\n* y\n=> u1 x\n=> u2 y\n\nafter\n");
  EXPECT_EQ(md("<https://a.b/c>\n"), "https://a.b/c\n=> https://a.b/c\n");
  EXPECT_EQ(md("[empty]()\n"), "empty\n") << "no target, no link line";
  EXPECT_EQ(md("[sp](<a b\tc>)\n"), "sp\n=> a%20b%09c sp\n");
  EXPECT_EQ(md("[x](/u?a=1&amp;b=&#50;)\n"), "x\n=> /u?a=1&b=2 x\n");
  EXPECT_EQ(md("# [Linked](h) heading\n"), "# Linked heading\n=> h Linked\n");
  EXPECT_EQ(md("[![alt *em*](img.png)](target)\n"), "alt em\n=> img.png alt em\n=> target alt em\n");
}

TEST(Marktext, TablesBecomeAlignedPreformattedBlocks) {
  EXPECT_EQ(md("| a | bb | c |\n|:--|:--:|--:|\n| longer | x | 1 |\n| y | | 22 |\n"),
            "```\n"
            "| a      | bb |  c |\n"
            "|--------|----|----|\n"
            "| longer | x  |  1 |\n"
            "| y      |    | 22 |\n"
            "```\n");
  EXPECT_EQ(md("| h |\n|---|\n"), "```\n| h |\n|---|\n```\n") << "a header-only table";
  EXPECT_EQ(md("| 日本 | é |\n|---|---|\n| x | y |\n"),
            "```\n| 日本 | é |\n|------|---|\n| x    | y |\n```\n")
      << "wide characters take two columns";
}

TEST(Marktext, HtmlBlocksDroppedInlineHtmlKeepsText) {
  EXPECT_EQ(md("<div>\nhidden *text*\n</div>\n\nshown\n"), "shown\n");
  EXPECT_EQ(md("<!-- comment -->\n\nx <span class=\"a\">kept</span> y<br>z <!-- c --> w\n"),
            "x kept y z w\n");
}

TEST(Marktext, EntitiesAreDecoded) {
  EXPECT_EQ(md("&amp; &lt; &copy; &ThickSpace;| &#65; &#x1F600; &#0; &#xD800; &bogus;\n"),
            "& < \u00A9 \u205F\u200A| A \U0001F600 \uFFFD \uFFFD &bogus;\n");
  EXPECT_EQ(marktext::decode_entity("&nbsp;"), "\u00A0");
  EXPECT_EQ(marktext::decode_entity("&#1114112;"), "\uFFFD");
  EXPECT_EQ(marktext::decode_entity("&nope;"), "&nope;");
}

TEST(Marktext, FrontMatterIsSkipped) {
  EXPECT_EQ(md("---\ntitle: x\n---\n# Body\n"), "# Body\n");
  EXPECT_EQ(md("---\r\na: 1\r\n...\r\ntext\r\n"), "text\n");
  EXPECT_EQ(md("---  \nkey: v\n---\t\n\npara\n"), "para\n");
  EXPECT_EQ(marktext::front_matter_length("---\nnever closed\n"), 0u);
  EXPECT_EQ(marktext::front_matter_length("---"), 0u);
  EXPECT_EQ(marktext::front_matter_length("text\n---\na\n---\n"), 0u) << "only at the very top";
  EXPECT_EQ(marktext::front_matter_length("---\n---\nrest"), 8u);
  EXPECT_EQ(md("\xEF\xBB\xBF---\nx: 1\n---\nafter a BOM\n"), "after a BOM\n");
}

TEST(Marktext, TextThatWouldReadAsMarkersIsEscaped) {
  EXPECT_EQ(md("#tag\n\n\\# escaped\n\n=> x y\n\n\\`\\`\\`x\n"), " #tag\n\n # escaped\n\n => x y\n\n ```x\n");
  EXPECT_EQ(md("- #tag\n\n> #q\n"), "* #tag\n\n> #q\n") << "prefixed lines are safe";
  EXPECT_EQ(md("\\* not a list\n"), "* not a list\n");
}

TEST(Marktext, ThematicBreaksAreDropped) { EXPECT_EQ(md("a\n\n---\n\nb\n\n***\n"), "a\n\nb\n"); }

TEST(Marktext, EmptyAndBlankInput) {
  EXPECT_EQ(md(""), "");
  EXPECT_EQ(md("\n\n   \n\t\n"), "");
  EXPECT_EQ(md("[ref]: http://x\n"), "");
}

// ---------------------------------------------------------------- hostile input

TEST(MarktextHostile, BinaryIsRefused) {
  std::string png = "\x89PNG\r\n\x1a\n";
  png += std::string("\0\0\0\rIHDR\0\0\x01\0\0\0\x01\0\x08\x06\0\0\0", 21);
  std::mt19937 rng(7);
  for (int i = 0; i < 4000; ++i) png += static_cast<char>(rng() & 0xFF);
  const marktext::Result r = marktext::convert(png);
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.error.find("not a text file"), std::string::npos) << r.error;
  EXPECT_TRUE(r.gemtext.empty());
  EXPECT_TRUE(marktext::looks_binary(std::string(100, '\0')));
  EXPECT_FALSE(marktext::looks_binary("plain text\twith tabs\r\n\f"));
}

TEST(MarktextHostile, StrayNulBytesBecomeReplacementCharacters) {
  std::string text = "# Title\n\nA paragraph with a stray NUL ";
  text += '\0';
  text += " byte in it, and enough ordinary text around it to be a document.\n\n```\ncode";
  text += '\0';
  text += "\n```\n";
  EXPECT_EQ(md(text),
            "# Title\n\nA paragraph with a stray NUL \uFFFD byte in it, and enough ordinary text "
            "around it to be a document.\n\n```\ncode\uFFFD\n```\n");
}

TEST(MarktextHostile, InvalidUtf8IsReplaced) {
  EXPECT_EQ(md("caf\xE9 \xFF\xFE ok \xC3\xA9 \xED\xA0\x80 \xF4\x90\x80\x80 \xC0\xAF end\n"),
            "caf\uFFFD \uFFFD\uFFFD ok \u00E9 \uFFFD\uFFFD\uFFFD \uFFFD\uFFFD\uFFFD\uFFFD \uFFFD\uFFFD end\n");
  EXPECT_EQ(tools::to_valid_utf8("a\xE2\x82"), "a\uFFFD\uFFFD") << "truncated at the end";
  EXPECT_EQ(md("| \xFF |\n|---|\n"), "```\n| \uFFFD |\n|---|\n```\n");
}

TEST(MarktextHostile, Utf16WithByteOrderMarkIsConverted) {
  const std::string le("\xFF\xFE#\0 \0H\0\xE9\0\n\0=\0>\0 \0\x3D\xD8\x00\xDE\n\0", 22);
  EXPECT_EQ(md(le), "# H\u00E9\n\n => \U0001F600\n");
  const std::string be("\xFE\xFF\0x\xD8\x00\0y", 8);  // unpaired high surrogate
  EXPECT_EQ(md(be), "x\uFFFDy\n");
}

TEST(MarktextHostile, TooLargeInputIsRefused) {
  // Only the size is looked at, so a view past the limit needs no real memory.
  static const char byte = 'a';
  const std::string_view huge(&byte, marktext::max_input_bytes + 1);
  const marktext::Result r = marktext::convert(huge);
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.error.find("larger than"), std::string::npos);
}

// Realistic Markdown of about the given size, every construct in it.
std::string generated_markdown(std::size_t bytes) {
  std::string md;
  md.reserve(bytes + 4096);
  for (int n = 1; md.size() < bytes; ++n) {
    md += "# Section " + std::to_string(n) + " - 1:30\n\n";
    md += "Some *emphasis*, **strong** text, `code`, a [link](https://example.com/" +
          std::to_string(n) + ") and &amp; entities &#x2192; here.\nA second line of the same paragraph.\n\n";
    md += "- item one\n- item two\n  - nested [x](y)\n1. first\n2. second\n\n";
    md += "> quoted text\n> more\n\n```cpp\nint main() { return " + std::to_string(n) + "; }\n```\n\n";
    md += "| a | b |\n|---|--:|\n| 1 | 2 |\n| three | 4 |\n\n<div>html</div>\n\n";
  }
  return md;
}

TEST(MarktextHostile, FiftyMegabyteFileConvertsInReasonableTime) {
  const std::string input = generated_markdown(std::size_t{50} << 20);
  const double start = gemtext_check::cpu_seconds();
  const marktext::Result r = marktext::convert(input);
  const double seconds = gemtext_check::cpu_seconds() - start;
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_GT(r.gemtext.size(), std::size_t{30} << 20);
  EXPECT_TRUE(gemtext_check::well_formed(r.gemtext));
  // About 0.7 s of processor time in a release build, 10 s under the sanitizers.
  EXPECT_LT(seconds, 10.0 * gemtext_check::slowdown);
  RecordProperty("seconds", std::to_string(seconds));
}

// Inputs built to hit known slow paths of Markdown parsers: each must finish
// quickly and give well-formed gemtext.
TEST(MarktextHostile, PathologicalInputsFinish) {
  const std::size_t n = 200000;
  std::vector<std::pair<std::string, std::string>> cases;
  cases.emplace_back("nested quotes", std::string(n, '>') + " deep\n");
  {
    std::string s;
    for (std::size_t i = 0; i < 2000; ++i) s += std::string(i * 2, ' ') + "- item\n";
    cases.emplace_back("nested lists", s);
  }
  cases.emplace_back("open brackets", std::string(n, '[') + "a");
  cases.emplace_back("closing brackets", std::string(n, ']') + "a");
  cases.emplace_back("link openers", [&] {
    std::string s;
    for (std::size_t i = 0; i < n / 4; ++i) s += "[a](";
    return s;
  }());
  cases.emplace_back("emphasis", [&] {
    std::string s;
    for (std::size_t i = 0; i < n / 4; ++i) s += "*a _";
    return s;
  }());
  cases.emplace_back("backticks", [&] {
    std::string s;
    for (std::size_t i = 1; i < 2000; ++i) s += std::string(i, '`') + "x";
    return s;
  }());
  cases.emplace_back("entities", [&] {
    std::string s;
    for (std::size_t i = 0; i < n / 8; ++i) s += "&#x1F6;&";
    return s;
  }());
  cases.emplace_back("table columns", [&] {
    std::string head = "|", sep = "|", row = "|";
    for (int i = 0; i < 5000; ++i) {
      head += "h|";
      sep += "-|";
      row += "c|";
    }
    std::string s = head + "\n" + sep + "\n";
    for (int i = 0; i < 50; ++i) s += row + "\n";
    return s;
  }());
  cases.emplace_back("html tags", [&] {
    std::string s;
    for (std::size_t i = 0; i < n / 8; ++i) s += "<a x='\n";
    return s;
  }());
  cases.emplace_back("link references", [&] {
    std::string s;
    for (int i = 0; i < 20000; ++i) s += "[r" + std::to_string(i) + "]: /u\n";
    for (int i = 0; i < 20000; ++i) s += "[r" + std::to_string(i) + "] ";
    return s;
  }());
  cases.emplace_back("random printable", [&] {
    std::mt19937 rng(11);
    const std::string alphabet = "#*_-`[]()<>!&;:|\\ \n\tab1=~>+.";
    std::string s;
    for (std::size_t i = 0; i < 2 * n; ++i) s += alphabet[rng() % alphabet.size()];
    return s;
  }());
  for (const auto& [name, input] : cases) {
    const double start = gemtext_check::cpu_seconds();
    const marktext::Result r = marktext::convert(input);
    const double seconds = gemtext_check::cpu_seconds() - start;
    EXPECT_TRUE(r.ok) << name << ": " << r.error;
    EXPECT_TRUE(gemtext_check::well_formed(r.gemtext)) << name;
    EXPECT_LT(seconds, 5.0 * gemtext_check::slowdown) << name;
  }
}

TEST(MarktextHostile, RandomBytesNeverCrash) {
  std::mt19937 rng(1234);
  for (int round = 0; round < 300; ++round) {
    std::string s(rng() % 3000, '\0');
    for (char& c : s) {
      const unsigned v = rng();
      static constexpr std::string_view alphabet = "ab #*-`>|[]()\n\r\t<&;!";
      c = static_cast<char>(v % 4 == 0 ? v >> 8 : alphabet[(v >> 8) % alphabet.size()]);
    }
    const marktext::Result r = marktext::convert(s);
    if (r.ok) {
      EXPECT_TRUE(gemtext_check::well_formed(r.gemtext));
    } else {
      EXPECT_FALSE(r.error.empty());
    }
  }
}

}  // namespace
