// Sizes of the window as a whole and the pixel aspect ratio.
#include <QWidget>

#include "korvid/draw.h"
#include "korvid/internal/draw_state.h"
#include "korvid/internal/gui_thread.h"
#include "korvid/internal/window_data.h"
#include "korvid/internal/window_table.h"
#include "korvid/internal/window_widget.h"

namespace korvid {
namespace {

// The frame belongs to the desktop, so it is asked for on the window thread.
QSize outer_size() {
  auto window = detail::current_window_shared();
  const QSize client(window->width, window->height);
  return detail::call_on_gui([&] {
           return window->widget ? window->widget->frameGeometry().size() : client;
         }).value_or(client);
}

}  // namespace

int getwindowwidth() { return outer_size().width(); }
int getwindowheight() { return outer_size().height(); }

void getaspectratio(int& xasp, int& yasp) {
  auto window = detail::drawing_window();
  xasp = window->draw->aspect_x;
  yasp = window->draw->aspect_y;
}

void setaspectratio(int xasp, int yasp) {
  auto window = detail::drawing_window();
  window->draw->aspect_x = xasp;
  window->draw->aspect_y = yasp;
}

}  // namespace korvid
