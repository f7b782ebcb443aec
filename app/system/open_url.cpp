// Apart from the rest of the external tools, so that only the program's help and
// link buttons pull the desktop into a link.
#include "app/system/external.h"
#include "korvid/korvid.h"

namespace veltrim {

bool open_url(std::string_view url) { return korvid::openurl(url); }

}  // namespace veltrim
