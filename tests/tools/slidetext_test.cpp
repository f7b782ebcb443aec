// slidetext's conversion (the library) on decks built here with libzip from small
// XML parts, on the committed deck written by LibreOffice Impress, and on
// hostile archives.
#include "tools/slidetext/slidetext.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "tests/tools/deck_builder.h"
#include "tests/tools/gemtext_check.h"

namespace {

using deck::para;
using deck::shape;
using deck::Slide;

std::string crlf_to_lf(const std::string& s) {
  std::string out;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') continue;
    out += s[i];
  }
  return out;
}

slidetext::Result convert(const std::vector<deck::Part>& parts, slidetext::Options options = {}) {
  return slidetext::convert_memory(deck::zip_bytes(parts), options);
}

// Converts a deck and expects success; the text with "\n" line ends.
std::string text_of(const std::vector<deck::Part>& parts, slidetext::Options options = {}) {
  const slidetext::Result r = convert(parts, options);
  EXPECT_TRUE(r.ok) << r.error;
  EXPECT_TRUE(gemtext_check::well_formed(r.gemtext)) << r.gemtext;
  return crlf_to_lf(r.gemtext);
}

std::string words(int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += i ? " word" : "word";
  return s;
}

TEST(Slidetext, SlidesComeInPresentationOrderNotFileOrder) {
  const std::vector<Slide> slides = {
      {"slide3.xml", deck::slide(deck::title("First shown")), ""},
      {"slide1.xml", deck::slide(deck::title("Second shown")), ""},
      {"slide10.xml", deck::slide(deck::title("Third shown")), ""},
      {"slide2.xml", deck::slide(deck::title("Fourth shown")), ""},
  };
  EXPECT_EQ(text_of(deck::deck_parts(slides)),
            "# First shown - 0:15\n\n# Second shown - 0:15\n\n# Third shown - 0:15\n\n# Fourth shown - 0:15\n");
}

TEST(Slidetext, HiddenSlidesAreSkippedAndUntitledSlidesNumbered) {
  const std::vector<Slide> slides = {
      {"slide1.xml", deck::slide(deck::title("Shown")), ""},
      {"slide2.xml", deck::slide(deck::title("Hidden"), true), deck::notes(para("secret notes"))},
      {"slide3.xml", deck::slide(shape("", para("Only a text box"))), ""},
      {"slide4.xml", deck::slide(deck::title("   ") + shape("obj", para("blank title"))), ""},
  };
  EXPECT_EQ(text_of(deck::deck_parts(slides)),
            "# Shown - 0:15\n\n# Slide 3 - 0:15\n\nOnly a text box\n\n# Slide 4 - 0:15\n\n* blank title\n");
  slidetext::Options notes;
  notes.notes = true;
  EXPECT_EQ(text_of(deck::deck_parts(slides), notes), "# Shown - 0:15\n\n# Slide 3 - 0:15\n\n# Slide 4 - 0:15\n");
}

TEST(Slidetext, SlideTextParagraphsBulletsAndTables) {
  const std::string body =
      deck::title("Agenda", "ctrTitle") +
      shape("subTitle", para("A subtitle line") + para("") + para("Second subtitle line"), 3) +
      shape("obj", para("Point one") + para("Sub point", 1) + para("Deep point", 4) + para("No bullet", 0, -1), 4) +
      shape("body", para("Body placeholder"), 5) +
      shape("", para("Text box") + para("Explicit bullet", 0, 1) + para("#1 priority") + para("=> arrow") +
                    para("```fence"), 6) +
      deck::table({{"Name", "Score"}, {"Ada", "10"}, {"Grace Hopper", "9"}}, true) +
      shape("sldNum", para("12"), 7) + shape("dt", para("2024-05-01"), 8) + shape("ftr", para("Footer"), 9) +
      shape("", para("After the table"), 10);
  EXPECT_EQ(text_of(deck::deck_parts({{"slide1.xml", deck::slide(body), ""}})),
            "# Agenda - 0:15\n"  // 35 words
            "\n"
            "A subtitle line\n"
            "Second subtitle line\n"
            "* Point one\n"
            "* Sub point\n"
            "* Deep point\n"
            "No bullet\n"
            "* Body placeholder\n"
            "Text box\n"
            "* Explicit bullet\n"
            " #1 priority\n"
            " => arrow\n"
            " ```fence\n"
            "\n"
            "```\n"
            "| Name         | Score |\n"
            "|--------------|-------|\n"
            "| Ada          | 10    |\n"
            "| Grace Hopper | 9     |\n"
            "```\n"
            "\n"
            "After the table\n");
}

TEST(Slidetext, TablesWithoutHeaderAndWithMergedCells) {
  const std::string body = deck::title("T") + deck::table({{"a", "<hmerge>", "c"}, {"日本", "x", ""}}, false);
  EXPECT_EQ(text_of(deck::deck_parts({{"slide1.xml", deck::slide(body), ""}})),
            "# T - 0:15\n\n```\n| a    |   | c |\n| 日本 | x |   |\n```\n");
}

TEST(Slidetext, NotesBecomeTheBodyWithMinusN) {
  const std::vector<Slide> slides = {
      {"slide1.xml", deck::slide(deck::title("Intro") + shape("obj", para("slide text"))),
       deck::notes(para("Say hello.") + para("") + para("Then the plan.", 0, 1), "42")},
      {"slide2.xml", deck::slide(deck::title("No notes") + shape("obj", para("only slide text"))), ""},
  };
  slidetext::Options notes;
  notes.notes = true;
  EXPECT_EQ(text_of(deck::deck_parts(slides), notes),
            "# Intro - 0:15\n\nSay hello.\n* Then the plan.\n\n# No notes - 0:15\n");
  EXPECT_EQ(text_of(deck::deck_parts(slides)),
            "# Intro - 0:15\n\n* slide text\n\n# No notes - 0:15\n\n* only slide text\n");
}

TEST(Slidetext, LengthsAreEstimatedFromNotesOrElseSlideText) {
  const std::vector<Slide> slides = {
      // 227 words of notes: 227 / 130 min = 1:44.8, rounded to 1:45; the slide
      // text is not counted when there are notes.
      {"slide1.xml", deck::slide(deck::title("Results") + shape("obj", para(words(500)))),
       deck::notes(para(words(200)) + para(words(27)))},
      // No notes: title and text, 1 + 129 = 130 words, exactly one minute.
      {"slide2.xml", deck::slide(deck::title("Counted") + shape("obj", para(words(129)))), ""},
      // Notes without words fall back to the slide text too.
      {"slide3.xml", deck::slide(deck::title("Fallback") + shape("obj", para(words(64)))),
       deck::notes(para("  - * --  "))},
  };
  EXPECT_EQ(text_of(deck::deck_parts(slides)).substr(0, 20), "# Results - 1:45\n\n* ");
  const slidetext::Result r = convert(deck::deck_parts(slides));
  ASSERT_TRUE(r.ok);
  const auto headings = gemtext_check::segments(r.gemtext);
  ASSERT_EQ(headings.size(), 3u);
  EXPECT_EQ(headings[0].seconds, 105);
  EXPECT_EQ(headings[1].seconds, 60);
  EXPECT_EQ(headings[2].seconds, 30);  // 65 words: 30.0 s
  slidetext::Options slow;
  slow.wpm = 65;
  const auto slow_headings = gemtext_check::segments(convert(deck::deck_parts(slides), slow).gemtext);
  ASSERT_EQ(slow_headings.size(), 3u);
  EXPECT_EQ(slow_headings[0].seconds, 210);
  EXPECT_EQ(slow_headings[1].seconds, 120);
}

TEST(Slidetext, EstimateRounding) {
  using slidetext::estimate_seconds;
  EXPECT_EQ(estimate_seconds(0, 130), 15) << "at least 0:15";
  EXPECT_EQ(estimate_seconds(16, 130), 15);   // 7.4 s
  EXPECT_EQ(estimate_seconds(17, 130), 15);   // 7.8 s rounds up to 15
  EXPECT_EQ(estimate_seconds(48, 130), 15);   // 22.2 s
  EXPECT_EQ(estimate_seconds(49, 130), 30);   // 22.6 s
  EXPECT_EQ(estimate_seconds(130, 130), 60);
  EXPECT_EQ(estimate_seconds(227, 130), 105);
  EXPECT_EQ(estimate_seconds(13, 52), 15);    // 15 s exactly
  EXPECT_EQ(estimate_seconds(65, 52), 75);    // 75 s exactly
  EXPECT_EQ(estimate_seconds(1, 8), 15);      // 7.5 s: half rounds up
  EXPECT_EQ(estimate_seconds(10000000, 1), 99999 * 60) << "capped, never overflows";
  EXPECT_EQ(slidetext::format_length(105), "1:45");
  EXPECT_EQ(slidetext::format_length(15), "0:15");
  EXPECT_EQ(slidetext::format_length(3600), "60:00");
  EXPECT_EQ(slidetext::count_words("  Hello, world - 42 \xE2\x80\x94 caf\xC3\xA9 *  "), 4u);
  EXPECT_EQ(slidetext::count_words("one\u00A0two\u2009three \U0001F600 \u2192 \u65E5\u672C"), 4u);
}

// A title holding " - ", or even something that looks like a length, must come
// back whole when the program reads the heading: the estimate slidetext appends
// is always the last " - " of the line.
TEST(Slidetext, TitlesWithDashesAreNeverReadAsLengths) {
  const std::vector<std::string> titles = {
      "Q - A", "Break - 10:00", "Intro - 2 MIN", "- 1:00", "Ends with -", "A - - B", "-", "Pause - 0:00",
      "Line\tone\vtwo"};
  std::vector<Slide> slides;
  for (std::size_t i = 0; i < titles.size(); ++i)
    slides.push_back({"slide" + std::to_string(i + 1) + ".xml", deck::slide(deck::title(titles[i])), ""});
  const slidetext::Result r = convert(deck::deck_parts(slides));
  ASSERT_TRUE(r.ok) << r.error;
  const auto headings = gemtext_check::segments(r.gemtext);
  ASSERT_EQ(headings.size(), titles.size());
  for (std::size_t i = 0; i + 1 < titles.size(); ++i) {
    EXPECT_EQ(headings[i].title, titles[i]);
    EXPECT_EQ(headings[i].seconds, 15) << titles[i];
  }
  EXPECT_EQ(headings.back().title, "Line one two") << "control characters become blanks";
  EXPECT_NE(crlf_to_lf(r.gemtext).find("# Break - 10:00 - 0:15\n"), std::string::npos);
}

TEST(Slidetext, TitleLineBreaksAndRunsJoin) {
  const std::string title =
      "<p:sp><p:nvSpPr><p:cNvPr id=\"2\" name=\"T\"/><p:cNvSpPr/><p:nvPr><p:ph type=\"title\"/></p:nvPr>"
      "</p:nvSpPr><p:spPr/><p:txBody><a:bodyPr/><a:p><a:r><a:t>Split</a:t></a:r><a:br/><a:r><a:t>in"
      "</a:t></a:r><a:r><a:t> </a:t></a:r><a:r><a:t>runs</a:t></a:r></a:p><a:p><a:r><a:t>and "
      "paragraphs</a:t></a:r></a:p></p:txBody></p:sp>";
  EXPECT_EQ(text_of(deck::deck_parts({{"slide1.xml", deck::slide(title), ""}})),
            "# Split in runs and paragraphs - 0:15\n");
}

TEST(Slidetext, GroupsAndAlternateContentAreRead) {
  const std::string body =
      deck::title("Grouped") +
      "<p:grpSp><p:nvGrpSpPr><p:cNvPr id=\"5\" name=\"G\"/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr><p:grpSpPr/>" +
      shape("", para("in a group"), 6) +
      "<p:grpSp><p:nvGrpSpPr><p:cNvPr id=\"7\" name=\"G2\"/><p:cNvGrpSpPr/><p:nvPr/></p:nvGrpSpPr><p:grpSpPr/>" +
      shape("", para("deeper"), 8) +
      "</p:grpSp></p:grpSp>"
      "<mc:AlternateContent xmlns:mc=\"http://schemas.openxmlformats.org/markup-compatibility/2006\">"
      "<mc:Choice Requires=\"p14\">" +
      shape("", para("choice"), 9) + "</mc:Choice><mc:Fallback>" + shape("", para("fallback"), 10) +
      "</mc:Fallback></mc:AlternateContent>" + shape("", para("last"), 11);
  EXPECT_EQ(text_of(deck::deck_parts({{"slide1.xml", deck::slide(body), ""}})),
            "# Grouped - 0:15\n\nin a group\ndeeper\nfallback\nlast\n");
}

TEST(Slidetext, OtherPrefixesAndRelationshipForms) {
  // Namespace prefixes are the writer's choice; relationship targets may be
  // absolute, hold "..", or be percent-encoded.
  std::vector<deck::Part> parts = deck::deck_parts({
      {"slide 1.xml", deck::slide(deck::title("Spaced name")), ""},
      {"slide2.xml", deck::slide(deck::title("Absolute")), ""},
  });
  deck::Part* rels = deck::find(parts, "ppt/_rels/presentation.xml.rels");
  ASSERT_NE(rels, nullptr);
  const auto replace = [](std::string& s, const std::string& from, const std::string& to) {
    const std::size_t at = s.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    s.replace(at, from.size(), to);
  };
  replace(rels->data, "Target=\"slides/slide 1.xml\"", "Target=\"./slides/../slides/slide%201.xml\"");
  replace(rels->data, "Target=\"slides/slide2.xml\"", "Target=\"/ppt/slides/slide2.xml\"");
  deck::Part* pres = deck::find(parts, "ppt/presentation.xml");
  std::string& x = pres->data;
  for (std::size_t at; (at = x.find("p:")) != std::string::npos;) x.replace(at, 2, "pml:");
  for (std::size_t at; (at = x.find("xmlns:p=")) != std::string::npos;) x.replace(at, 8, "xmlns:pml=");
  for (std::size_t at; (at = x.find("r:id")) != std::string::npos;) x.replace(at, 4, "rel:id");
  replace(x, "xmlns:r=", "xmlns:rel=");
  EXPECT_EQ(text_of(parts), "# Spaced name - 0:15\n\n# Absolute - 0:15\n");

  EXPECT_EQ(slidetext::resolve_target("ppt/presentation.xml", "slides/slide1.xml"), "ppt/slides/slide1.xml");
  EXPECT_EQ(slidetext::resolve_target("ppt/slides/slide1.xml", "../notesSlides/n.xml"), "ppt/notesSlides/n.xml");
  EXPECT_EQ(slidetext::resolve_target("ppt/presentation.xml", "/ppt/x.xml"), "ppt/x.xml");
  EXPECT_EQ(slidetext::resolve_target("", "ppt/presentation.xml"), "ppt/presentation.xml");
  EXPECT_EQ(slidetext::resolve_target("a/b.xml", "../../../c.xml"), "c.xml");
  EXPECT_EQ(slidetext::resolve_target("a/b.xml", "c%2"), "a/c%2");
}

TEST(Slidetext, EmptyPresentationGivesEmptyOutput) {
  EXPECT_EQ(text_of(deck::deck_parts({})), "");
}

TEST(Slidetext, MissingPackageRelationshipsFallBackToTheUsualMainPart) {
  std::vector<deck::Part> parts = deck::deck_parts({{"slide1.xml", deck::slide(deck::title("Still found")), ""}});
  deck::remove(parts, "_rels/.rels");
  EXPECT_EQ(text_of(parts), "# Still found - 0:15\n");
}

TEST(Slidetext, RealDeckMadeByLibreOfficeImpress) {
  const std::string path = std::string(TOOLS_FIXTURES) + "/real-deck.pptx";
  const slidetext::Result text = slidetext::convert_file(path);
  ASSERT_TRUE(text.ok) << text.error;
  EXPECT_TRUE(text.warnings.empty());
  EXPECT_EQ(crlf_to_lf(text.gemtext),
            "# Pacing a talk - a field guide - 0:30\n"
            "\n"
            "Ada Lovelace\n"
            "Open Source Summit 2024\n"
            "\n"
            "# Why timing matters - 0:45\n"
            "\n"
            "* Audiences remember the end\n"
            "* so do not rush it\n"
            "* Overruns eat the questions\n"
            "\n"
            "# Results - 1:30\n"
            "\n"
            "```\n"
            "| Talk   | Overrun |\n"
            "| Before | 7 min   |\n"
            "| After  | 0 min   |\n"
            "```\n"
            "\n"
            "# Slide 5 - 0:15\n"
            "\n"
            "A slide without a title, only a text box.\n"
            " #hashtag => not a link\n"
            "\n"
            "# \u00DCberblick: na\u00EFve caf\u00E9 \u2013 \u65E5\u672C\u8A9E - 0:15\n"
            "\n"
            "* Gr\u00FC\u00DFe aus K\u00F6ln\n"
            "* Q - A - 1:00\n");
  slidetext::Options notes;
  notes.notes = true;
  const slidetext::Result spoken = slidetext::convert_file(path, notes);
  ASSERT_TRUE(spoken.ok) << spoken.error;
  const std::string lf = crlf_to_lf(spoken.gemtext);
  EXPECT_EQ(lf.substr(0, lf.find("\n\n# Why")),
            "# Pacing a talk - a field guide - 0:30\n\nWelcome everyone. Introduce yourself, then say in one "
            "sentence why pacing matters: a twenty minute slot is a promise to the audience and to the next "
            "speaker. Mention that the whole talk was rehearsed with Veltrim and that every slide has its own "
            "budget of time, shown on the dial.");
  EXPECT_EQ(lf.find("hidden slide"), std::string::npos);
  const auto headings = gemtext_check::segments(spoken.gemtext);
  ASSERT_EQ(headings.size(), 5u);
  EXPECT_EQ(headings[0].title, "Pacing a talk - a field guide");
  EXPECT_EQ(headings[0].seconds, 30);
  EXPECT_EQ(headings[2].title, "Results");
  EXPECT_EQ(headings[2].seconds, 90);
}

// ---------------------------------------------------------------- hostile input

void expect_error(const slidetext::Result& r, const std::string& part_of_message) {
  EXPECT_FALSE(r.ok);
  EXPECT_TRUE(r.gemtext.empty());
  EXPECT_NE(r.error.find(part_of_message), std::string::npos) << r.error;
}

TEST(SlidetextHostile, NotAZip) {
  expect_error(slidetext::convert_memory("# just some text\n"), "not a zip archive");
  expect_error(slidetext::convert_memory(""), "not a PowerPoint .pptx file");
  expect_error(slidetext::convert_memory(std::string(5000, '\0')), "not a zip archive");
  expect_error(slidetext::convert_file("/nonexistent/deck.pptx"), "No such file");
}

TEST(SlidetextHostile, TruncatedAndCorruptedArchives) {
  const std::string good =
      deck::zip_bytes(deck::deck_parts({{"slide1.xml", deck::slide(deck::title("T")), deck::notes(para("n"))}}));
  for (std::size_t cut : {good.size() / 4, good.size() / 2, good.size() - 30, good.size() - 1}) {
    const slidetext::Result r = slidetext::convert_memory(std::string_view(good).substr(0, cut));
    EXPECT_FALSE(r.ok) << cut;
    EXPECT_FALSE(r.error.empty());
  }
  // Flipped bytes all over: any result is fine but a crash or a hang.
  std::mt19937 rng(99);
  for (int round = 0; round < 200; ++round) {
    std::string bad = good;
    for (int k = 0; k < 8; ++k) bad[rng() % bad.size()] ^= static_cast<char>(1 + rng() % 255);
    const slidetext::Result r = slidetext::convert_memory(bad);
    if (r.ok) EXPECT_TRUE(gemtext_check::well_formed(r.gemtext));
    else EXPECT_FALSE(r.error.empty());
  }
}

TEST(SlidetextHostile, NotAPresentation) {
  std::vector<deck::Part> word = {
      {"_rels/.rels",
       "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\"><Relationship "
       "Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
       "Target=\"word/document.xml\"/></Relationships>"},
      {"word/document.xml", "<w:document xmlns:w=\"x\"><w:body/></w:document>"}};
  expect_error(convert(word), "not a PowerPoint presentation");
  expect_error(convert({{"hello.txt", "hi"}}), "not a PowerPoint presentation");
}

TEST(SlidetextHostile, MalformedXml) {
  const std::vector<Slide> slides = {{"slide1.xml", deck::slide(deck::title("T")), deck::notes(para("n"))}};
  for (const std::string name : {"ppt/presentation.xml", "ppt/_rels/presentation.xml.rels", "ppt/slides/slide1.xml",
                                 "ppt/slides/_rels/slide1.xml.rels", "ppt/notesSlides/notes_for_slide1.xml",
                                 "_rels/.rels"}) {
    std::vector<deck::Part> parts = deck::deck_parts(slides);
    deck::Part* part = deck::find(parts, name);
    ASSERT_NE(part, nullptr) << name;
    part->data = part->data.substr(0, part->data.size() / 2) + "<<&";
    expect_error(convert(parts), name + ": malformed XML");
  }
  std::vector<deck::Part> parts = deck::deck_parts(slides);
  deck::find(parts, "ppt/slides/slide1.xml")->data = "";
  expect_error(convert(parts), "malformed XML");
}

TEST(SlidetextHostile, EntityExpansionIsNotPerformed) {
  // "Billion laughs": pugixml reads no DTD entities, so nothing expands.
  std::string laughs = "<?xml version=\"1.0\"?>\n<!DOCTYPE lolz [<!ENTITY lol \"lol\">";
  laughs += "<!ENTITY lol1 \"&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;\">";
  for (int i = 2; i <= 9; ++i)
    laughs += "<!ENTITY lol" + std::to_string(i) + " \"" + [&] {
      std::string ten;
      for (int k = 0; k < 10; ++k) ten += "&lol" + std::to_string(i - 1) + ";";
      return ten;
    }() + "\">";
  laughs += "]>";
  std::string xml = deck::slide(deck::title("T"));
  xml.replace(0, xml.find("<p:sld"), laughs);
  const std::size_t at = xml.find("<a:t>T</a:t>");
  ASSERT_NE(at, std::string::npos);
  xml.replace(at, 12, "<a:t>&lol9;</a:t>");
  const slidetext::Result r = convert(deck::deck_parts({{"slide1.xml", xml, ""}}));
  EXPECT_TRUE(r.ok || !r.error.empty());
  EXPECT_LT(r.gemtext.size(), std::size_t{1000});
}

TEST(SlidetextHostile, MissingRelationships) {
  std::vector<deck::Part> parts = deck::deck_parts({{"slide1.xml", deck::slide(deck::title("T")), ""}});
  deck::remove(parts, "ppt/_rels/presentation.xml.rels");
  expect_error(convert(parts), "missing relationships");

  // A slide id without a relationship, a relationship to a missing part and a
  // slide listed twice are skipped with a warning; the rest converts.
  parts = deck::deck_parts({{"slide1.xml", deck::slide(deck::title("One")), ""},
                            {"slide2.xml", deck::slide(deck::title("Two")), deck::notes(para("notes"))}});
  deck::Part* pres = deck::find(parts, "ppt/presentation.xml");
  const std::size_t at = pres->data.find("</p:sldIdLst>");
  pres->data.insert(at,
                    "<p:sldId id=\"300\" r:id=\"rId404\"/><p:sldId id=\"301\" r:id=\"rId100\"/>"
                    "<p:sldId id=\"302\" r:id=\"rId500\"/><p:sldId id=\"303\"/>");
  deck::Part* rels = deck::find(parts, "ppt/_rels/presentation.xml.rels");
  rels->data.insert(rels->data.find("</Relationships>"),
                    "<Relationship Id=\"rId500\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/"
                    "relationships/slide\" Target=\"slides/gone.xml\"/>");
  deck::remove(parts, "ppt/slides/_rels/slide1.xml.rels");    // no slide relationships: no notes
  deck::remove(parts, "ppt/notesSlides/notes_for_slide2.xml");  // notes part missing
  const slidetext::Result r = convert(parts);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(crlf_to_lf(r.gemtext), "# One - 0:15\n\n# Two - 0:15\n");
  EXPECT_EQ(r.warnings.size(), 4u);
}

// A part whose inflated size passes the per-part limit is refused, at its real
// size: 65 MB of blanks inside a valid slide.
TEST(SlidetextHostile, ZipBombPartLargerThan64MegabytesIsRefused) {
  std::vector<deck::Part> parts = deck::deck_parts({{"slide1.xml", deck::slide(deck::title("T")), ""}});
  std::string& xml = deck::find(parts, "ppt/slides/slide1.xml")->data;
  xml.insert(xml.find("<p:cSld>"), std::string(std::size_t{65} << 20, ' '));
  const std::string bytes = deck::zip_bytes(parts);
  EXPECT_LT(bytes.size(), std::size_t{1} << 20) << "a bomb: small packed, large unpacked";
  expect_error(slidetext::convert_memory(bytes), "larger than 64 MB");
}

// Five slides of 60 MB each: every part passes, their sum does not.
TEST(SlidetextHostile, ZipBombTotalAbove256MegabytesIsRefused) {
  std::vector<Slide> slides;
  for (int i = 1; i <= 5; ++i) {
    std::string xml = deck::slide(deck::title("S" + std::to_string(i)));
    xml.insert(xml.find("<p:cSld>"), std::string(std::size_t{60} << 20, ' '));
    slides.push_back({"slide" + std::to_string(i) + ".xml", std::move(xml), ""});
  }
  std::vector<deck::Part> parts = deck::deck_parts(slides);
  slides.clear();
  const std::string bytes = deck::zip_bytes(parts);
  parts.clear();
  expect_error(slidetext::convert_memory(bytes), "more than 256 MB");
}

// The sizes an archive declares are not trusted: the central directory and local
// header are patched to claim a tiny part, yet the inflated bytes are counted.
TEST(SlidetextHostile, DeclaredSizesAreNotTrusted) {
  std::vector<deck::Part> parts = deck::deck_parts({{"slide1.xml", deck::slide(deck::title("T")), ""}});
  std::string& xml = deck::find(parts, "ppt/slides/slide1.xml")->data;
  xml.insert(xml.find("<p:cSld>"), std::string(std::size_t{3} << 20, ' '));
  const std::uint32_t real_size = static_cast<std::uint32_t>(xml.size());
  std::string bytes = deck::zip_bytes(parts);
  const std::string name = "ppt/slides/slide1.xml";
  int patched = 0;
  for (std::size_t at = 0; (at = bytes.find(name, at)) != std::string::npos; at += name.size()) {
    // Local header: the size sits 4 bytes before the name's length field (at
    // name - 4); central directory: likewise at name - 22 and name - 24.
    for (std::size_t offset : {std::size_t{8}, std::size_t{22}}) {
      if (at < offset) continue;
      std::uint32_t v;
      std::memcpy(&v, bytes.data() + at - offset, 4);
      if (v == real_size) {
        const std::uint32_t fake = 1000;
        std::memcpy(bytes.data() + at - offset, &fake, 4);
        ++patched;
      }
    }
  }
  ASSERT_GE(patched, 1);
  slidetext::Options small;
  small.limits.part_bytes = std::uint64_t{1} << 20;  // the inflated 3 MB must trip a 1 MB limit
  expect_error(slidetext::convert_memory(bytes, small), "larger than 1 MB");
}

TEST(SlidetextHostile, SmallLimitsAreHonoured) {
  const std::vector<deck::Part> parts = deck::deck_parts({{"slide1.xml", deck::slide(deck::title("T")), ""}});
  slidetext::Options tiny;
  tiny.limits.part_bytes = 100;
  expect_error(convert(parts, tiny), "larger than");
  slidetext::Options total;
  total.limits.total_bytes = 1000;
  expect_error(convert(parts, total), "add up to more than");
}

TEST(SlidetextHostile, DeepNestingAndManySlides) {
  std::string nested = deck::title("Deep");
  const int depth = 100000;
  for (int i = 0; i < depth; ++i) nested += "<p:grpSp>";
  nested += shape("", para("bottom"), 3);
  for (int i = 0; i < depth; ++i) nested += "</p:grpSp>";
  EXPECT_EQ(text_of(deck::deck_parts({{"slide1.xml", deck::slide(nested), ""}})), "# Deep - 0:15\n\nbottom\n");

  // 200,000 slide ids all naming one slide part: converted once, the rest skipped.
  std::vector<deck::Part> parts = deck::deck_parts({{"slide1.xml", deck::slide(deck::title("Once")), ""}});
  deck::Part* pres = deck::find(parts, "ppt/presentation.xml");
  std::string more;
  for (int i = 0; i < 200000; ++i) more += "<p:sldId r:id=\"rId100\"/>";
  pres->data.insert(pres->data.find("</p:sldIdLst>"), more);
  const double start = gemtext_check::cpu_seconds();
  const slidetext::Result r = convert(parts);
  EXPECT_LT(gemtext_check::cpu_seconds() - start, 5.0 * gemtext_check::slowdown);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(crlf_to_lf(r.gemtext), "# Once - 0:15\n");
}

TEST(SlidetextHostile, InvalidUtf8AndOddCharactersInText) {
  const std::string body = deck::title("Bad \xFF\xFE bytes") +
                           shape("", para("tab\there") + para("nul&#0;char") + para("ctl&#1;x") +
                                         para("\xC3\x28 broken"), 3);
  const std::string text = text_of(deck::deck_parts({{"slide1.xml", deck::slide(body), ""}}));
  EXPECT_TRUE(gemtext_check::valid_utf8(text));
  EXPECT_EQ(text.substr(0, text.find('\n')), "# Bad \uFFFD\uFFFD bytes - 0:15");
  EXPECT_NE(text.find("tab here\n"), std::string::npos);
  EXPECT_NE(text.find("\uFFFD( broken"), std::string::npos);
}

TEST(SlidetextHostile, UnreadableEntries) {
  // An encrypted slide part cannot be read without its password: a clean error
  // naming the part.
  std::vector<deck::Part> parts = deck::deck_parts({{"slide1.xml", deck::slide(deck::title("T")), ""}});
  deck::find(parts, "ppt/slides/slide1.xml")->encrypt = true;
  const slidetext::Result r = convert(parts);
  EXPECT_FALSE(r.ok);
  EXPECT_NE(r.error.find("ppt/slides/slide1.xml"), std::string::npos) << r.error;
}

}  // namespace
