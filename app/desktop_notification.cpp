#include "app/desktop_notification.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

namespace kelvane::app {

void NotifyDesktop(const QString& summary, const QString& body, int waitMs) {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return;
  QDBusMessage call = QDBusMessage::createMethodCall(
      QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
      QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
  const QVariantMap hints{{QStringLiteral("desktop-entry"), QStringLiteral("io.github.kelvane.Kelvane")}};
  call << QStringLiteral("Kelvane") << 0u << QStringLiteral("io.github.kelvane.Kelvane") << summary << body
       << QStringList() << hints << -1;
  if (waitMs > 0) {
    bus.call(call, QDBus::Block, waitMs);
    return;
  }
  // No reply is awaited, so an absent service's error reply is dropped unseen.
  bus.send(call);
}

}  // namespace kelvane::app
