// Opening, closing and choosing windows; titles, icons and sizes.
#include "korvid/window.h"

#include <QApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <QScreen>
#include <QStyle>

#include <algorithm>
#include <mutex>
#include <thread>

#include "korvid/internal/draw_state.h"
#include "korvid/internal/gui_thread.h"
#include "korvid/internal/table.h"
#include "korvid/internal/window_table.h"
#include "korvid/internal/window_widget.h"

namespace korvid {
namespace {

using detail::WindowData;

// Flags left out of `initwindow` repeat the last ones given.
struct RememberedFlags {
  std::mutex lock;
  bool double_buffer = false;
  bool exit_on_close = true;
};

RememberedFlags& remembered_flags() {
  static RememberedFlags flags;
  return flags;
}

// Cuts a title to `title_limit` bytes without splitting a UTF-8 character.
std::string limited_title(std::string_view title) {
  if (title.size() <= title_limit) return std::string(title);
  std::size_t end = title_limit;
  while (end > 0 && (static_cast<unsigned char>(title[end]) & 0xC0) == 0x80) --end;
  return std::string(title.substr(0, end));
}

QString to_qstring(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Pages are made for the largest client area the screens allow, so resizing
// never reallocates or clears them.
QSize largest_client_area(int width, int height) {
  QSize size(width, height);
  for (QScreen* screen : QGuiApplication::screens()) {
    size = size.expandedTo(screen->virtualSize()).expandedTo(screen->size());
  }
  return size;
}

bool create_widget(const std::shared_ptr<WindowData>& window) {
  return detail::run_on_gui([&] {
    auto* widget = new detail::WindowWidget(window);
    widget->setWindowTitle(QString::fromStdString(window->title));
    if (window->title.empty()) widget->setWindowFlag(Qt::FramelessWindowHint);
    widget->setFixedSize(window->width, window->height);
    if (window->left != default_position && window->top != default_position) {
      widget->move(window->left, window->top);
    }
    window->page_size = largest_client_area(window->width, window->height);
    window->widget = widget;
    {
      std::lock_guard lock(window->threads_lock);
      window->threads.push_back({std::this_thread::get_id(), nullptr});
    }
    widget->show();
  });
}

// One size of an icon resource: the variant made for that size when the
// program has one, otherwise the main image scaled.
QPixmap icon_pixmap(int resource, int size) {
  QPixmap pixmap(QStringLiteral(":/icons/%1-%2.png").arg(resource).arg(size));
  if (pixmap.isNull()) pixmap.load(QStringLiteral(":/icons/%1.png").arg(resource));
  if (pixmap.isNull() || pixmap.width() == size) return pixmap;
  return pixmap.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

// The desktop asks a window for one icon in several sizes; the large and the
// small icon are the two sizes of it.
void apply_icons(WindowData& window) {
  if (!window.widget) return;
  QIcon icon;
  const int large = QApplication::style()->pixelMetric(QStyle::PM_LargeIconSize);
  const int small = QApplication::style()->pixelMetric(QStyle::PM_SmallIconSize);
  if (window.large_icon >= 0) icon.addPixmap(icon_pixmap(window.large_icon, large));
  if (window.small_icon >= 0) icon.addPixmap(icon_pixmap(window.small_icon, small));
  window.widget->setWindowIcon(icon);
}

void set_icon(int WindowData::*which, int resource) {
  auto window = detail::current_window_shared();
  detail::run_on_gui([&] {
    window.get()->*which = resource;
    apply_icons(*window);
  });
}

}  // namespace

int initwindow(int width, int height, std::string_view title, int left, int top,
               std::optional<bool> dbflag, std::optional<bool> closeflag) {
  detail::end_if_closed_by_user();
  bool double_buffer = false;
  bool exit_on_close = true;
  {
    RememberedFlags& flags = remembered_flags();
    std::lock_guard lock(flags.lock);
    if (dbflag) flags.double_buffer = *dbflag;
    if (closeflag) flags.exit_on_close = *closeflag;
    double_buffer = flags.double_buffer;
    exit_on_close = flags.exit_on_close;
  }
  if (!detail::ensure_gui_thread()) return -1;
  auto window = std::make_shared<WindowData>();
  window->width = std::max(width, 1);
  window->height = std::max(height, 1);
  window->left = left;
  window->top = top;
  window->title = limited_title(title);
  window->double_buffer = double_buffer;
  window->exit_on_close = exit_on_close;
  window->creator_thread = std::this_thread::get_id();
  window->threads.push_back({std::this_thread::get_id(), nullptr});
  window->active_page = double_buffer ? 1 : 0;
  window->visual_page = 0;
  if (!create_widget(window)) return -1;
  // Showing the first window sets up most of what Qt keeps; stop the window
  // thread before that is torn down at exit.
  static std::once_flag exit_handler;
  std::call_once(exit_handler, [] { detail::stop_gui_at_exit(); });
  const int id = detail::add_window(window);
  detail::reset_draw_state(*window);
  return id;
}

void closewindow(int id) {
  if (id == all_windows_id) {
    for (int i = 0; i < detail::window_count(); ++i) closewindow(i);
    return;
  }
  if (id == current_window_id) id = detail::current_window_id_value();
  if (auto window = detail::find_window(id)) {
    detail::run_on_gui([&] { detail::destroy_window_widget(*window); });
  }
  // Also for a window the user already closed: its identifier stops being current.
  detail::forget_window(id);
}

int getcurrentwindow() {
  detail::end_if_closed_by_user();
  return detail::current_window_id_value();
}

void setcurrentwindow(int id) {
  auto window = detail::find_window(id);
  if (!window) return;
  detail::set_current_window_id(id);
  // Posted, not waited for: panels make their window current on every pass,
  // and waiting would stall them behind the window thread's painting. Later
  // requests to the window thread still find it done, as they queue behind it.
  detail::post_to_gui([window] {
    if (!window->widget) return;
    window->widget->raise();
    window->widget->activateWindow();
  });
}

bool isvalidwindow(int id) { return detail::find_window(id) != nullptr; }

void enablewindow(int id, int enable) {
  auto window = detail::find_window(id);
  if (!window) return;
  detail::run_on_gui([&] {
    if (window->widget) window->widget->setEnabled(enable == 1);
  });
}

std::uintptr_t getwin32handle() {
  auto window = detail::current_window_shared();
  return detail::call_on_gui([&]() -> std::uintptr_t {
           return window->widget ? static_cast<std::uintptr_t>(window->widget->winId()) : 0;
         })
      .value_or(0);
}

void setwindowtitle(std::string_view title) {
  auto window = detail::current_window_shared();
  {
    std::lock_guard lock(window->title_lock);
    window->title = std::string(title);
  }
  const QString caption = to_qstring(title);
  detail::run_on_gui([&] {
    if (window->widget) window->widget->setWindowTitle(caption);
  });
}

std::string getwindowtitle() {
  auto window = detail::current_window_shared();
  std::lock_guard lock(window->title_lock);
  return window->title;
}

void setwindowlargeicon(int resource) { set_icon(&WindowData::large_icon, resource); }
void setwindowsmallicon(int resource) { set_icon(&WindowData::small_icon, resource); }

int getmaxx() { return detail::current_window().width - 1; }
int getmaxy() { return detail::current_window().height - 1; }
int getmaxwidth() { return detail::current_window().page_size.width(); }
int getmaxheight() { return detail::current_window().page_size.height(); }

void setdialoghotkeys(bool flag) { detail::current_window().dialog_hotkeys = flag; }

void detectgraph(int& driver, int& mode) {
  driver = vga_driver;
  mode = vga_high_mode;
}

void initgraph(int& driver, int& mode, std::string_view /*path: no driver files here*/) {
  detectgraph(driver, mode);
  initwindow(640, 480);
}

int getgraphmode() { return vga_high_mode; }

void getmoderange(int driver, int& low, int& high) {
  low = 0;
  high = driver == vga_driver || driver == detect_driver ? vga_high_mode : -1;
}

std::string getmodename(int mode) {
  switch (mode) {
    case 0: return "640 x 200 VGA";
    case 1: return "640 x 350 VGA";
    case vga_high_mode: return "640 x 480 VGA";
    default: return "Invalid graphics mode";
  }
}

std::string getdrivername() { return "EGAVGA"; }

// Menus would need a native menu bar above the client area, which would change
// the size every page and layout is computed for; the program uses none.
int addmenu(std::string_view /*title*/) { return -1; }
int addmenuitem(int /*menu*/, std::string_view /*text*/, std::function<void()> /*callback*/) {
  return -1;
}
void removemenu(int /*menu*/) {}
void removemenuitem(int /*menu*/, int /*item*/) {}
void enablemenuitem(int /*item*/, int /*enable*/) {}

}  // namespace korvid
