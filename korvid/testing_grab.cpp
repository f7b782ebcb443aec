#include "korvid/testing_grab.h"

#include <QImage>
#include <QPixmap>
#include <QString>
#include <QWidget>

#include "korvid/internal/gui_thread.h"
#include "korvid/internal/window_table.h"
#include "korvid/internal/window_widget.h"

namespace korvid::testing {

bool save_window_grab(int window, const std::string& path) {
  auto data = detail::find_window(window);
  if (!data) return false;
  // Widgets are rendered on the window thread, which owns them.
  return detail::call_on_gui([&] {
           if (!data->widget) return false;
           const QImage picture = static_cast<QWidget*>(data->widget)->grab().toImage();
           return !picture.isNull() && picture.save(QString::fromStdString(path), "PNG");
         })
      .value_or(false);
}

}  // namespace korvid::testing
