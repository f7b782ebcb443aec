// Text boxes: single-line boxes (with an optional Enter callback) and
// multi-line boxes, behind one set of operations.
//
// Positions count UTF-16 units, and a line break in a multi-line box counts as
// two (it reads back as CR LF), so a position the program computes from the
// text it read means the same character when it hands it back.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>
#include <limits>

#include "korvid/controls.h"
#include "korvid/internal/control_state.h"
#include "korvid/internal/draw_text_codec.h"
#include "korvid/internal/window_data.h"

namespace korvid {
namespace {

using detail::Family;
using detail::WindowData;

const QString line_break = QStringLiteral("\r\n");

// Text as it leaves a box: every line end as CR LF. Besides the ends of the
// document's own lines (U+2029), Qt puts a line separator (U+2028) into a line
// for Shift+Enter, or keeps one that came with pasted text; the box shows a
// new line for either, so the text the program reads has one there too.
QString with_line_ends(QString text) {
  text.replace(QChar::ParagraphSeparator, line_break);
  text.replace(QChar::LineSeparator, line_break);
  return text;
}

// What both kinds of box offer, in the program's terms.
class TextBox {
 public:
  virtual ~TextBox() = default;
  virtual QString box_text() const = 0;
  virtual void set_box_text(const QString& text) = 0;
  virtual void replace_selection(const QString& text) = 0;
  virtual QString selected_text() const = 0;
  virtual int selection_start() const = 0;
  virtual int length() const = 0;
  // Selects from `anchor` to `caret` (positions clamped to the text) and
  // scrolls the caret into view.
  virtual void select(int anchor, int caret) = 0;
  // The line holding `position` (-1: the caret); where `line` starts, or -1.
  virtual int line_of(int position) const = 0;
  virtual int line_start(int line) const = 0;
};

class SingleLineBox final : public detail::Contained<QLineEdit>, public TextBox {
 public:
  explicit SingleLineBox(QWidget* parent) : Contained<QLineEdit>(parent) {
    // The program may put in more than a user would type; never cut it short.
    setMaxLength(std::numeric_limits<int>::max());
  }

  QString box_text() const override { return with_line_ends(text()); }
  void set_box_text(const QString& value) override { setText(value); }
  void replace_selection(const QString& value) override { insert(value); }
  QString selected_text() const override { return with_line_ends(selectedText()); }
  int selection_start() const override { return hasSelectedText() ? selectionStart() : cursorPosition(); }
  int length() const override { return static_cast<int>(text().size()); }

  void select(int anchor, int caret) override {
    anchor = std::clamp(anchor, 0, length());
    caret = std::clamp(caret, 0, length());
    if (anchor == caret) {
      setCursorPosition(caret);
    } else {
      setSelection(anchor, caret - anchor);
    }
  }

  int line_of(int) const override { return 0; }
  int line_start(int line) const override { return line == 0 || line == -1 ? 0 : -1; }
};

class MultiLineBox final : public detail::Contained<QPlainTextEdit>, public TextBox {
 public:
  MultiLineBox(QWidget* parent, bool wrap) : Contained<QPlainTextEdit>(parent) {
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    if (!wrap) setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  }

  QString box_text() const override { return with_line_ends(document()->toRawText()); }
  // CR LF, LF and a lone CR all start a new line.
  void set_box_text(const QString& value) override { setPlainText(value); }

  void replace_selection(const QString& value) override {
    QTextCursor cursor = textCursor();
    cursor.insertText(value);
    setTextCursor(cursor);
  }

  QString selected_text() const override { return with_line_ends(textCursor().selectedText()); }

  int selection_start() const override { return to_box(textCursor().selectionStart()); }

  int length() const override {
    const QTextDocument& doc = *document();
    return doc.characterCount() - 1 + (doc.blockCount() - 1);
  }

  void select(int anchor, int caret) override {
    QTextCursor cursor = textCursor();
    cursor.setPosition(to_document(anchor));
    cursor.setPosition(to_document(caret), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    ensureCursorVisible();
  }

  int line_of(int position) const override {
    const int at = position < 0 ? textCursor().selectionStart() : to_document(position);
    return document()->findBlock(at).blockNumber();
  }

  int line_start(int line) const override {
    if (line < 0) line = line_of(-1);
    if (line >= document()->blockCount()) return -1;
    return box_start_of(line);
  }

 private:
  // Box positions count every line break twice; document positions once.
  int to_box(int document_position) const {
    return document_position + document()->findBlock(document_position).blockNumber();
  }

  int box_start_of(int line) const { return document()->findBlockByNumber(line).position() + line; }

  int to_document(int box_position) const {
    box_position = std::clamp(box_position, 0, length());
    // The last line starting at or before the position (lines are few compared
    // with characters, and finding one by number is cheap).
    int low = 0;
    int high = document()->blockCount() - 1;
    while (low < high) {
      const int middle = (low + high + 1) / 2;
      if (box_start_of(middle) <= box_position) {
        low = middle;
      } else {
        high = middle - 1;
      }
    }
    const QTextBlock block = document()->findBlockByNumber(low);
    // A position between CR and LF stays at the end of its line.
    const int column = std::min(box_position - box_start_of(low), block.length() - 1);
    return block.position() + column;
  }
};

// Runs `fn` with text box `id` of the current window; empty when there is none.
template <class Fn>
auto with_box(int id, Fn&& fn) {
  return detail::query_control<TextBox>(Family::text_box, id, std::forward<Fn>(fn));
}

template <class Fn>
void act_on_box(int id, Fn&& fn) {
  detail::act_on_control<TextBox>(Family::text_box, id, std::forward<Fn>(fn));
}

void connect_enter(QWidget& widget, const std::weak_ptr<WindowData>& window, int index) {
  // Only a single-line box has an Enter callback; in a multi-line box Enter
  // starts a new line. `returnPressed` comes from the keyboard only.
  auto* line = dynamic_cast<SingleLineBox*>(&widget);
  if (!line) return;
  QObject::connect(line, &QLineEdit::returnPressed, line,
                   [window, index] { detail::fire_callback(window, Family::text_box, index); });
}

int create(int x, int y, int width, int height, std::optional<bool> wrap) {
  // Text sits at the left: the boxes do not follow the drawing state's text
  // justification.
  auto make = [&](WindowData&, QWidget& parent) -> QWidget* {
    if (!wrap) return new SingleLineBox(&parent);
    return new MultiLineBox(&parent, *wrap);
  };
  return detail::create_control(Family::text_box, QRect(x, y, width, height), make, {}, {}, connect_enter);
}

}  // namespace

int createtextbox(int x, int y, int width, int height) { return create(x, y, width, height, std::nullopt); }

int createmultilinetextbox(int x, int y, int width, int height, bool wrap) {
  return create(x, y, width, height, wrap);
}

void settextboxcontents(int id, std::string_view text) {
  const QString value = detail::shown_text(text);
  act_on_box(id, [&](TextBox& box) { box.set_box_text(value); });
}

std::string gettextboxcontents(int id) {
  return with_box(id, [](TextBox& box) { return detail::to_utf8(box.box_text()); })
      .value_or(std::string());
}

int gettextboxlength(int id) {
  return with_box(id, [](TextBox& box) { return static_cast<int>(box.box_text().toUtf8().size()); })
      .value_or(-1);
}

void inserttextboxtext(int id, std::string_view text) {
  const QString value = detail::shown_text(text);
  act_on_box(id, [&](TextBox& box) { box.replace_selection(value); });
}

void deletetextboxselection(int id) {
  act_on_box(id, [](TextBox& box) {
    if (!box.selected_text().isEmpty()) box.replace_selection(QString());
  });
}

std::string gettextboxselection(int id) {
  return with_box(id, [](TextBox& box) { return detail::to_utf8(box.selected_text()); })
      .value_or(std::string());
}

int gettextboxselectionlength(int id) {
  // Room for the text, its terminator and one spare byte: callers size their
  // buffers by it, and an empty selection answers 2.
  return with_box(id, [](TextBox& box) { return static_cast<int>(box.selected_text().toUtf8().size()) + 2; })
      .value_or(-1);
}

int gettextboxcursorposition(int id) {
  return with_box(id, [](TextBox& box) { return box.selection_start(); }).value_or(-1);
}

void settextboxcursorposition(int id, int position) {
  act_on_box(id, [&](TextBox& box) { box.select(position, position); });
}

void textboxselect(int id, int count) {
  act_on_box(id, [&](TextBox& box) {
    const int start = box.selection_start();
    box.select(start, start + count);
    dynamic_cast<QWidget&>(box).setFocus(Qt::OtherFocusReason);
  });
}

int gettextboxlinefromposition(int id, int position) {
  return with_box(id, [&](TextBox& box) { return box.line_of(position); }).value_or(-1);
}

int gettextboxcurrentline(int id) { return gettextboxlinefromposition(id, -1); }

int gettextboxpositionfromline(int id, int line) {
  return with_box(id, [&](TextBox& box) { return box.line_start(line); }).value_or(-1);
}

void settextboxfocused(int id) {
  detail::act_on_control<QWidget>(Family::text_box, id,
                                  [](QWidget& box) { box.setFocus(Qt::OtherFocusReason); });
}

void settextboxentercallback(int id, ControlCallback callback) {
  auto window = detail::current_window_shared();
  detail::run_on_gui(
      [&] { detail::set_control_callback(*window, Family::text_box, id, std::move(callback)); });
}

void cleartextboxentercallback(int id) { settextboxentercallback(id, {}); }

void enabletextbox(int id, bool enable) {
  detail::act_on_control<QWidget>(Family::text_box, id, [&](QWidget& box) { box.setEnabled(enable); });
}

void removetextbox(int id) { detail::remove_control(Family::text_box, id); }

}  // namespace korvid
