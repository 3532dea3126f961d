#include "platform/host/access_keys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPointer>
#include <QShortcutEvent>
#include <QWidget>
#include <algorithm>
#include <utility>
#include <vector>

#include "platform/host/control.h"

namespace kelvane::host {

namespace {

// A child of the control: it holds the shortcut ids and hears the widget's shortcut events.
class AccessKeyShortcuts final : public QObject {
 public:
  explicit AccessKeyShortcuts(Control& control) : QObject(&control), control_(control) {
    control.widget().installEventFilter(this);
  }

  void grab(const QString& keys) {
    QWidget& w = control_.widget();
    for (const auto& [id, key] : ids_) w.releaseShortcut(id);
    ids_.clear();
    for (const QChar key : keys) {
      // As QKeySequence::mnemonic makes it: the upper-case character is the key.
      const auto code = static_cast<Qt::Key>(key.toUpper().unicode());
      ids_.emplace_back(w.grabShortcut(QKeySequence(QKeyCombination(Qt::AltModifier, code))), key);
    }
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Shortcut || watched != &control_.widget()) return false;
    const auto* shortcut = static_cast<QShortcutEvent*>(event);
    const auto held = std::find_if(ids_.begin(), ids_.end(),
                                   [id = shortcut->shortcutId()](const auto& s) { return s.first == id; });
    if (held == ids_.end()) return false;
    QWidget& w = control_.widget();
    if (shortcut->isAmbiguous()) {
      if (w.focusPolicy() != Qt::NoFocus) w.setFocus(Qt::ShortcutFocusReason);
      w.window()->setAttribute(Qt::WA_KeyboardFocusChange);
    } else {
      control_.hostAccessKeyPress(held->second.unicode(), false);
    }
    return true;
  }

 private:
  Control& control_;
  std::vector<std::pair<int, QChar>> ids_;  // shortcut id, access key
};

// Qt acts on shortcuts in the active window only. Keys a program sends to a window the window system
// has not yet made active (its own or a test's events) reach the one enabled, visible control that
// holds the key there, as the shortcut would have; a key several hold goes to the focus as typed.
class InactiveWindowKeys final : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    const auto* k = static_cast<QKeyEvent*>(event);
    if (!(k->modifiers() & Qt::AltModifier) || (k->modifiers() & Qt::ControlModifier)) return false;
    QWidget* window = static_cast<QWidget*>(watched)->window();
    if (window == QApplication::activeWindow()) return false;
    const int code = k->key();
    const bool plain = (code >= Qt::Key_A && code <= Qt::Key_Z) || (code >= Qt::Key_0 && code <= Qt::Key_9);
    const QChar key = plain                 ? QChar(code).toLower()
                      : k->text().isEmpty() ? QChar()
                                            : k->text().at(0).toLower();
    if (key.isNull()) return false;
    Control* holder = nullptr;
    for (Control* c : window->findChildren<Control*>()) {
      if (!c->widget().isEnabled() || !c->widget().isVisible() || !c->AccessKeys().contains(key)) continue;
      if (holder) return false;
      holder = c;
    }
    if (!holder) return false;
    holder->hostAccessKeyPress(key.unicode(), false);
    return true;
  }
};

}  // namespace

void EnsureAccessKeyFilter() {
  static QPointer<QObject> installed;
  if (installed || !qApp) return;
  installed = new InactiveWindowKeys(qApp);  // owned by the application object
  qApp->installEventFilter(installed);
}

void GrabAccessKeys(Control& control, const QString& keys) {
  AccessKeyShortcuts* shortcuts = nullptr;
  for (QObject* child : control.children())
    if (!shortcuts) shortcuts = dynamic_cast<AccessKeyShortcuts*>(child);
  if (!shortcuts) {
    if (keys.isEmpty()) return;
    shortcuts = new AccessKeyShortcuts(control);
  }
  shortcuts->grab(keys);
}

}  // namespace kelvane::host
