#include "platform/host/control.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QStyleHints>
#include <cmath>
#include <utility>

#include "platform/host/access_keys.h"
#include "platform/host/key_codes.h"
#include "platform/host/units.h"
#include "platform/host/window_system.h"

namespace kelvane::host {

namespace {

const QString kExtentX = QStringLiteral("_extentx");
const QString kExtentY = QStringLiteral("_extenty");

int HimetricToWholePixels(int hm) { return static_cast<int>(std::lround(HimetricToPixels(hm))); }

// The control last told of the pointer by a move, and where the pointer was in its coordinates: the
// global position mapped through the geometry the program knew then. A geometry learnt later (the
// window manager's word on a move may come after the pointer's enter) makes the same pointer a new
// place.
struct ToldPointer {
  QPointer<Control> control;
  QPoint at;
};
ToldPointer& Told() {
  static ToldPointer told;
  return told;
}

int loadingMakers = 0;  // MadeForLoading scopes alive; widgets are made on the GUI thread only

}  // namespace

Control::Control(QWidget& widget)
    : QObject(&widget), widget_(widget), placeholderSize_(widget.parentWidget() == nullptr) {
  WatchPointer();
  widget.setMouseTracking(true);
  widget.setFocusPolicy(Qt::StrongFocus);
  // The surface covers every pixel, so Qt need not clear behind it.
  widget.setAttribute(Qt::WA_OpaquePaintEvent);
  // The surface is made when something is first drawn or shown: a control that is never shown
  // may never need one.
  EnsureAccessKeyFilter();
}

Control::~Control() = default;

// ---- host side -------------------------------------------------------------------------------------

void Control::hostCreateNew(const AmbientProperties& ambient) {
  ambient_ = ambient;
  Initialize();
  InitProperties();
}

void Control::hostLoad(const PropertyBag& bag, const AmbientProperties& ambient) {
  ambient_ = ambient;
  Initialize();
  ReadProperties(bag);
  if (bag.contains(kExtentX) && bag.contains(kExtentY)) {
    widget_.resize(HimetricToWholePixels(bag.ReadInt(kExtentX, 0)),
                   HimetricToWholePixels(bag.ReadInt(kExtentY, 0)));
  }
}

void Control::hostSave(PropertyBag& bag) {
  WriteProperties(bag);
  bag.Write(kExtentX, PixelsToHimetricRounded(widget_.width()));
  bag.Write(kExtentY, PixelsToHimetricRounded(widget_.height()));
}

Control::MadeForLoading::MadeForLoading() { ++loadingMakers; }
Control::MadeForLoading::~MadeForLoading() { --loadingMakers; }
bool Control::BeingMadeForLoading() { return loadingMakers > 0; }

void Control::hostTerminate() {
  if (terminated_) return;
  terminated_ = true;
  Terminate();
}

void Control::setAccessKeys(const QString& keys) {
  accessKeys_ = keys;
  GrabAccessKeys(*this, keys);
}

void Control::hostAccessKeyPress(int keyAscii, bool takeFocus) {
  if (!widget_.isEnabled()) return;
  QPointer<Control> guard(this);
  if (takeFocus && (widget_.focusPolicy() & Qt::TabFocus) && !widget_.hasFocus())
    widget_.setFocus(Qt::ShortcutFocusReason);
  if (guard) OnAccessKeyPress(keyAscii);
}

void Control::hostPointerResting(QWidget* under, QPoint global) {
  Control* control = ControlOf(under);
  if (!control || !under->isEnabled()) {
    Told().control = nullptr;
    return;
  }
  const QPoint at = under->mapFromGlobal(global);
  if (Told().control == control && Told().at == at) return;
  control->reportMove(at, global, Qt::NoButton, QGuiApplication::keyboardModifiers());
}

void Control::PropertyChanged(const QString& key) {
  modified_ = true;
  emit PropertyNoticed(key);
}

void Control::setAmbient(const AmbientProperties& a, const QString& changedName) {
  const AmbientProperties old = ambient_;
  ambient_ = a;
  if (!changedName.isEmpty()) {
    OnAmbientChanged(changedName);
    return;
  }
  QPointer<Control> guard(this);
  const std::pair<bool, const char*> changes[] = {
      {old.displayName != a.displayName, kAmbientDisplayName},
      {!(old.font == a.font), kAmbientFont},
      {old.userMode != a.userMode, kAmbientUserMode},
      {old.displayAsDefault != a.displayAsDefault, kAmbientDisplayAsDefault},
  };
  for (const auto& [changed, name] : changes) {
    if (!guard) return;
    if (changed) OnAmbientChanged(QString::fromLatin1(name));
  }
}

// ---- Qt side ---------------------------------------------------------------------------------------

void Control::paintEvent(QPaintEvent*) {
  settlePaint();
  QPainter p(&widget_);
  // On a scaled screen every surface pixel becomes a block of whole device pixels: blending
  // neighbours would blur the pixel-exact drawing.
  p.setRenderHint(QPainter::SmoothPixmapTransform, false);
  p.drawImage(widget_.rect(), surface().image());
}

void Control::resizeEvent(QResizeEvent*) {
  // A hidden widget hears of its size only as Qt shows it (a hidden parent shows none).
  const QScopedValueRollback<bool> showing(showFollows_,
                                           !widget_.isVisible() && !widget_.isHidden() &&
                                               (widget_.isWindow() || widget_.parentWidget()->isVisible()));
  NoticeSize();
}

void Control::NoticeSize() {
  if (widget_.size() == toldSize_) return;
  toldSize_ = widget_.size();
  OnResize();
}

void Control::showEvent(QShowEvent*) { OnShow(); }
void Control::hideEvent(QHideEvent*) { OnHide(); }

void Control::focusInEvent(QFocusEvent*) { OnGotFocus(); }
void Control::focusOutEvent(QFocusEvent*) { OnLostFocus(); }

// Qt stops passing a key on if the control is deleted meanwhile, whatever the event says.
void Control::keyPressEvent(QKeyEvent* e) {
  QPointer<Control> guard(this);
  const int pressed = VirtualKeyFromQt(e->key(), e->modifiers());
  int keyCode = pressed;
  if (keyCode != 0) OnKeyDown(keyCode, ShiftMaskFromQt(e->modifiers()));
  if (!guard) return;
  int keyAscii = e->text().isEmpty() ? -1 : e->text().at(0).unicode();
  if (keyAscii >= 0) OnKeyPress(keyAscii);
  if (!guard) return;
  const bool swallowed = (pressed != 0 && keyCode == 0) || keyAscii == 0;
  e->setAccepted(swallowed || (keyCode != 0 && UsesKey(keyCode)));
}

void Control::keyReleaseEvent(QKeyEvent* e) {
  int keyCode = VirtualKeyFromQt(e->key(), e->modifiers());
  e->setAccepted(keyCode != 0 && UsesKey(keyCode));
  if (keyCode == 0) return;
  if (e->isAutoRepeat()) return;  // a held key repeats its key-down only
  QPointer<Control> guard(this);
  OnKeyUp(keyCode, ShiftMaskFromQt(e->modifiers()));
  if (guard) e->setAccepted(keyCode == 0 || UsesKey(keyCode));
}

bool Control::isSecondClick(const QMouseEvent* e) const {
  if (buttonsDown_ != 0 || lastPressButton_ != ButtonCodeFromQt(e->button())) return false;
  if (e->timestamp() < lastPressTime_) return false;
  const auto* hints = QGuiApplication::styleHints();
  return e->timestamp() - lastPressTime_ <= static_cast<quint64>(hints->mouseDoubleClickInterval()) &&
         (e->position().toPoint() - lastPressPos_).manhattanLength() <= hints->mouseDoubleClickDistance();
}

void Control::startDoubleClick(int button) {
  buttonsDown_ |= button;
  inDoubleClick_ = true;
  clickArmed_ = false;
  lastPressButton_ = 0;  // a third press starts afresh
  OnDblClick();
}

bool Control::mousePressEvent(QMouseEvent* e) {
  const int button = ButtonCodeFromQt(e->button());
  if (button == 0) return false;
  // A release can be lost (a disabled window hears none); Qt's set of held buttons is the truth.
  buttonsDown_ &= ButtonCodeFromQt(e->buttons()) & ~button;
  if (buttonsDown_ == 0) inDoubleClick_ = false;
  // The second press of a double click reports the double click in place of a mouse-down. Qt may
  // or may not follow it with its own double-click event; that one is then skipped.
  if (isSecondClick(e)) {
    doubleClickFromPress_ = true;
    startDoubleClick(button);
    return true;
  }
  clickArmed_ = buttonsDown_ == 0;
  buttonsDown_ |= button;
  // Whatever becomes of this press (a click, or a drag out and a release elsewhere), the next one
  // is counted from it.
  lastPressButton_ = button;
  lastPressTime_ = e->timestamp();
  lastPressPos_ = e->position().toPoint();
  const QPointF at = toScale(e->position());
  OnMouseDown(button, ShiftMaskFromQt(e->modifiers()), at.x(), at.y());
  return true;
}

bool Control::mouseDoubleClickEvent(QMouseEvent* e) {
  const int button = ButtonCodeFromQt(e->button());
  if (button == 0) return false;
  if (doubleClickFromPress_) {
    doubleClickFromPress_ = false;
    return true;
  }
  startDoubleClick(button);
  return true;
}

void Control::mouseMoveEvent(QMouseEvent* e) {
  enterMovePending_ = false;
  reportMove(e->position(), e->globalPosition(), e->buttons(), e->modifiers());
}

void Control::reportMove(QPointF local, QPointF global, Qt::MouseButtons held, Qt::KeyboardModifiers mods) {
  Told() = {this, widget_.mapFromGlobal(global.toPoint())};
  const QPointF at = toScale(local);
  OnMouseMove(ButtonCodeFromQt(held), ShiftMaskFromQt(mods), at.x(), at.y());
}

// Entering counts as a move: a pointer that jumps onto the control may bring no move of its own.
// When it does bring one, that move is the report. The enter waits in the queue, because Qt is
// still walking the widgets it tells of the enter and a handler may destroy this one; it is dropped
// if that happens first. A disabled control hears of no moves (Qt tells it of the enter all the same).
void Control::enterEvent(QEnterEvent* e) {
  enterMovePending_ = true;
  QMetaObject::invokeMethod(
      this,
      [this, local = e->position(), global = e->globalPosition()] {
        if (!std::exchange(enterMovePending_, false) || !widget_.isEnabled()) return;
        reportMove(local, global, QGuiApplication::mouseButtons(), QGuiApplication::keyboardModifiers());
      },
      Qt::QueuedConnection);
}

void Control::leaveEvent(QEvent*) {
  enterMovePending_ = false;
  if (Told().control == this) Told().control = nullptr;
}

void Control::changeEvent(QEvent* e) {
  // Disabled, the control is told nothing of the pointer; enabled again, it must hear of it anew.
  if (e->type() == QEvent::EnabledChange && !widget_.isEnabled() && Told().control == this)
    Told().control = nullptr;
}

bool Control::mouseReleaseEvent(QMouseEvent* e) {
  const int button = ButtonCodeFromQt(e->button());
  if (button == 0) return false;
  buttonsDown_ &= ~button;
  doubleClickFromPress_ = false;
  const QPoint pos = e->position().toPoint();
  // The host's click: pressed and released over the control, with no other button in between.
  const bool click = clickArmed_ && !inDoubleClick_ && buttonsDown_ == 0 && widget_.rect().contains(pos);
  if (buttonsDown_ == 0) {
    clickArmed_ = false;
    inDoubleClick_ = false;
  }
  QPointer<Control> guard(this);
  const QPointF at = toScale(e->position());
  OnMouseUp(button, ShiftMaskFromQt(e->modifiers()), at.x(), at.y());
  if (guard && click) OnClick();
  return true;
}

Control* ControlOf(const QWidget* widget) {
  return widget ? widget->findChild<Control*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

void TerminateControls(QWidget* root) {
  if (!root) return;
  QList<QPointer<Control>> controls;
  if (Control* own = ControlOf(root)) controls.append(own);
  for (Control* c : root->findChildren<Control*>()) controls.append(c);
  for (const QPointer<Control>& c : controls) {
    if (c) c->hostTerminate();  // a Terminate handler may have deleted a later control
  }
}

}  // namespace kelvane::host
