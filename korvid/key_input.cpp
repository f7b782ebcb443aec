// Keys for the program's key handler: an application-wide filter sees every key
// pressed in a Korvid window before the control with the focus does, so a
// handler can take keys even while a button has the focus (which would
// otherwise press itself on Space), and leave typing to text boxes.
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

#include "korvid/input.h"
#include "korvid/internal/gui_thread.h"
#include "korvid/internal/input_events.h"
#include "korvid/internal/window_data.h"
#include "korvid/internal/window_table.h"
#include "korvid/internal/window_widget.h"

namespace korvid {
namespace detail {

int extended_key_code(int qt_key) {
  if (qt_key >= Qt::Key_F1 && qt_key <= Qt::Key_F10) return key::f1 + (qt_key - Qt::Key_F1);
  switch (qt_key) {
    case Qt::Key_F11: return key::f11;
    case Qt::Key_F12: return key::f12;
    case Qt::Key_Home: return key::home;
    case Qt::Key_Up: return key::up;
    case Qt::Key_PageUp: return key::page_up;
    case Qt::Key_Left: return key::left;
    case Qt::Key_Clear: return key::clear;
    case Qt::Key_Right: return key::right;
    case Qt::Key_End: return key::end;
    case Qt::Key_Down: return key::down;
    case Qt::Key_PageDown: return key::page_down;
    case Qt::Key_Insert: return key::insert;
    case Qt::Key_Delete: return key::del;
    default: return 0;
  }
}

namespace {

// The handler's code for a Qt key, or 0 for keys it is not told about
// (modifier keys on their own, media keys and the like).
int handler_code(int qt_key) {
  if (const int extended = extended_key_code(qt_key)) return key::extended(extended);
  switch (qt_key) {
    case Qt::Key_Backspace: return key::backspace;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return key::tab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return key::enter;
    case Qt::Key_Escape: return key::escape;
    default: break;
  }
  // Qt numbers the printable ASCII keys by their characters, letters in upper case.
  return qt_key >= 0x20 && qt_key <= 0x7E ? qt_key : 0;
}

int modifier_bits(Qt::KeyboardModifiers modifiers) {
  int bits = 0;
  if (modifiers & Qt::ShiftModifier) bits |= key::shift;
  if (modifiers & Qt::ControlModifier) bits |= key::ctrl;
  if (modifiers & Qt::AltModifier) bits |= key::alt;
  if (modifiers & Qt::MetaModifier) bits |= key::meta;
  return bits;
}

KeyFocus focus_kind(const QWidget& receiver, const QWidget& window) {
  for (const QWidget* w = &receiver; w && w != &window; w = w->parentWidget()) {
    if (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w) ||
        qobject_cast<const QTextEdit*>(w) || qobject_cast<const QAbstractSpinBox*>(w)) {
      return KeyFocus::text_box;
    }
    if (const auto* combo = qobject_cast<const QComboBox*>(w)) {
      return combo->isEditable() ? KeyFocus::text_box : KeyFocus::list;
    }
    if (qobject_cast<const QAbstractItemView*>(w)) return KeyFocus::list;
  }
  return &receiver == &window ? KeyFocus::window : KeyFocus::control;
}

class KeyFilter final : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    auto& receiver = static_cast<QWidget&>(*watched);
    auto* window = dynamic_cast<WindowWidget*>(receiver.window());
    if (!window) return false;
    // Only the key's first delivery, to the focus: a key a control passes on
    // climbs to its parents and would be offered again.
    QWidget* focus = window->focusWidget();
    if (&receiver != (focus ? focus : window)) return false;
    // The window itself still puts the key into its key buffer.
    return window->offer_key(static_cast<QKeyEvent&>(*event), receiver) && &receiver != window;
  }
};

void install_key_filter() {
  static KeyFilter* filter = nullptr;  // owned by the application
  if (filter) return;
  filter = new KeyFilter(QCoreApplication::instance());
  QCoreApplication::instance()->installEventFilter(filter);
}

}  // namespace

bool WindowWidget::offer_key(const QKeyEvent& event, QWidget& receiver) {
  auto window = data();
  const int code = handler_code(event.key());
  if (!window || code == 0) return false;
  KeyHandler handler;
  {
    std::lock_guard lock(window->input_lock);
    handler = window->key_handler;
  }
  if (!handler) return false;
  return handler(KeyPress{code, modifier_bits(event.modifiers()), event.isAutoRepeat(), focus_kind(receiver, *this)});
}

}  // namespace detail

void registerkeyhandler(KeyHandler handler) {
  auto window = detail::current_window_shared();
  {
    std::lock_guard lock(window->input_lock);
    window->key_handler = std::move(handler);
  }
  detail::run_on_gui([] { detail::install_key_filter(); });
}

}  // namespace korvid
