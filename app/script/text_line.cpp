#include "app/script/text_line.h"

namespace veltrim {

void clear_line_breaks(std::span<Text_line> lines) {
  for (Text_line& line : lines) line.invalidate_breaks();
}

}  // namespace veltrim
