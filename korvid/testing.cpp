#include "korvid/testing.h"

#include <QCoreApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QPainter>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QWheelEvent>
#include <QWidget>

#include "korvid/input.h"
#include "korvid/internal/desktop_hook.h"
#include "korvid/internal/gui_thread.h"
#include "korvid/internal/window_table.h"
#include "korvid/internal/window_widget.h"

namespace korvid::testing {
namespace {

using detail::WindowData;

// Runs `fn` on the window thread with the window's widget, if it still has one.
void with_widget(int id, const std::function<void(QWidget&)>& fn) {
  auto window = detail::find_window(id);
  if (!window) return;
  detail::run_on_gui([&] {
    if (window->widget) fn(*window->widget);
  });
}

Qt::MouseButton qt_button(int button) {
  switch (button) {
    case 2: return Qt::RightButton;
    case 3: return Qt::MiddleButton;
    default: return Qt::LeftButton;
  }
}

void send_mouse(QWidget& widget, QEvent::Type type, QPointF pos, Qt::MouseButton button,
                Qt::MouseButtons held) {
  QMouseEvent event(type, pos, widget.mapToGlobal(pos), button, held, Qt::NoModifier);
  QCoreApplication::sendEvent(&widget, &event);
}

int extended_to_qt_key(int code) {
  if (code >= korvid::key::f1 && code < korvid::key::f1 + 10) return Qt::Key_F1 + (code - korvid::key::f1);
  switch (code) {
    case korvid::key::f11: return Qt::Key_F11;
    case korvid::key::f12: return Qt::Key_F12;
    case korvid::key::home: return Qt::Key_Home;
    case korvid::key::up: return Qt::Key_Up;
    case korvid::key::page_up: return Qt::Key_PageUp;
    case korvid::key::left: return Qt::Key_Left;
    case korvid::key::clear: return Qt::Key_Clear;
    case korvid::key::right: return Qt::Key_Right;
    case korvid::key::end: return Qt::Key_End;
    case korvid::key::down: return Qt::Key_Down;
    case korvid::key::page_down: return Qt::Key_PageDown;
    case korvid::key::insert: return Qt::Key_Insert;
    case korvid::key::del: return Qt::Key_Delete;
    default: return 0;
  }
}

}  // namespace

void click(int window, int x, int y, int button) {
  with_widget(window, [&](QWidget& widget) {
    const Qt::MouseButton b = qt_button(button);
    send_mouse(widget, QEvent::MouseButtonPress, QPointF(x, y), b, b);
    send_mouse(widget, QEvent::MouseButtonRelease, QPointF(x, y), b, Qt::NoButton);
  });
}

void double_click(int window, int x, int y) {
  with_widget(window, [&](QWidget& widget) {
    const QPointF p(x, y);
    send_mouse(widget, QEvent::MouseButtonPress, p, Qt::LeftButton, Qt::LeftButton);
    send_mouse(widget, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
    send_mouse(widget, QEvent::MouseButtonDblClick, p, Qt::LeftButton, Qt::LeftButton);
    send_mouse(widget, QEvent::MouseButtonRelease, p, Qt::LeftButton, Qt::NoButton);
  });
}

void move_mouse(int window, int x, int y) {
  with_widget(window, [&](QWidget& widget) {
    send_mouse(widget, QEvent::MouseMove, QPointF(x, y), Qt::NoButton, Qt::NoButton);
  });
}

void turn_wheel(int window, int delta, int x, int y) {
  with_widget(window, [&](QWidget& widget) {
    const QPointF p(x, y);
    QWheelEvent event(p, widget.mapToGlobal(p), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&widget, &event);
  });
}

void type_keys(int window, std::string_view text) {
  const QString qtext = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  with_widget(window, [&](QWidget& widget) {
    for (const QChar c : qtext) {
      QKeyEvent event(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
      QCoreApplication::sendEvent(&widget, &event);
    }
  });
}

void press_extended_key(int window, int code) {
  const int qt_key = extended_to_qt_key(code);
  if (!qt_key) return;
  with_widget(window, [&](QWidget& widget) {
    QKeyEvent event(QEvent::KeyPress, qt_key, Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &event);
  });
}

void resize_window(int window, int width, int height) {
  with_widget(window, [&](QWidget& widget) {
    if (widget.minimumSize() == widget.maximumSize()) return;  // no border to drag
    widget.resize(width, height);
    // The platform reports the new geometry asynchronously; take it in now.
    QCoreApplication::processEvents();
  });
}

void request_close(int window) {
  with_widget(window, [](QWidget& widget) { widget.close(); });
}

void set_close_grace(int id, std::chrono::milliseconds grace) {
  auto window = detail::find_window(id);
  if (!window) return;
  detail::run_on_gui([&] { window->close_grace = grace; });
}

int visual_pixel(int id, int x, int y) {
  auto window = detail::find_window(id);
  if (!window) return -1;
  std::lock_guard lock(window->page_lock);
  const QImage& page = detail::page_image(*window, window->visual_page);
  if (!page.valid(x, y)) return -1;
  const QRgb rgb = page.pixel(x, y);
  return qRed(rgb) | (qGreen(rgb) << 8) | (qBlue(rgb) << 16);
}

std::string window_title(int id) {
  auto window = detail::find_window(id);
  if (!window) return {};
  std::string title;
  detail::run_on_gui([&] {
    if (window->widget) title = window->widget->windowTitle().toStdString();
  });
  return title;
}

bool window_visible(int id) {
  auto window = detail::find_window(id);
  if (!window) return false;
  return detail::call_on_gui([&] { return window->widget && window->widget->isVisible(); })
      .value_or(false);
}

bool save_visual_page(int id, const std::string& path) {
  auto window = detail::find_window(id);
  if (!window) return false;
  std::lock_guard lock(window->page_lock);
  const QImage& page = detail::page_image(*window, window->visual_page);
  return page.copy(0, 0, window->width, window->height).save(QString::fromStdString(path), "PNG");
}

int screen_pixel(int window, int x, int y) {
  int colour = -1;
  with_widget(window, [&](QWidget& widget) {
    // Rendering the widget runs its paint handler, as the screen would.
    const QImage shown = widget.grab(QRect(x, y, 1, 1)).toImage();
    if (shown.isNull()) return;
    const QRgb rgb = shown.pixel(0, 0);
    colour = qRed(rgb) | (qGreen(rgb) << 8) | (qBlue(rgb) << 16);
  });
  return colour;
}

int native_width(int window) {
  int width = -1;
  with_widget(window, [&](QWidget& widget) { width = widget.width(); });
  return width;
}

int native_height(int window) {
  int height = -1;
  with_widget(window, [&](QWidget& widget) { height = widget.height(); });
  return height;
}

bool window_enabled(int window) {
  bool enabled = false;
  with_widget(window, [&](QWidget& widget) { enabled = widget.isEnabled(); });
  return enabled;
}

std::vector<int> window_icon_sizes(int window) {
  std::vector<int> sizes;
  with_widget(window, [&](QWidget& widget) {
    for (const QSize& size : widget.windowIcon().availableSizes()) sizes.push_back(size.width());
  });
  return sizes;
}

std::uint64_t painted_frames(int id) {
  auto window = detail::find_window(id);
  if (!window) return 0;
  std::lock_guard lock(window->frames_lock);
  return window->frames_painted;
}

std::uint64_t repaint_requests(int id) {
  auto window = detail::find_window(id);
  if (!window) return 0;
  std::lock_guard lock(window->dirty_lock);
  return window->repaint_requests;
}

bool wait_for_paint_after(int id, std::uint64_t frames) {
  auto window = detail::find_window(id);
  if (!window) return false;
  std::unique_lock lock(window->frames_lock);
  window->frame_painted.wait(lock, [&] { return window->frames_painted > frames; });
  return true;
}

bool idle_waiting(int id) {
  auto window = detail::find_window(id);
  return window && window->idle_event.has_waiter();
}

void run_as_callback(int id, std::function<void()> fn) {
  if (auto window = detail::find_window(id)) detail::start_callback_thread(window, std::move(fn));
}

int thread_list_size(int id) {
  auto window = detail::find_window(id);
  if (!window) return 0;
  std::lock_guard lock(window->threads_lock);
  return static_cast<int>(window->threads.size());
}

void fill_active_page(int id, int left, int top, int right, int bottom, int colour) {
  auto window = detail::find_window(id);
  if (!window) return;
  const QRect rect(QPoint(left, top), QPoint(right, bottom));
  {
    std::lock_guard lock(window->page_lock);
    QPainter painter(&detail::active_page_image(*window));
    painter.fillRect(rect, QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF));
  }
  detail::refresh_device_rect(*window, rect);
}

void set_url_opener(std::function<bool(std::string_view)> opener) {
  detail::url_opener_override() = std::move(opener);
}

void flush_window_thread() {
  detail::run_on_gui([] { QCoreApplication::processEvents(); });
}

}  // namespace korvid::testing
