#include "app/panel_item.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>
#include <cstdio>

#include "app/autostart.h"
#include "app/desktop_notification.h"
#include "app/form1.h"
#include "app/panel_tooltip.h"
#include "app/run_record.h"
#include "app/run_store.h"
#include "app/single_instance.h"
#include "platform/host/services.h"
#include "platform/host/stock/label.h"
#include "platform/host/stock/stock_progress_bar.h"
#include "platform/host/stock/timer.h"

namespace kelvane::app {
namespace {

// However fast the figures move, the panel hears of them at most once a second.
constexpr int kUpdateMs = 1000;
constexpr int kPanelBackMs = 5000;

void Warn(const QString& text) { std::fprintf(stderr, "kelvane: %s\n", qPrintable(text)); }

}  // namespace

PanelItem::PanelItem(Form1& form, PanelSettings& settings)
    : form_(form),
      settings_(settings),
      menu_(std::make_unique<QMenu>()),
      tray_(new QSystemTrayIcon(this)),
      timer_(new QTimer(this)) {
  BuildMenu();
  tray_->setContextMenu(menu_.get());
  connect(tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::Trigger) ToggleWindow();
  });
  form_.addRunHandlers([this] { RunStarted(); }, [this](const RunRecord& record) { RunFinished(record); });

  // The labels hold the layout's placeholders until the window's first tick.
  form_.Refresh();
  Update();
  tray_->show();
  timer_->setTimerType(Qt::CoarseTimer);
  connect(timer_, &QTimer::timeout, this, [this] { Update(); });
  timer_->start(kUpdateMs);

  WatchThePanel();

  server_ = new PanelInstanceServer([this](const QByteArray& token) { ShowWindow(token); }, this);
  if (!server_->Listen(PanelSocketPath())) {
    delete server_;
    server_ = nullptr;
  }
}

PanelItem::~PanelItem() = default;

void PanelItem::WatchThePanel() {
  // A panel that goes for good takes the way back to the window with it: unless it is back within a
  // few seconds (a restart takes about one), the window comes back, and closing it ends Kelvane.
  auto* watcher = new QDBusServiceWatcher(
      QStringLiteral("org.kde.StatusNotifierWatcher"), QDBusConnection::sessionBus(),
      QDBusServiceWatcher::WatchForRegistration | QDBusServiceWatcher::WatchForUnregistration, this);
  auto* gone = new QTimer(this);
  gone->setSingleShot(true);
  connect(gone, &QTimer::timeout, this, [this] {
    if (!tray_->isVisible()) return;
    QApplication::setQuitOnLastWindowClosed(true);
    ShowWindow();
  });
  connect(watcher, &QDBusServiceWatcher::serviceUnregistered, gone, [gone] { gone->start(kPanelBackMs); });
  connect(watcher, &QDBusServiceWatcher::serviceRegistered, this, [this, gone] {
    gone->stop();
    if (tray_->isVisible()) QApplication::setQuitOnLastWindowClosed(false);
  });
}

void PanelItem::BuildMenu() {
  show_ = menu_->addAction(QStringLiteral("Show Kelvane"), this, [this] { ShowWindow(); });
  menu_->addSeparator();
  optimize_ = menu_->addAction(QStringLiteral("Optimize"), this, [this] {
    // Out of the menu's own event: the run processes events, and the panel awaits this click's answer.
    QTimer::singleShot(0, this, [this] {
      if (!form_.runInProgress()) form_.Optimize(RunSource::Panel);
    });
  });
  // Until this window's first run, the last one kept, from whichever Kelvane made it.
  const std::optional<RunRecord> last = form_.lastRun() ? form_.lastRun() : RunStore().Last();
  lastRun_ = menu_->addAction(last ? RunSummaryText(*last, QLocale()) : QStringLiteral("No run yet"));
  lastRun_->setEnabled(false);
  menu_->addSeparator();
  showInPanel_ = menu_->addAction(QStringLiteral("Show in the panel"));
  showInPanel_->setCheckable(true);
  showInPanel_->setChecked(true);
  connect(showInPanel_, &QAction::toggled, this, [this](bool on) { SetShowInPanel(on); });
  startAtLogin_ = menu_->addAction(QStringLiteral("Start at login"));
  startAtLogin_->setCheckable(true);
  startAtLogin_->setChecked(AutostartEnabled());
  connect(startAtLogin_, &QAction::toggled, this, [this](bool on) { SetStartAtLogin(on); });
  menu_->addSeparator();
  menu_->addAction(QStringLiteral("End"), this, [this] { form_.End(); });
}

void PanelItem::Update() {
  const ShownFigures shown{form_.Label2(3).Caption(), form_.Label2(5).Caption(), form_.Label2(4).Caption(),
                           form_.Label2(7).Caption()};
  const int percent = PercentFromText(shown.percent);
  const PanelIconKey key = PanelIconKeyFor(percent);
  if (key != drawn_) {
    drawn_ = key;
    tray_->setIcon(PanelIcon(percent));
    ++iconUpdates_;
  }
  std::optional<int> progress;
  if (running_) {
    const auto& bar = form_.ProcessIndicator();
    progress = RunPercent(bar.Value(), bar.Max());
  }
  QString toolTip = PanelToolTip(shown, progress);
  if (toolTip != toolTip_) {
    toolTip_ = std::move(toolTip);
    tray_->setToolTip(toolTip_);
  }
}

void PanelItem::ShowWindow(const QByteArray& token) {
  QWidget& window = *form_.window();
  // Qt hands the token to the compositor with the next activation request on Wayland.
  if (!token.isEmpty() && QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
    qputenv("XDG_ACTIVATION_TOKEN", token);
  }
  if (!std::exchange(windowPlaced_, true)) {
    form_.Show();
  } else {
    window.show();
  }
  window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
  window.raise();
  window.activateWindow();
}

void PanelItem::ToggleWindow() {
  QWidget& window = *form_.window();
  if (window.isVisible() && !window.isMinimized()) {
    window.hide();
  } else {
    ShowWindow();
  }
}

void PanelItem::RunStarted() {
  running_ = true;
  optimize_->setEnabled(false);
  Update();
}

void PanelItem::RunFinished(const RunRecord& record) {
  running_ = false;
  optimize_->setEnabled(true);
  const QString summary = RunSummaryText(record, QLocale());
  lastRun_->setText(summary);
  if (record.source == RunSource::Panel) NotifyDesktop(QStringLiteral("Kelvane: Optimize finished"), summary);
  Update();
}

void PanelItem::SetShowInPanel(bool show) {
  if (show) return;  // the entry is only seen while the item is in the panel
  settings_.setShowInPanel(false);
  // The window first: it must never be left without a way back.
  ShowWindow();
  tray_->hide();
  timer_->stop();
  delete std::exchange(server_, nullptr);
  QApplication::setQuitOnLastWindowClosed(true);
}

void PanelItem::SetStartAtLogin(bool on) {
  const QString error = SetAutostart(on);
  if (error.isEmpty()) return;
  Warn(QStringLiteral("cannot %1 %2: %3")
           .arg(on ? QStringLiteral("write") : QStringLiteral("remove"), AutostartPath(), error));
  const QSignalBlocker quiet(startAtLogin_);
  startAtLogin_->setChecked(AutostartEnabled());
}

namespace {

// Qt 6.4's Wayland client can wait for ever in its display's destructor, joining an event thread
// that waits for a read no one makes (about one close in a dozen under sway). Once the event loop is
// over nothing is left to save, so on Wayland the process ends there.
int Exec() {
  const int status = QApplication::exec();
  if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) host::services().End(status);
  return status;
}

}  // namespace

int RunWindow(Form1& form, bool trayOption) {
  PanelSettings settings;
  // Read either way: a damaged file is news even when --tray makes the choice.
  const bool saved = settings.showInPanel();
  if (!trayOption && !saved) {
    form.Show();
    return Exec();
  }
  if (!QSystemTrayIcon::isSystemTrayAvailable()) {
    Warn(QStringLiteral("no panel here can show Kelvane's item; the window stays open"));
    form.Show();
    return Exec();
  }
  // While the item is there it is the way back: closing the window only hides it.
  QApplication::setQuitOnLastWindowClosed(false);
  PanelItem item(form, settings);
  if (!trayOption) item.ShowWindow();
  return Exec();
}

}  // namespace kelvane::app
