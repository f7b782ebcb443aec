#include <QDialog>
#include <QPixmapCache>
#include <QWidget>
#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>

#include "korvid/internal/gui_thread.h"
#include "korvid/internal/modal.h"
#include "korvid/internal/table.h"
#include "korvid/internal/window_table.h"
#include "korvid/internal/window_widget.h"

namespace korvid::detail {
namespace {

constexpr std::size_t history_limit = 32;

struct OpenDialog {
  std::uint64_t serial = 0;
  QDialog* dialog = nullptr;  // alive while listed: it is removed before exec() returns to us
  ShownDialog shown;
  std::optional<DialogAnswer> answer;
};

// Answers waiting for a dialog and the dialogs now open. Outside tests the
// queue stays empty and every dialog simply runs.
struct Script {
  std::mutex mutex;
  std::condition_variable changed;
  std::deque<DialogAnswer> queued;
  std::deque<ShownDialog> history;
  std::vector<OpenDialog*> open;  // innermost last
  std::uint64_t last_serial = 0;
};

// Never destroyed: the window thread may still be in a dialog while the
// process runs its static destructors.
Script& script() {
  static auto* instance = new Script;
  return *instance;
}

void remember(Script& s, const ShownDialog& shown) {
  s.history.push_back(shown);
  if (s.history.size() > history_limit) s.history.pop_front();
}

// Window thread: closes an open dialog a test has just answered.
void close_answered(std::uint64_t serial) {
  QDialog* dialog = nullptr;
  {
    Script& s = script();
    std::lock_guard lock(s.mutex);
    for (OpenDialog* entry : s.open) {
      if (entry->serial == serial) dialog = entry->dialog;
    }
  }
  if (dialog) dialog->done(QDialog::Rejected);
}

// Dialogs fill Qt's process-wide pixmap cache (icons, button bevels). The
// cache keeps a timer on the window thread; still running at process exit, it
// is destroyed from the main thread, which Qt reports and occasionally crashes
// on. Emptying it once the last dialog has closed stops the timer.
class ClearPixmapsWhenLastCloses {
 public:
  ~ClearPixmapsWhenLastCloses() {
    Script& s = script();
    std::unique_lock lock(s.mutex);
    if (!s.open.empty()) return;
    lock.unlock();
    QPixmapCache::clear();
  }
};

}  // namespace

QWidget* dialog_owner() {
  auto window = find_window(current_window_id_value());
  return window ? window->widget : nullptr;
}

std::optional<DialogAnswer> run_modal(QDialog& dialog, ShownDialog shown) {
  const ClearPixmapsWhenLastCloses clear_pixmaps;
  Script& s = script();
  OpenDialog entry;
  entry.dialog = &dialog;
  {
    std::lock_guard lock(s.mutex);
    remember(s, shown);
    if (!s.queued.empty()) {
      DialogAnswer answer = std::move(s.queued.front());
      s.queued.pop_front();
      return answer;
    }
    entry.serial = ++s.last_serial;
    entry.shown = std::move(shown);
    s.open.push_back(&entry);
  }
  s.changed.notify_all();
  // A nested event loop: painting, queued calls from other threads and a
  // test's answer all get through while the caller waits for us.
  dialog.exec();
  std::lock_guard lock(s.mutex);
  std::erase(s.open, &entry);
  return std::move(entry.answer);
}

void answer_dialog(DialogAnswer answer) {
  Script& s = script();
  std::uint64_t serial = 0;
  {
    std::lock_guard lock(s.mutex);
    const auto unanswered = std::find_if(s.open.rbegin(), s.open.rend(),
                                         [](const OpenDialog* entry) { return !entry->answer; });
    if (unanswered == s.open.rend()) {
      s.queued.push_back(std::move(answer));
      return;
    }
    (*unanswered)->answer = std::move(answer);
    serial = (*unanswered)->serial;
  }
  post_to_gui([serial] { close_answered(serial); });
}

ShownDialog wait_for_open_dialog() {
  Script& s = script();
  std::unique_lock lock(s.mutex);
  const auto unanswered = [&] {
    return std::find_if(s.open.rbegin(), s.open.rend(),
                        [](const OpenDialog* entry) { return !entry->answer; });
  };
  s.changed.wait(lock, [&] { return unanswered() != s.open.rend(); });
  return (*unanswered())->shown;
}

std::vector<ShownDialog> recent_dialogs() {
  Script& s = script();
  std::lock_guard lock(s.mutex);
  return {s.history.begin(), s.history.end()};
}

void forget_dialogs() {
  Script& s = script();
  std::lock_guard lock(s.mutex);
  s.history.clear();
  s.queued.clear();
}

}  // namespace korvid::detail
