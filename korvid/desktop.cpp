#include "korvid/desktop.h"

#include <QDesktopServices>
#include <QUrl>

#include "korvid/internal/desktop_hook.h"
#include "korvid/internal/gui_thread.h"

namespace korvid {

namespace detail {
std::function<bool(std::string_view)>& url_opener_override() {
  static std::function<bool(std::string_view)> opener;
  return opener;
}
}  // namespace detail

bool openurl(std::string_view url) {
  if (auto& hook = detail::url_opener_override(); hook) return hook(url);
  const QUrl parsed(QString::fromUtf8(url.data(), static_cast<qsizetype>(url.size())),
                    QUrl::StrictMode);
  if (!parsed.isValid() || parsed.scheme().isEmpty()) return false;
  if (!detail::ensure_gui_thread()) return false;
  return detail::call_on_gui([&] { return QDesktopServices::openUrl(parsed); }).value_or(false);
}

}  // namespace korvid
