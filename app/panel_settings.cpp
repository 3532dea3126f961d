#include "app/panel_settings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <cstdio>
#include <utility>

namespace kelvane::app {

QString SettingsPath() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
         QStringLiteral("/kelvane/kelvane.conf");
}

void PanelSettings::Warn(const QString& what) {
  if (std::exchange(warned_, true)) return;
  std::fprintf(stderr, "kelvane: %s\n", qPrintable(what));
}

bool PanelSettings::showInPanel() {
  // Most starts have no settings file: that costs one stat.
  const QFileInfo file(path_);
  if (!file.exists()) return false;
  if (!file.isFile() || !file.isReadable()) {
    Warn(QStringLiteral("cannot read the settings in %1; Kelvane goes on without them").arg(path_));
    return false;
  }
  QSettings settings(path_, QSettings::IniFormat);
  if (settings.status() != QSettings::NoError) {
    Warn(QStringLiteral("the settings in %1 are damaged; Kelvane goes on without them").arg(path_));
    return false;
  }
  const QVariant value = settings.value(QLatin1String(kShowInPanelKey));
  if (!value.isValid()) return false;
  const QString text = value.toString().trimmed().toLower();
  if (text == u"true") return true;
  if (text != u"false") {
    Warn(QStringLiteral("%1 in %2 is \"%3\", neither true nor false; taken as false")
             .arg(QLatin1String(kShowInPanelKey), path_, value.toString()));
  }
  return false;
}

bool PanelSettings::setShowInPanel(bool show) {
  QDir().mkpath(QFileInfo(path_).absolutePath());
  QSettings settings(path_, QSettings::IniFormat);
  // A damaged file is not overwritten: what else it holds may be worth saving by hand.
  if (settings.status() == QSettings::NoError) {
    settings.setValue(QLatin1String(kShowInPanelKey), show);
    settings.sync();
  }
  if (settings.status() != QSettings::NoError) {
    warned_ = false;  // a failed save is news even after a failed read
    Warn(QStringLiteral("cannot save the settings in %1; the choice lasts until Kelvane ends").arg(path_));
    return false;
  }
  return true;
}

}  // namespace kelvane::app
