#include "app/render/render.h"

namespace veltrim {

void Renderer::set_bounds(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
  const Rect wanted{top, left, bottom, right};
  if (wanted == bounds) return;
  bounds = wanted;
  bounds_changed = true;
  y = 0;
}

void Renderer::set_render_event(std::int32_t code) {
  render_event = code;
  post_renderer_event();
}

}  // namespace veltrim
