#include "korvid/internal/draw_fonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <mutex>

#include "korvid/draw.h"
#include "korvid/internal/draw_text_codec.h"
#include "korvid/internal/gui_thread.h"

namespace korvid::detail {
namespace {

// Families by fontconfig name, each falling back to its generic family.
QStringList sans_families() { return {QStringLiteral("DejaVu Sans"), QStringLiteral("sans-serif")}; }
QStringList serif_families() { return {QStringLiteral("DejaVu Serif"), QStringLiteral("serif")}; }
QStringList mono_families() {
  return {QStringLiteral("DejaVu Sans Mono"), QStringLiteral("monospace")};
}

// Heights beyond this gain nothing on any screen and make the glyph cache huge.
constexpr int largest_pixel_size = 4096;
// A program may keep asking for new sizes; past this many fonts the cache starts over.
constexpr std::size_t cache_limit = 64;
// Widths remembered per font: a long segment's layout measures a few thousand
// pieces; past this many the memory starts over.
constexpr std::size_t width_limit = 16384;

int cell_height_at(FontSpec request, int pixel_size) {
  request.pixel_size = pixel_size;
  return QFontMetrics(make_qfont(request)).height();
}

// The largest em size whose cell (ascent + descent) fits `cell` pixels, so a
// font asked for by its line height gets that line height.
int pixel_size_for_cell(const FontSpec& request, int cell) {
  constexpr int reference = 100;
  const int reference_cell = std::max(1, cell_height_at(request, reference));
  int size = static_cast<int>(
      std::clamp<std::int64_t>(static_cast<std::int64_t>(cell) * reference / reference_cell, 1,
                               largest_pixel_size));
  while (size > 1 && cell_height_at(request, size) > cell) --size;
  while (size < largest_pixel_size && cell_height_at(request, size + 1) <= cell) ++size;
  return size;
}

// Whether fontconfig has a real script face for "cursive", rather than handing
// back one of the ordinary faces.
bool has_script_face() {
  QFont cursive;
  cursive.setFamilies({QStringLiteral("cursive")});
  cursive.setStyleHint(QFont::Cursive);
  const QString found = QFontInfo(cursive).family();
  for (const QStringList& families : {sans_families(), serif_families(), mono_families()}) {
    FontSpec plain;
    plain.families = families;
    if (found == QFontInfo(make_qfont(plain)).family()) return false;
  }
  return !found.isEmpty();
}

FontSpec family_spec(const QStringList& families, int weight, bool italic = false) {
  FontSpec request;
  request.families = families;
  request.weight = weight;
  request.italic = italic;
  return request;
}

// Renders one character white on black.
QImage render_character(const QFont& font, QChar c) {
  QImage image(48, 48, QImage::Format_RGB32);
  image.fill(Qt::black);
  QPainter painter(&image);
  painter.setFont(font);
  painter.setPen(Qt::white);
  painter.drawText(8, 36, QString(c));
  return image;
}

bool fonts_have_glyphs() {
  if (QFontDatabase::families().isEmpty()) return false;
  FontSpec request = family_spec(sans_families(), QFont::Normal);
  request.pixel_size = 24;
  const QFont font = make_qfont(request);
  if (!QFontMetrics(font).inFont(QLatin1Char('A'))) return false;
  // Without glyphs every character comes out as the same empty box.
  const QImage a = render_character(font, QLatin1Char('A'));
  const QImage o = render_character(font, QLatin1Char('o'));
  QImage blank(a.size(), a.format());
  blank.fill(Qt::black);
  return a != o && a != blank;
}

}  // namespace

QFont make_qfont(const FontSpec& request) {
  QFont font;
  font.setFamilies(request.families);
  font.setPixelSize(std::clamp(request.pixel_size, 1, largest_pixel_size));
  font.setWeight(static_cast<QFont::Weight>(request.weight));
  font.setItalic(request.italic);
  // Grey antialiasing: pages are copied to any screen, whatever its subpixel order.
  font.setStyleStrategy(QFont::NoSubpixelAntialias);
  return font;
}

FontEntry::FontEntry(const FontSpec& font_spec)
    : request(font_spec),
      font(make_qfont(font_spec)),
      metrics(font),
      ascent(metrics.ascent()),
      cell_height(metrics.height()),
      line_height(metrics.height() + std::max(0, metrics.leading())) {}

int FontEntry::line_width(std::string_view utf8) const {
  if (const auto found = widths_.find(utf8); found != widths_.end()) return found->second;
  const int width = metrics.horizontalAdvance(shown_text(until_nul(utf8)));
  if (widths_.size() >= width_limit) widths_.clear();
  widths_.emplace(utf8, width);
  return width;
}

FontSpec fetch_theme_font() {
  const auto theme = call_on_gui([] {
    const QFont font = QApplication::font();
    FontSpec request;
    request.families = font.families();
    if (request.families.isEmpty()) request.families = {font.family()};
    request.pixel_size = QFontInfo(font).pixelSize();
    request.weight = font.weight();
    request.italic = font.italic();
    return request;
  });
  if (theme) return *theme;
  FontSpec fallback = family_spec(sans_families(), QFont::Normal);
  fallback.pixel_size = 12;
  return fallback;
}

bool is_font_number(int number) { return number >= font::default_bold && number <= font::symbol; }

FontSpec FontCache::spec_for(int number, int height) {
  FontSpec request;
  switch (number) {
    case font::default_bold: request = family_spec(sans_families(), QFont::Bold); break;
    case font::sans: request = family_spec(sans_families(), QFont::Normal); break;
    case font::serif: request = family_spec(serif_families(), QFont::Normal); break;
    case font::script:
      if (script_face_known_ < 0) script_face_known_ = has_script_face() ? 1 : 0;
      request = script_face_known_ ? family_spec({QStringLiteral("cursive")}, QFont::Normal)
                                : family_spec(serif_families(), QFont::Normal, true);
      break;
    case font::sans_bold: request = family_spec(sans_families(), QFont::Bold); break;
    case font::serif_bold: request = family_spec(serif_families(), QFont::Bold); break;
    case font::mono: request = family_spec(mono_families(), QFont::Normal); break;
    case font::dialog: request = family_spec(theme_.families, theme_.weight, theme_.italic); break;
    default: request = family_spec({QStringLiteral("Wingdings")}, QFont::Normal); break;
  }
  if (height == 0) {
    request.pixel_size = theme_.pixel_size;  // the desktop's default size
  } else if (height < 0) {
    request.pixel_size = static_cast<int>(
        std::min<std::int64_t>(-static_cast<std::int64_t>(height), largest_pixel_size));
  } else {
    request.pixel_size = pixel_size_for_cell(request, height);
  }
  return request;
}

std::shared_ptr<const FontEntry> FontCache::remember(std::pair<int, int> key, const FontSpec& request) {
  if (entries_.size() >= cache_limit) entries_.clear();
  auto entry = std::make_shared<const FontEntry>(request);
  ++fonts_made_;
  entries_.emplace(key, entry);
  return entry;
}

std::shared_ptr<const FontEntry> FontCache::get(int number, int height) {
  if (!is_font_number(number)) return nullptr;
  const std::pair key(number, height);
  if (const auto found = entries_.find(key); found != entries_.end()) return found->second;
  return remember(key, spec_for(number, height));
}

std::shared_ptr<const FontEntry> FontCache::theme() {
  const std::pair key(font::match_theme, 0);
  if (const auto found = entries_.find(key); found != entries_.end()) return found->second;
  return remember(key, theme_);
}

void require_usable_fonts() {
  static std::once_flag looked;
  static bool usable = true;
  // Fonts are looked at on the window thread, which owns the application.
  std::call_once(looked, [] { usable = call_on_gui(fonts_have_glyphs).value_or(true); });
  if (usable) return;
  std::fprintf(stderr,
               "Korvid cannot show text: no installed font has real glyphs. "
               "Install a font package (for example fonts-dejavu-core) and start again.\n");
  end_process(1);
}

}  // namespace korvid::detail
