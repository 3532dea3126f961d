#pragma once
// A windowed user control: a QWidget that owns a persistent Surface and receives the host's
// notifications. Subclasses override the On*/property hooks; the host (layout loader, tests)
// drives the host* entry points.
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

class Control : public QWidget {
  Q_OBJECT
 public:
  explicit Control(QWidget* parent = nullptr);
  ~Control() override;

  // ---- host side -------------------------------------------------------------------------------
  void hostCreateNew(const AmbientProperties& ambient);  // Initialize, then InitProperties
  // Initialize, ReadProperties, then the stored "_extentx"/"_extenty" (if any) size the control.
  void hostLoad(const PropertyBag& bag, const AmbientProperties& ambient);
  void hostSave(PropertyBag& bag);  // WriteProperties, then "_extentx"/"_extenty" in HIMETRIC
  void hostTerminate();             // Terminate, once
  // The control's access key was pressed with Alt (the application filter calls this).
  void hostAccessKeyPress(int keyAscii);
  // The pointer rests at `global` over `under` (what WindowFromPoint finds there) after something
  // beneath it moved, appeared, changed shape or became usable. A control that was not told of the
  // pointer at that place hears of it as a mouse move: the pointer moved, as far as it can tell.
  static void hostPointerResting(QWidget* under, QPoint global);

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
  // The surface always has the control's current size, even while the control is hidden.
  gdi::Surface& surface();
  const gdi::Surface& surface() const { return surface_; }
  // Asks for the surface to be shown at the next paint (drawing code calls this after drawing).
  void surfaceChanged();
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
  void setAccessKeys(const QString& keys) { accessKeys_ = keys; }
  FontDesc Font() const { return font_; }
  using QWidget::setFont;
  void setFont(const FontDesc& f);
  std::int16_t MousePointer() const { return mousePointer_; }
  // Raises RuntimeError 380 for a code outside 0..15 and 99.
  void setMousePointer(std::int16_t code);
  Picture MouseIcon() const { return mouseIcon_; }
  void setMouseIcon(const Picture& p);
  // The colour Cls clears the surface to. Not a stored property: controls that have a BackColor of
  // their own keep it in the host's colour form.
  void setSurfaceBackColor(QRgb rgb) { surface_.setBackground(rgb); }

 signals:
  // Each property-changed notice, for observers such as tests.
  void PropertyNoticed(const QString& key);

 protected:
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

  // Qt side: translated into the notifications above.
  void paintEvent(QPaintEvent*) override;
  void resizeEvent(QResizeEvent*) override;
  void showEvent(QShowEvent*) override;
  void hideEvent(QHideEvent*) override;
  void focusInEvent(QFocusEvent*) override;
  void focusOutEvent(QFocusEvent*) override;
  void keyPressEvent(QKeyEvent*) override;
  void keyReleaseEvent(QKeyEvent*) override;
  void mousePressEvent(QMouseEvent*) override;
  void mouseMoveEvent(QMouseEvent*) override;
  void enterEvent(QEnterEvent*) override;
  void leaveEvent(QEvent*) override;
  void changeEvent(QEvent*) override;
  void mouseReleaseEvent(QMouseEvent*) override;
  void mouseDoubleClickEvent(QMouseEvent*) override;

 private:
  void syncSurfaceSize();
  void applyCursor();
  QPointF toScale(QPointF pixels) const;
  void reportMove(QPointF local, QPointF global, Qt::MouseButtons held, Qt::KeyboardModifiers mods);
  bool isSecondClick(const QMouseEvent* e) const;
  void startDoubleClick(int button);

  gdi::Surface surface_;
  int repaintHolds_ = 0;
  bool heldChange_ = false;
  QImage heldFrom_;  // the surface when the outermost hold began
  AmbientProperties ambient_;
  ScaleUnit scaleMode_ = ScaleUnit::Twips;
  QString accessKeys_;
  FontDesc font_;
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

// Sends Terminate to every control of `root` (itself included) that has not had it: what the host
// does when a window is closed. Ending the program through the services skips this.
void TerminateControls(QWidget* root);

}  // namespace kelvane::host
