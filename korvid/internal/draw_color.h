// Korvid colours (red in the low byte) to and from Qt's.
#pragma once

#include <QColor>
#include <QRgb>

namespace korvid::detail {

inline QRgb to_qrgb(int color) {
  return qRgb(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

inline QColor to_qcolor(int color) { return QColor::fromRgb(to_qrgb(color)); }

inline int from_qrgb(QRgb rgb) { return qRed(rgb) | (qGreen(rgb) << 8) | (qBlue(rgb) << 16); }

}  // namespace korvid::detail
