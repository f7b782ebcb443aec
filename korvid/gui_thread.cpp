#include "korvid/internal/gui_thread.h"

#include <QApplication>
#include <QPixmapCache>
#include <QMessageBox>
#include <QMetaObject>
#include <QObject>

#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <future>
#include <memory>
#include <mutex>
#include <string_view>
#include <thread>
#include <unistd.h>

#include "korvid/internal/display_connection.h"

namespace korvid::detail {
namespace {

// Everything about the window thread. `context` is a plain QObject living on the
// window thread; it is cleared (under the mutex) before the event loop is torn
// down, so nobody posts to a dead object.
//
// Calls for the window thread travel through `calls`, under our own mutex, and
// Qt only carries a wake-up: the hand-over is then visible to the thread
// sanitizer, and dropping the queue at shutdown breaks every waiting promise.
struct GuiThread {
  std::mutex mutex;
  std::condition_variable ready_changed;
  // Serialises joining: the program thread's exit and another thread's
  // `end_process` may both stop the window thread, and a second join of the
  // same thread, or one racing the first, is undefined.
  std::mutex join_lock;
  std::thread thread;
  std::atomic<std::thread::id> thread_id{};
  QObject* context = nullptr;
  std::deque<std::function<void()>> calls;
  bool started = false;
  bool ready = false;
  bool failed = false;
};

// Never destroyed: the exit handlers and other threads may still reach it
// while the process ends.
GuiThread& gui() {
  static auto* instance = new GuiThread;
  return *instance;
}

bool variable_set(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

// Qt aborts the whole process when its platform cannot connect; asking first
// turns that into an ordinary failure of `initwindow`.
bool display_reachable() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  const std::string_view name = platform ? platform : "";
  if (name.starts_with("xcb")) return variable_set("DISPLAY");
  if (name.starts_with("wayland")) return variable_set("WAYLAND_DISPLAY");
  if (!name.empty()) return true;
  return variable_set("DISPLAY") || variable_set("WAYLAND_DISPLAY");
}

// The program scales its own sizes with `scaledpi`; Qt's scaling on top of
// that would scale everything twice.
void prepare_environment() {
  setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 1);
  unsetenv("QT_SCALE_FACTOR");
  unsetenv("QT_SCREEN_SCALE_FACTORS");
}

// Runs the oldest queued call. Qt delivers one wake-up per call, in order, and
// nested event loops (modal dialogs) deliver them too.
void run_next_call() {
  GuiThread& g = gui();
  std::function<void()> call;
  {
    std::lock_guard lock(g.mutex);
    if (g.calls.empty()) return;
    call = std::move(g.calls.front());
    g.calls.pop_front();
  }
  call();
}

bool enqueue(std::function<void()> fn) {
  GuiThread& g = gui();
  std::lock_guard lock(g.mutex);
  if (!g.context) return false;
  g.calls.push_back(std::move(fn));
  QMetaObject::invokeMethod(g.context, [] { run_next_call(); }, Qt::QueuedConnection);
  return true;
}

void run_event_loop() {
  GuiThread& g = gui();
  static int argc = 1;
  static char name[] = "veltrim";
  static char* argv[] = {name, nullptr};
  std::unique_ptr<QApplication> app;
  {
    const DisplayConnection connecting;
    app = std::make_unique<QApplication>(argc, argv);
  }
  QApplication::setQuitOnLastWindowClosed(false);
  auto context = std::make_unique<QObject>();
  {
    std::lock_guard lock(g.mutex);
    g.context = context.get();
    g.ready = true;
  }
  g.ready_changed.notify_all();

  QApplication::exec();

  std::deque<std::function<void()>> dropped;
  {
    std::lock_guard lock(g.mutex);
    g.context = nullptr;
    dropped.swap(g.calls);
  }
  // Destroying the calls nobody will run breaks their promises, so their
  // callers return "window gone" instead of waiting forever.
  dropped.clear();
  // The loop only ends when the process ends. Qt's globals are already being torn
  // down by then, so the application and its widgets are left for the process
  // exit to reclaim rather than destroyed against half-gone globals.
  QCoreApplication::removePostedEvents(nullptr);
  // Cached pixmaps own timers of this thread; let them go here rather than from
  // the process's exit handlers on another thread.
  QPixmapCache::clear();
  static QApplication* kept_until_exit = app.release();
  static QObject* kept_context = context.release();
  (void)kept_until_exit;
  (void)kept_context;
}

bool on_main_thread() { return gettid() == getpid(); }

// The main thread's thread_local objects are destroyed when it returns from
// main or calls exit, and all of them before any static object or exit handler.
struct StopAtMainThreadExit {
  StopAtMainThreadExit() = default;
  StopAtMainThreadExit(const StopAtMainThreadExit&) = delete;
  StopAtMainThreadExit& operator=(const StopAtMainThreadExit&) = delete;
  ~StopAtMainThreadExit() { shutdown_gui(); }
};

}  // namespace

void stop_gui_before_main_thread_exits() {
  thread_local bool checked = false;
  if (checked) return;
  checked = true;
  if (!on_main_thread()) return;
  thread_local StopAtMainThreadExit stopper;
}

bool ensure_gui_thread() {
  stop_gui_before_main_thread_exits();
  GuiThread& g = gui();
  bool just_started = false;
  {
    std::unique_lock lock(g.mutex);
    if (!g.started) {
      g.started = true;
      if (!display_reachable()) {
        g.failed = true;
      } else {
        prepare_environment();
        try {
          g.thread = std::thread(run_event_loop);
          g.thread_id = g.thread.get_id();
          just_started = true;
        } catch (const std::system_error&) {
          g.failed = true;
        }
      }
    }
    g.ready_changed.wait(lock, [&] { return g.ready || g.failed; });
    if (!g.context) return false;
  }
  if (just_started) stop_gui_at_exit();
  return true;
}

bool gui_running() {
  GuiThread& g = gui();
  std::lock_guard lock(g.mutex);
  return g.context != nullptr;
}

bool on_gui_thread() { return std::this_thread::get_id() == gui().thread_id.load(); }

bool run_on_gui(std::function<void()> fn) {
  stop_gui_before_main_thread_exits();
  if (on_gui_thread()) {
    fn();
    return true;
  }
  auto task = std::make_shared<std::packaged_task<void()>>(std::move(fn));
  std::future<void> done = task->get_future();
  // The queued call then holds the only reference: if the window thread ends
  // before running it, dropping it breaks the promise and wakes us.
  if (!enqueue([task = std::move(task)] { (*task)(); })) return false;
  try {
    done.get();
    return true;
  } catch (const std::future_error&) {
    return false;
  }
}

void post_to_gui(std::function<void()> fn) { enqueue(std::move(fn)); }

void shutdown_gui() {
  GuiThread& g = gui();
  {
    std::lock_guard lock(g.mutex);
    if (!g.started || on_gui_thread()) return;
    if (g.context) {
      QMetaObject::invokeMethod(g.context, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    }
  }
  std::lock_guard join(g.join_lock);
  if (g.thread.joinable()) g.thread.join();
}

void stop_gui_at_exit() {
  // Exit handlers run in reverse order of registration, and Qt registers the
  // teardown of its globals as they are first used. Registering again once more
  // of Qt is set up keeps our handler ahead of those teardowns.
  std::atexit([] { shutdown_gui(); });
}

void end_process(int status) {
  std::fflush(nullptr);
  if (on_gui_thread()) {
    // The window thread cannot join itself, and the program thread is still
    // running: running the exit handlers from here would pull Qt away under it.
    std::_Exit(status);
  }
  shutdown_gui();
  std::fflush(nullptr);
  if (!on_main_thread()) std::_Exit(status);
  std::exit(status);
}

void fail_no_current_window() {
  static constexpr const char* message =
      "Drawing operation was attempted when there was no current window.";
  std::fprintf(stderr, "%s\n", message);
  if (ensure_gui_thread()) {
    run_on_gui([] {
      // Nobody can answer a box on the offscreen platform; the message went to
      // standard error above.
      if (QGuiApplication::platformName() == QLatin1String("offscreen")) return;
      QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), QString::fromUtf8(message),
                      QMessageBox::Ok);
      box.exec();
    });
  }
  end_process(1);
}

}  // namespace korvid::detail
