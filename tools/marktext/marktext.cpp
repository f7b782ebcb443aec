#include "tools/marktext/marktext.h"

#include <md4c.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

#include "tools/common/gemtext_line.h"
#include "tools/common/text_table.h"
#include "tools/common/utf8.h"

namespace marktext {
namespace {

using tools::crlf;
using tools::normalize_inline;
constexpr std::string_view replacement = tools::replacement_character;

// ---------------------------------------------------------------- text helpers

void append_code_point(std::string& out, std::uint32_t cp) {
  if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    out += replacement;
  } else if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// UTF-16 with a byte-order mark (already removed) to UTF-8; unpaired surrogates
// and NUL become U+FFFD, an odd last byte is dropped.
std::string utf16_to_utf8(std::string_view bytes, bool big_endian) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 2);
  const auto unit = [&](std::size_t i) -> std::uint32_t {
    const auto a = static_cast<unsigned char>(bytes[i]);
    const auto b = static_cast<unsigned char>(bytes[i + 1]);
    return big_endian ? (a << 8 | b) : (b << 8 | a);
  };
  const std::size_t n = bytes.size() & ~std::size_t{1};
  for (std::size_t i = 0; i < n; i += 2) {
    std::uint32_t u = unit(i);
    if (u >= 0xD800 && u <= 0xDBFF && i + 3 < n) {
      const std::uint32_t v = unit(i + 2);
      if (v >= 0xDC00 && v <= 0xDFFF) {
        append_code_point(out, 0x10000 + ((u - 0xD800) << 10) + (v - 0xDC00));
        i += 2;
        continue;
      }
    }
    append_code_point(out, u);  // lone surrogates and NUL give U+FFFD
  }
  return out;
}

// A link target for a "=> " line: blanks and control characters would end the
// target or the line, so they are percent-encoded.
std::string link_target(std::string_view url) {
  static constexpr char hex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(url.size());
  for (char ch : url) {
    const auto c = static_cast<unsigned char>(ch);
    if (c <= 0x20 || c == 0x7F) {
      out += '%';
      out += hex[c >> 4];
      out += hex[c & 0xF];
    } else {
      out += ch;
    }
  }
  return out;
}

struct Entity {
  const char* name;
  const char* text;
};
constexpr Entity entities[] = {
#include "tools/marktext/entities.inc"
};

tools::Align column_align(MD_ALIGN align) {
  return align == MD_ALIGN_RIGHT ? tools::Align::right : align == MD_ALIGN_CENTER ? tools::Align::center : tools::Align::left;
}

std::string attribute_text(const MD_ATTRIBUTE& attr) {
  std::string out;
  if (attr.text == nullptr || attr.size == 0) return out;
  for (unsigned i = 0; attr.substr_offsets[i] < attr.size; ++i) {
    const std::string_view part(attr.text + attr.substr_offsets[i],
                                attr.substr_offsets[i + 1] - attr.substr_offsets[i]);
    switch (attr.substr_types[i]) {
      case MD_TEXT_ENTITY: out += decode_entity(part); break;
      case MD_TEXT_NULLCHAR: out += replacement; break;
      default: out += part; break;
    }
  }
  return out;
}

// ---------------------------------------------------------------- the renderer

class Renderer {
 public:
  std::string out;

  int enter_block(MD_BLOCKTYPE type, void* detail) {
    if (type == MD_BLOCK_DOC) return 0;
    if (depth_ == 0) new_block_ = true;  // a top-level block begins
    ++depth_;
    switch (type) {
      case MD_BLOCK_QUOTE:
        flush_line();
        stack_.push_back({Container::quote});
        ++quotes_;
        break;
      case MD_BLOCK_UL:
        flush_line();
        stack_.push_back({Container::list});
        break;
      case MD_BLOCK_OL: {
        flush_line();
        const auto* d = static_cast<const MD_BLOCK_OL_DETAIL*>(detail);
        stack_.push_back({Container::list, d->start, d->mark_delimiter, true});
        break;
      }
      case MD_BLOCK_LI: {
        flush_line();
        Container item{Container::item};
        if (!stack_.empty() && stack_.back().kind == Container::list && stack_.back().ordered) {
          item.number = stack_.back().number++;
          item.delimiter = stack_.back().delimiter;
          item.ordered = true;
        }
        stack_.push_back(item);
        ++items_;
        break;
      }
      case MD_BLOCK_H:
        flush_line();
        leaf_ = Leaf::heading;
        heading_level_ = static_cast<const MD_BLOCK_H_DETAIL*>(detail)->level;
        break;
      case MD_BLOCK_P:
        flush_line();
        leaf_ = Leaf::paragraph;
        break;
      case MD_BLOCK_CODE:
        flush_line();
        leaf_ = Leaf::code;
        code_.clear();
        code_info_ = normalize_inline(attribute_text(static_cast<const MD_BLOCK_CODE_DETAIL*>(detail)->info));
        break;
      case MD_BLOCK_HTML:
        flush_line();
        leaf_ = Leaf::html;
        break;
      case MD_BLOCK_HR:
        flush_line();
        break;
      case MD_BLOCK_TABLE:
        flush_line();
        rows_.clear();
        aligns_.clear();
        head_rows_ = static_cast<const MD_BLOCK_TABLE_DETAIL*>(detail)->head_row_count;
        break;
      case MD_BLOCK_TR:
        rows_.emplace_back();
        break;
      case MD_BLOCK_TH:
      case MD_BLOCK_TD:
        if (rows_.size() == 1)
          aligns_.push_back(column_align(static_cast<const MD_BLOCK_TD_DETAIL*>(detail)->align));
        leaf_ = Leaf::cell;
        line_.clear();
        break;
      default:
        break;
    }
    return 0;
  }

  int leave_block(MD_BLOCKTYPE type, void*) {
    if (type == MD_BLOCK_DOC) {
      flush_line();
      flush_links();
      return 0;
    }
    switch (type) {
      case MD_BLOCK_QUOTE:
        flush_line();
        stack_.pop_back();
        --quotes_;
        break;
      case MD_BLOCK_UL:
      case MD_BLOCK_OL:
        flush_line();
        stack_.pop_back();
        break;
      case MD_BLOCK_LI:
        flush_line();
        stack_.pop_back();
        --items_;
        break;
      case MD_BLOCK_H:
      case MD_BLOCK_P:
        flush_line();
        leaf_ = Leaf::none;
        break;
      case MD_BLOCK_CODE:
        emit_code();
        leaf_ = Leaf::none;
        break;
      case MD_BLOCK_HTML:
        leaf_ = Leaf::none;
        break;
      case MD_BLOCK_TH:
      case MD_BLOCK_TD:
        if (!rows_.empty()) rows_.back().push_back(normalize_inline(line_));
        line_.clear();
        leaf_ = Leaf::none;
        break;
      case MD_BLOCK_TABLE:
        emit_table();
        break;
      default:
        break;
    }
    if (--depth_ == 0) flush_links();  // a top-level block ended
    return 0;
  }

  int enter_span(MD_SPANTYPE type, void* detail) {
    if (type == MD_SPAN_A) {
      open_links_.push_back({attribute_text(static_cast<const MD_SPAN_A_DETAIL*>(detail)->href),
                             line_.size()});
    } else if (type == MD_SPAN_IMG) {
      open_links_.push_back(
          {attribute_text(static_cast<const MD_SPAN_IMG_DETAIL*>(detail)->src), line_.size()});
    }
    return 0;
  }

  int leave_span(MD_SPANTYPE type, void*) {
    if ((type == MD_SPAN_A || type == MD_SPAN_IMG) && !open_links_.empty()) {
      OpenLink link = std::move(open_links_.back());
      open_links_.pop_back();
      if (!link.url.empty()) {
        std::string label =
            normalize_inline(std::string_view(line_).substr(std::min(link.start, line_.size())));
        links_.push_back({link_target(link.url), std::move(label)});
      }
    }
    return 0;
  }

  int text(MD_TEXTTYPE type, const MD_CHAR* text, MD_SIZE size) {
    const std::string_view s(text, size);
    if (leaf_ == Leaf::html) return 0;
    if (leaf_ == Leaf::code) {
      if (type == MD_TEXT_NULLCHAR)
        code_ += replacement;
      else
        code_ += s;
      return 0;
    }
    switch (type) {
      case MD_TEXT_NULLCHAR: line_ += replacement; break;
      case MD_TEXT_BR:
      case MD_TEXT_SOFTBR: line_ += ' '; break;
      case MD_TEXT_ENTITY: line_ += decode_entity(s); break;
      case MD_TEXT_HTML:
        // Inline tags are dropped, the text between them stays; a line break tag
        // keeps the words apart.
        if (s.size() >= 3 && s[0] == '<' && (s[1] == 'b' || s[1] == 'B') &&
            (s[2] == 'r' || s[2] == 'R'))
          line_ += ' ';
        break;
      default: line_ += s; break;
    }
    return 0;
  }

 private:
  enum class Leaf { none, paragraph, heading, code, html, cell };
  struct Container {
    enum Kind { quote, list, item } kind;
    unsigned number = 0;
    char delimiter = '.';
    bool ordered = false;
    bool emitted = false;  // an item: its first line is out (it carried the number)
  };
  struct OpenLink {
    std::string url;
    std::size_t start;
  };
  struct Link {
    std::string target;
    std::string label;
  };

  // Starts an output line: the empty line that separates top-level blocks first.
  void begin_line() {
    if (new_block_) {
      if (!out.empty()) out += crlf;
      new_block_ = false;
    }
  }

  void emit_line(std::string_view s) {
    begin_line();
    out += s;
    out += crlf;
  }

  // Writes the pending inline text (paragraph, heading, or a tight list item's
  // text) as one line with the prefix its containers give it, straight into the
  // output; nothing at all when the text is blank.
  void flush_line() {
    if (leaf_ == Leaf::cell || leaf_ == Leaf::code || leaf_ == Leaf::html) return;
    if (line_.empty()) return;
    const std::size_t mark = out.size();
    const bool was_new_block = new_block_;
    begin_line();
    const std::size_t line_start = out.size();
    Container* item = nullptr;
    if (leaf_ == Leaf::heading && stack_.empty()) {
      out.append(std::min(heading_level_, 6u), '#');
      out += ' ';
    } else {
      if (quotes_ > 0) out += "> ";
      if (items_ > 0) {
        out += "* ";
        for (auto it = stack_.rbegin(); it != stack_.rend(); ++it) {
          if (it->kind != Container::item) continue;
          item = &*it;
          if (it->ordered && !it->emitted) {
            out += std::to_string(it->number);
            out += it->delimiter;
            out += ' ';
          }
          break;
        }
      }
    }
    const std::size_t text_start = out.size();
    tools::append_normalized(out, line_);
    line_.clear();
    if (out.size() == text_start) {  // blank: take the line back
      out.resize(mark);
      new_block_ = was_new_block;
      return;
    }
    if (item != nullptr) item->emitted = true;
    if (text_start == line_start) {
      // No prefix: a plain text line must not read as a marker.
      const std::string_view text = std::string_view(out).substr(text_start);
      if (tools::reads_as_marker(text)) out.insert(text_start, 1, ' ');
    }
    out += crlf;
  }

  void flush_links() {
    for (const Link& link : links_) {
      std::string s = "=> ";
      s += link.target;
      if (!link.label.empty() && link.label != link.target) {
        s += ' ';
        s += link.label;
      }
      emit_line(s);
    }
    links_.clear();
    new_block_ = true;
  }

  void emit_code() {
    begin_line();
    out += "```";
    out += code_info_;
    out += crlf;
    std::string_view code(code_);
    if (code.ends_with('\n')) code.remove_suffix(1);
    if (!code_.empty()) {
      std::size_t start = 0;
      while (true) {
        const std::size_t end = code.find('\n', start);
        const std::string_view raw =
            code.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (raw.starts_with("```")) out += ' ';  // would end the block early
        for (char ch : raw) {
          const auto c = static_cast<unsigned char>(ch);
          if (c == '\r') continue;
          out += (c < 0x20 && c != '\t') || c == 0x7F ? ' ' : ch;
        }
        out += crlf;
        if (end == std::string_view::npos) break;
        start = end + 1;
      }
    }
    out += "```";
    out += crlf;
    code_.clear();
  }

  void emit_table() {
    if (tools::column_count(rows_) > 0) {
      begin_line();
      tools::append_table(out, rows_, aligns_, head_rows_);
    }
    rows_.clear();
  }

  std::vector<Container> stack_;
  int depth_ = 0;
  int quotes_ = 0;
  int items_ = 0;
  bool new_block_ = false;

  Leaf leaf_ = Leaf::none;
  unsigned heading_level_ = 1;
  std::string line_;
  std::string code_;
  std::string code_info_;

  std::vector<OpenLink> open_links_;
  std::vector<Link> links_;

  tools::TableRows rows_;
  std::vector<tools::Align> aligns_;
  std::size_t head_rows_ = 1;
};

template <typename F>
int guarded(void* userdata, F&& f) {
  try {
    return f(*static_cast<Renderer*>(userdata));
  } catch (...) {
    return 1;
  }
}

}  // namespace

// ---------------------------------------------------------------- public pieces

bool looks_binary(std::string_view data) {
  const std::size_t n = std::min<std::size_t>(data.size(), 64 * 1024);
  if (n == 0) return false;
  std::size_t suspicious = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const auto c = static_cast<unsigned char>(data[i]);
    // NUL and control characters that text never holds (TAB, LF, VT, FF, CR and
    // ESC do occur in text files).
    if (c < 0x20 && c != '\t' && c != '\n' && c != '\v' && c != '\f' && c != '\r' && c != 0x1B)
      ++suspicious;
  }
  return suspicious * 32 > n;  // more than about 3 %
}

bool reads_as_yaml(std::string_view line) {
  if (line.find_first_not_of(" \t") == std::string_view::npos) return true;  // blank
  if (line.front() == ' ' || line.front() == '\t') return true;              // a continuation
  if (line.front() == '#') return true;                                       // a comment
  if (line == "-" || line.starts_with("- ")) return true;                     // a list item
  // key: value, the key a run of name characters; the colon ends the line or
  // is followed by a blank, as YAML wants it.
  const std::size_t colon = line.find(':');
  if (colon == 0 || colon == std::string_view::npos) return false;
  if (colon + 1 < line.size() && line[colon + 1] != ' ' && line[colon + 1] != '\t') return false;
  return std::ranges::all_of(line.substr(0, colon), [](unsigned char c) {
    return std::isalnum(c) || c == '_' || c == '-' || c == '.' || c == ' ' || c == '"' || c == '\'' || c >= 0x80;
  });
}

std::size_t front_matter_length(std::string_view text) {
  // The end of the line starting at pos (after its line end), and the line itself.
  const auto next_line = [&](std::size_t pos, std::string_view& line) {
    std::size_t end = pos;
    while (end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
    line = text.substr(pos, end - pos);
    if (end < text.size()) end += text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1;
    return end;
  };
  const auto is_fence = [](std::string_view line, std::string_view mark) {
    if (!line.starts_with(mark)) return false;
    return line.find_first_not_of(" \t", mark.size()) == std::string_view::npos;
  };
  std::string_view line;
  std::size_t pos = next_line(0, line);
  if (!is_fence(line, "---") || pos == line.size()) return 0;  // no line end after it
  while (pos < text.size()) {
    const std::size_t next = next_line(pos, line);
    if (is_fence(line, "---") || is_fence(line, "...")) return next;
    // A line that is no YAML means the "---" was a thematic break and what
    // follows is the document, perhaps a setext heading: keep every word.
    if (!reads_as_yaml(line)) return 0;
    pos = next;
  }
  return 0;  // never closed: not front matter
}

std::string decode_entity(std::string_view entity) {
  if (entity.size() < 3 || entity.front() != '&' || entity.back() != ';') return std::string(entity);
  const std::string_view body = entity.substr(1, entity.size() - 2);
  if (body[0] == '#') {
    std::uint32_t value = 0;
    const bool hex = body.size() > 1 && (body[1] == 'x' || body[1] == 'X');
    const std::string_view digits = body.substr(hex ? 2 : 1);
    if (digits.empty() || digits.size() > 8) return std::string(replacement);
    for (char ch : digits) {
      int d;
      if (ch >= '0' && ch <= '9')
        d = ch - '0';
      else if (hex && ch >= 'a' && ch <= 'f')
        d = ch - 'a' + 10;
      else if (hex && ch >= 'A' && ch <= 'F')
        d = ch - 'A' + 10;
      else
        return std::string(entity);
      value = value * (hex ? 16 : 10) + static_cast<std::uint32_t>(d);
    }
    std::string out;
    append_code_point(out, value);
    return out;
  }
  const auto* found = std::lower_bound(
      std::begin(entities), std::end(entities), body,
      [](const Entity& e, std::string_view name) { return std::string_view(e.name) < name; });
  if (found != std::end(entities) && std::string_view(found->name) == body) return found->text;
  return std::string(entity);
}

Result convert(std::string_view markdown) {
  Result result;
  try {
    if (markdown.size() > max_input_bytes) {
      result.error = "larger than " + std::to_string(max_input_bytes >> 20) + " MB";
      return result;
    }
    // The text as UTF-8 without NUL: the input itself when it already is (no copy).
    std::string converted;
    std::string_view text;
    if (markdown.starts_with("\xFF\xFE") || markdown.starts_with("\xFE\xFF")) {
      converted = utf16_to_utf8(markdown.substr(2), markdown[0] == '\xFE');
      text = converted;
    } else {
      text = markdown.starts_with("\xEF\xBB\xBF") ? markdown.substr(3) : markdown;
      if (text.data() == markdown.data() && looks_binary(markdown)) {
        result.error = "not a text file (it holds binary data)";
        return result;
      }
      if (tools::valid_utf8_prefix(text) < text.size()) {
        converted = tools::to_valid_utf8(text);
        text = converted;
      }
    }
    std::string_view body = text.substr(front_matter_length(text));
    // md4c reads past the end of a document that stops inside a link
    // destination ("[a](x" without a line end), so it always gets one.
    std::string terminated;
    if (!body.ends_with('\n') && !body.ends_with('\r')) {
      terminated.reserve(body.size() + 1);
      terminated.append(body).push_back('\n');
      body = terminated;
    }

    Renderer renderer;
    renderer.out.reserve(body.size() + body.size() / 8);
    MD_PARSER parser{};
    parser.abi_version = 0;
    parser.flags = MD_FLAG_TABLES;
    // No exception may cross md4c's C frames: a callback that runs out of memory
    // stops the parse instead.
    parser.enter_block = [](MD_BLOCKTYPE t, void* d, void* u) {
      return guarded(u, [&](Renderer& r) { return r.enter_block(t, d); });
    };
    parser.leave_block = [](MD_BLOCKTYPE t, void* d, void* u) {
      return guarded(u, [&](Renderer& r) { return r.leave_block(t, d); });
    };
    parser.enter_span = [](MD_SPANTYPE t, void* d, void* u) {
      return guarded(u, [&](Renderer& r) { return r.enter_span(t, d); });
    };
    parser.leave_span = [](MD_SPANTYPE t, void* d, void* u) {
      return guarded(u, [&](Renderer& r) { return r.leave_span(t, d); });
    };
    parser.text = [](MD_TEXTTYPE t, const MD_CHAR* s, MD_SIZE n, void* u) {
      return guarded(u, [&](Renderer& r) { return r.text(t, s, n); });
    };
    if (md_parse(body.data(), static_cast<MD_SIZE>(body.size()), &parser, &renderer) != 0) {
      result.error = "out of memory while converting";
      return result;
    }
    result.gemtext = std::move(renderer.out);
    result.ok = true;
  } catch (const std::bad_alloc&) {
    result = Result{};
    result.error = "out of memory";
  }
  return result;
}

}  // namespace marktext
