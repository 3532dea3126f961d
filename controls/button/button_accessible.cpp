#include "controls/button/button_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QTimer>

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

// Screen readers hear of the down look and of a check box's value as they change. Qt keeps one
// interface per button, so this runs once per button.
void FollowButton(chameleonButton* button) {
  QWidget* widget = &button->widget();
  QObject::connect(button, &chameleonButton::DownChanged, button,
                   [widget] { NotifyState(widget, [](QAccessible::State& s) { s.pressed = true; }); });
  QObject::connect(button, &host::Control::PropertyNoticed, button, [button, widget](const QString& key) {
    if (key == QLatin1String(keys::Value) && button->CheckBoxBehaviour())
      NotifyState(widget, [](QAccessible::State& s) { s.checked = true; });
  });
}

class ButtonAccessible final : public QAccessibleWidget {
 public:
  explicit ButtonAccessible(chameleonButton* button)
      : QAccessibleWidget(&button->widget(), QAccessible::Button), button_(button) {
    FollowButton(button);
  }

  QAccessible::Role role() const override {
    return button()->CheckBoxBehaviour() ? QAccessible::CheckBox : QAccessible::Button;
  }

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    // A checked check box shows its down look for good; its value says so as "checked".
    s.pressed = button()->IsDown() && !button()->CheckBoxBehaviour();
    if (button()->CheckBoxBehaviour()) {
      s.checkable = true;
      s.checked = button()->Value();
    }
    return s;
  }

  QString text(QAccessible::Text t) const override {
    // A name the application gave the widget wins over the caption.
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
      return AccessibleButtonName(button()->Caption());
    if (t == QAccessible::Accelerator) return AccessibleButtonShortcut(button()->Caption());
    return QAccessibleWidget::text(t);
  }

  QStringList actionNames() const override {
    QStringList names;
    if (widget()->isEnabled()) names << clickAction();
    return names << QAccessibleWidget::actionNames();
  }

  void doAction(const QString& action) override {
    if (action != clickAction() || !widget()->isEnabled()) return QAccessibleWidget::doAction(action);
    // The keyboard's way in: focus first, then the click, checked toggling included. It runs from the
    // event loop, so the reader has its answer at once; a click such as Optimize takes seconds, and a
    // reader waiting on it would stay silent meanwhile. The button as context drops the click if the
    // button is gone by then.
    chameleonButton* b = button();
    QTimer::singleShot(0, b, [b] {
      const QString key = ParseAccessKey(b->Caption());
      b->hostAccessKeyPress(key.isEmpty() ? 0 : key.at(0).unicode());
    });
  }

  QStringList keyBindingsForAction(const QString& action) const override {
    if (action != clickAction()) return QAccessibleWidget::keyBindingsForAction(action);
    const QString shortcut = AccessibleButtonShortcut(button()->Caption());
    return shortcut.isEmpty() ? QStringList() : QStringList{shortcut};
  }

 private:
  // The interface ends with the widget, and the button with it.
  chameleonButton* button() const { return button_; }
  chameleonButton* button_;
  QString clickAction() const {
    return button()->CheckBoxBehaviour() ? QAccessibleActionInterface::toggleAction()
                                         : QAccessibleActionInterface::pressAction();
  }
};

// Asked once per class of the object's line, most derived first; the first asking answers.

}  // namespace

QString AccessibleButtonName(const QString& caption) { return gdi::StripPrefixes(caption).text; }

QString AccessibleButtonShortcut(const QString& caption) {
  const QString key = ParseAccessKey(caption);
  return key.isEmpty() ? QString() : QStringLiteral("Alt+") + key.toUpper();
}

QAccessibleInterface* ButtonAccessibleFactory(const QString& className, QObject* object) {
  if (!object || !object->isWidgetType() || className != QLatin1String(object->metaObject()->className()))
    return nullptr;
  auto* button = host::ControlOf<chameleonButton>(static_cast<QWidget*>(object));
  return button ? new ButtonAccessible(button) : nullptr;
}

}  // namespace kelvane::controls
