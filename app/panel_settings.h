#pragma once
// The "Show in the panel" choice, kept in $XDG_CONFIG_HOME/kelvane/kelvane.conf. A file that cannot be
// read or written costs the choice, never the program: one warning on standard error, then defaults.
#include <QString>

namespace kelvane::app {

inline constexpr const char* kShowInPanelKey = "panel/show";

QString SettingsPath();

class PanelSettings {
 public:
  explicit PanelSettings(QString path = SettingsPath()) : path_(std::move(path)) {}

  // False when the file or the key is missing, or the file is damaged.
  bool showInPanel();
  // False, having warned, when the choice could not be saved.
  bool setShowInPanel(bool show);

 private:
  void Warn(const QString& what);

  QString path_;
  bool warned_ = false;  // once per run: a file that cannot be read stays so
};

}  // namespace kelvane::app
