#include "korvid/testing_controls.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QFontInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionSlider>
#include <QTimer>

#include <atomic>
#include <chrono>

#include "korvid/internal/control_state.h"
#include "korvid/internal/gui_thread.h"
#include "korvid/internal/window_data.h"
#include "korvid/internal/window_table.h"
#include "korvid/internal/window_widget.h"
#include "korvid/testing.h"

namespace korvid::testing {
namespace {

using detail::WindowData;

std::atomic<bool> modal_open{false};

// Runs `fn` on the window thread with control `id` of `window`, if it is alive.
template <class W>
void with_control(int window_id, int id, const std::function<void(W&)>& fn) {
  auto window = detail::find_window(window_id);
  if (!window) return;
  detail::run_on_gui([&] {
    if (auto* widget = dynamic_cast<W*>(detail::find_any_control(*window, id))) fn(*widget);
  });
}

void send_mouse(QWidget& target, QEvent::Type type, QPoint pos, Qt::MouseButtons held) {
  QMouseEvent event(type, QPointF(pos), target.mapToGlobal(QPointF(pos)), Qt::LeftButton, held,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(&target, &event);
}

void mouse_click(QWidget& target, QPoint pos) {
  send_mouse(target, QEvent::MouseButtonPress, pos, Qt::LeftButton);
  send_mouse(target, QEvent::MouseButtonRelease, pos, Qt::NoButton);
}

void send_key(QWidget& target, int key, const QString& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
  QCoreApplication::sendEvent(&target, &press);
  QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
  QCoreApplication::sendEvent(&target, &release);
}

// Where a user clicks a button: the box of a check box or radio button (its
// label may be shorter than the control), the middle of a push button.
QPoint click_spot(QAbstractButton& button) {
  const bool radio = qobject_cast<QRadioButton*>(&button) != nullptr;
  if (!radio && !button.isCheckable()) return button.rect().center();
  QStyleOptionButton option;
  option.initFrom(&button);
  option.text = button.text();
  const auto element = radio ? QStyle::SE_RadioButtonIndicator : QStyle::SE_CheckBoxIndicator;
  return button.style()->subElementRect(element, &option, &button).center();
}

QRect thumb_rect(QScrollBar& bar) {
  QStyleOptionSlider option;
  option.initFrom(&bar);
  option.subControls = QStyle::SC_All;
  option.activeSubControls = QStyle::SC_None;
  option.orientation = bar.orientation();
  if (bar.orientation() == Qt::Horizontal) option.state |= QStyle::State_Horizontal;
  option.minimum = bar.minimum();
  option.maximum = bar.maximum();
  option.sliderPosition = bar.sliderPosition();
  option.sliderValue = bar.value();
  option.singleStep = bar.singleStep();
  option.pageStep = bar.pageStep();
  option.upsideDown = bar.invertedAppearance();
  return bar.style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, &bar);
}

QAbstractSlider::SliderAction slider_action(ScrollAction action) {
  switch (action) {
    case ScrollAction::line_up: return QAbstractSlider::SliderSingleStepSub;
    case ScrollAction::line_down: return QAbstractSlider::SliderSingleStepAdd;
    case ScrollAction::page_up: return QAbstractSlider::SliderPageStepSub;
    case ScrollAction::page_down: return QAbstractSlider::SliderPageStepAdd;
    case ScrollAction::top: return QAbstractSlider::SliderToMinimum;
    case ScrollAction::bottom: return QAbstractSlider::SliderToMaximum;
  }
  return QAbstractSlider::SliderNoAction;
}

}  // namespace

void click_control(int window, int id) {
  with_control<QAbstractButton>(window, id,
                                [](QAbstractButton& button) { mouse_click(button, click_spot(button)); });
}

void click_point(int window_id, int x, int y) {
  auto window = detail::find_window(window_id);
  if (!window) return;
  detail::run_on_gui([&] {
    QWidget* top = window->widget;
    if (!top) return;
    QWidget* target = top->childAt(x, y);
    if (!target) target = top;
    mouse_click(*target, target->mapFrom(top, QPoint(x, y)));
  });
}

void type_into_textbox(int window, int id, std::string_view text) {
  const QString typed = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  with_control<QWidget>(window, id, [&](QWidget& box) {
    for (qsizetype i = 0; i < typed.size(); ++i) {
      if (typed[i] == QLatin1Char('\n')) {
        send_key(box, Qt::Key_Return, QStringLiteral("\r"));
        continue;
      }
      // A character outside the basic plane arrives as one key with two units.
      const qsizetype units = typed[i].isHighSurrogate() && i + 1 < typed.size() ? 2 : 1;
      send_key(box, 0, typed.mid(i, units));
      i += units - 1;
    }
  });
}

void press_enter(int window, int id, bool shift) {
  with_control<QWidget>(window, id, [&](QWidget& box) {
    send_key(box, Qt::Key_Return, QStringLiteral("\r"), shift ? Qt::ShiftModifier : Qt::NoModifier);
  });
}

void select_list_entry(int window, int id, int index) {
  with_control<QListWidget>(window, id, [&](QListWidget& list) {
    QListWidgetItem* item = list.item(index);
    if (!item) return;
    list.scrollToItem(item);
    mouse_click(*list.viewport(), list.visualItemRect(item).center());
  });
}

void select_dropdown_entry(int window, int id, int index) {
  with_control<QComboBox>(window, id, [&](QComboBox& combo) {
    if (index < 0 || index >= combo.count()) return;
    combo.showPopup();
    QAbstractItemView* view = combo.view();
    // Pointing at the entry makes it the popup's current one; Enter takes it.
    view->setCurrentIndex(combo.model()->index(index, combo.modelColumn()));
    send_key(*view, Qt::Key_Return, QStringLiteral("\r"));
  });
}

void scroll(int window, int id, ScrollAction action) {
  // The same call the bar's arrows, page areas and keys make.
  with_control<QScrollBar>(window, id, [&](QScrollBar& bar) { bar.triggerAction(slider_action(action)); });
}

void drag_scroll_thumb(int window, int id, int pixels) {
  with_control<QScrollBar>(window, id, [&](QScrollBar& bar) {
    const QPoint start = thumb_rect(bar).center();
    const QPoint step = bar.orientation() == Qt::Vertical ? QPoint(0, pixels / 4) : QPoint(pixels / 4, 0);
    const QPoint end = start + (bar.orientation() == Qt::Vertical ? QPoint(0, pixels) : QPoint(pixels, 0));
    send_mouse(bar, QEvent::MouseButtonPress, start, Qt::LeftButton);
    for (int i = 1; i < 4; ++i) send_mouse(bar, QEvent::MouseMove, start + step * i, Qt::LeftButton);
    send_mouse(bar, QEvent::MouseMove, end, Qt::LeftButton);
    send_mouse(bar, QEvent::MouseButtonRelease, end, Qt::NoButton);
  });
}

bool control_visible(int window, int id) {
  bool visible = false;
  with_control<QWidget>(window, id, [&](QWidget& widget) { visible = widget.isVisible(); });
  return visible;
}

bool control_enabled(int window, int id) {
  bool enabled = false;
  with_control<QWidget>(window, id, [&](QWidget& widget) { enabled = widget.isEnabled(); });
  return enabled;
}

bool control_focused(int window, int id) {
  bool focused = false;
  with_control<QWidget>(window, id, [&](QWidget& widget) { focused = widget.window()->focusWidget() == &widget; });
  return focused;
}

std::string control_text(int window, int id) {
  QString text;
  with_control<QWidget>(window, id, [&](QWidget& widget) {
    if (auto* button = qobject_cast<QAbstractButton*>(&widget)) text = button->text();
    if (auto* line = qobject_cast<QLineEdit*>(&widget)) text = line->text();
    if (auto* box = qobject_cast<QPlainTextEdit*>(&widget)) text = box->toPlainText();
    if (auto* combo = qobject_cast<QComboBox*>(&widget)) text = combo->currentText();
    if (auto* list = qobject_cast<QListWidget*>(&widget); list && list->currentItem()) {
      text = list->currentItem()->text();
    }
  });
  return text.toStdString();
}

std::optional<Geometry> control_geometry(int window, int id) {
  std::optional<Geometry> geometry;
  with_control<QWidget>(window, id, [&](QWidget& widget) {
    const QRect r = widget.geometry();
    geometry = Geometry{r.x(), r.y(), r.width(), r.height()};
  });
  return geometry;
}

std::optional<SelectedFont> control_font(int window, int id) {
  std::optional<SelectedFont> font;
  with_control<QWidget>(window, id, [&](QWidget& widget) {
    const QFontInfo info(widget.font());
    font = SelectedFont{info.family().toStdString(), info.pixelSize(), info.bold(), info.italic()};
  });
  return font;
}

void settle_callbacks(int window_id) {
  flush_window_thread();
  auto window = detail::find_window(window_id);
  if (!window) return;
  auto all_ended = [&] {
    std::lock_guard lock(window->threads_lock);
    for (const auto& entry : window->threads) {
      if (entry.finished && !entry.finished->load()) return false;
    }
    return true;
  };
  while (!all_ended()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

std::thread::id window_thread_id() {
  return detail::call_on_gui([] { return std::this_thread::get_id(); }).value_or(std::thread::id());
}

void lock_control_tables(int window_id) {
  if (auto window = detail::find_window(window_id)) detail::control_state(*window).control_lock.lock();
}

void unlock_control_tables(int window_id) {
  if (auto window = detail::find_window(window_id)) detail::control_state(*window).control_lock.unlock();
}

void set_control_lock_waits(int window_id, int lock_ms, int dispatch_ms) {
  auto window = detail::find_window(window_id);
  if (!window) return;
  detail::ControlState& state = detail::control_state(*window);
  state.lock_wait_ms = lock_ms;
  state.dispatch_wait_ms = dispatch_ms;
}

void open_modal_dialog(int window_id, std::function<bool()> until) {
  auto window = detail::find_window(window_id);
  if (!window) return;
  detail::post_to_gui([window, until = std::move(until)] {
    QDialog dialog(window->widget);
    QTimer poll(&dialog);
    QObject::connect(&poll, &QTimer::timeout, &dialog, [&] {
      if (until()) dialog.accept();
    });
    poll.start(1);
    modal_open = true;
    dialog.exec();
    modal_open = false;
  });
}

bool modal_dialog_open() { return modal_open; }

}  // namespace korvid::testing
