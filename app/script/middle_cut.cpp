#include "app/script/middle_cut.h"

#include <cstddef>
#include <vector>

namespace veltrim {
namespace {

bool is_continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0U) == 0x80U; }

std::vector<std::size_t> character_starts(std::string_view text) {
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!is_continuation(text[i])) starts.push_back(i);
  }
  return starts;
}

}  // namespace

std::string shorten_in_middle(std::string_view text, const std::function<bool(std::string_view)>& fits) {
  if (fits(text)) return std::string(text);
  const std::vector<std::size_t> starts = character_starts(text);
  const std::size_t count = starts.size();
  // The text keeping `kept` of its characters, the start taking the odd one.
  const auto keeping = [&](std::size_t kept) {
    const std::size_t tail = kept / 2;
    const std::size_t head = kept - tail;
    std::string shortened(text.substr(0, head < count ? starts[head] : text.size()));
    shortened += middle_mark;
    if (tail > 0) shortened += text.substr(starts[count - tail]);
    return shortened;
  };
  // More characters never make a text narrower, so the longest that fits is
  // found by halving.
  std::size_t low = 0;  // kept characters known to fit (or none)
  std::size_t high = count;  // known not to fit
  while (high - low > 1) {
    const std::size_t middle = low + (high - low) / 2;
    if (fits(keeping(middle))) {
      low = middle;
    } else {
      high = middle;
    }
  }
  return keeping(low);
}

}  // namespace veltrim
