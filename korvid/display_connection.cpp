#include "korvid/internal/display_connection.h"

#include <QByteArray>
#include <QMessageLogContext>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <unistd.h>

namespace korvid::detail {
namespace {

struct HeldMessage {
  QtMsgType type;
  QByteArray category;
  QString text;
};

// Only the window thread touches these, and only while it connects.
QtMessageHandler previous_handler = nullptr;
std::vector<HeldMessage> held;

std::string variable(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

void hold_message(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtFatalMsg) {
    std::fprintf(stderr, "%s: cannot open a window: no display at %s\n", program_invocation_short_name,
                 display_name().c_str());
    std::fflush(stderr);
    _exit(1);  // nothing of the program is open yet; no core dump
  }
  held.push_back({type, QByteArray(context.category ? context.category : ""), text});
}

}  // namespace

std::string display_name() {
  const std::string wayland = variable("WAYLAND_DISPLAY");
  const std::string x11 = variable("DISPLAY");
  if (std::string_view(variable("QT_QPA_PLATFORM")).starts_with("wayland") && !wayland.empty()) return wayland;
  if (!x11.empty()) return x11;
  if (!wayland.empty()) return wayland;
  return "(none)";
}

DisplayConnection::DisplayConnection() { previous_handler = qInstallMessageHandler(hold_message); }

DisplayConnection::~DisplayConnection() {
  qInstallMessageHandler(previous_handler);
  for (const HeldMessage& message : held) {
    const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
    qt_message_output(message.type, context, message.text);
  }
  held.clear();
}

}  // namespace korvid::detail
