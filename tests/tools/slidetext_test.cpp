// slidetext's conversion (the library) on decks built here with libzip from small
// XML parts, on the committed deck written by LibreOffice Impress, and on
// hostile archives built to one purpose; random damage is the fuzz target's.
#include "tools/slidetext/slidetext.h"

#include <gtest/gtest.h>

#include <array>

#include "app/script/script_file.h"
#include "tests/tools/deck_builder.h"
#include "tests/tools/gemtext_check.h"

namespace {

using deck::para;
using deck::shape;
using deck::Slide;

std::string lf(std::string s) {
  std::erase(s, '\r');
  return s;
}

std::string repeated(const std::string& piece, int times) {
  std::string s;
  for (int i = 0; i < times; ++i) s += piece;
  return s;
}

slidetext::Result convert(const std::vector<deck::Part>& parts, slidetext::Options options = {}) {
  return slidetext::convert_memory(deck::zip_bytes(parts), options);
}

// Converts a deck and expects well-formed success; the text with "\n" line ends.
std::string text_of(const std::vector<Slide>& slides, bool notes = false) {
  slidetext::Options options;
  options.notes = notes;
  const slidetext::Result r = convert(deck::deck_parts(slides), options);
  EXPECT_TRUE(r.ok) << r.error;
  EXPECT_TRUE(gemtext_check::well_formed(r.gemtext)) << r.gemtext;
  return lf(r.gemtext);
}

// The headings as the program reads them: title and length in seconds.
std::vector<std::pair<std::string, int>> headings_of(const std::string& gemtext) {
  std::vector<std::pair<std::string, int>> headings;
  const veltrim::Script script = veltrim::parse_script(gemtext);
  for (const veltrim::Segment& segment : script.segments())
    headings.emplace_back(segment.title().value_or(""), segment.time());
  return headings;
}

std::string one_slide(const std::string& shapes) { return text_of({{"slide1.xml", deck::slide(shapes), ""}}); }

TEST(Slidetext, PresentationOrderHiddenSlidesTitlesAndNotes) {
  // File names and relationship ids run against the presentation order.
  const std::vector<Slide> slides = {
      {"slide3.xml", deck::slide(deck::title("First") + shape("obj", para("slide text"))),
       deck::notes(para("Say hello.") + para("") + para("Then the plan.", 0, 1), "42")},
      {"slide1.xml", deck::slide(deck::title("Hidden"), true), deck::notes(para("secret notes"))},
      {"slide10.xml", deck::slide(shape("", para("Only a text box"))), ""},
      {"slide2.xml", deck::slide(deck::title("   ") + shape("obj", para("blank title"))), ""},
  };
  EXPECT_EQ(text_of(slides),
            "# First - 0:15\n\n* slide text\n\n# Slide 3 - 0:15\n\nOnly a text box\n\n# Slide 4 - 0:15\n\n"
            "* blank title\n");
  EXPECT_EQ(text_of(slides, true),
            "# First - 0:15\n\nSay hello.\n* Then the plan.\n\n# Slide 3 - 0:15\n\n# Slide 4 - 0:15\n");
  EXPECT_EQ(text_of({}), "");
}

TEST(Slidetext, SlideTextParagraphsBulletsAndTables) {
  const std::string text_box = para("Text box") + para("Explicit bullet", 0, 1) + para("#1 priority") +
                               para("=> arrow") + para("```fence");
  EXPECT_EQ(one_slide(deck::title("Agenda", "ctrTitle") + shape("subTitle", para("Sub") + para("") + para("title")) +
                      shape("obj", para("Point") + para("Deep point", 4) + para("No bullet", 0, -1)) +
                      shape("body", para("Body")) + shape("", text_box) +
                      deck::table({{"Name", "Score"}, {"Ada", "10"}, {"Grace Hopper", "9"}}, true) +
                      shape("sldNum", para("12")) + shape("dt", para("2024-05-01")) + shape("ftr", para("Footer")) +
                      shape("", para("After the table"))),
            "# Agenda - 0:15\n\nSub\ntitle\n* Point\n* Deep point\nNo bullet\n* Body\nText box\n* Explicit bullet\n"
            " #1 priority\n => arrow\n ```fence\n\n```\n| Name         | Score |\n|--------------|-------|\n"
            "| Ada          | 10    |\n| Grace Hopper | 9     |\n```\n\nAfter the table\n");
  EXPECT_EQ(one_slide(deck::title("T") + deck::table({{"a", "<hmerge>", "c"}, {"日本", "x", ""}}, false)),
            "# T - 0:15\n\n```\n| a    |   | c |\n| 日本 | x |   |\n```\n");
}

TEST(Slidetext, LengthsAreEstimatedFromNotesOrElseSlideText) {
  const auto words = [](int n) { return repeated("word ", n); };
  const std::vector<Slide> slides = {
      // 227 words of notes: 1:44.8, rounded to 1:45; the slide text not counted.
      {"slide1.xml", deck::slide(deck::title("Results") + shape("obj", para(words(500)))),
       deck::notes(para(words(200)) + para(words(27)))},
      // No notes: title and text, 1 + 129 = 130 words, exactly one minute.
      {"slide2.xml", deck::slide(deck::title("Counted") + shape("obj", para(words(129)))), ""},
      // Notes without words fall back to the slide text: 65 words, 30 s.
      {"slide3.xml", deck::slide(deck::title("Fallback") + shape("obj", para(words(64)))), deck::notes(para("- * --"))},
  };
  for (const auto& [wpm, expected] :
       std::vector<std::pair<int, std::vector<int>>>{{130, {105, 60, 30}}, {65, {210, 120, 60}}}) {
    slidetext::Options options;
    options.wpm = wpm;
    const auto headings = headings_of(convert(deck::deck_parts(slides), options).gemtext);
    ASSERT_EQ(headings.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(headings[i].second, expected[i]) << wpm << " wpm, slide " << i;
  }
  // Quarter minutes, half up, at least 0:15, at most what Veltrim reads back (9999:45).
  for (const auto& [w, wpm, seconds] : std::vector<std::array<int, 3>>{
           {0, 130, 15}, {48, 130, 15}, {49, 130, 30}, {65, 52, 75}, {1, 8, 15}, {10000000, 1, 9999 * 60 + 45}})
    EXPECT_EQ(slidetext::estimate_seconds(w, wpm), seconds) << w << " words at " << wpm;
  EXPECT_EQ(slidetext::format_length(3600), "60:00");
  EXPECT_EQ(slidetext::count_words("  Hello, world - 42 \xE2\x80\x94 caf\xC3\xA9 *  "), 4u);
  EXPECT_EQ(slidetext::count_words("one\u00A0two\u2009three \U0001F600 \u2192 \u65E5\u672C"), 4u);
}

// A title holding " - ", or even something that looks like a length, comes back
// whole when the program reads the heading: slidetext's own length is always
// the last " - " of the line.
TEST(Slidetext, TitlesWithDashesAreNeverReadAsLengths) {
  const std::vector<std::string> titles = {"Q - A",   "Break - 10:00", "Intro - 2 MIN", "- 1:00",       "Ends with -",
                                           "A - - B", "-",             "Pause - 0:00",  "Line\tone\vtwo"};
  std::vector<Slide> slides;
  for (const std::string& title : titles)
    slides.push_back({"slide" + std::to_string(slides.size()) + ".xml", deck::slide(deck::title(title)), ""});
  const slidetext::Result r = convert(deck::deck_parts(slides));
  const auto headings = headings_of(r.gemtext);
  ASSERT_EQ(headings.size(), titles.size());
  for (std::size_t i = 0; i + 1 < titles.size(); ++i) EXPECT_EQ(headings[i], std::pair(titles[i], 15));
  EXPECT_EQ(headings.back().first, "Line one two") << "control characters become blanks";
  EXPECT_NE(lf(r.gemtext).find("# Break - 10:00 - 0:15\n"), std::string::npos);
}

TEST(Slidetext, RunsGroupsAndAlternateContentAreRead) {
  const std::string split_title =
      "<p:sp><p:nvSpPr><p:nvPr><p:ph type=\"title\"/></p:nvPr></p:nvSpPr><p:txBody><a:p><a:r><a:t>Split</a:t></a:r>"
      "<a:br/><a:r><a:t>in</a:t></a:r><a:r><a:t> </a:t></a:r><a:r><a:t>runs</a:t></a:r></a:p>" +
      para("too") + "</p:txBody></p:sp>";
  const std::string group =
      "<p:grpSp>" + shape("", para("in a group")) + "<p:grpSp>" + shape("", para("deeper")) + "</p:grpSp></p:grpSp>";
  const std::string alternate = "<mc:AlternateContent><mc:Choice>" + shape("", para("choice")) +
                                "</mc:Choice><mc:Fallback>" + shape("", para("fallback")) +
                                "</mc:Fallback></mc:AlternateContent>";
  EXPECT_EQ(one_slide(split_title + group + alternate + shape("", para("last"))),
            "# Split in runs too - 0:15\n\nin a group\ndeeper\nfallback\nlast\n");
}

TEST(Slidetext, OtherPrefixesAndRelationshipForms) {
  // Namespace prefixes are the writer's choice; relationship targets may be
  // absolute, hold "..", be percent-encoded or differ from the part's name in
  // case; without package relationships the usual main part is read.
  std::vector<deck::Part> parts = deck::deck_parts({{"slide 1.xml", deck::slide(deck::title("Spaced")), ""},
                                                    {"slide2.xml", deck::slide(deck::title("Rooted")), ""}});
  const auto replace = [](std::string& s, const std::string& from, const std::string& to) {
    for (std::size_t at = 0; (at = s.find(from, at)) != std::string::npos; at += to.size())
      s.replace(at, from.size(), to);
  };
  std::string& rels = deck::data_of(parts, "ppt/_rels/presentation.xml.rels");
  replace(rels, "\"slides/slide 1.xml\"", "\"./slides/../slides/slide%201.xml\"");
  replace(rels, "\"slides/slide2.xml\"", "\"/PPT/Slides/slide2.XML\"");
  std::string& presentation = deck::data_of(parts, "ppt/presentation.xml");
  for (const auto& [from, to] : {std::pair{"<p:", "<pml:"}, {"</p:", "</pml:"}, {"xmlns:p=", "xmlns:pml="},
                                 {"r:id=", "rel:id="}, {"xmlns:r=", "xmlns:rel="}})
    replace(presentation, from, to);
  deck::remove(parts, "_rels/.rels");
  const slidetext::Result r = convert(parts);
  EXPECT_EQ(lf(r.gemtext), "# Spaced - 0:15\n\n# Rooted - 0:15\n") << r.error;
  EXPECT_EQ(slidetext::resolve_target("a/b.xml", "../../../c%2"), "c%2");
}

TEST(Slidetext, RealDeckMadeByLibreOfficeImpress) {
  const std::string path = std::string(TOOLS_FIXTURES) + "/real-deck.pptx";
  const slidetext::Result text = slidetext::convert_file(path);
  EXPECT_TRUE(text.ok && text.warnings.empty()) << text.error;
  EXPECT_EQ(lf(text.gemtext),
            "# Pacing a talk - a field guide - 0:30\n\nAda Lovelace\nOpen Source Summit 2024\n\n"
            "# Why timing matters - 0:45\n\n* Audiences remember the end\n* so do not rush it\n"
            "* Overruns eat the questions\n\n"
            "# Results - 1:30\n\n```\n| Talk   | Overrun |\n| Before | 7 min   |\n| After  | 0 min   |\n```\n\n"
            "# Slide 5 - 0:15\n\nA slide without a title, only a text box.\n #hashtag => not a link\n\n"
            "# \u00DCberblick: na\u00EFve caf\u00E9 \u2013 \u65E5\u672C\u8A9E - 0:15\n\n"
            "* Gr\u00FC\u00DFe aus K\u00F6ln\n* Q - A - 1:00\n");
  slidetext::Options notes;
  notes.notes = true;
  const std::string spoken = lf(slidetext::convert_file(path, notes).gemtext);
  EXPECT_TRUE(spoken.starts_with("# Pacing a talk - a field guide - 0:30\n\nWelcome everyone. Introduce yourself"))
      << spoken;
  EXPECT_NE(spoken.find("budget of time, shown on the dial.\n\n# Why timing matters - 0:45\n"), std::string::npos);
  EXPECT_EQ(spoken.find("hidden slide"), std::string::npos);
}

// ---------------------------------------------------------------- hostile input

void expect_error(const slidetext::Result& r, const std::string& part_of_message) {
  EXPECT_FALSE(r.ok);
  EXPECT_TRUE(r.gemtext.empty());
  EXPECT_NE(r.error.find(part_of_message), std::string::npos) << r.error;
}

std::vector<deck::Part> small_deck() {
  return deck::deck_parts({{"slide1.xml", deck::slide(deck::title("T")), deck::notes(para("n"))}});
}

TEST(SlidetextHostile, NotAPresentationOrEncrypted) {
  expect_error(slidetext::convert_memory(""), "not a PowerPoint .pptx file");
  expect_error(convert({{"_rels/.rels", deck::relationships({{"rId1", "officeDocument", "word/document.xml"}})},
                        {"word/document.xml", "<w:document xmlns:w=\"x\"><w:body/></w:document>"}}),
               "not a PowerPoint presentation");
  expect_error(convert({{"hello.txt", "hi"}}), "not a PowerPoint presentation");
  // An encrypted part cannot be read without its password: an error naming it.
  std::vector<deck::Part> parts = small_deck();
  parts[1].encrypt = true;
  expect_error(convert(parts), parts[1].name);
}

TEST(SlidetextHostile, MalformedXmlIsAnErrorNamingThePart) {
  for (const std::string name : {"ppt/presentation.xml", "ppt/slides/slide1.xml", "_rels/.rels"}) {
    std::vector<deck::Part> parts = small_deck();
    std::string& data = deck::data_of(parts, name);
    data = data.substr(0, data.size() / 2) + "<<&";
    expect_error(convert(parts), name + ": malformed XML");
  }
  // "Billion laughs": no DTD entity is expanded.
  std::string laughs = "<!DOCTYPE p:sld [<!ENTITY l0 \"lol\">";
  for (int i = 1; i <= 9; ++i)
    laughs += "<!ENTITY l" + std::to_string(i) + " \"" + repeated("&l" + std::to_string(i - 1) + ";", 10) + "\">";
  const std::string slide = deck::slide(deck::title("&l9;")).substr(deck::xml_head.size());
  const slidetext::Result r = convert(deck::deck_parts({{"slide1.xml", laughs + "]>" + slide, ""}}));
  EXPECT_TRUE(r.ok || !r.error.empty());
  EXPECT_LT(r.gemtext.size(), std::size_t{1000});
}

// Parts a deck names but lacks are skipped with a warning (ConverterCli shows one
// through the executable); without the presentation's relationships nothing is left.
TEST(SlidetextHostile, MissingRelationshipsAreAnError) {
  std::vector<deck::Part> parts = small_deck();
  deck::remove(parts, "ppt/_rels/presentation.xml.rels");
  expect_error(convert(parts), "missing relationships");
}

std::vector<deck::Part> padded_deck(int slides, std::size_t blanks_each) {
  std::vector<Slide> list;
  for (int i = 1; i <= slides; ++i)
    list.push_back({"slide" + std::to_string(i) + ".xml",
                    deck::slide(std::string(blanks_each, ' ') + deck::title("S" + std::to_string(i))), ""});
  return deck::deck_parts(list);
}

// Zip bombs: small packed, large unpacked. A part above 64 MB is refused, and
// so are parts that each pass but add up to more than 256 MB.
TEST(SlidetextHostile, ZipBombsAreRefused) {
  std::string bytes = deck::zip_bytes(padded_deck(1, std::size_t{65} << 20));
  EXPECT_LT(bytes.size(), std::size_t{1} << 20);
  expect_error(slidetext::convert_memory(bytes), "larger than 64 MB");
  bytes = deck::zip_bytes(padded_deck(5, std::size_t{60} << 20));
  expect_error(slidetext::convert_memory(bytes), "more than 256 MB");
}

TEST(SlidetextHostile, DeepNestingAndBadBytes) {
  const int depth = 100000;
  EXPECT_EQ(one_slide(deck::title("Deep") + repeated("<p:grpSp>", depth) + shape("", para("bottom")) +
                      repeated("</p:grpSp>", depth)),
            "# Deep - 0:15\n\nbottom\n");
  EXPECT_EQ(one_slide(deck::title("Bad \xFF\xFE bytes") + shape("", para("tab\there") + para("\xC3\x28 broken"))),
            "# Bad \uFFFD\uFFFD bytes - 0:15\n\ntab here\n\uFFFD( broken\n");
}

}  // namespace
