// The layout pass on the recording renderer: a segment's body (the input but
// its last two bytes) laid out at a width from 1 to 2,000 pixels (those two
// bytes). Every piece drawn fits the width unless it is the two-character cut
// of a word wider than the line or a link (links are not wrapped), and a second
// pass draws the same from the cached breaks without measuring a width.
//
// Long lines matter here (a run of blanks once made wrapping quadratic), so
// this target runs with -len_control=0 and long seeds (fuzz/layout.options).
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "app/render/layout.h"
#include "app/script/blanks.h"
#include "app/script/segment.h"
#include "fuzz/fuzz_check.h"
#include "tests/render/recording_renderer.h"

namespace {

using veltrim::trimmed_length;

class Checking_renderer : public veltrim::testing::Recording_renderer {
 public:
  void text_draw(std::string_view text, int type) override {
    const int counted = width_measures;
    fuzz::require(trimmed_length(text) <= 2 || text_width(text, type) <= max_width, "a text piece fits the width");
    width_measures = counted;
    Recording_renderer::text_draw(text, type);
  }
  void preformatted_draw(std::string_view text) override {
    fuzz::require(measure(text) <= max_width, "a preformatted line is cut to the width");
    Recording_renderer::preformatted_draw(text);
  }
};

bool same_drawing(const std::vector<Checking_renderer::Drawn>& a, const std::vector<Checking_renderer::Drawn>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].text != b[i].text || a[i].type != b[i].type || a[i].y != b[i].y || a[i].url != b[i].url) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::string_view body(reinterpret_cast<const char*>(data), size - 2);
  veltrim::Segment segment;
  segment.set_title("Fuzz");
  segment.set_content(body);

  Checking_renderer renderer;
  renderer.max_width = 1 + (data[size - 2] << 8 | data[size - 1]) % 2000;
  veltrim::layout_segment(segment, renderer);
  const auto first = renderer.drawn;
  const std::int32_t height = renderer.content_height;

  renderer.clear_record();
  renderer.y = 0;
  veltrim::layout_segment(segment, renderer);
  fuzz::require(renderer.width_measures == 0, "a second pass measures no width");
  fuzz::require(same_drawing(renderer.drawn, first) && renderer.content_height == height,
                "a second pass draws the same");
  return 0;
}
