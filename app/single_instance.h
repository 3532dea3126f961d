#pragma once
// One Kelvane in the panel: the one with its panel item listens on a socket in the user's runtime
// directory; a later start finds it there and asks it to show its window instead of opening its own.
#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class QSocketNotifier;

namespace kelvane::app {

// $XDG_RUNTIME_DIR/kelvane/panel; empty without a runtime directory.
QString PanelSocketPath();

// The token a launcher handed this start, so the window it shows may take the focus.
QByteArray ActivationToken();

// Before any window: when a Kelvane in the panel answers at `path`, it shows its window and this
// returns true. No socket there, which is most starts, costs one failed stat.
bool AskPanelKelvaneToShow(const QString& path, const QByteArray& token);

// What main calls first: the exit status when the Kelvane in the panel took over, else nothing.
std::optional<int> HandOverToPanelKelvane();

class PanelInstanceServer final : public QObject {
 public:
  using ShowHandler = std::function<void(const QByteArray& token)>;
  explicit PanelInstanceServer(ShowHandler show, QObject* parent = nullptr);
  ~PanelInstanceServer() override;

  // False when another Kelvane answers at `path` already, or the socket cannot be made.
  bool Listen(const QString& path);

 private:
  void Accept();

  ShowHandler show_;
  int fd_ = -1;
  QString path_;
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace kelvane::app
