// Reading a whole file in one go.
#pragma once

#include <string>

namespace veltrim {

struct Read_result {
  int error = 0;       // 0, or the errno value of the failure
  std::string reason;  // why it failed, for the user; empty on success
  bool ok() const { return error == 0; }
};

// Reads the whole of a regular file (or a pipe) into `data`. Directories and
// devices are refused, so that nothing can make the reading endless.
Read_result read_file(const std::string& path, std::string& data);

}  // namespace veltrim
