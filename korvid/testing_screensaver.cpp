#include "korvid/testing_screensaver.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>

#include <chrono>
#include <cstdio>
#include <thread>

#include "korvid/internal/gui_thread.h"

namespace korvid::testing {
namespace {

void say(const QString& line) {
  std::printf("%s\n", line.toUtf8().constData());
  std::fflush(stdout);
}

class FakeScreenSaver final : public QDBusVirtualObject {
 public:
  using QDBusVirtualObject::QDBusVirtualObject;

  QString introspect(const QString&) const override {
    return QStringLiteral(
        "<interface name=\"org.freedesktop.ScreenSaver\">"
        "<method name=\"Inhibit\"><arg type=\"s\" direction=\"in\"/><arg type=\"s\" direction=\"in\"/>"
        "<arg type=\"u\" direction=\"out\"/></method>"
        "<method name=\"UnInhibit\"><arg type=\"u\" direction=\"in\"/></method></interface>");
  }

  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
    const QList<QVariant> arguments = message.arguments();
    if (message.member() == QLatin1String("Inhibit") && arguments.size() == 2) {
      ++cookie_;
      say(QStringLiteral("Inhibit %1 %2 -> %3").arg(arguments[0].toString(), arguments[1].toString()).arg(cookie_));
      return connection.send(message.createReply(QVariant::fromValue(cookie_)));
    }
    if (message.member() == QLatin1String("UnInhibit") && arguments.size() == 1) {
      say(QStringLiteral("UnInhibit %1").arg(arguments[0].toUInt()));
      return connection.send(message.createReply());
    }
    return false;
  }

 private:
  uint cookie_ = 0;
};

}  // namespace

int serve_fake_screensaver() {
  if (!detail::ensure_gui_thread()) return 1;
  bool serving = false;
  detail::run_on_gui([&] {
    QDBusConnection bus = QDBusConnection::sessionBus();
    auto* service = new FakeScreenSaver(QCoreApplication::instance());
    serving = bus.registerVirtualObject(QStringLiteral("/org/freedesktop/ScreenSaver"), service) &&
              bus.registerService(QStringLiteral("org.freedesktop.ScreenSaver"));
  });
  if (!serving) return 1;
  say(QStringLiteral("ready"));
  for (;;) std::this_thread::sleep_for(std::chrono::hours(1));
}

}  // namespace korvid::testing
