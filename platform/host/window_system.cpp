#include "platform/host/window_system.h"

#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWindow>
#include <algorithm>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "platform/host/control.h"

namespace kelvane::host {

QWidget* GetParent(const QWidget* w) { return w ? w->parentWidget() : nullptr; }

QPoint PositionInParent(const QWidget* w) { return w->pos(); }

namespace {

// Qt reads an empty mask as "no mask"; a single pixel outside the widget hides all of it instead.
const QRegion kHiddenMask(QRect(-1, -1, 1, 1));

bool shapeHolds(const QWidget* w, QPoint local) {
  if (!w->rect().contains(local)) return false;
  const QRegion mask = w->mask();
  return mask.isEmpty() || mask.contains(local);
}

struct PointerPlace {
  QWidget* topLevel = nullptr;
  QPoint global;
};

// Where the pointer is, as the window system last reported it. Asking the display server instead
// costs a round trip (two for the window under it), and the button's hover timer asks hundreds of
// times a second. The report is trusted only while the pointer rests in one of our windows with no
// button held: entering, every move and leaving are reported then, and another program's window
// covering ours under the pointer is a leave. A window blocked by a modal one is not trusted: Qt
// drops its reports. Otherwise, or before anything is known, the server is asked.
//
// It also looks again at what lies under a resting pointer when something there moves, appears,
// changes shape or becomes usable, since the window system reports no move then.
class PointerWatch final : public QObject {
 public:
  // One per application object, which owns it.
  static PointerWatch& instance() {
    static QPointer<PointerWatch> watch;
    if (!watch) watch = new PointerWatch(qApp);
    return *watch;
  }

  std::optional<PointerPlace> known() const {
    if (!window_ || !topLevel_ || QGuiApplication::mouseButtons() != Qt::NoButton || blocked(window_))
      return std::nullopt;
    return PointerPlace{topLevel_, global_};
  }

  bool blocked(const QWindow* window) const {
    return window && std::find(blocked_.begin(), blocked_.end(), window) != blocked_.end();
  }

  // Looks again once the events now waiting have run, whatever number of changes asked. Only a
  // change to a whole window asks the display server where the pointer is when no report tells:
  // a control's own changes cannot put it under a pointer outside our windows.
  void lookAgain(bool mayAsk) {
    lookMayAsk_ = lookMayAsk_ || mayAsk;
    if (lookPending_) return;
    lookPending_ = true;
    QMetaObject::invokeMethod(this, &PointerWatch::look, Qt::QueuedConnection);
  }

  // One wake per owner: a later request replaces an earlier one, so the list cannot grow.
  void wakeOnChange(QObject* owner, std::function<void()> wake) {
    std::erase_if(sleepers_, [owner](const auto& s) { return !s.first || s.first == owner; });
    sleepers_.push_back({owner, std::move(wake)});
  }

  // Anything that may put another window under the pointer, or the pointer over another window.
  void changed() {
    if (sleepers_.empty()) return;
    for (auto& [owner, wake] : std::exchange(sleepers_, {}))
      if (owner) wake();
  }

  // What the display server said lies under the pointer, with no button held.
  void learn(QWidget* topLevel, QPoint global) {
    window_ = topLevel ? topLevel->windowHandle() : nullptr;
    topLevel_ = topLevel;
    global_ = global;
  }

 protected:
  bool eventFilter(QObject* o, QEvent* e) override {
    if (!o->isWindowType()) {
      switch (e->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::ZOrderChange:
        case QEvent::ParentChange:
        case QEvent::EnabledChange:
          if (o->isWidgetType()) {
            changed();
            lookAgain(static_cast<QWidget*>(o)->isWindow());
          }
          break;
        default: break;
      }
      return false;
    }
    auto* window = static_cast<QWindow*>(o);
    switch (e->type()) {
      case QEvent::Enter:
      case QEvent::Leave:
      case QEvent::MouseMove:
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::Hide: changed(); break;
      case QEvent::WindowBlocked:
      case QEvent::WindowUnblocked:
        std::erase_if(blocked_, [window](const QPointer<QWindow>& w) { return !w || w == window; });
        if (e->type() == QEvent::WindowBlocked) blocked_.push_back(window);
        changed();
        lookAgain(true);
        break;
      default: break;
    }
    switch (e->type()) {
      case QEvent::Enter:
        window_ = window;
        topLevel_ = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
          if (w->windowHandle() == window) topLevel_ = w;
        global_ = static_cast<QEnterEvent*>(e)->globalPosition().toPoint();
        break;
      case QEvent::MouseMove: global_ = static_cast<QMouseEvent*>(e)->globalPosition().toPoint(); break;
      // A release may end a drag outside the window; the leave that goes with it is not reported.
      case QEvent::MouseButtonRelease:
      case QEvent::Leave:
      case QEvent::Hide:
      case QEvent::WindowBlocked:
        if (window_ == window) window_ = nullptr;
        break;
      default: break;
    }
    return false;
  }

 private:
  explicit PointerWatch(QObject* parent) : QObject(parent) { qApp->installEventFilter(this); }

  void look() {
    lookPending_ = false;
    const bool mayAsk = std::exchange(lookMayAsk_, false);
    if (QGuiApplication::mouseButtons() != Qt::NoButton) return;  // the pressed control holds the pointer
    gdi::Point at;
    if (const auto place = known())
      at = {place->global.x(), place->global.y()};
    else if (!mayAsk || !GetCursorPos(at))
      return;
    Control::hostPointerResting(WindowFromPoint(at), {at.x, at.y});
  }

  QPointer<QWindow> window_;
  QPointer<QWidget> topLevel_;  // the widget window_ belongs to
  QPoint global_;
  std::vector<std::pair<QPointer<QObject>, std::function<void()>>> sleepers_;
  std::vector<QPointer<QWindow>> blocked_;  // by a modal window
  bool lookPending_ = false;
  bool lookMayAsk_ = false;
};

}  // namespace

void WatchPointer() { PointerWatch::instance(); }

bool PointerSettled() { return PointerWatch::instance().known().has_value(); }

void WakeOnPointerChange(QObject* owner, std::function<void()> wake) {
  PointerWatch::instance().wakeOnChange(owner, std::move(wake));
}

gdi::Dc GetDC(QWidget* w) {
  if (!w) return gdi::Dc::deferred([] { return QImage(); }, 0xFFFFFF, 0x000000);
  const gdi::ColorRef background = gdi::fromQRgb(w->palette().color(w->backgroundRole()).rgb());
  const gdi::ColorRef text = gdi::fromQRgb(w->palette().color(w->foregroundRole()).rgb());
  return gdi::Dc::deferred(
      [window = QPointer<QWidget>(w), background] {
        if (!window) return QImage();
        QImage img(window->size(), QImage::Format_RGB32);
        img.fill(gdi::toQRgb(background));
        window->render(&img);
        return img;
      },
      background, text);
}

bool GetClientRect(const QWidget* w, gdi::Rect& out) {
  if (!w) return false;
  out = {0, 0, w->width(), w->height()};
  return true;
}

bool SetWindowRgn(QWidget* w, gdi::Region region, bool redraw) {
  if (!w) return false;
  if (region.isNull())
    w->clearMask();
  else if (region.pixels().isEmpty())
    w->setMask(kHiddenMask);
  else
    w->setMask(region.pixels());
  if (redraw) w->update();
  // The pointer may now be over what the shape let through, or newly over the window.
  PointerWatch::instance().changed();
  PointerWatch::instance().lookAgain(false);
  return true;
}

bool GetCursorPos(gdi::Point& out) {
  PointerWatch& watch = PointerWatch::instance();
  QPoint p;
  if (const auto place = watch.known()) {
    p = place->global;
  } else {
    p = QCursor::pos();
    // While a button is held the reports may come from a grab, so nothing is learnt; nor is a
    // blocked window, which hears of no moves.
    QWidget* top = QApplication::topLevelAt(p);
    if (QGuiApplication::mouseButtons() == Qt::NoButton && !(top && watch.blocked(top->windowHandle())))
      watch.learn(top, p);
  }
  out = {p.x(), p.y()};
  return true;
}

QWidget* WindowFromPoint(gdi::Point global) {
  const QPoint g(global.x, global.y);
  const auto place = PointerWatch::instance().known();
  return WindowFromPointIn(place && place->global == g ? place->topLevel : QApplication::topLevelAt(g),
                           global);
}

QWidget* WindowFromPointIn(QWidget* w, gdi::Point global) {
  const QPoint g(global.x, global.y);
  if (!w || !shapeHolds(w, w->mapFromGlobal(g))) return nullptr;
  if (PointerWatch::instance().blocked(w->windowHandle())) return nullptr;
  // Children are stacked in list order, the last on top.
  for (bool descended = true; descended;) {
    descended = false;
    const QObjectList& kids = w->children();
    for (auto it = kids.crbegin(); it != kids.crend(); ++it) {
      auto* child = qobject_cast<QWidget*>(*it);
      if (!child || child->isWindow() || !child->isVisible()) continue;
      if (shapeHolds(child, child->mapFromGlobal(g))) {
        if (child->isEnabled()) {
          w = child;
          descended = true;
        }
        break;
      }
    }
  }
  return w;
}

QWidget* SetCapture(QWidget* w) {
  QWidget* previous = QWidget::mouseGrabber();
  if (w) w->grabMouse();
  return previous;
}

bool ReleaseCapture() {
  if (QWidget* w = QWidget::mouseGrabber()) w->releaseMouse();
  return true;
}

QWidget* GetCapture() { return QWidget::mouseGrabber(); }

}  // namespace kelvane::host
