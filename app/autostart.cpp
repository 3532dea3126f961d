#include "app/autostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>

namespace kelvane::app {

QString AutostartPath() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         QStringLiteral("/autostart/io.github.kelvane.Kelvane.desktop");
}

QString AutostartEntry() {
  return QStringLiteral(
      "[Desktop Entry]\n"
      "Type=Application\n"
      "Name=Kelvane\n"
      "Comment=Shows free memory in the panel\n"
      "Exec=kelvane --tray\n"
      "Icon=io.github.kelvane.Kelvane\n"
      "Terminal=false\n"
      "X-GNOME-Autostart-enabled=true\n");
}

bool AutostartEnabled(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return false;
  // Hidden=true is how a desktop's settings switch an entry off without deleting it.
  while (!file.atEnd()) {
    const QByteArray line = file.readLine().trimmed();
    if (line.startsWith("Hidden") && line.mid(6).trimmed().startsWith('=') &&
        line.mid(line.indexOf('=') + 1).trimmed().toLower() == "true") {
      return false;
    }
  }
  return true;
}

QString SetAutostart(bool enabled, const QString& path) {
  if (!enabled) {
    QFile file(path);
    if (!file.exists() || file.remove()) return {};
    return file.errorString();
  }
  if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
    return QStringLiteral("cannot make the folder %1").arg(QFileInfo(path).absolutePath());
  }
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) return file.errorString();
  file.write(AutostartEntry().toUtf8());
  if (!file.commit()) return file.errorString();
  return {};
}

}  // namespace kelvane::app
