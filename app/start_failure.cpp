#include "app/start_failure.h"

#include <QRegularExpression>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

namespace kelvane::app {
namespace {

QString Quoted(const QString& text) { return QLatin1Char('\'') + text + QLatin1Char('\''); }

// Qt names the plugin it tried in a warning before its fatal message: ... platform plugin "xcb" ...
QString PluginTried(const QStringList& messages) {
  static const QRegularExpression plugin(QStringLiteral("platform plugin \"([^\"]*)\""));
  for (const QString& message : messages) {
    const QRegularExpressionMatch match = plugin.match(message);
    if (match.hasMatch()) return match.captured(1);
  }
  return {};
}

QString AvailablePlugins(const QStringList& messages) {
  static const QRegularExpression available(
      QStringLiteral("Available platform plugins are: ([^\\n]*?)\\.?\\s*$"));
  for (const QString& message : messages) {
    const QRegularExpressionMatch match = available.match(message);
    if (match.hasMatch()) return match.captured(1);
  }
  return {};
}

bool SaysNotFound(const QStringList& messages) {
  for (const QString& message : messages) {
    if (message.contains(QStringLiteral("Could not find the Qt platform plugin"))) return true;
  }
  return false;
}

struct Held {
  QtMsgType type;
  QByteArray category;
  QString message;
};

// The guard's state, reached from Qt's message handler (a plain function).
struct GuardState {
  DisplayRequest request;
  QtMessageHandler previous = nullptr;
  std::vector<Held> held;
};
std::unique_ptr<GuardState> g_guard;

void HoldMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type != QtFatalMsg) {
    g_guard->held.push_back({type, QByteArray(context.category), message});
    return;
  }
  QStringList said;
  for (const Held& h : g_guard->held) said << h.message;
  said << message;
  const QByteArray line = (StartFailureLine(said, g_guard->request) + QLatin1Char('\n')).toLocal8Bit();
  std::fputs(line.constData(), stderr);
  // Returning would abort; nothing is set up yet that needs tearing down.
  std::_Exit(kExitCannotStart);
}

}  // namespace

QString StartFailureLine(const QStringList& qtMessages, const DisplayRequest& request) {
  const QString plugin = PluginTried(qtMessages);
  if (SaysNotFound(qtMessages)) {
    const QString available = AvailablePlugins(qtMessages);
    return QStringLiteral("kelvane: unknown display platform %1%2")
        .arg(Quoted(plugin),
             available.isEmpty() ? QString() : QStringLiteral(" (available: %1)").arg(available));
  }
  if (plugin.startsWith(QStringLiteral("wayland"))) {
    const QString name =
        request.waylandDisplay.isEmpty() ? QStringLiteral("wayland-0") : request.waylandDisplay;
    return QStringLiteral("kelvane: cannot connect to the Wayland display %1").arg(Quoted(name));
  }
  if (plugin == QStringLiteral("xcb")) {
    const QString display = request.displayOption.isEmpty() ? request.display : request.displayOption;
    if (!display.isEmpty()) return QStringLiteral("kelvane: cannot open display %1").arg(Quoted(display));
    if (request.waylandDisplay.isEmpty()) {
      return QStringLiteral(
          "kelvane: no display to show the window on (DISPLAY and WAYLAND_DISPLAY are not set)");
    }
    return QStringLiteral("kelvane: cannot open an X display (DISPLAY is not set)");
  }
  if (!plugin.isEmpty())
    return QStringLiteral("kelvane: cannot start the display platform %1").arg(Quoted(plugin));
  return QStringLiteral("kelvane: cannot open a display");
}

StartFailureGuard::StartFailureGuard(DisplayRequest request) {
  g_guard = std::make_unique<GuardState>(GuardState{std::move(request), nullptr, {}});
  g_guard->previous = qInstallMessageHandler(HoldMessage);
}

StartFailureGuard::~StartFailureGuard() {
  qInstallMessageHandler(g_guard->previous);
  const std::unique_ptr<GuardState> state = std::move(g_guard);
  for (const Held& h : state->held) {
    const QMessageLogContext context(nullptr, 0, nullptr,
                                     h.category.isEmpty() ? nullptr : h.category.constData());
    if (state->previous) {
      state->previous(h.type, context, h.message);
    } else {
      qt_message_output(h.type, context, h.message);
    }
  }
}

}  // namespace kelvane::app
