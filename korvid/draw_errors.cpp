#include <array>

#include "korvid/draw.h"
#include "korvid/internal/draw_state.h"
#include "korvid/internal/window_data.h"

namespace korvid {
namespace {

// Messages of codes 0, -1, ..., -15. "meory" is how programs have always seen it.
constexpr std::array<const char*, 16> messages = {
    "No error",
    "Graphics not installed",
    "Graphics hardware not detected",
    "Device driver not found",
    "Invalid device driver file",
    "Insufficient memory to load driver",
    "Out of memory in scan fill",
    "Out of memory in flood fill",
    "Font file not found",
    "Not enough meory to load font",
    "Invalid mode for selected driver",
    "Graphics error",
    "Graphics I/O error",
    "Invalid font file",
    "Invalid font number",
    "Invalid device number",
};

}  // namespace

int graphresult() {
  auto window = detail::drawing_window();
  const int code = window->draw->graph_result;
  window->draw->graph_result = gr_ok;
  return code;
}

std::string grapherrormsg(int code) {
  if (code > 0 || code < -static_cast<int>(messages.size()) + 1) return {};
  return messages[static_cast<std::size_t>(-code)];
}

}  // namespace korvid
