#include "korvid/internal/gui_thread.h"

#include <QApplication>
#include <QMessageBox>
#include <QMetaObject>
#include <QObject>

#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <memory>
#include <mutex>
#include <thread>


namespace korvid::detail {
namespace {

// Everything about the window thread, guarded by `mutex`. `context` is a plain
// QObject living on the window thread: queued calls are delivered through it, and
// it is cleared (under the mutex) before the thread's event loop is torn down,
// so nobody posts to a dead object.
struct GuiThread {
  std::mutex mutex;
  std::condition_variable ready_changed;
  std::thread thread;
  std::thread::id thread_id;
  QObject* context = nullptr;
  bool started = false;
  bool ready = false;
  bool failed = false;

  ~GuiThread() {
    shutdown_gui();
    // Only when the process ends from the window thread itself, which cannot join itself.
    if (thread.joinable()) thread.detach();
  }
};

GuiThread& gui() {
  static GuiThread instance;
  return instance;
}

void run_event_loop() {
  GuiThread& g = gui();
  static int argc = 1;
  static char name[] = "veltrim";
  static char* argv[] = {name, nullptr};
  auto app = std::make_unique<QApplication>(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  auto context = std::make_unique<QObject>();
  {
    std::lock_guard lock(g.mutex);
    g.context = context.get();
    g.ready = true;
  }
  g.ready_changed.notify_all();

  QApplication::exec();

  {
    std::lock_guard lock(g.mutex);
    g.context = nullptr;
  }
  // The loop only ends when the process ends. Qt's globals are already being torn
  // down by then, so the application and its widgets are left for the process
  // exit to reclaim rather than destroyed against half-gone globals. Calls that
  // were still queued are dropped here, which breaks their promises.
  QCoreApplication::removePostedEvents(nullptr);
  static QApplication* kept_until_exit = app.release();
  static QObject* kept_context = context.release();
  (void)kept_until_exit;
  (void)kept_context;
}

}  // namespace

bool ensure_gui_thread() {
  GuiThread& g = gui();
  std::unique_lock lock(g.mutex);
  if (!g.started) {
    g.started = true;
    try {
      g.thread = std::thread(run_event_loop);
      g.thread_id = g.thread.get_id();
    } catch (const std::system_error&) {
      g.failed = true;
    }
  }
  g.ready_changed.wait(lock, [&] { return g.ready || g.failed; });
  return g.context != nullptr;
}

bool gui_running() {
  GuiThread& g = gui();
  std::lock_guard lock(g.mutex);
  return g.context != nullptr;
}

bool on_gui_thread() {
  GuiThread& g = gui();
  std::lock_guard lock(g.mutex);
  return g.started && std::this_thread::get_id() == g.thread_id;
}

bool run_on_gui(std::function<void()> fn) {
  if (on_gui_thread()) {
    fn();
    return true;
  }
  auto task = std::make_shared<std::packaged_task<void()>>(std::move(fn));
  std::future<void> done = task->get_future();
  {
    GuiThread& g = gui();
    std::lock_guard lock(g.mutex);
    if (!g.context) return false;
    QMetaObject::invokeMethod(g.context, [task] { (*task)(); }, Qt::QueuedConnection);
  }
  // The posted functor now holds the only reference: if the window thread ends
  // before running it, destroying it breaks the promise and wakes us.
  task.reset();
  try {
    done.get();
    return true;
  } catch (const std::future_error&) {
    return false;
  }
}

void post_to_gui(std::function<void()> fn) {
  GuiThread& g = gui();
  std::lock_guard lock(g.mutex);
  if (!g.context) return;
  QMetaObject::invokeMethod(g.context, std::move(fn), Qt::QueuedConnection);
}

void shutdown_gui() {
  GuiThread& g = gui();
  {
    std::lock_guard lock(g.mutex);
    if (!g.started || std::this_thread::get_id() == g.thread_id) return;
    if (g.context) {
      QMetaObject::invokeMethod(g.context, [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    }
  }
  if (g.thread.joinable()) g.thread.join();
}

void end_process(int status) {
  shutdown_gui();
  std::fflush(nullptr);
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
