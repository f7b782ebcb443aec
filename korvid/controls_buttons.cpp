// Push buttons, check boxes and radio buttons: one family, one callback each,
// called for every click the user makes.
#include <QAbstractButton>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>

#include "korvid/controls.h"
#include "korvid/internal/control_state.h"
#include "korvid/internal/draw_text_codec.h"
#include "korvid/internal/window_data.h"

namespace korvid {
namespace {

using detail::Family;
using detail::WindowData;

// `clicked` comes from the user (mouse or keyboard), never from setChecked, so
// the program's own changes stay silent.
void connect_click(QWidget& widget, const std::weak_ptr<WindowData>& window, int index) {
  auto& button = static_cast<QAbstractButton&>(widget);
  QObject::connect(&button, &QAbstractButton::clicked, &button,
                   [window, index] { detail::fire_callback(window, Family::button, index); });
}

template <class Button>
int create(int x, int y, int width, int height, std::string_view text, ControlCallback callback) {
  const QString caption = detail::shown_text(text);
  auto make = [&](WindowData&, QWidget& parent) -> QWidget* {
    return new detail::Contained<Button>(caption, &parent);
  };
  return detail::create_control(Family::button, QRect(x, y, width, height), make, std::move(callback),
                                {}, connect_click);
}

// A radio button joins the window's current group, or starts a new one when
// asked to (the window's first radio button always does).
QWidget* make_radio_button(WindowData& window, QWidget& parent, const QString& caption) {
  auto* radio = new detail::Contained<QRadioButton>(caption, &parent);
  detail::ControlState& state = detail::control_state(window);
  if (state.new_radio_group.exchange(false) || !state.radio_group) {
    state.radio_group = new QButtonGroup(&parent);
    state.radio_group->setExclusive(true);
  }
  state.radio_group->addButton(radio);
  return radio;
}

void set_text(int id, std::string_view text) {
  const QString caption = detail::shown_text(text);
  detail::act_on_control<QAbstractButton>(Family::button, id,
                                          [&](QAbstractButton& button) { button.setText(caption); });
}

int is_checked(int id) {
  return detail::query_control<QAbstractButton>(Family::button, id, [](QAbstractButton& button) {
           return button.isChecked() ? 1 : 0;
         }).value_or(0);
}

void set_checked(int id, bool checked) {
  detail::act_on_control<QAbstractButton>(Family::button, id, [&](QAbstractButton& button) {
    // An exclusive group refuses to let its checked button go; the program may
    // still clear it, as it may with a native radio button.
    QButtonGroup* group = button.group();
    const bool exclusive = group && group->exclusive();
    if (exclusive && !checked) group->setExclusive(false);
    button.setChecked(checked);
    if (exclusive && !checked) group->setExclusive(true);
  });
}

}  // namespace

int createbutton(int x, int y, int width, int height, std::string_view text, ControlCallback callback) {
  return create<QPushButton>(x, y, width, height, text, std::move(callback));
}

int createcheckbox(int x, int y, int width, int height, std::string_view text, ControlCallback callback) {
  return create<QCheckBox>(x, y, width, height, text, std::move(callback));
}

int createradiobutton(int x, int y, int width, int height, std::string_view text,
                      ControlCallback callback) {
  const QString caption = detail::shown_text(text);
  auto make = [&](WindowData& window, QWidget& parent) {
    return make_radio_button(window, parent, caption);
  };
  return detail::create_control(Family::button, QRect(x, y, width, height), make, std::move(callback),
                                {}, connect_click);
}

void beginradiogroup() { detail::control_state(detail::current_window()).new_radio_group = true; }

void setbuttontext(int id, std::string_view text) { set_text(id, text); }
void setcheckboxtext(int id, std::string_view text) { set_text(id, text); }
void setradiobuttontext(int id, std::string_view text) { set_text(id, text); }

void enablebutton(int id, bool enable) {
  detail::act_on_control<QWidget>(Family::button, id, [&](QWidget& button) { button.setEnabled(enable); });
}

int checkboxischecked(int id) { return is_checked(id); }
void checkboxsetchecked(int id, bool checked) { set_checked(id, checked); }
int radiobuttonischecked(int id) { return is_checked(id); }
void radiobuttonsetchecked(int id, bool checked) { set_checked(id, checked); }

void removebutton(int id) { detail::remove_control(Family::button, id); }
void removecheckbox(int id) { detail::remove_control(Family::button, id); }
void removeradiobutton(int id) { detail::remove_control(Family::button, id); }

}  // namespace korvid
