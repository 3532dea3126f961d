#include "controls/progressbar/progressbar_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <cmath>

#include "controls/progressbar/xp_progressbar.h"

namespace kelvane::controls {

namespace {

class ProgressBarAccessible final : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit ProgressBarAccessible(Xp_ProgressBar* bar)
      : QAccessibleWidget(&bar->widget(), QAccessible::ProgressBar), bar_(bar) {}

  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
  }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return PercentText();
    return QAccessibleWidget::text(t);
  }

  // As QProgressBar: a gauge nobody edits, and nothing to be done to it.
  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.readOnly = true;
    return s;
  }
  QStringList actionNames() const override { return {}; }

  QVariant currentValue() const override { return bar()->Value(); }
  void setCurrentValue(const QVariant&) override {}  // the bar reports progress, nobody sets it
  QVariant maximumValue() const override { return bar()->Max(); }
  QVariant minimumValue() const override { return bar()->Min(); }
  QVariant minimumStepSize() const override { return 0; }

 private:
  // The interface ends with the widget, and the bar with it.
  Xp_ProgressBar* bar() const { return bar_; }
  Xp_ProgressBar* bar_;

  // Readers speak the value as a share of the range; a range of nothing reads as done.
  QString PercentText() const {
    const double span = double(bar()->Max()) - double(bar()->Min());
    // Scaled before dividing: 29 / 100 * 100 falls just short of 29 in binary and would read 28.
    const double percent = span > 0 ? 100.0 * (double(bar()->Value()) - double(bar()->Min())) / span : 100.0;
    return QStringLiteral("%1%").arg(static_cast<int>(std::floor(percent)));
  }
};

// Asked once per class of the object's line, most derived first; the first asking answers.

}  // namespace

QAccessibleInterface* ProgressBarAccessibleFactory(const QString& className, QObject* object) {
  if (!object || !object->isWidgetType() || className != QLatin1String(object->metaObject()->className()))
    return nullptr;
  auto* bar = host::ControlOf<Xp_ProgressBar>(static_cast<QWidget*>(object));
  return bar ? new ProgressBarAccessible(bar) : nullptr;
}

}  // namespace kelvane::controls
