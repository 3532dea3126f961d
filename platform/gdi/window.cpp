#include "platform/gdi/window.h"

#include <QApplication>
#include <QCursor>

namespace kelvane::gdi {

namespace {

// Qt reads an empty mask as "no mask"; a single pixel outside the widget hides all of it instead.
const QRegion kHiddenMask(QRect(-1, -1, 1, 1));

bool shapeHolds(const QWidget* w, QPoint local) {
  if (!w->rect().contains(local)) return false;
  const QRegion mask = w->mask();
  return mask.isEmpty() || mask.contains(local);
}

}  // namespace

bool GetClientRect(const QWidget* w, Rect& out) {
  if (!w) return false;
  out = {0, 0, w->width(), w->height()};
  return true;
}

bool SetWindowRgn(QWidget* w, Region region, bool redraw) {
  if (!w) return false;
  if (region.isNull())
    w->clearMask();
  else if (region.pixels().isEmpty())
    w->setMask(kHiddenMask);
  else
    w->setMask(region.pixels());
  if (redraw) w->update();
  return true;
}

bool GetCursorPos(Point& out) {
  const QPoint p = QCursor::pos();
  out = {p.x(), p.y()};
  return true;
}

QWidget* WindowFromPoint(Point global) {
  const QPoint g(global.x, global.y);
  QWidget* w = QApplication::topLevelAt(g);
  if (!w || !shapeHolds(w, w->mapFromGlobal(g))) return nullptr;
  // Children are stacked in list order, the last on top.
  for (bool descended = true; descended;) {
    descended = false;
    const QObjectList& kids = w->children();
    for (auto it = kids.crbegin(); it != kids.crend(); ++it) {
      auto* child = qobject_cast<QWidget*>(*it);
      if (!child || child->isWindow() || !child->isVisible()) continue;
      if (shapeHolds(child, child->mapFromGlobal(g))) {
        w = child;
        descended = true;
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

}  // namespace kelvane::gdi
