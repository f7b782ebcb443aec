// Hiding and showing controls of any kind by identifier.
#include <QWidget>

#include "korvid/controls.h"
#include "korvid/internal/control_state.h"
#include "korvid/internal/window_data.h"

namespace korvid {

void setcontrolvisible(int id, bool visible) {
  auto window = detail::current_window_shared();
  detail::run_on_gui([&] {
    if (QWidget* control = detail::find_any_control(*window, id)) control->setVisible(visible);
  });
}

}  // namespace korvid
