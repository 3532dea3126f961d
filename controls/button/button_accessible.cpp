#include "controls/button/button_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QMouseEvent>
#include <QPointer>

#include "controls/button/access_key.h"
#include "controls/button/chameleon_button.h"
#include "platform/gdi/text.h"

namespace kelvane::controls {

namespace {

void NotifyState(QObject* object, void (*mark)(QAccessible::State&)) {
  QAccessible::State changed;
  mark(changed);
  QAccessibleStateChangeEvent event(object, changed);
  QAccessible::updateAccessibility(&event);
}

// The button keeps its down look to itself, so the pressed state is followed from the mouse the same
// way the button follows it: down on a left press, up on any release but the right button's.
class PressTracker final : public QObject {
 public:
  explicit PressTracker(chameleonButton* button) : QObject(button) {
    button->installEventFilter(this);
    button->Click.connect([b = QPointer<chameleonButton>(button)] {
      if (b && b->CheckBoxBehaviour()) NotifyState(b, [](QAccessible::State& s) { s.checked = true; });
    });
  }

  static PressTracker* For(chameleonButton* button) {
    if (auto* t = button->findChild<PressTracker*>(QString(), Qt::FindDirectChildrenOnly)) return t;
    return new PressTracker(button);
  }

  bool pressed() const { return pressed_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    bool now = pressed_;
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
      if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) now = true;
    } else if (event->type() == QEvent::MouseButtonRelease) {
      if (static_cast<QMouseEvent*>(event)->button() != Qt::RightButton) now = false;
    } else if (event->type() == QEvent::EnabledChange || event->type() == QEvent::Hide) {
      now = false;
    }
    if (now != pressed_) {
      pressed_ = now;
      NotifyState(watched, [](QAccessible::State& s) { s.pressed = true; });
    }
    return false;
  }

 private:
  bool pressed_ = false;
};

class ButtonAccessible final : public QAccessibleWidget {
 public:
  explicit ButtonAccessible(chameleonButton* button)
      : QAccessibleWidget(button, QAccessible::Button), tracker_(PressTracker::For(button)) {}

  QAccessible::Role role() const override {
    return button()->CheckBoxBehaviour() ? QAccessible::CheckBox : QAccessible::Button;
  }

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    if (tracker_) s.pressed = tracker_->pressed();
    if (button()->CheckBoxBehaviour()) {
      s.checkable = true;
      s.checked = button()->Value();
    }
    return s;
  }

  QString text(QAccessible::Text t) const override {
    // A name the application gave the widget wins over the caption.
    if (t == QAccessible::Name && button()->accessibleName().isEmpty())
      return AccessibleButtonName(button()->Caption());
    if (t == QAccessible::Accelerator) return AccessibleButtonShortcut(button()->Caption());
    return QAccessibleWidget::text(t);
  }

  QStringList actionNames() const override {
    QStringList names;
    if (button()->isEnabled()) names << clickAction();
    return names << QAccessibleWidget::actionNames();
  }

  void doAction(const QString& action) override {
    if (action != clickAction() || !button()->isEnabled()) return QAccessibleWidget::doAction(action);
    // The keyboard's way in: focus first, then the click, checked toggling included.
    const QString key = ParseAccessKey(button()->Caption());
    button()->hostAccessKeyPress(key.isEmpty() ? 0 : key.at(0).unicode());
  }

  QStringList keyBindingsForAction(const QString& action) const override {
    if (action != clickAction()) return QAccessibleWidget::keyBindingsForAction(action);
    const QString shortcut = AccessibleButtonShortcut(button()->Caption());
    return shortcut.isEmpty() ? QStringList() : QStringList{shortcut};
  }

 private:
  chameleonButton* button() const { return static_cast<chameleonButton*>(widget()); }
  QString clickAction() const {
    return button()->CheckBoxBehaviour() ? QAccessibleActionInterface::toggleAction()
                                         : QAccessibleActionInterface::pressAction();
  }

  QPointer<PressTracker> tracker_;
};

QAccessibleInterface* ButtonFactory(const QString& className, QObject* object) {
  if (className != QLatin1String(chameleonButton::staticMetaObject.className())) return nullptr;
  auto* button = qobject_cast<chameleonButton*>(object);
  return button ? new ButtonAccessible(button) : nullptr;
}

}  // namespace

QString AccessibleButtonName(const QString& caption) { return gdi::StripPrefixes(caption).text; }

QString AccessibleButtonShortcut(const QString& caption) {
  const QString key = ParseAccessKey(caption);
  return key.isEmpty() ? QString() : QStringLiteral("Alt+") + key.toUpper();
}

void InstallButtonAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(ButtonFactory);
    return true;
  }();
  (void)installed;
}

}  // namespace kelvane::controls
