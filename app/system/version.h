#pragma once

namespace veltrim {
// The program's version, as `veltrim --version` prints it.
const char* version();
}  // namespace veltrim
