#include "app/panel_frame.h"

#include <cctype>
#include <string>

#include "app/event_codes.h"
#include "app/external.h"
#include "korvid/korvid.h"

namespace veltrim {
namespace {

constexpr int white = 0xFFFFFF;
constexpr int black = 0x000000;
constexpr int logo_right = 315;
constexpr int heading_size = 25;
constexpr int sans_serif = 1;
constexpr int sans_serif_bold = 4;
constexpr int horizontal = 0;

// A file:// URL for a local path: every byte outside the unreserved set and
// "/" is percent-encoded, so folders with blanks or non-ASCII names still open.
std::string file_url(const std::filesystem::path& path) {
  static constexpr char hex[] = "0123456789ABCDEF";
  std::string url = "file://";
  for (const unsigned char c : path.string()) {
    const bool plain = std::isalnum(c) || c == '/' || c == '-' || c == '.' || c == '_' || c == '~';
    if (plain) {
      url += static_cast<char>(c);
    } else {
      url += '%';
      url += hex[c >> 4];
      url += hex[c & 15];
    }
  }
  return url;
}

}  // namespace

void begin_panel_page() {
  korvid::setbkcolor(white);
  korvid::setcolor(black);
  korvid::resetviewport();
  korvid::clearviewport();
}

int display_logo(const std::filesystem::path& program_directory) {
  const std::filesystem::path logo = program_directory / "assets" / "veltrim.bmp";
  korvid::readimagefile(logo.string(), 1, 1, logo_right, logo_bottom);
  return logo_bottom;
}

int draw_pref_heading(int x, int y, std::string_view text) {
  korvid::settextstyle(sans_serif_bold, horizontal, heading_size);
  korvid::outtextxy(x, y, text);
  const int height = korvid::textheight(text);
  const int rule = y + height + 5;
  korvid::line(x, rule, korvid::getmaxx() + 1 - x, rule);
  korvid::settextstyle(sans_serif, horizontal, heading_size);
  return height + 8;
}

bool exit_panel_loop_event(int code) {
  switch (code) {
    case event::exit:
    case event::start:
    case event::preferences:
    case event::edit:
    case event::import:
      return true;
    default:
      return false;
  }
}

void open_help(const std::filesystem::path& program_directory) {
  const std::filesystem::path page = program_directory / "help" / "index.html";
  open_url(file_url(page));
}

}  // namespace veltrim
