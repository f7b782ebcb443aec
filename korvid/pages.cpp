#include <QWidget>

#include "korvid/internal/control_state.h"
#include "korvid/internal/draw_state.h"
#include "korvid/internal/gui_thread.h"
#include "korvid/internal/window_data.h"
#include "korvid/internal/window_widget.h"

namespace korvid::detail {

WindowData::WindowData() = default;
WindowData::~WindowData() = default;

QImage& page_image(WindowData& window, int page) {
  auto& slot = window.pages[static_cast<std::size_t>(page)];
  if (!slot) {
    // Made on first use: the two pages a program never touches cost nothing.
    slot = std::make_unique<QImage>(window.page_size, QImage::Format_RGB32);
    slot->fill(Qt::black);
  }
  return *slot;
}

QImage& active_page_image(WindowData& window) { return page_image(window, window.active_page); }

namespace {

// Sends the collected dirty region to the window thread, once per batch: many
// primitives in a row cost one queued repaint, not one each.
void post_repaint(const std::shared_ptr<WindowData>& window) {
  post_to_gui([weak = std::weak_ptr<WindowData>(window)] {
    auto w = weak.lock();
    if (!w) return;
    QRegion region;
    {
      std::lock_guard lock(w->dirty_lock);
      region.swap(w->dirty);
      w->repaint_posted = false;
    }
    if (w->widget) w->widget->update(region);
  });
}

}  // namespace

void refresh_device_rect(WindowData& window, const QRect& rect, bool ignore_refreshing) {
  if (window.visual_page != window.active_page) return;
  if (!ignore_refreshing && !window.refreshing) return;
  bool post = false;
  {
    std::lock_guard lock(window.dirty_lock);
    window.dirty += rect;
    post = !window.repaint_posted;
    window.repaint_posted = true;
  }
  if (post) post_repaint(window.shared_from_this());
}

void repaint_all(WindowData& window) {
  bool post = false;
  {
    std::lock_guard lock(window.dirty_lock);
    window.dirty = QRegion(0, 0, window.width, window.height);
    post = !window.repaint_posted;
    window.repaint_posted = true;
  }
  if (post) post_repaint(window.shared_from_this());
}

}  // namespace korvid::detail
