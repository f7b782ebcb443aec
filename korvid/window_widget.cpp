#include "korvid/internal/window_widget.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "korvid/internal/input_events.h"
#include "korvid/internal/window_data.h"
#include "korvid/internal/window_table.h"
#include "korvid/window.h"

namespace korvid::detail {
namespace {

int button_offset(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton: return mouse::left_down;
    case Qt::RightButton: return mouse::right_down;
    case Qt::MiddleButton: return mouse::middle_down;
    case Qt::XButton1:
    case Qt::XButton2: return mouse::extra_down;
    default: return 0;
  }
}

// If the program thread does not come to end the process after the user closed
// the window (it may be waiting for a converter), end it anyway. Files are
// written atomically, so nothing is left half-written.
void start_close_watchdog(std::chrono::milliseconds grace) {
  std::thread([grace] {
    std::this_thread::sleep_for(grace);
    std::fflush(nullptr);
    std::_Exit(0);
  }).detach();
}

// The close box of an exit-on-close window: the window goes away at once, and
// the program thread, woken from whatever wait it is in, ends the process.
void close_for_good(WindowWidget& widget, WindowData& window) {
  widget.hide();
  if (window.closing) return;
  {
    std::lock_guard lock(window.input_lock);
    mark_closed_by_user(window);
  }
  window.key_event.notify_all();
  window.idle_event.set();
  stopidle();  // the program may be waiting on another window
  start_close_watchdog(window.close_grace);
}

}  // namespace

WindowWidget::WindowWidget(std::weak_ptr<WindowData> data) : data_(std::move(data)) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
}

bool WindowWidget::event(QEvent* event) {
  auto window = data();
  SignallingWindowScope scope(window ? window->id.load() : -1);
  return QWidget::event(event);
}

bool WindowWidget::focusNextPrevChild(bool next) {
  auto window = data();
  if (!window || !window->dialog_hotkeys) return false;
  return QWidget::focusNextPrevChild(next);
}

void WindowWidget::paintEvent(QPaintEvent* event) {
  auto window = data();
  QPainter painter(this);
  if (!window) return;
  {
    std::lock_guard lock(window->page_lock);
    const QImage& page = page_image(*window, window->visual_page.load());
    for (const QRect& rect : event->region()) painter.drawImage(rect, page, rect);
  }
  {
    std::lock_guard lock(window->frames_lock);
    ++window->frames_painted;
  }
  window->frame_painted.notify_all();
}

void WindowWidget::mousePressEvent(QMouseEvent* event) {
  const int kind = button_offset(event->button());
  if (auto window = data(); window && kind) {
    const QPoint p = event->position().toPoint();
    record_mouse_event(*window, kind, p.x(), p.y(), p.x(), p.y());
  }
}

void WindowWidget::mouseReleaseEvent(QMouseEvent* event) {
  const int kind = button_offset(event->button());
  if (auto window = data(); window && kind) {
    const QPoint p = event->position().toPoint();
    record_mouse_event(*window, kind + 1, p.x(), p.y(), p.x(), p.y());
  }
}

void WindowWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  const int kind = button_offset(event->button());
  if (auto window = data(); window && kind) {
    const QPoint p = event->position().toPoint();
    record_mouse_event(*window, kind + 2, p.x(), p.y(), p.x(), p.y());
  }
}

void WindowWidget::mouseMoveEvent(QMouseEvent* event) {
  if (auto window = data()) {
    const QPoint p = event->position().toPoint();
    record_mouse_event(*window, mouse::move, p.x(), p.y(), p.x(), p.y());
  }
}

void WindowWidget::wheelEvent(QWheelEvent* event) {
  // Only the vertical wheel is a Korvid event; sideways scrolling is not.
  // Small steps are kept until they make a whole notch, and only whole
  // notches are passed on, so a touchpad scrolls as far as a wheel would.
  if (auto window = data(); window && event->angleDelta().y() != 0) {
    const int total = window->wheel_remainder + event->angleDelta().y();
    const int whole = total / mouse::wheel_notch * mouse::wheel_notch;
    window->wheel_remainder = total - whole;
    if (whole != 0) {
      const QPoint screen = event->globalPosition().toPoint();
      record_mouse_event(*window, mouse::wheel, screen.x(), screen.y(), whole, 0);
    }
  }
  event->accept();
}

void WindowWidget::keyPressEvent(QKeyEvent* event) {
  auto window = data();
  if (!window) return;
  if (const int code = extended_key_code(event->key())) {
    const unsigned char pair[] = {0, static_cast<unsigned char>(code)};
    push_key_codes(*window, pair, 2);
    return;
  }
  const QByteArray text = event->text().toUtf8();
  if (!text.isEmpty()) {
    push_key_codes(*window, reinterpret_cast<const unsigned char*>(text.constData()),
                   static_cast<int>(text.size()));
  }
}

void WindowWidget::resizeEvent(QResizeEvent* event) {
  auto window = data();
  if (!window) return;
  window->width = event->size().width();
  window->height = event->size().height();
  std::function<void()> handler;
  {
    std::lock_guard lock(window->input_lock);
    handler = window->resize_handler;
  }
  if (handler) handler();
}

void WindowWidget::closeEvent(QCloseEvent* event) {
  // Closing is decided here, never by Qt's default handling.
  event->ignore();
  auto window = data();
  if (!window) return;
  std::function<int()> ask;
  std::function<void()> on_close;
  {
    std::lock_guard lock(window->input_lock);
    ask = window->system_close_callback;
    on_close = window->close_callback;
  }
  if (ask && ask() == 0) return;
  if (window->exit_on_close) {
    close_for_good(*this, *window);
    return;
  }
  if (on_close) on_close();
  stopidle();
  destroy_window_widget(*window);
}

void destroy_window_widget(WindowData& window) {
  window.destroyed = true;
  if (window.widget) {
    window.widget->hide();
    // Later, because this may run inside one of the widget's own event handlers.
    window.widget->deleteLater();
    window.widget = nullptr;
  }
  release_pages(window);
}

}  // namespace korvid::detail
