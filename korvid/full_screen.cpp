// Full screen: the desktop's own full-screen state of the window, so that
// leaving it gives back the size and place the window had.
#include <QWidget>

#include "korvid/internal/gui_thread.h"
#include "korvid/internal/window_data.h"
#include "korvid/internal/window_table.h"
#include "korvid/internal/window_widget.h"
#include "korvid/screen.h"

namespace korvid {

void setfullscreen(bool on) {
  auto window = detail::current_window_shared();
  detail::run_on_gui([&] {
    QWidget* widget = window->widget;
    if (!widget || widget->isFullScreen() == on) return;
    // A window of fixed size cannot grow to the screen.
    if (on && widget->minimumSize() == widget->maximumSize()) return;
    if (on) {
      widget->showFullScreen();
    } else {
      widget->showNormal();
    }
  });
}

bool isfullscreen() {
  auto window = detail::current_window_shared();
  return detail::call_on_gui([&] { return window->widget && window->widget->isFullScreen(); }).value_or(false);
}

}  // namespace korvid
