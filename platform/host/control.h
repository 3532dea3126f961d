#pragma once
// A windowed user control: the part of a widget that owns its persistent Surface and receives the
// host's notifications. It is no widget of its own: the widget that owns it passes it Qt's events
// (see KELVANE_CONTROL_EVENTS below) and it draws on that widget. Subclasses override the
// On*/property hooks; the host (layout loader, tests) drives the host* entry points.
#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstdint>

#include "platform/gdi/surface.h"
#include "platform/host/font_desc.h"
#include "platform/host/picture.h"
#include "platform/host/property_bag.h"

namespace kelvane::host {

struct AmbientProperties {
  QString displayName;   // the container's name for this instance
  FontDesc font;         // the container's font
  bool userMode = true;  // false while designing
  bool displayAsDefault = false;
  friend bool operator==(const AmbientProperties&, const AmbientProperties&) = default;
};

// Names passed to OnAmbientChanged.
inline constexpr const char* kAmbientDisplayName = "DisplayName";
inline constexpr const char* kAmbientFont = "Font";
inline constexpr const char* kAmbientUserMode = "UserMode";
inline constexpr const char* kAmbientDisplayAsDefault = "DisplayAsDefault";

// Mouse button and shift codes as the notifications carry them.
inline constexpr int kLeftButton = 1, kRightButton = 2, kMiddleButton = 4;
inline constexpr int kShiftMask = 1, kCtrlMask = 2, kAltMask = 4;

// Mouse-pointer codes: 0 default, 1 arrow, ... 15 size all, 99 the mouse icon.
inline constexpr std::int16_t kPointerDefault = 0;
inline constexpr std::int16_t kPointerArrow = 1;
inline constexpr std::int16_t kPointerLastStock = 15;
inline constexpr std::int16_t kPointerCustom = 99;

enum class ScaleUnit { Twips = 1, Pixels = 3, Himetric = 8 };

class Control : public QObject {
  Q_OBJECT
 public:
  // A child object of `widget`, which must outlive it and pass it the events below.
  explicit Control(QWidget& widget);
  ~Control() override;

  QWidget& widget() const { return widget_; }

  // ---- host side -------------------------------------------------------------------------------
  void hostCreateNew(const AmbientProperties& ambient);  // Initialize, then InitProperties
  // Initialize, ReadProperties, then the stored "_extentx"/"_extenty" (if any) size the control.
  void hostLoad(const PropertyBag& bag, const AmbientProperties& ambient);
  void hostSave(PropertyBag& bag);  // WriteProperties, then "_extentx"/"_extenty" in HIMETRIC
  void hostTerminate();             // Terminate, once
  // The control's access key was pressed. From a screen reader or code the control takes the
  // focus first; from the keyboard (its Qt shortcut) the focus stays where it was.
  void hostAccessKeyPress(int keyAscii, bool takeFocus = true);
  // The pointer rests at `global` over `under` (what WindowFromPoint finds there) after something
  // beneath it moved, appeared, changed shape or became usable. A control that was not told of the
  // pointer at that place hears of it as a mouse move: the pointer moved, as far as it can tell.
  static void hostPointerResting(QWidget* under, QPoint global);
  // While one lives, the widgets made own controls the host is about to load: they leave out
  // hostCreateNew, so a loaded control hears Initialize and ReadProperties only.
  class MadeForLoading {
   public:
    MadeForLoading();
    ~MadeForLoading();
    MadeForLoading(const MadeForLoading&) = delete;
    MadeForLoading& operator=(const MadeForLoading&) = delete;
  };
  static bool BeingMadeForLoading();

  // The resize notification, if the widget was sized since the last one. Qt tells a hidden widget
  // of its size only when it shows it; a control that draws before that calls this first, so what
  // it draws then is still there at the first show (which is no resize of its own).
  void NoticeSize();

  // Property-changed notice: marks the control modified. Nothing is kept per notice: a property
  // set ten times a second for months must not grow the process.
  void PropertyChanged(const QString& key);
  bool isModified() const { return modified_; }
  void clearModified() { modified_ = false; }

  const AmbientProperties& Ambient() const { return ambient_; }
  // Replaces the ambient properties and sends AmbientChanged: with `changedName` for that name only,
  // otherwise once for each property whose value differs.
  void setAmbient(const AmbientProperties& a, const QString& changedName = {});

  // ---- surface services ------------------------------------------------------------------------
  // The surface has the control's current size, even while the control is hidden; a control made
  // without a parent has none until it is sized or shown (Qt's 640 x 480 until then is nobody's).
  gdi::Surface& surface();
  const gdi::Surface& surface() const;
  // Asks for the surface to be shown at the next paint (drawing code calls this after drawing).
  void surfaceChanged();
  // Takes pixels another control drew at the size this surface is due; false if they are not that size.
  bool shareSurface(const QImage& drawn);
  // While one is alive, drawing asks for no repaint; when the last one ends, the repaint is asked
  // for only if the surface's pixels changed (a bar redrawn to the same picture on every tick).
  class HeldRepaint {
   public:
    explicit HeldRepaint(Control& control);
    ~HeldRepaint();
    HeldRepaint(const HeldRepaint&) = delete;
    HeldRepaint& operator=(const HeldRepaint&) = delete;

   private:
    Control& control_;
  };
  ScaleUnit ScaleMode() const { return scaleMode_; }
  void setScaleMode(ScaleUnit u) { scaleMode_ = u; }
  double ScaleWidth() const;  // client width in the scale unit
  double ScaleHeight() const;
  static double ScaleConvert(double v, ScaleUnit from, ScaleUnit to);
  void Cls();  // clears the surface to its back colour
  // Copies the source rectangle of `pic` (pixels of the picture) into the destination rectangle
  // (scale units), stretching or squeezing it; opaque for bitmaps, through the mask for icons.
  // A negative width or height mirrors the picture.
  void PaintPicture(const Picture& pic, double x, double y, double w, double h, double sx, double sy,
                    double sw, double sh);
  void PaintPicture(const Picture& pic, double x, double y);  // the whole picture, natural size
  void RefreshNow();                                          // shows the surface at once

  QString AccessKeys() const { return accessKeys_; }
  void setAccessKeys(const QString& keys);  // also the widget's Alt shortcuts (access_keys.h)
  FontDesc Font() const { return font_; }
  // Also the widget's own font.
  void setFont(const FontDesc& f);
  // The font the widget already has (its own or inherited): the widget is left as it is.
  void TakeFont(const FontDesc& f) { font_ = f; }
  // True while setFont changes the widget's font (its FontChange is the control's own).
  bool SettingFont() const { return settingFont_; }
  std::int16_t MousePointer() const { return mousePointer_; }
  // Raises RuntimeError 380 for a code outside 0..15 and 99.
  void setMousePointer(std::int16_t code);
  Picture MouseIcon() const { return mouseIcon_; }
  void setMouseIcon(const Picture& p);
  // The colour Cls clears the surface to. Not a stored property: controls that have a BackColor of
  // their own keep it in the host's colour form.
  void setSurfaceBackColor(QRgb rgb);

 signals:
  // Each property-changed notice, for observers such as tests.
  void PropertyNoticed(const QString& key);

 public:
  // ---- Qt side: the owning widget's event handlers call these ----------------------------------------
  // Those returning bool leave the events they return false for to QWidget's own handler.
  virtual void paintEvent(QPaintEvent*);
  void resizeEvent(QResizeEvent*);
  void showEvent(QShowEvent*);
  void hideEvent(QHideEvent*);
  void focusInEvent(QFocusEvent*);
  void focusOutEvent(QFocusEvent*);
  void keyPressEvent(QKeyEvent*);
  void keyReleaseEvent(QKeyEvent*);
  bool mousePressEvent(QMouseEvent*);
  void mouseMoveEvent(QMouseEvent*);
  bool mouseReleaseEvent(QMouseEvent*);
  bool mouseDoubleClickEvent(QMouseEvent*);
  void enterEvent(QEnterEvent*);
  virtual void leaveEvent(QEvent*);
  virtual void changeEvent(QEvent*);

 protected:
  // Whether a key that reached the control (its code after the KeyDown handlers) was of use to it.
  // One of no use goes on to the parent widget, as Qt's widgets pass on what they ignore, so a
  // dialog still hears Escape and Return. A code a handler set to 0 was swallowed: it goes no further.
  virtual bool UsesKey(int /*keyCode*/) const { return true; }

  // ---- notifications (defaults do nothing) -------------------------------------------------------
  virtual void Initialize() {}
  virtual void InitProperties() {}
  virtual void ReadProperties(const PropertyBag&) {}
  virtual void WriteProperties(PropertyBag&) {}
  virtual void OnShow() {}
  virtual void OnHide() {}
  virtual void Terminate() {}
  virtual void OnResize() {}
  virtual void OnGotFocus() {}
  virtual void OnLostFocus() {}
  virtual void OnKeyDown(int& /*keyCode*/, int /*shift*/) {}
  virtual void OnKeyPress(int& /*keyAscii*/) {}
  virtual void OnKeyUp(int& /*keyCode*/, int /*shift*/) {}
  virtual void OnMouseDown(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}
  virtual void OnMouseMove(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}
  virtual void OnMouseUp(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}
  virtual void OnClick() {}
  virtual void OnDblClick() {}
  virtual void OnAccessKeyPress(int /*keyAscii*/) {}
  virtual void OnAmbientChanged(const QString& /*name*/) {}

  // True during the resize Qt sends a hidden widget as it shows it: the show notice comes next.
  bool ShowFollows() const { return showFollows_; }
  // Drawing that the show notice will do again anyway may wait: PaintPutOff is called before the
  // surface is next read, shown or changed, unless the control draws it all afresh first and says
  // so with DropPutOffPaint.
  void PutOffPaint() { paintPutOff_ = true; }
  void DropPutOffPaint() { paintPutOff_ = false; }
  virtual void PaintPutOff() {}

 private:
  void settlePaint() const;
  void syncSurfaceSize();
  QSize surfaceSizeDue();
  void applyCursor();
  QPointF toScale(QPointF pixels) const;
  void reportMove(QPointF local, QPointF global, Qt::MouseButtons held, Qt::KeyboardModifiers mods);
  bool isSecondClick(const QMouseEvent* e) const;
  void startDoubleClick(int button);

  QWidget& widget_;
  bool placeholderSize_;  // made without a parent, and neither sized nor shown since
  QSize toldSize_;        // the size of the last resize notification; none before the first
  gdi::Surface surface_;
  bool showFollows_ = false;
  mutable bool paintPutOff_ = false;
  int repaintHolds_ = 0;
  bool heldChange_ = false;
  QImage heldFrom_;  // the surface when the outermost hold began
  AmbientProperties ambient_;
  ScaleUnit scaleMode_ = ScaleUnit::Twips;
  QString accessKeys_;
  FontDesc font_;
  bool settingFont_ = false;
  std::int16_t mousePointer_ = 0;
  Picture mouseIcon_;
  bool modified_ = false;
  bool terminated_ = false;
  bool enterMovePending_ = false;  // an enter waits to be reported as a move, unless a move comes
  // Click tracking: the buttons held, whether the press that started them may end in a click, and
  // the last press reported as a mouse-down (a second press soon after it and near it is a double
  // click).
  int buttonsDown_ = 0;
  bool clickArmed_ = false;
  bool inDoubleClick_ = false;
  bool doubleClickFromPress_ = false;
  int lastPressButton_ = 0;
  quint64 lastPressTime_ = 0;
  QPoint lastPressPos_;
};

// The control `widget` owns, or nullptr.
Control* ControlOf(const QWidget* widget);
template <class C>
C* ControlOf(const QWidget* widget) {
  return qobject_cast<C*>(ControlOf(widget));
}

// Sends Terminate to every control of `root` (its own included) that has not had it: what the host
// does when a window is closed. Ending the program through the services skips this.
void TerminateControls(QWidget* root);

}  // namespace kelvane::host

// The declarations of the handlers KELVANE_CONTROL_EVENTS defines, for a widget class of Kelvane's
// own (the public classes write theirs out, for readers of the installed headers).
#define KELVANE_CONTROL_EVENT_DECLARATIONS             \
  void paintEvent(QPaintEvent* e) override;            \
  void resizeEvent(QResizeEvent* e) override;          \
  void showEvent(QShowEvent* e) override;              \
  void hideEvent(QHideEvent* e) override;              \
  void focusInEvent(QFocusEvent* e) override;          \
  void focusOutEvent(QFocusEvent* e) override;         \
  void keyPressEvent(QKeyEvent* e) override;           \
  void keyReleaseEvent(QKeyEvent* e) override;         \
  void mousePressEvent(QMouseEvent* e) override;       \
  void mouseMoveEvent(QMouseEvent* e) override;        \
  void mouseReleaseEvent(QMouseEvent* e) override;     \
  void mouseDoubleClickEvent(QMouseEvent* e) override; \
  void enterEvent(QEnterEvent* e) override;            \
  void leaveEvent(QEvent* e) override;

// The event handlers of a widget that owns a control, defined in its source file: `control` is an
// expression giving the control, or nullptr while the widget is still making it (the control's
// own set-up changes the widget's font and enabled state). changeEvent is the widget's own: it passes
// the event on to the control and tells of the properties Qt changed.
#define KELVANE_CONTROL_EVENTS(Widget, control)                                \
  void Widget::paintEvent(QPaintEvent* e) {                                    \
    if (auto* c = (control)) c->paintEvent(e);                                 \
  }                                                                            \
  void Widget::resizeEvent(QResizeEvent* e) {                                  \
    if (auto* c = (control)) c->resizeEvent(e);                                \
  }                                                                            \
  void Widget::showEvent(QShowEvent* e) {                                      \
    if (auto* c = (control)) c->showEvent(e);                                  \
  }                                                                            \
  void Widget::hideEvent(QHideEvent* e) {                                      \
    if (auto* c = (control)) c->hideEvent(e);                                  \
  }                                                                            \
  void Widget::focusInEvent(QFocusEvent* e) {                                  \
    QWidget::focusInEvent(e);                                                  \
    if (auto* c = (control)) c->focusInEvent(e);                               \
  }                                                                            \
  void Widget::focusOutEvent(QFocusEvent* e) {                                 \
    QWidget::focusOutEvent(e);                                                 \
    if (auto* c = (control)) c->focusOutEvent(e);                              \
  }                                                                            \
  void Widget::keyPressEvent(QKeyEvent* e) {                                   \
    if (auto* c = (control)) c->keyPressEvent(e);                              \
  }                                                                            \
  void Widget::keyReleaseEvent(QKeyEvent* e) {                                 \
    if (auto* c = (control)) c->keyReleaseEvent(e);                            \
  }                                                                            \
  void Widget::mousePressEvent(QMouseEvent* e) {                               \
    auto* c = (control);                                                       \
    if (!c || !c->mousePressEvent(e)) QWidget::mousePressEvent(e);             \
  }                                                                            \
  void Widget::mouseMoveEvent(QMouseEvent* e) {                                \
    if (auto* c = (control)) c->mouseMoveEvent(e);                             \
  }                                                                            \
  void Widget::mouseReleaseEvent(QMouseEvent* e) {                             \
    auto* c = (control);                                                       \
    if (!c || !c->mouseReleaseEvent(e)) QWidget::mouseReleaseEvent(e);         \
  }                                                                            \
  void Widget::mouseDoubleClickEvent(QMouseEvent* e) {                         \
    auto* c = (control);                                                       \
    if (!c || !c->mouseDoubleClickEvent(e)) QWidget::mouseDoubleClickEvent(e); \
  }                                                                            \
  void Widget::enterEvent(QEnterEvent* e) {                                    \
    QWidget::enterEvent(e);                                                    \
    if (auto* c = (control)) c->enterEvent(e);                                 \
  }                                                                            \
  void Widget::leaveEvent(QEvent* e) {                                         \
    QWidget::leaveEvent(e);                                                    \
    if (auto* c = (control)) c->leaveEvent(e);                                 \
  }
