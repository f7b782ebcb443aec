// The four off-screen pages of a window, and how changes on them reach the screen.
#include <QWidget>

#include <algorithm>
#include <mutex>

#include "korvid/internal/control_state.h"
#include "korvid/internal/draw_state.h"
#include "korvid/internal/gui_thread.h"
#include "korvid/internal/window_data.h"
#include "korvid/internal/window_table.h"
#include "korvid/internal/window_widget.h"
#include "korvid/window.h"

namespace korvid {
namespace detail {

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

void release_pages(WindowData& window) {
  std::lock_guard lock(window.page_lock);
  for (auto& page : window.pages) page.reset();
}

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
    // Painted now: the batching already happened here, and Qt's own deferred
    // update would only add a frame timer's delay.
    if (w->widget) w->widget->repaint(region);
  });
}

void mark_dirty(WindowData& window, const QRegion& region) {
  bool post = false;
  {
    std::lock_guard lock(window.dirty_lock);
    window.dirty += region;
    ++window.repaint_requests;
    post = !window.repaint_posted;
    window.repaint_posted = true;
  }
  if (post) post_repaint(window.shared_from_this());
}

bool valid_page(int page) { return page >= 0 && page < page_count; }

}  // namespace

void refresh_device_rect(WindowData& window, const QRect& rect, bool ignore_refreshing) {
  if (window.visual_page != window.active_page) return;
  if (!ignore_refreshing && !window.refreshing) return;
  mark_dirty(window, QRegion(rect));
}

void repaint_all(WindowData& window) { mark_dirty(window, QRegion(0, 0, window.width, window.height)); }

}  // namespace detail

void setactivepage(int page) {
  if (!detail::valid_page(page)) return;
  detail::current_window().active_page = page;
}

void setvisualpage(int page) {
  if (!detail::valid_page(page)) return;
  detail::WindowData& window = detail::current_window();
  window.visual_page = page;
  detail::repaint_all(window);
}

int getactivepage() { return detail::current_window().active_page; }
int getvisualpage() { return detail::current_window().visual_page; }

void swapbuffers() {
  detail::WindowData& window = detail::current_window();
  if (!window.double_buffer) return;
  {
    // Under the page lock, so no primitive is half-way through the page that
    // is about to be shown.
    std::lock_guard lock(window.page_lock);
    const bool drew_on_first = window.active_page == 0;
    window.active_page = drew_on_first ? 1 : 0;
    window.visual_page = drew_on_first ? 0 : 1;
  }
  detail::repaint_all(window);
}

void refreshall() {
  detail::WindowData& window = detail::current_window();
  if (window.visual_page == window.active_page) detail::repaint_all(window);
}

void refreshrect(int left, int top, int right, int bottom) {
  detail::WindowData& window = detail::current_window();
  const QRect rect(QPoint(std::min(left, right), std::min(top, bottom)),
                   QPoint(std::max(left, right), std::max(top, bottom)));
  detail::refresh_device_rect(window, rect.translated(detail::page_origin(window)), true);
}

void setrefreshing(bool flag) { detail::current_window().refreshing = flag; }
bool getrefreshing() { return detail::current_window().refreshing; }

}  // namespace korvid
