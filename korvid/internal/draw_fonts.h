// Fonts of the drawing half: made once per font number and height, then reused
// for every measurement and every piece of text.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QStringList>

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace korvid::detail {

// What a font is made from. Plain values: every thread builds its own QFont from
// them, so no QFont is ever shared between threads.
struct FontSpec {
  QStringList families;
  int pixel_size = 12;  // em height in pixels
  int weight = QFont::Normal;
  bool italic = false;
};

QFont make_qfont(const FontSpec& request);

// A font ready for drawing and measuring, with the line geometry text needs.
struct FontEntry {
  explicit FontEntry(const FontSpec& request);

  // Advance width of one line of UTF-8 text (no line breaks), as it is shown
  // (shown_text). Layout measures the same pieces of text on every pass, so
  // widths are remembered; shaping a line costs far more than looking it up.
  int line_width(std::string_view utf8) const;

  FontSpec request;
  QFont font;
  QFontMetrics metrics;
  int ascent;
  int cell_height;  // ascent + descent: the box text paints its background in
  int line_height;  // cell height plus the font's external leading

 private:
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
  };
  // Touched by the drawing thread only (the program draws from one thread at a time).
  mutable std::unordered_map<std::string, int, Hash, std::equal_to<>> widths_;
};

// The desktop's dialog font. Asks the window thread, which owns the application.
FontSpec fetch_theme_font();

bool is_font_number(int number);

// Fonts of one window, keyed by font number and requested height.
class FontCache {
 public:
  explicit FontCache(FontSpec theme) : theme_(std::move(theme)) {}

  // Font `number` (0-8) with cell height `height` (0: the desktop's default size,
  // negative: em height). Null for an unknown number. The cache forgets old
  // fonts when it grows large; a font in use stays alive through its pointer.
  std::shared_ptr<const FontEntry> get(int number, int height);
  // The dialog font exactly as the desktop has it.
  std::shared_ptr<const FontEntry> theme();
  const FontSpec& theme_spec() const { return theme_; }
  // How many fonts this cache has made.
  int fonts_made() const { return fonts_made_; }

 private:
  FontSpec spec_for(int number, int height);
  std::shared_ptr<const FontEntry> remember(std::pair<int, int> key, const FontSpec& request);

  FontSpec theme_;
  std::map<std::pair<int, int>, std::shared_ptr<const FontEntry>> entries_;
  int fonts_made_ = 0;
  int script_face_known_ = -1;  // -1 not looked up yet, 0 none installed, 1 found
};

// Ends the process with a message on standard error when no installed font has
// real glyphs: text would otherwise show as empty boxes. The fonts are looked
// at once per process; the process never ends from inside that one-time look.
void require_usable_fonts();

}  // namespace korvid::detail
