#include "tools/slidetext/slidetext.h"

#include <zip.h>

#include <pugixml.hpp>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <new>
#include <optional>
#include <set>
#include <unordered_map>

#include "tools/common/gemtext_line.h"
#include "tools/common/text_table.h"
#include "tools/common/utf8.h"

namespace slidetext {
namespace {

using tools::crlf;
using tools::normalize_inline;

// A text line that would read as a gemtext marker gets one leading blank.
void append_escaped_text_line(std::string& out, std::string_view text) {
  if (tools::reads_as_marker(text)) out += ' ';
  out += text;
}

// ---------------------------------------------------------------- XML helpers

// The element name without its namespace prefix: generators choose prefixes
// freely, so elements are matched by local name.
std::string_view local_name(const pugi::xml_node& node) {
  const std::string_view name = node.name();
  const std::size_t colon = name.rfind(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

pugi::xml_node child(const pugi::xml_node& node, std::string_view local) {
  for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling())
    if (c.type() == pugi::node_element && local_name(c) == local) return c;
  return {};
}

// An attribute by local name ("r:id" is found as "id" with a prefix).
pugi::xml_attribute prefixed_attribute(const pugi::xml_node& node, std::string_view local) {
  for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute()) {
    const std::string_view name = a.name();
    const std::size_t colon = name.rfind(':');
    if (colon != std::string_view::npos && name.substr(colon + 1) == local) return a;
  }
  return {};
}

// ---------------------------------------------------------------- content model

struct Block {
  bool table = false;
  bool bullet = false;
  std::string text;                            // a line
  tools::TableRows rows;                       // a table
  bool header = false;                         // the table's first row is a header
};

struct SlideContent {
  std::string title;
  std::vector<Block> body;
};

std::string paragraph_text(const pugi::xml_node& p) {
  std::string text;
  for (pugi::xml_node c = p.first_child(); c; c = c.next_sibling()) {
    const std::string_view name = local_name(c);
    if (name == "r" || name == "fld") {
      text += child(c, "t").text().get();
    } else if (name == "br") {
      text += ' ';
    }
  }
  return normalize_inline(text);
}

enum class BulletDefault { none, bullets };

void add_paragraphs(const pugi::xml_node& tx_body, BulletDefault fallback, std::vector<Block>& out) {
  for (pugi::xml_node p = tx_body.first_child(); p; p = p.next_sibling()) {
    if (local_name(p) != "p") continue;
    std::string text = paragraph_text(p);
    if (text.empty()) continue;
    bool bullet = fallback == BulletDefault::bullets;
    if (pugi::xml_node ppr = child(p, "pPr")) {
      if (child(ppr, "buNone"))
        bullet = false;
      else if (child(ppr, "buChar") || child(ppr, "buAutoNum") || child(ppr, "buBlip"))
        bullet = true;
    }
    Block block;
    block.bullet = bullet;
    block.text = std::move(text);
    out.push_back(std::move(block));
  }
}

void add_table(const pugi::xml_node& tbl, std::vector<Block>& out) {
  Block block;
  block.table = true;
  if (pugi::xml_node pr = child(tbl, "tblPr"))
    block.header = pr.attribute("firstRow").as_bool();
  for (pugi::xml_node tr = tbl.first_child(); tr; tr = tr.next_sibling()) {
    if (local_name(tr) != "tr") continue;
    std::vector<std::string> row;
    for (pugi::xml_node tc = tr.first_child(); tc; tc = tc.next_sibling()) {
      if (local_name(tc) != "tc") continue;
      std::string cell;
      // A cell covered by a merge repeats nothing.
      if (!tc.attribute("hMerge").as_bool() && !tc.attribute("vMerge").as_bool()) {
        if (pugi::xml_node body = child(tc, "txBody")) {
          for (pugi::xml_node p = body.first_child(); p; p = p.next_sibling()) {
            if (local_name(p) != "p") continue;
            std::string t = paragraph_text(p);
            if (t.empty()) continue;
            if (!cell.empty()) cell += ' ';
            cell += t;
          }
        }
      }
      row.push_back(std::move(cell));
    }
    block.rows.push_back(std::move(row));
  }
  if (!block.rows.empty()) out.push_back(std::move(block));
}

// The placeholder type of a shape ("" for none, "obj" for a typeless one).
std::string_view placeholder_type(const pugi::xml_node& shape, bool& is_placeholder) {
  is_placeholder = false;
  for (pugi::xml_node nv = shape.first_child(); nv; nv = nv.next_sibling()) {
    const std::string_view name = local_name(nv);
    if (name != "nvSpPr" && name != "nvGraphicFramePr") continue;
    if (pugi::xml_node ph = child(child(nv, "nvPr"), "ph")) {
      is_placeholder = true;
      const char* type = ph.attribute("type").value();
      return *type ? std::string_view(type) : std::string_view("obj");
    }
  }
  return {};
}

// Walks a shape tree in document order without recursion (groups may nest to any
// depth in hostile input), calling visit(shape) for every p:sp and p:graphicFrame.
template <typename Visit>
void walk_shapes(const pugi::xml_node& sp_tree, Visit&& visit) {
  std::vector<pugi::xml_node> parents;
  pugi::xml_node node = sp_tree.first_child();
  while (node || !parents.empty()) {
    if (!node) {
      node = parents.back().next_sibling();
      parents.pop_back();
      continue;
    }
    const std::string_view name = local_name(node);
    if (name == "grpSp") {
      parents.push_back(node);
      node = node.first_child();
      continue;
    }
    if (name == "AlternateContent") {
      // Markup compatibility: take the fallback, which every reader understands.
      pugi::xml_node chosen = child(node, "Fallback");
      if (!chosen) chosen = child(node, "Choice");
      if (chosen) {
        parents.push_back(node);
        node = chosen.first_child();
        continue;
      }
    }
    if (name == "sp" || name == "graphicFrame") visit(node);
    node = node.next_sibling();
  }
}

pugi::xml_node shape_tree(const pugi::xml_document& doc) {
  return child(child(doc.document_element(), "cSld"), "spTree");
}

SlideContent slide_content(const pugi::xml_document& doc) {
  SlideContent content;
  bool have_title = false;
  walk_shapes(shape_tree(doc), [&](const pugi::xml_node& shape) {
    bool is_placeholder = false;
    const std::string_view type = placeholder_type(shape, is_placeholder);
    if (type == "sldNum" || type == "dt" || type == "ftr" || type == "hdr" || type == "sldImg")
      return;
    if (local_name(shape) == "graphicFrame") {
      if (pugi::xml_node tbl = child(child(child(shape, "graphic"), "graphicData"), "tbl"))
        add_table(tbl, content.body);
      return;
    }
    pugi::xml_node tx_body = child(shape, "txBody");
    if (!tx_body) return;
    if (!have_title && (type == "title" || type == "ctrTitle")) {
      std::vector<Block> lines;
      add_paragraphs(tx_body, BulletDefault::none, lines);
      std::string title;
      for (const Block& b : lines) {
        if (!title.empty()) title += ' ';
        title += b.text;
      }
      if (!title.empty()) {
        content.title = std::move(title);
        have_title = true;
      }
      return;
    }
    // Body and content placeholders are bulleted unless a paragraph says
    // otherwise (their master's list style); text boxes, subtitles and other
    // shapes only where a paragraph asks for a bullet.
    const bool bulleted = is_placeholder && (type == "body" || type == "obj");
    add_paragraphs(tx_body, bulleted ? BulletDefault::bullets : BulletDefault::none, content.body);
  });
  return content;
}

std::vector<Block> notes_content(const pugi::xml_document& doc) {
  std::vector<Block> body;
  walk_shapes(shape_tree(doc), [&](const pugi::xml_node& shape) {
    bool is_placeholder = false;
    const std::string_view type = placeholder_type(shape, is_placeholder);
    if (!is_placeholder || type != "body") return;  // not the slide image, number, header...
    if (pugi::xml_node tx_body = child(shape, "txBody"))
      add_paragraphs(tx_body, BulletDefault::none, body);
  });
  return body;
}

std::size_t count_block_words(const std::vector<Block>& blocks) {
  std::size_t words = 0;
  for (const Block& b : blocks) {
    if (!b.table) {
      words += count_words(b.text);
      continue;
    }
    for (const auto& row : b.rows)
      for (const auto& cell : row) words += count_words(cell);
  }
  return words;
}

// ---------------------------------------------------------------- gemtext output

void emit_body(std::string& out, const std::vector<Block>& body) {
  bool after_table = false;
  for (std::size_t i = 0; i < body.size(); ++i) {
    const Block& b = body[i];
    if (b.table) {
      if (i > 0) out += crlf;  // a blank line around a table
      tools::append_table(out, b.rows, {}, b.header && b.rows.size() > 1 ? 1 : 0);
      after_table = true;
      continue;
    }
    if (after_table) out += crlf;
    after_table = false;
    if (b.bullet) {
      out += "* ";
      out += b.text;
    } else {
      append_escaped_text_line(out, b.text);
    }
    out += crlf;
  }
}

// The heading line. The program reads a heading's length from the text after the
// LAST " - " of the line, so by always ending the line with
// " - M:SS" slidetext makes its own separator the last one: a title that holds
// " - " ("Q - A") or even looks like a length ("Break - 10:00") stays the title,
// whole. The title is one line (breaks and control characters made blanks, never
// empty: "Slide N"), so the heading cannot spill onto a second line.
void write_heading(std::string& out, std::string_view title, int seconds) {
  out += "# ";
  out += title;
  out += " - ";
  out += format_length(seconds);
  out += crlf;
}

// ---------------------------------------------------------------- the package

struct ZipCloser {
  void operator()(zip_t* z) const { zip_discard(z); }
};

class Package {
 public:
  Package(std::unique_ptr<zip_t, ZipCloser> zip, const Limits& limits)
      : zip_(std::move(zip)), limits_(limits) {}

  // Reads a part whole. Returns false with error set on a read failure or a
  // limit; missing is set (and error left empty) when there is no such part.
  bool read(const std::string& name, std::string& data, std::string& error, bool& missing) {
    missing = false;
    data.clear();
    const zip_int64_t index = locate(name);
    if (index < 0) {
      missing = true;
      return false;
    }
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(zip_.get(), static_cast<zip_uint64_t>(index), 0, &st) == 0 &&
        (st.valid & ZIP_STAT_SIZE)) {
      if (st.size > limits_.part_bytes) return too_large(name, error);
      if (total_ + st.size > limits_.total_bytes) return too_much(error);
      data.reserve(static_cast<std::size_t>(st.size));
    }
    zip_file_t* file = zip_fopen_index(zip_.get(), static_cast<zip_uint64_t>(index), 0);
    if (file == nullptr) {
      error = name + ": " + zip_error_strerror(zip_get_error(zip_.get()));
      return false;
    }
    std::unique_ptr<zip_file_t, int (*)(zip_file_t*)> guard(file, zip_fclose);
    char buffer[1 << 16];
    while (true) {
      const zip_int64_t n = zip_fread(file, buffer, sizeof buffer);
      if (n < 0) {
        error = name + ": " + zip_error_strerror(zip_file_get_error(file));
        return false;
      }
      if (n == 0) break;
      const auto count = static_cast<std::uint64_t>(n);
      // The actual bytes count, whatever the archive declared.
      if (data.size() + count > limits_.part_bytes) return too_large(name, error);
      total_ += count;
      if (total_ > limits_.total_bytes) return too_much(error);
      data.append(buffer, static_cast<std::size_t>(n));
    }
    return true;
  }

  // Reads and parses a part. Same results as read; malformed XML is an error.
  bool read_xml(const std::string& name, pugi::xml_document& doc, std::string& error, bool& missing) {
    std::string data;
    if (!read(name, data, error, missing)) return false;
    const pugi::xml_parse_result parsed =
        doc.load_buffer(data.data(), data.size(), pugi::parse_default | pugi::parse_ws_pcdata_single);
    if (!parsed) {
      error = name + ": malformed XML (" + parsed.description() + " at byte " +
              std::to_string(parsed.offset) + ")";
      return false;
    }
    if (!doc.document_element()) {
      error = name + ": malformed XML (no root element)";
      return false;
    }
    return true;
  }

 private:
  // The entry of a part: the one of exactly that name, else the first whose
  // name differs only in case (generators disagree on the case of part names).
  // Names are folded into a map once per archive: a deck full of references to
  // missing parts would otherwise cost a pass over the whole archive for each.
  zip_int64_t locate(const std::string& name) {
    const zip_int64_t index = zip_name_locate(zip_.get(), name.c_str(), 0);
    if (index >= 0) return index;
    if (!folded_names_) {
      folded_names_.emplace();
      const zip_int64_t entries = zip_get_num_entries(zip_.get(), 0);
      for (zip_int64_t i = 0; i < entries; ++i) {
        if (const char* entry = zip_get_name(zip_.get(), static_cast<zip_uint64_t>(i), 0))
          folded_names_->try_emplace(folded(entry), i);
      }
    }
    const auto found = folded_names_->find(folded(name));
    return found == folded_names_->end() ? -1 : found->second;
  }

  // ASCII letters in lower case, as libzip compares names without case.
  static std::string folded(std::string_view name) {
    std::string out(name);
    for (char& c : out)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
  }

  bool too_large(const std::string& name, std::string& error) const {
    error = name + " is larger than " + std::to_string(limits_.part_bytes >> 20) +
            " MB uncompressed; refused (a zip bomb?)";
    return false;
  }
  bool too_much(std::string& error) const {
    error = "the parts read add up to more than " + std::to_string(limits_.total_bytes >> 20) +
            " MB uncompressed; refused (a zip bomb?)";
    return false;
  }

  std::unique_ptr<zip_t, ZipCloser> zip_;
  Limits limits_;
  std::uint64_t total_ = 0;
  std::optional<std::unordered_map<std::string, zip_int64_t>> folded_names_;
};

struct Relationship {
  std::string type;
  std::string target;  // resolved part name
  bool external = false;
};
using Relationships = std::unordered_map<std::string, Relationship>;

std::string rels_part_for(std::string_view part) {
  const std::size_t slash = part.rfind('/');
  if (slash == std::string_view::npos) return "_rels/" + std::string(part) + ".rels";
  return std::string(part.substr(0, slash + 1)) + "_rels/" + std::string(part.substr(slash + 1)) +
         ".rels";
}

void parse_relationships(const pugi::xml_document& doc, std::string_view source_part,
                         Relationships& rels) {
  for (pugi::xml_node r = doc.document_element().first_child(); r; r = r.next_sibling()) {
    if (local_name(r) != "Relationship") continue;
    const std::string id = r.attribute("Id").value();
    if (id.empty() || rels.count(id)) continue;
    Relationship rel;
    rel.type = r.attribute("Type").value();
    rel.external = std::string_view(r.attribute("TargetMode").value()) == "External";
    if (!rel.external) rel.target = resolve_target(source_part, r.attribute("Target").value());
    rels.emplace(id, std::move(rel));
  }
}

bool type_is(std::string_view type, std::string_view last_segment) {
  return type.size() > last_segment.size() && type.ends_with(last_segment) &&
         type[type.size() - last_segment.size() - 1] == '/';
}

using ZipPtr = std::unique_ptr<zip_t, ZipCloser>;

Result convert_package(ZipPtr zip, const Options& options) {
  Result result;
  if (zip_get_num_entries(zip.get(), 0) <= 0) {
    result.error = "not a PowerPoint .pptx file (empty)";
    return result;
  }
  Package package(std::move(zip), options.limits);
  std::string error;
  bool missing = false;

  // The main part, named by the package relationships; ppt/presentation.xml
  // when those are missing.
  std::string main_part = "ppt/presentation.xml";
  {
    pugi::xml_document root_rels;
    if (package.read_xml("_rels/.rels", root_rels, error, missing)) {
      Relationships rels;
      parse_relationships(root_rels, "", rels);
      for (const auto& [id, rel] : rels)
        if (!rel.external && type_is(rel.type, "officeDocument")) main_part = rel.target;
    } else if (!missing) {
      result.error = error;
      return result;
    }
  }
  pugi::xml_document presentation;
  if (!package.read_xml(main_part, presentation, error, missing)) {
    result.error = missing ? "not a PowerPoint presentation (no " + main_part + " in the archive)" : error;
    return result;
  }
  if (local_name(presentation.document_element()) != "presentation") {
    result.error = "not a PowerPoint presentation (" + main_part + " holds no presentation)";
    return result;
  }
  Relationships rels;
  {
    const std::string rels_part = rels_part_for(main_part);
    pugi::xml_document rels_doc;
    if (!package.read_xml(rels_part, rels_doc, error, missing)) {
      result.error = missing ? "missing relationships: the archive has no " + rels_part +
                                   ", so the slides cannot be found"
                             : error;
      return result;
    }
    parse_relationships(rels_doc, main_part, rels);
  }

  std::string out;
  std::set<std::string> seen;
  int number = 0;
  std::size_t more_warnings = 0;
  const auto warn = [&](std::string warning) {
    if (result.warnings.size() < 20)
      result.warnings.push_back(std::move(warning));
    else
      ++more_warnings;
  };
  const pugi::xml_node list = child(presentation.document_element(), "sldIdLst");
  for (pugi::xml_node id = list.first_child(); id; id = id.next_sibling()) {
    if (local_name(id) != "sldId") continue;
    ++number;
    const std::string label = "slide " + std::to_string(number);
    const std::string rid = prefixed_attribute(id, "id").value();
    const auto rel = rels.find(rid);
    if (rel == rels.end() || rel->second.external || rel->second.target.empty()) {
      warn(label + ": no relationship '" + rid + "' in the presentation; skipped");
      continue;
    }
    const std::string& part = rel->second.target;
    if (!seen.insert(part).second) {
      warn(label + ": " + part + " is listed a second time; skipped");
      continue;
    }
    pugi::xml_document slide;
    if (!package.read_xml(part, slide, error, missing)) {
      if (!missing) {
        result.error = error;
        return result;
      }
      warn(label + ": " + part + " is missing from the archive; skipped");
      continue;
    }
    const pugi::xml_node root = slide.document_element();
    const std::string_view show = root.attribute("show").value();
    if (show == "0" || show == "false") continue;  // hidden

    SlideContent content = slide_content(slide);

    // Speaker notes, through the slide's own relationships.
    std::vector<Block> notes;
    {
      const std::string slide_rels_part = rels_part_for(part);
      pugi::xml_document slide_rels_doc;
      if (package.read_xml(slide_rels_part, slide_rels_doc, error, missing)) {
        Relationships slide_rels;
        parse_relationships(slide_rels_doc, part, slide_rels);
        for (const auto& [rel_id, r] : slide_rels) {
          if (r.external || !type_is(r.type, "notesSlide")) continue;
          pugi::xml_document notes_doc;
          if (package.read_xml(r.target, notes_doc, error, missing)) {
            notes = notes_content(notes_doc);
          } else if (!missing) {
            result.error = error;
            return result;
          }
          break;
        }
      } else if (!missing) {
        result.error = error;
        return result;
      }
    }

    std::uint64_t words = count_block_words(notes);
    if (words == 0) words = count_words(content.title) + count_block_words(content.body);
    const std::string title = content.title.empty() ? "Slide " + std::to_string(number) : content.title;
    const std::vector<Block>& body = options.notes ? notes : content.body;

    if (!out.empty()) out += crlf;
    write_heading(out, title, estimate_seconds(words, options.wpm));
    if (!body.empty()) {
      out += crlf;
      emit_body(out, body);
    }
  }
  if (more_warnings > 0)
    result.warnings.push_back("and " + std::to_string(more_warnings) + " more slides skipped the same way");
  // Invalid UTF-8 (pugixml passes bytes through unchecked) and NUL become U+FFFD.
  result.gemtext = tools::to_valid_utf8(out);
  result.ok = true;
  return result;
}

std::string zip_open_error(int code, const std::string& path) {
  switch (code) {
    case ZIP_ER_NOZIP:
      return "not a PowerPoint .pptx file (not a zip archive; an old .ppt deck or an encrypted one?)";
    case ZIP_ER_NOENT:
      return "cannot read '" + path + "': No such file or directory";
    case ZIP_ER_INCONS:
    case ZIP_ER_CRC:
      return "the zip archive is damaged";
    default: {
      zip_error_t ze;
      zip_error_init_with_code(&ze, code);
      std::string message = zip_error_strerror(&ze);
      zip_error_fini(&ze);
      return (path.empty() ? std::string("cannot open the archive") : "cannot read '" + path + "'") +
             ": " + message;
    }
  }
}

Result checked(const Options& options) {
  Result result;
  if (options.wpm < 1 || options.wpm > max_wpm)
    result.error = "the speaking rate must be 1 to " + std::to_string(max_wpm) + " words per minute";
  else
    result.ok = true;
  return result;
}

}  // namespace

// ---------------------------------------------------------------- public pieces

std::size_t count_words(std::string_view text) {
  // A word is a run of non-blank characters holding at least one letter or digit,
  // so a lone dash, bullet sign, arrow or emoji is not a spoken word.
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const std::size_t n = text.size();
  std::size_t words = 0;
  bool counted = false;  // the current run already counted
  for (std::size_t i = 0; i < n;) {
    const unsigned c = p[i];
    if (c <= 0x20 || c == 0x7F) {
      counted = false;
      ++i;
      continue;
    }
    bool letter;
    if (c < 0x80) {
      letter = (c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'z');
      ++i;
    } else {
      const int len = tools::utf8_sequence_length(p + i, n - i);
      if (len == 0) {
        letter = false;
        ++i;
      } else {
        const std::uint32_t cp = tools::decode_utf8(p + i, len);
        i += static_cast<std::size_t>(len);
        if (cp == 0xA0 || (cp >= 0x2000 && cp <= 0x200A) || cp == 0x202F || cp == 0x205F || cp == 0x3000) {
          counted = false;  // a no-break or typographic space still parts words
          continue;
        }
        // Punctuation, symbols, private-use glyphs (bullet fonts) and emoji are
        // not letters; everything else beyond ASCII is taken as one.
        const bool symbol = cp < 0xC0 || cp == 0xD7 || cp == 0xF7 || (cp >= 0x2000 && cp <= 0x2BFF) ||
                            (cp >= 0x3000 && cp <= 0x303F) || (cp >= 0xE000 && cp <= 0xF8FF) ||
                            (cp >= 0xFE00 && cp <= 0xFE0F) || (cp >= 0xFFF0 && cp <= 0xFFFF) ||
                            (cp >= 0x1F000 && cp <= 0x1FAFF);
        letter = !symbol;
      }
    }
    if (letter && !counted) {
      ++words;
      counted = true;
    }
  }
  return words;
}

int estimate_seconds(std::uint64_t words, int wpm) {
  if (wpm < 1) wpm = default_wpm;
  const auto rate = static_cast<std::uint64_t>(wpm);
  words = std::min<std::uint64_t>(words, std::uint64_t{1} << 40);
  // Quarter minutes: words * 4 / wpm, rounded half up.
  std::uint64_t quarters = (words * 8 + rate) / (2 * rate);
  quarters = std::clamp<std::uint64_t>(quarters, 1, longest_estimate / 15);
  return static_cast<int>(quarters * 15);
}

std::string format_length(int seconds) {
  std::string s = std::to_string(seconds / 60) + ":";
  const int rest = seconds % 60;
  if (rest < 10) s += '0';
  s += std::to_string(rest);
  return s;
}

std::string resolve_target(std::string_view source_part, std::string_view target) {
  // Relationship targets are URIs: %XX escapes stand for bytes of the name.
  std::string decoded;
  for (std::size_t i = 0; i < target.size(); ++i) {
    const auto hex = [](char c) {
      return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    };
    if (target[i] == '%' && i + 2 < target.size() && hex(target[i + 1]) >= 0 &&
        hex(target[i + 2]) >= 0) {
      const char c = static_cast<char>(hex(target[i + 1]) * 16 + hex(target[i + 2]));
      if (c != '\0') {
        decoded += c;
        i += 2;
        continue;
      }
    }
    decoded += target[i] == '\\' ? '/' : target[i];
  }
  if (const std::size_t hash = decoded.find('#'); hash != std::string::npos) decoded.resize(hash);
  std::string path;
  if (!decoded.starts_with('/')) {
    const std::size_t slash = source_part.rfind('/');
    if (slash != std::string_view::npos) path = std::string(source_part.substr(0, slash + 1));
  }
  path += decoded;
  // Drop empty and "." segments, resolve "..".
  std::vector<std::string_view> segments;
  std::string_view rest = path;
  while (!rest.empty()) {
    const std::size_t slash = rest.find('/');
    const std::string_view seg = rest.substr(0, slash);
    rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
    if (seg.empty() || seg == ".") continue;
    if (seg == "..") {
      if (!segments.empty()) segments.pop_back();
      continue;
    }
    segments.push_back(seg);
  }
  std::string out;
  for (std::string_view seg : segments) {
    if (!out.empty()) out += '/';
    out += seg;
  }
  return out;
}

Result convert_file(const std::string& path, const Options& options) {
  Result result = checked(options);
  if (!result.ok) return result;
  result.ok = false;
  try {
    int code = 0;
    ZipPtr zip(zip_open(path.c_str(), ZIP_RDONLY, &code));
    if (!zip) {
      result.error = zip_open_error(code, path);
      return result;
    }
    return convert_package(std::move(zip), options);
  } catch (const std::bad_alloc&) {
    result = Result{};
    result.error = "out of memory";
    return result;
  }
}

Result convert_memory(std::string_view zip_bytes, const Options& options) {
  Result result = checked(options);
  if (!result.ok) return result;
  result.ok = false;
  try {
    zip_error_t ze;
    zip_error_init(&ze);
    zip_source_t* source = zip_source_buffer_create(zip_bytes.data(), zip_bytes.size(), 0, &ze);
    if (source == nullptr) {
      result.error = zip_error_strerror(&ze);
      zip_error_fini(&ze);
      return result;
    }
    ZipPtr zip(zip_open_from_source(source, ZIP_RDONLY, &ze));
    if (!zip) {
      result.error = zip_open_error(zip_error_code_zip(&ze), "");
      zip_error_fini(&ze);
      zip_source_free(source);
      return result;
    }
    zip_error_fini(&ze);
    return convert_package(std::move(zip), options);
  } catch (const std::bad_alloc&) {
    result = Result{};
    result.error = "out of memory";
    return result;
  }
}

}  // namespace slidetext
