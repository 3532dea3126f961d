#include "platform/host/host_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QWidget>

#include "platform/host/layout/form_window.h"
#include "platform/host/stock/frame.h"
#include "platform/host/stock/image.h"
#include "platform/host/stock/label.h"
#include "platform/host/stock/picture_box.h"
#include "platform/host/stock/shape.h"
#include "platform/host/stock/stock_progress_bar.h"

namespace kelvane::host {

namespace {

bool IsScenery(const QObject* o) {
  return qobject_cast<const stock::PictureBox*>(o) || qobject_cast<const stock::Shape*>(o);
}

// Figure to the caption it is read with; an entry goes with its figure.
QHash<const QObject*, QPointer<QWidget>>& CaptionOf() {
  static QHash<const QObject*, QPointer<QWidget>> links;
  return links;
}

bool IsFoldedCaption(const QWidget& w) {
  for (const QPointer<QWidget>& caption : CaptionOf())
    if (caption == &w) return true;
  return false;
}

// A picture nobody named says nothing: it is decoration.
bool IsDecoration(const QWidget& w) {
  return qobject_cast<const stock::Image*>(&w) && w.accessibleName().isEmpty();
}

void CollectReadable(const QWidget& container, QList<QWidget*>& out) {
  for (QObject* o : container.children()) {
    auto* w = qobject_cast<QWidget*>(o);
    if (!w || w->isWindow() || qobject_cast<const stock::Shape*>(w)) continue;
    if (!InReadersTree(*w)) continue;
    if (qobject_cast<const stock::PictureBox*>(w)) {
      CollectReadable(*w, out);
    } else {
      out << w;
    }
  }
}

// Keeps the tree consistent with ReadableChildren: the parent a reader is told of is the nearest
// container that is not scenery. (Controls with an accessible of their own report their widget parent,
// so they belong in a frame or the window, not in a picture box.)
class HostAccessible : public QAccessibleWidget {
 public:
  HostAccessible(QWidget* w, QAccessible::Role role) : QAccessibleWidget(w, role) {}

  QAccessibleInterface* parent() const override {
    QWidget* p = widget()->isWindow() ? nullptr : widget()->parentWidget();
    while (p && IsScenery(p)) p = p->parentWidget();
    return p ? QAccessible::queryAccessibleInterface(p) : QAccessibleWidget::parent();
  }

  int childCount() const override { return static_cast<int>(ReadableChildren(*widget()).size()); }

  QAccessibleInterface* child(int index) const override {
    const QList<QWidget*> kids = ReadableChildren(*widget());
    if (index < 0 || index >= kids.size()) return nullptr;
    return QAccessible::queryAccessibleInterface(kids.at(index));
  }

  int indexOfChild(const QAccessibleInterface* child) const override {
    if (!child || !child->object()) return -1;
    return static_cast<int>(ReadableChildren(*widget()).indexOf(qobject_cast<QWidget*>(child->object())));
  }

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    if (LiesOutsideItsContainer(*widget())) {
      s.invisible = true;
      s.offscreen = true;
    }
    return s;
  }

 protected:
  // A name the application gave the widget wins over the control's own.
  QString NameOr(const QString& own) const {
    return widget()->accessibleName().isEmpty() ? own : widget()->accessibleName();
  }
};

class WindowAccessible final : public HostAccessible {
 public:
  explicit WindowAccessible(QWidget* w) : HostAccessible(w, QAccessible::Window) {}
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return NameOr(widget()->windowTitle());
    return HostAccessible::text(t);
  }
};

class FrameAccessible final : public HostAccessible {
 public:
  explicit FrameAccessible(stock::Frame* f) : HostAccessible(f, QAccessible::Grouping) {}
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return NameOr(static_cast<stock::Frame*>(widget())->Caption());
    return HostAccessible::text(t);
  }
};

class LabelAccessible final : public HostAccessible {
 public:
  explicit LabelAccessible(stock::Label* l) : HostAccessible(l, QAccessible::StaticText) {}
  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name) return HostAccessible::text(t);
    const QString own = NameOr(static_cast<stock::Label*>(widget())->Caption());
    const auto* caption = qobject_cast<const stock::Label*>(CaptionOf().value(widget()));
    return caption ? caption->Caption() + QLatin1Char(' ') + own : own;
  }
};

// Named by the application: the picture itself carries no words.
class ImageAccessible final : public HostAccessible {
 public:
  explicit ImageAccessible(stock::Image* i) : HostAccessible(i, QAccessible::Graphic) {}
};

class StockBarAccessible final : public HostAccessible, public QAccessibleValueInterface {
 public:
  explicit StockBarAccessible(stock::StockProgressBar* b) : HostAccessible(b, QAccessible::ProgressBar) {}

  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return HostAccessible::interface_cast(t);
  }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return QStringLiteral("%1%").arg(bar()->WholePercent());
    return HostAccessible::text(t);
  }

  QStringList actionNames() const override { return {}; }

  QVariant currentValue() const override { return double(bar()->Value()); }
  void setCurrentValue(const QVariant&) override {}  // it shows progress; nobody sets it from outside
  QVariant maximumValue() const override { return double(bar()->Max()); }
  QVariant minimumValue() const override { return double(bar()->Min()); }
  QVariant minimumStepSize() const override { return 0.0; }

 private:
  stock::StockProgressBar* bar() const { return static_cast<stock::StockProgressBar*>(widget()); }
};

}  // namespace

QList<QWidget*> ReadableChildren(const QWidget& container) {
  QList<QWidget*> out;
  CollectReadable(container, out);
  return out;
}

bool LiesOutsideItsContainer(const QWidget& control) {
  const QWidget* container = control.isWindow() ? nullptr : control.parentWidget();
  return container && !container->rect().intersects(control.geometry());
}

void NameFigureByCaption(QWidget& caption, QWidget& figure) {
  CaptionOf().insert(&figure, &caption);
  QObject::connect(&figure, &QObject::destroyed, [](QObject* gone) { CaptionOf().remove(gone); });
}

bool InReadersTree(const QWidget& control) {
  return !IsDecoration(control) && !LiesOutsideItsContainer(control) && !IsFoldedCaption(control);
}

bool ReadersHearOf(const QWidget& control) { return QAccessible::isActive() && InReadersTree(control); }

QAccessibleInterface* HostAccessibleFactory(const QString& className, QObject* object) {
  // Only the object's own class: answering for a base class would take over every plain widget.
  if (!object || className != QLatin1String(object->metaObject()->className())) return nullptr;
  if (auto* l = qobject_cast<stock::Label*>(object)) return new LabelAccessible(l);
  if (auto* f = qobject_cast<stock::Frame*>(object)) return new FrameAccessible(f);
  if (auto* i = qobject_cast<stock::Image*>(object)) return new ImageAccessible(i);
  if (auto* b = qobject_cast<stock::StockProgressBar*>(object)) return new StockBarAccessible(b);
  if (auto* w = qobject_cast<layout::FormWindow*>(object)) return new WindowAccessible(w);
  return nullptr;
}

}  // namespace kelvane::host
