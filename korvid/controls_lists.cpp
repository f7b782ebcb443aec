// List boxes and drop-down lists: entries of text counted from 0, and a
// callback when the user changes the selection.
//
// Every change the program makes runs with the control's signals blocked, so
// the selection signals that reach the callback are the user's alone.
#include <QComboBox>
#include <QListWidget>
#include <QSignalBlocker>

#include "korvid/controls.h"
#include "korvid/internal/control_state.h"
#include "korvid/internal/draw_text_codec.h"
#include "korvid/internal/window_data.h"

namespace korvid {
namespace {

using detail::Family;
using detail::WindowData;

// -1 appends; anything past the end, or below -1, is refused.
std::optional<int> insertion_row(int index, int count) {
  if (index == -1) return count;
  if (index < 0 || index > count) return std::nullopt;
  return index;
}

// Runs `fn` with list `id` (of widget type W and family F) with its signals
// blocked, so nothing `fn` changes looks like the user's doing.
template <class W, Family F, class Fn>
auto change(int id, Fn&& fn) {
  return detail::query_control<W>(F, id, [&](W& widget) {
    const QSignalBlocker quiet(widget);
    return fn(widget);
  });
}

template <class W, Family F, class Fn>
void act(int id, Fn&& fn) {
  detail::act_on_control<W>(F, id, [&](W& widget) {
    const QSignalBlocker quiet(widget);
    fn(widget);
  });
}

template <class Fn>
auto with_list(int id, Fn&& fn) {
  return change<QListWidget, Family::list_box>(id, std::forward<Fn>(fn));
}
template <class Fn>
void act_on_list(int id, Fn&& fn) {
  act<QListWidget, Family::list_box>(id, std::forward<Fn>(fn));
}
template <class Fn>
auto with_combo(int id, Fn&& fn) {
  return change<QComboBox, Family::drop_down>(id, std::forward<Fn>(fn));
}
template <class Fn>
void act_on_combo(int id, Fn&& fn) {
  act<QComboBox, Family::drop_down>(id, std::forward<Fn>(fn));
}

int selected_row(const QListWidget& list) {
  const QList<QListWidgetItem*> selected = list.selectedItems();
  return selected.isEmpty() ? -1 : list.row(selected.front());
}

}  // namespace

int createlistbox(int x, int y, int width, int height, ControlCallback callback) {
  auto make = [](WindowData&, QWidget& parent) -> QWidget* {
    auto* list = new detail::Contained<QListWidget>(&parent);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    return list;
  };
  // A selection change, not a change of the current row: tabbing into the list
  // moves the current row without selecting anything.
  auto connect = [](QWidget& widget, const std::weak_ptr<WindowData>& window, int index) {
    auto& list = static_cast<QListWidget&>(widget);
    QObject::connect(&list, &QListWidget::itemSelectionChanged, &list,
                     [window, index] { detail::fire_callback(window, Family::list_box, index); });
  };
  return detail::create_control(Family::list_box, QRect(x, y, width, height), make, std::move(callback),
                                {}, connect);
}

int insertlistboxentry(int id, int index, std::string_view text) {
  const QString entry = detail::shown_text(text);
  return with_list(id, [&](QListWidget& list) {
           const std::optional<int> row = insertion_row(index, list.count());
           if (!row) return -1;
           list.insertItem(*row, entry);
           return *row;
         }).value_or(-1);
}

void removelistboxentry(int id, int index) {
  act_on_list(id, [&](QListWidget& list) {
    if (index >= 0 && index < list.count()) delete list.takeItem(index);
  });
}

void clearlistboxentries(int id) {
  act_on_list(id, [](QListWidget& list) {
    list.clear();
  });
}

void setlistboxselection(int id, int index) {
  act_on_list(id, [&](QListWidget& list) {
    if (index >= 0 && index < list.count()) {
      list.setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    } else {
      list.clearSelection();
      list.setCurrentRow(-1);
    }
  });
}

int getlistboxselection(int id) { return with_list(id, selected_row).value_or(-1); }

int getlistboxlength(int id) {
  return with_list(id, [](QListWidget& list) { return list.count(); }).value_or(-1);
}

std::string getlistboxtext(int id, int index) {
  return with_list(id, [&](QListWidget& list) {
           const QListWidgetItem* item = list.item(index);
           return item ? detail::to_utf8(item->text()) : std::string();
         }).value_or(std::string());
}

void removelistbox(int id) { detail::remove_control(Family::list_box, id); }

int createdropdownlist(int x, int y, int width, int height, ControlCallback callback) {
  auto make = [](WindowData&, QWidget& parent) -> QWidget* {
    auto* combo = new detail::Contained<QComboBox>(&parent);
    combo->setEditable(false);
    return combo;
  };
  // `currentIndexChanged` fires only for real changes; with the program's own
  // changes blocked, what remains is the user's choice.
  auto connect = [](QWidget& widget, const std::weak_ptr<WindowData>& window, int index) {
    auto& combo = static_cast<QComboBox&>(widget);
    QObject::connect(&combo, &QComboBox::currentIndexChanged, &combo,
                     [window, index] { detail::fire_callback(window, Family::drop_down, index); });
  };
  return detail::create_control(Family::drop_down, QRect(x, y, width, height), make, std::move(callback),
                                {}, connect);
}

int insertdropdownlistentry(int id, int index, std::string_view text) {
  const QString entry = detail::shown_text(text);
  return with_combo(id, [&](QComboBox& combo) {
           const std::optional<int> row = insertion_row(index, combo.count());
           if (!row) return -1;
           combo.insertItem(*row, entry);
           // A list with one entry shows it; later entries leave the choice alone.
           if (combo.count() == 1) combo.setCurrentIndex(0);
           return *row;
         }).value_or(-1);
}

void removedropdownlistentry(int id, int index) {
  act_on_combo(id, [&](QComboBox& combo) {
    if (index >= 0 && index < combo.count()) combo.removeItem(index);
  });
}

void cleardropdownlistentries(int id) {
  act_on_combo(id, [](QComboBox& combo) {
    combo.clear();
  });
}

void setdropdownlistselection(int id, int index) {
  act_on_combo(id, [&](QComboBox& combo) {
    combo.setCurrentIndex(index >= 0 && index < combo.count() ? index : -1);
  });
}

int getdropdownlistselection(int id) {
  return with_combo(id, [](QComboBox& combo) { return combo.currentIndex(); }).value_or(-1);
}

int getdropdownlistlength(int id) {
  return with_combo(id, [](QComboBox& combo) { return combo.count(); }).value_or(-1);
}

std::string getdropdownlisttext(int id, int index) {
  return with_combo(id, [&](QComboBox& combo) {
           return index >= 0 && index < combo.count() ? detail::to_utf8(combo.itemText(index))
                                                      : std::string();
         }).value_or(std::string());
}

void removedropdownlist(int id) { detail::remove_control(Family::drop_down, id); }

}  // namespace korvid
