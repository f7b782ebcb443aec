// Where controls sit: moving, sizing and reading the rectangle of any control
// through its identifier.
#include <QComboBox>

#include "korvid/controls.h"
#include "korvid/internal/control_state.h"
#include "korvid/internal/window_data.h"

namespace korvid {
namespace {

using detail::Family;

void set_position(Family family, int id, int x, int y, int width, int height) {
  // Qt repaints what the control uncovers (from the visual page) and the
  // control itself at its new place.
  detail::act_on_control<QWidget>(family, id, [&](QWidget& widget) {
    detail::place_control(widget, QRect(x, y, width, height));
  });
}

int get_position(Family family, int id, int& x, int& y, int& width, int& height) {
  const std::optional<QRect> rect =
      detail::query_control<QWidget>(family, id, [](QWidget& widget) { return widget.geometry(); });
  if (!rect) return 0;
  x = rect->x();
  y = rect->y();
  width = rect->width();
  height = rect->height();
  return 1;
}

}  // namespace

namespace detail {

void place_control(QWidget& widget, const QRect& rect) {
  // The height given for a drop-down list covers its open list as well; the
  // closed box keeps the height its font needs.
  if (auto* combo = qobject_cast<QComboBox*>(&widget)) {
    widget.setGeometry(QRect(rect.topLeft(), QSize(rect.width(), combo->sizeHint().height())));
    return;
  }
  widget.setGeometry(rect);
}

}  // namespace detail

void setbuttonposition(int id, int x, int y, int w, int h) { set_position(Family::button, id, x, y, w, h); }
void setcheckboxposition(int id, int x, int y, int w, int h) { set_position(Family::button, id, x, y, w, h); }
void setradiobuttonposition(int id, int x, int y, int w, int h) {
  set_position(Family::button, id, x, y, w, h);
}
void settextboxposition(int id, int x, int y, int w, int h) { set_position(Family::text_box, id, x, y, w, h); }
void setlistboxposition(int id, int x, int y, int w, int h) { set_position(Family::list_box, id, x, y, w, h); }
void setdropdownlistposition(int id, int x, int y, int w, int h) {
  set_position(Family::drop_down, id, x, y, w, h);
}
void setscrollbarposition(int id, int x, int y, int w, int h) {
  set_position(Family::scroll_bar, id, x, y, w, h);
}

int getbuttonposition(int id, int& x, int& y, int& w, int& h) { return get_position(Family::button, id, x, y, w, h); }
int getcheckboxposition(int id, int& x, int& y, int& w, int& h) {
  return get_position(Family::button, id, x, y, w, h);
}
int getradiobuttonposition(int id, int& x, int& y, int& w, int& h) {
  return get_position(Family::button, id, x, y, w, h);
}
int gettextboxposition(int id, int& x, int& y, int& w, int& h) {
  return get_position(Family::text_box, id, x, y, w, h);
}
int getlistboxposition(int id, int& x, int& y, int& w, int& h) {
  return get_position(Family::list_box, id, x, y, w, h);
}
int getdropdownlistposition(int id, int& x, int& y, int& w, int& h) {
  return get_position(Family::drop_down, id, x, y, w, h);
}
int getscrollbarposition(int id, int& x, int& y, int& w, int& h) {
  return get_position(Family::scroll_bar, id, x, y, w, h);
}

}  // namespace korvid
