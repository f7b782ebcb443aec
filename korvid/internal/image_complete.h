// Whether an image file holds all of its picture. Some of Qt's decoders
// report success for a file cut short and leave the missing part grey or
// unset; drawing that would put garbage on the page, so such files are
// refused before they are decoded.
#pragma once

#include <string_view>

namespace korvid::detail {

// True when the BMP pixel data, the JPEG scans up to the end marker, or the
// GIF's first frame are all present. Other kinds are left to their decoder
// (PNG's reports a cut file itself) and count as complete here.
bool picture_complete(std::string_view bytes);

}  // namespace korvid::detail
