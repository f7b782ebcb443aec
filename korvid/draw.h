// Immediate-mode drawing on the current window's active page: colours, pens
// and fills, primitives, the viewport, text and the classic error codes.
//
// Coordinates are pixels relative to the viewport's top-left corner. Colours are
// 24-bit values with red in the low byte, green in the middle and blue in the
// high byte. Text is UTF-8; a byte that is not part of well-formed UTF-8 is
// drawn and measured as U+FFFD.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace korvid {

// Colours ------------------------------------------------------------------

inline constexpr int black = 0x000000;
inline constexpr int white = 0xFFFFFF;

// r + 256 g + 65536 b, each component cut to 8 bits.
int creatergb(int r, int g, int b);
int getredvalue(int color);
int getgreenvalue(int color);
int getbluevalue(int color);
// There is no palette.
int getmaxcolor();
// The colour the page really stores for `color`.
int getdisplaycolor(int color);

void setcolor(int color);  // pens and text
int getcolor();
void setbkcolor(int color);  // clears, text boxes, pattern gaps
int getbkcolor();

// Lines --------------------------------------------------------------------

namespace line_style {
inline constexpr int solid = 0;
inline constexpr int dotted = 1;
inline constexpr int center = 2;
inline constexpr int dashed = 3;
inline constexpr int user = 4;  // dashes built from the 16-bit pattern, bit 0 first
}  // namespace line_style

struct LineSettings {
  int style = line_style::solid;
  unsigned pattern = 0;
  int thickness = 1;
};

void setlinestyle(int style, unsigned pattern, int thickness);
LineSettings getlinesettings();
void setlinesettings(const LineSettings& settings);

// 0 paints, 1 exclusive-ors lines and outlined shapes with the page.
inline constexpr int copy_put = 0;
inline constexpr int xor_put = 1;
void setwritemode(int mode);

// Fills --------------------------------------------------------------------

namespace fill_style {
inline constexpr int empty = 0;          // the background colour
inline constexpr int solid = 1;
inline constexpr int horizontal = 2;     // hatch: horizontal lines
inline constexpr int falling = 3;        // hatch: upper left to lower right
inline constexpr int thick_falling = 4;  // pattern E0 C1 83 07 0E 1C 38 70
inline constexpr int thick_rising = 5;   // pattern 07 83 C1 E0 70 38 1C 0E
inline constexpr int rising = 6;         // hatch: lower left to upper right
inline constexpr int cross = 7;          // hatch: horizontal and vertical
inline constexpr int diagonal_cross = 8; // hatch: both diagonals
inline constexpr int interleave = 9;     // pattern CC 33 CC 33 ...
inline constexpr int wide_dot = 10;      // pattern 80 00 08 00 ...
inline constexpr int close_dot = 11;     // pattern 88 00 22 00 ...
inline constexpr int user = 12;          // the pattern of setfillpattern
}  // namespace fill_style

// Eight rows, one byte each, bit 7 leftmost; 1 bits take the fill colour and
// 0 bits the background colour.
using FillPattern = std::array<std::uint8_t, 8>;

struct FillSettings {
  int style = fill_style::solid;
  int color = white;
};

// An unknown style sets graphresult() to -11 and changes nothing.
void setfillstyle(int style, int color);
void setfillpattern(const FillPattern& pattern, int color);
FillSettings getfillsettings();
FillPattern getfillpattern();

// Primitives ---------------------------------------------------------------

struct Point {
  int x = 0;
  int y = 0;
};

struct ArcCoords {
  int x = 0;  // centre
  int y = 0;
  int xstart = 0;
  int ystart = 0;
  int xend = 0;
  int yend = 0;
};

// Fills from (left, top) up to but not including column `right` and row
// `bottom`; no outline.
void bar(int left, int top, int right, int bottom);
// A bar with an outline and, when depth > 0, a receding side (and top when
// `topflag`).
void bar3d(int left, int top, int right, int bottom, int depth, bool topflag);
// Mirrors what the active page shows inside the rectangle, both corners
// included, left to right (as a mirror held beside it would show it). Only what
// lies inside the viewport's clip, or on the page, is mirrored, about its own
// middle.
void mirrorrect(int left, int top, int right, int bottom);
// Outline through the four corners; both right and bottom edges are drawn.
void rectangle(int left, int top, int right, int bottom);
// Leaves the drawing position where it was.
void line(int x1, int y1, int x2, int y2);
void lineto(int x, int y);
void linerel(int dx, int dy);
void moveto(int x, int y);
void moverel(int dx, int dy);
int getx();
int gety();

// Angles are whole degrees, counter-clockwise from 3 o'clock. An arc's end
// points are x + r cos a and y - r sin a, each product truncated towards zero.
void arc(int x, int y, int stangle, int endangle, int radius);
void circle(int x, int y, int radius);
void ellipse(int x, int y, int stangle, int endangle, int xradius, int yradius);
// Outlined with the pen and filled with the fill.
void fillellipse(int x, int y, int xradius, int yradius);
void pieslice(int x, int y, int stangle, int endangle, int radius);
void sector(int x, int y, int stangle, int endangle, int xradius, int yradius);
// Centre and end points of the last arc, elliptical arc, pie slice or sector.
ArcCoords getarccoords();

// An open polyline; repeat the first point at the end to close it.
void drawpoly(std::span<const Point> points);
// A closed polygon, filled and outlined.
void fillpoly(std::span<const Point> points);
// Fills the area around (x, y) bounded by pixels of colour `border`.
void floodfill(int x, int y, int border);
void putpixel(int x, int y, int color);
// -1 outside the page or outside a clipping viewport.
int getpixel(int x, int y);

// Viewport and clearing -----------------------------------------------------

struct ViewportSettings {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool clip = false;
};

// Moves the origin to (left, top) and the drawing position there; with `clip`,
// drawing stays inside columns left..right-1 and rows top..bottom-1.
void setviewport(int left, int top, int right, int bottom, bool clip);
// The viewport (0, 0, getmaxx(), getmaxy()) without clipping.
void resetviewport();
ViewportSettings getviewsettings();
// Fills the viewport up to but not including its right column and bottom row
// with the background colour and moves the drawing position to its origin.
void clearviewport();
// Fills the whole page with the background colour, ignoring any clipping.
void cleardevice();

// Outer size of the window, frame included.
int getwindowwidth();
int getwindowheight();
// Stored and reported only; 10000:10000 by default.
void getaspectratio(int& xasp, int& yasp);
void setaspectratio(int xasp, int yasp);

// Text ---------------------------------------------------------------------

namespace font {
inline constexpr int default_bold = 0;
inline constexpr int sans = 1;
inline constexpr int serif = 2;
inline constexpr int script = 3;
inline constexpr int sans_bold = 4;
inline constexpr int serif_bold = 5;
inline constexpr int mono = 6;
inline constexpr int dialog = 7;        // the desktop's dialog font at the given height
inline constexpr int symbol = 8;
inline constexpr int match_theme = -999;  // the desktop's dialog font as it is
}  // namespace font

inline constexpr int horiz_dir = 0;
inline constexpr int vert_dir = 1;
inline constexpr int keep_direction = -999;

inline constexpr int left_text = 0;
inline constexpr int center_text = 1;
inline constexpr int right_text = 2;
inline constexpr int bottom_text = 0;
inline constexpr int top_text = 2;

struct TextSettings {
  int font = font::default_bold;
  int direction = horiz_dir;
  int charsize = 12;  // cell height in pixels
  int horiz = left_text;
  int vert = center_text;
};

struct UserCharSize {
  int multx = 1;
  int divx = 1;
  int multy = 1;
  int divy = 1;
};

// `charsize` is the height of a line of text in pixels. Direction
// `keep_direction` keeps the current one. An unknown font number sets
// graphresult() to -14 and changes nothing.
void settextstyle(int font, int direction, int charsize);
// Selects the desktop's dialog font unchanged and records it as font 7 with
// its height, so that measuring and later settextstyle(7, ...) agree.
void setmatchthemetextstyle();
void settextjustify(int horiz, int vert);
TextSettings gettextsettings();
// Stored and reported only; the font does not change.
void setusercharsize(int multx, int divx, int multy, int divy);
UserCharSize getusercharsize();

// Where the next outtext starts.
void settextxy(int x, int y);
// Draws at the text position in the drawing colour on the background colour.
// Line breaks come from the text only. Left text starts at the position;
// centred text is centred between it and the window's right edge; right text
// ends at that edge. Afterwards the position is below the text (horizontal
// text) or right of it (vertical text).
void outtext(std::string_view text);
void outtextxy(int x, int y, std::string_view text);
// Size the text takes in the current font: its widest line and all its lines.
int textwidth(std::string_view text);
int textheight(std::string_view text);
// Kept for programs that ask for the system code page; on this platform the
// system code page is UTF-8, so text is read as before.
void useansitext();

// Errors -------------------------------------------------------------------

inline constexpr int gr_ok = 0;
inline constexpr int gr_error = -11;             // bad fill style
inline constexpr int gr_invalid_font_num = -14;  // unknown font number

// The last error code; reading it resets it to 0.
int graphresult();
// The message for codes -15..0; empty for any other code.
std::string grapherrormsg(int code);

}  // namespace korvid
