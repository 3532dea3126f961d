#include "app/window_icon.h"

#include <QEvent>
#include <QPixmap>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "platform/host/picture.h"

namespace kelvane::app {
namespace {

// A window started minimised is not exposed: its task-bar entry still gets the icon by then.
constexpr int kLatestMs = 200;

class IconAfterFirstFrame final : public QObject {
 public:
  explicit IconAfterFirstFrame(QWidget& window) : QObject(&window), window_(window) {
    window.windowHandle()->installEventFilter(this);
    QTimer::singleShot(kLatestMs, this, [this] { Set(); });
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    // The expose paints and flushes the first frame before the event loop turns again.
    if (event->type() == QEvent::Expose) QTimer::singleShot(0, this, [this] { Set(); });
    return false;
  }

 private:
  void Set() {
    if (set_) return;
    set_ = true;
    window_.setWindowIcon(WindowIcon());
    deleteLater();
  }

  QWidget& window_;
  bool set_ = false;
};

}  // namespace

QString WindowIconResource(int side) { return QStringLiteral(":/app/kelvane%1.png").arg(side); }

QIcon WindowIcon() {
  QIcon icon;
  for (int side : kWindowIconSides) {
    icon.addPixmap(QPixmap::fromImage(host::ReadImageFile(WindowIconResource(side))));
  }
  return icon;
}

void SetWindowIconAfterFirstFrame(QWidget& window) {
  if (window.windowHandle()) {
    new IconAfterFirstFrame(window);
  } else {
    window.setWindowIcon(WindowIcon());
  }
}

}  // namespace kelvane::app
