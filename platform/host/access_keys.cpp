#include "platform/host/access_keys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPointer>

#include "platform/host/control.h"

namespace kelvane::host {

namespace {

QChar AccessCharacter(const QKeyEvent* k) {
  const int key = k->key();
  if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) {
    return QChar(key).toLower();
  }
  return k->text().isEmpty() ? QChar() : k->text().at(0).toLower();
}

bool Matches(const Control* c, QChar key) {
  return c->widget().isEnabled() && c->widget().isVisible() &&
         c->AccessKeys().contains(key, Qt::CaseInsensitive);
}

class AccessKeyFilter final : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* k = static_cast<QKeyEvent*>(event);
    if (!(k->modifiers() & Qt::AltModifier) || (k->modifiers() & Qt::ControlModifier)) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget) return false;
    const QChar key = AccessCharacter(k);
    if (key.isNull()) return false;
    Control* owner = FindAccessKeyOwner(widget->window(), key);
    if (!owner) return false;
    owner->hostAccessKeyPress(key.unicode());
    return true;
  }
};

}  // namespace

Control* FindAccessKeyOwner(QWidget* window, QChar key) {
  if (!window) return nullptr;
  if (Control* own = ControlOf(window); own && Matches(own, key)) return own;
  for (Control* c : window->findChildren<Control*>()) {
    if (Matches(c, key)) return c;
  }
  return nullptr;
}

void EnsureAccessKeyFilter() {
  static QPointer<QObject> installed;
  if (installed || !qApp) return;
  installed = new AccessKeyFilter(qApp);  // owned by the application object
  qApp->installEventFilter(installed);
}

}  // namespace kelvane::host
