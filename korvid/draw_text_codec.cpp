#include "korvid/internal/draw_text_codec.h"

namespace korvid::detail {

std::string_view until_nul(std::string_view text) { return text.substr(0, text.find('\0')); }

// Qt's decoder already turns each byte outside a well-formed sequence into one
// U+FFFD, and it is the fastest way in; the tests hold it to that.
QString shown_text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace korvid::detail
