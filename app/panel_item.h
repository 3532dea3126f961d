#pragma once
// Kelvane in the panel: a status item showing the free share, with the window's figures in its
// tooltip and a menu to show the window, run Optimize, see the last run and start at login.
#include <QObject>
#include <QString>
#include <memory>
#include <optional>

#include "app/panel_icon.h"
#include "app/panel_settings.h"

class QAction;
class QMenu;
class QSystemTrayIcon;
class QTimer;

namespace kelvane::app {

class Form1;
class PanelInstanceServer;
struct RunRecord;

class PanelItem final : public QObject {
 public:
  // `form` and `settings` must outlive the item. Call only where the panel can host an item.
  PanelItem(Form1& form, PanelSettings& settings);
  ~PanelItem() override;

  // Shows the window the first time as a start would (placed, focus on the figures), later as it was
  // left, raised; `token` is a launcher's activation token.
  void ShowWindow(const QByteArray& token = {});
  void ToggleWindow();

  // Reads the window's figures; the icon and tooltip change only with what they show.
  void Update();
  int iconUpdates() const { return iconUpdates_; }

 private:
  void BuildMenu();
  void WatchThePanel();
  void RunStarted();
  void RunFinished(const RunRecord& record);
  void SetShowInPanel(bool show);
  void SetStartAtLogin(bool on);

  Form1& form_;
  PanelSettings& settings_;
  std::unique_ptr<QMenu> menu_;
  QSystemTrayIcon* tray_;
  QTimer* timer_;
  QAction *show_ = nullptr, *optimize_ = nullptr, *lastRun_ = nullptr, *startAtLogin_ = nullptr;
  QAction* showInPanel_ = nullptr;
  PanelInstanceServer* server_ = nullptr;
  bool windowPlaced_ = false;
  bool running_ = false;
  std::optional<PanelIconKey> drawn_;
  QString toolTip_;
  int iconUpdates_ = 0;
};

// Where main used to show the window and run the event loop: with the panel item when --tray
// (`trayOption`) or the saved choice asks for it and the panel can host it, as before otherwise.
// Returns the event loop's exit status.
int RunWindow(Form1& form, bool trayOption);

}  // namespace kelvane::app
