#include "controls/progressbar/progressbar_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <cmath>

#include "controls/progressbar/xp_progressbar.h"

namespace kelvane::controls {

namespace {

class ProgressBarAccessible final : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit ProgressBarAccessible(Xp_ProgressBar* bar) : QAccessibleWidget(bar, QAccessible::ProgressBar) {}

  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
  }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return PercentText();
    return QAccessibleWidget::text(t);
  }

  // Focus comes by Tab or the reader's own focus request; nothing else can be done to a gauge.
  QStringList actionNames() const override { return {}; }

  QVariant currentValue() const override { return bar()->Value(); }
  void setCurrentValue(const QVariant&) override {}  // the bar reports progress, nobody sets it
  QVariant maximumValue() const override { return bar()->Max(); }
  QVariant minimumValue() const override { return bar()->Min(); }
  QVariant minimumStepSize() const override { return 0; }

 private:
  Xp_ProgressBar* bar() const { return static_cast<Xp_ProgressBar*>(widget()); }

  // Readers speak the value as a share of the range; a range of nothing reads as done.
  QString PercentText() const {
    const double span = double(bar()->Max()) - double(bar()->Min());
    // Scaled before dividing: 29 / 100 * 100 falls just short of 29 in binary and would read 28.
    const double percent = span > 0 ? 100.0 * (double(bar()->Value()) - double(bar()->Min())) / span : 100.0;
    return QStringLiteral("%1%").arg(static_cast<int>(std::floor(percent)));
  }
};

QAccessibleInterface* ProgressBarFactory(const QString& className, QObject* object) {
  if (className != QLatin1String(Xp_ProgressBar::staticMetaObject.className())) return nullptr;
  auto* bar = qobject_cast<Xp_ProgressBar*>(object);
  return bar ? new ProgressBarAccessible(bar) : nullptr;
}

}  // namespace

void InstallProgressBarAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(ProgressBarFactory);
    return true;
  }();
  (void)installed;
}

}  // namespace kelvane::controls
