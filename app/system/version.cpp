#include "app/system/version.h"

namespace veltrim {
const char* version() { return VELTRIM_VERSION; }
}  // namespace veltrim
