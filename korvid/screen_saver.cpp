// Keeping the screen awake: the freedesktop ScreenSaver service's Inhibit and
// UnInhibit on the session bus. Desktops that offer it (KDE, GNOME through its
// proxy, Xfce and others) blank neither the screen nor start the saver while a
// request stands, and drop it when the process's bus connection goes away.
//
// The calls are made on the calling thread, with a short time limit, so a slow
// or missing service never holds up the window thread's painting.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QString>

#include <array>
#include <mutex>
#include <optional>

#include "korvid/internal/gui_thread.h"
#include "korvid/screen.h"

namespace korvid {
namespace {

QString service() { return QStringLiteral("org.freedesktop.ScreenSaver"); }
// The service's object: the path of the standard, and the older one some
// desktops still answer on only.
constexpr std::array<const char*, 2> object_paths{"/org/freedesktop/ScreenSaver", "/ScreenSaver"};
constexpr int call_limit_ms = 2000;

struct Request {
  std::uint32_t cookie = 0;
  const char* path = nullptr;
};

std::mutex request_lock;
std::optional<Request> standing;  // guarded by request_lock

QDBusMessage call(const char* path, const QString& method, const QList<QVariant>& arguments) {
  QDBusMessage message = QDBusMessage::createMethodCall(service(), QString::fromLatin1(path), service(), method);
  message.setArguments(arguments);
  return QDBusConnection::sessionBus().call(message, QDBus::Block, call_limit_ms);
}

}  // namespace

bool inhibitscreensaver(std::string_view reason) {
  std::lock_guard lock(request_lock);
  if (standing) return true;
  // The bus needs the application object, which lives on the window thread.
  if (!detail::ensure_gui_thread()) return false;
  const QString application = detail::call_on_gui([] { return QCoreApplication::applicationName(); }).value_or(QString());
  if (!QDBusConnection::sessionBus().isConnected()) return false;
  const QString why = QString::fromUtf8(reason.data(), static_cast<qsizetype>(reason.size()));
  for (const char* path : object_paths) {
    const QDBusMessage reply = call(path, QStringLiteral("Inhibit"), {application, why});
    if (reply.type() == QDBusMessage::ReplyMessage && reply.arguments().size() == 1) {
      standing = Request{reply.arguments().front().toUInt(), path};
      return true;
    }
  }
  return false;
}

void releasescreensaver() {
  std::lock_guard lock(request_lock);
  if (!standing) return;
  call(standing->path, QStringLiteral("UnInhibit"), {QVariant::fromValue(standing->cookie)});
  standing.reset();
}

bool screensaverinhibited() {
  std::lock_guard lock(request_lock);
  return standing.has_value();
}

}  // namespace korvid
