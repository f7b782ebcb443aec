#include "korvid/window.h"

#include <QGuiApplication>
#include <QIcon>
#include <QScreen>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <mutex>
#include <thread>

#include "korvid/internal/draw_state.h"
#include "korvid/internal/gui_thread.h"
#include "korvid/internal/table.h"
#include "korvid/internal/window_table.h"
#include "korvid/internal/window_widget.h"

namespace korvid {
namespace {

using detail::WindowData;

// Pages are made for the largest client area the screens allow, so resizing
// never reallocates or clears them.
QSize largest_client_area(int width, int height) {
  QSize size(width, height);
  for (QScreen* screen : QGuiApplication::screens()) {
    size = size.expandedTo(screen->virtualSize()).expandedTo(screen->size());
  }
  return size;
}

bool create_widget(const std::shared_ptr<WindowData>& window) {
  return detail::run_on_gui([&] {
    auto* widget = new detail::WindowWidget(window);
    {
      std::lock_guard lock(window->title_lock);
      widget->setWindowTitle(QString::fromStdString(window->title));
      if (window->title.empty()) widget->setWindowFlag(Qt::FramelessWindowHint);
    }
    widget->setFixedSize(window->width, window->height);
    if (window->left != default_position && window->top != default_position) {
      widget->move(window->left, window->top);
    }
    window->page_size = largest_client_area(window->width, window->height);
    window->widget = widget;
    {
      std::lock_guard lock(window->threads_lock);
      window->threads.push_back({std::this_thread::get_id(), nullptr});
    }
    widget->show();
  });
}

void set_icon(int resource) {
  auto window = detail::current_window_shared();
  detail::run_on_gui([&] {
    if (!window->widget) return;
    QIcon icon;
    if (resource >= 0) icon = QIcon(QStringLiteral(":/icons/%1.png").arg(resource));
    window->widget->setWindowIcon(icon);
  });
}

}  // namespace

int initwindow(int width, int height, std::string_view title, int left, int top, bool dbflag,
               bool closeflag) {
  if (!detail::ensure_gui_thread()) return -1;
  auto window = std::make_shared<WindowData>();
  window->width = std::max(width, 1);
  window->height = std::max(height, 1);
  window->left = left;
  window->top = top;
  window->title = std::string(title);
  window->double_buffer = dbflag;
  window->exit_on_close = closeflag;
  window->creator_thread = std::this_thread::get_id();
  window->threads.push_back({std::this_thread::get_id(), nullptr});
  window->active_page = dbflag ? 1 : 0;
  window->visual_page = 0;
  if (!create_widget(window)) return -1;
  // Qt's own globals are torn down at exit in reverse order of creation. Once a
  // window is showing, everything Qt set up exists, so a handler registered now
  // stops the window thread before any of it goes away.
  static std::once_flag exit_handler;
  std::call_once(exit_handler, [] { std::atexit([] { detail::shutdown_gui(); }); });
  const int id = detail::add_window(window);
  detail::reset_draw_state(*window);
  return id;
}

void closewindow(int id) {
  if (id == all_windows_id) {
    for (int i = 0; i < detail::window_count(); ++i) closewindow(i);
    return;
  }
  if (id == current_window_id) id = detail::current_window_id_value();
  auto window = detail::find_window(id);
  if (!window) return;
  detail::run_on_gui([&] { detail::destroy_window_widget(*window); });
  detail::forget_window(id);
}

int getcurrentwindow() { return detail::current_window_id_value(); }

void setcurrentwindow(int id) {
  auto window = detail::find_window(id);
  if (!window) return;
  detail::set_current_window_id(id);
  detail::run_on_gui([&] {
    if (window->widget) window->widget->activateWindow();
  });
}

bool isvalidwindow(int id) { return detail::find_window(id) != nullptr; }

void enablewindow(int id, bool enable) {
  auto window = detail::find_window(id);
  if (!window) return;
  detail::run_on_gui([&] {
    if (window->widget) window->widget->setEnabled(enable);
  });
}

int getsignallingwindow() {
  const auto me = std::this_thread::get_id();
  for (int id = 0; id < detail::window_count(); ++id) {
    auto window = detail::find_window(id);
    if (!window) continue;
    std::lock_guard lock(window->threads_lock);
    for (const auto& entry : window->threads) {
      if (entry.id == me) return id;
    }
  }
  return -1;
}

void setwindowtitle(std::string_view title) {
  auto window = detail::current_window_shared();
  {
    std::lock_guard lock(window->title_lock);
    window->title = std::string(title);
  }
  detail::run_on_gui([&] {
    if (window->widget) window->widget->setWindowTitle(QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())));
  });
}

std::string getwindowtitle() {
  auto window = detail::current_window_shared();
  std::lock_guard lock(window->title_lock);
  return window->title;
}

void setwindowlargeicon(int resource) { set_icon(resource); }
void setwindowsmallicon(int resource) { set_icon(resource); }

int getmaxx() { return detail::current_window().width - 1; }
int getmaxy() { return detail::current_window().height - 1; }

int getmaxwidth() {
  WindowData& window = detail::current_window();
  return window.page_size.width();
}

int getmaxheight() {
  WindowData& window = detail::current_window();
  return window.page_size.height();
}

void setactivepage(int page) {
  if (page < 0 || page >= page_count) return;
  detail::current_window().active_page = page;
}

void setvisualpage(int page) {
  if (page < 0 || page >= page_count) return;
  WindowData& window = detail::current_window();
  window.visual_page = page;
  detail::repaint_all(window);
}

int getactivepage() { return detail::current_window().active_page; }
int getvisualpage() { return detail::current_window().visual_page; }

void swapbuffers() {
  WindowData& window = detail::current_window();
  if (!window.double_buffer) return;
  {
    std::lock_guard lock(window.page_lock);
    const bool drew_on_first = window.active_page == 0;
    window.active_page = drew_on_first ? 1 : 0;
    window.visual_page = drew_on_first ? 0 : 1;
  }
  detail::repaint_all(window);
}

void refreshall() {
  WindowData& window = detail::current_window();
  if (window.visual_page == window.active_page) detail::repaint_all(window);
}

void refreshrect(int left, int top, int right, int bottom) {
  WindowData& window = detail::current_window();
  const QRect rect = QRect(QPoint(std::min(left, right), std::min(top, bottom)),
                           QPoint(std::max(left, right), std::max(top, bottom)));
  detail::refresh_device_rect(window, rect.translated(detail::page_origin(window)), true);
}

void setrefreshing(bool flag) { detail::current_window().refreshing = flag; }
bool getrefreshing() { return detail::current_window().refreshing; }
void setdialoghotkeys(bool flag) { detail::current_window().dialog_hotkeys = flag; }

void loop() {
  auto window = detail::current_window_shared();
  window->idle_event.wait();
  detail::end_if_closed_by_user();
}

int startidle(int milliseconds) {
  auto window = detail::current_window_shared();
  const bool woken = window->idle_event.wait_for(std::chrono::milliseconds(std::max(milliseconds, 0)));
  detail::end_if_closed_by_user();
  return woken ? 1 : idle_timeout;
}

void stopidle() {
  // Callback threads wake the window; they never end the process themselves.
  auto window = detail::find_window(detail::current_window_id_value());
  if (window) window->idle_event.set();
}

void delay(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(std::max(milliseconds, 0)));
}

}  // namespace korvid
