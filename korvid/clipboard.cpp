#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "korvid/dialogs.h"
#include "korvid/internal/dialog_text.h"
#include "korvid/internal/gui_thread.h"

namespace korvid {
namespace {

// The clipboard's plain text as UTF-8; empty when it holds none. The
// clipboard belongs to the window thread, so it is read there.
std::string clipboard_text() {
  if (!detail::ensure_gui_thread()) return {};
  return detail::call_on_gui([] {
           const QMimeData* data = QGuiApplication::clipboard()->mimeData();
           if (!data || !data->hasText()) return std::string();
           return data->text().toStdString();
         })
      .value_or(std::string());
}

}  // namespace

void sendtoclipboard(std::string_view text) {
  if (text.empty() || !detail::ensure_gui_thread()) return;
  detail::run_on_gui([&] {
    QGuiApplication::clipboard()->setText(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  });
}

int getclipboardtextlength() { return static_cast<int>(clipboard_text().size()); }

int getfromclipboard(std::string& text, int capacity) {
  text.clear();
  if (capacity <= 1) return 0;
  const std::string all = clipboard_text();
  text = detail::utf8_prefix(all, static_cast<std::size_t>(capacity) - 1);
  return static_cast<int>(text.size());
}

}  // namespace korvid
