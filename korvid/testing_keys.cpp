#include "korvid/testing_keys.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

#include "korvid/input.h"
#include "korvid/internal/control_state.h"
#include "korvid/internal/gui_thread.h"
#include "korvid/internal/input_events.h"
#include "korvid/internal/window_data.h"
#include "korvid/internal/window_table.h"
#include "korvid/internal/window_widget.h"

namespace korvid::testing {
namespace {

int qt_key_of(int code) {
  if (code >= key::extended_base) {
    // Qt numbers every key with an extended code between Insert and F12.
    for (int qt_key = Qt::Key_Insert; qt_key <= Qt::Key_F12; ++qt_key) {
      if (detail::extended_key_code(qt_key) == code - key::extended_base) return qt_key;
    }
    return 0;
  }
  switch (code) {
    case key::backspace: return Qt::Key_Backspace;
    case key::tab: return Qt::Key_Tab;
    case key::enter: return Qt::Key_Return;
    case key::escape: return Qt::Key_Escape;
    default: return code;
  }
}

// What the key types: printable keys without Ctrl or Alt, letters in lower
// case unless Shift is held.
QString typed_text(int code, int modifiers) {
  if (code < key::space || code > 0x7E || (modifiers & (key::ctrl | key::alt)) != 0) return {};
  const QChar c(code);
  return (modifiers & key::shift) != 0 ? QString(c) : QString(c.toLower());
}

Qt::KeyboardModifiers qt_modifiers(int modifiers) {
  Qt::KeyboardModifiers qt;
  if (modifiers & key::shift) qt |= Qt::ShiftModifier;
  if (modifiers & key::ctrl) qt |= Qt::ControlModifier;
  if (modifiers & key::alt) qt |= Qt::AltModifier;
  if (modifiers & key::meta) qt |= Qt::MetaModifier;
  return qt;
}

}  // namespace

void press_key(int window_id, int code, int modifiers) {
  auto window = detail::find_window(window_id);
  const int qt_key = qt_key_of(code);
  if (!window || qt_key == 0) return;
  detail::run_on_gui([&] {
    QWidget* top = window->widget;
    if (!top) return;
    QWidget* target = top->focusWidget() ? top->focusWidget() : top;
    const QString text = typed_text(code, modifiers);
    QKeyEvent press(QEvent::KeyPress, qt_key, qt_modifiers(modifiers), text);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, qt_key, qt_modifiers(modifiers), text);
    QCoreApplication::sendEvent(target, &release);
  });
}

void focus_control(int window_id, int id) {
  auto window = detail::find_window(window_id);
  if (!window) return;
  detail::run_on_gui([&] {
    QWidget* target = id < 0 ? static_cast<QWidget*>(window->widget) : detail::find_any_control(*window, id);
    if (target) target->setFocus(Qt::OtherFocusReason);
  });
}

}  // namespace korvid::testing
