// Handing things to the desktop.
#pragma once

#include <string_view>

namespace korvid {

// Asks the desktop to open `url` in the user's browser or viewer. Returns false
// when the URL does not parse strictly or the desktop could not open it.
bool openurl(std::string_view url);

}  // namespace korvid
