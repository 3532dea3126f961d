#pragma once
// A windowed user control: a QWidget that owns a persistent Surface and receives the host's
// notifications. Subclasses override the On*/property hooks; the host (layout loader, tests)
// drives the host* entry points.
#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <cstdint>

#include "platform/gdi/surface.h"
#include "platform/host/font_desc.h"
#include "platform/host/picture.h"
#include "platform/host/property_bag.h"

namespace kelvane::host {

struct AmbientProperties {
  QString displayName;        // the container's name for this instance
  FontDesc font;              // the container's font
  bool userMode = true;       // false while designing
  bool displayAsDefault = false;
};

// Mouse button and shift codes as the notifications carry them.
inline constexpr int kLeftButton = 1, kRightButton = 2, kMiddleButton = 4;
inline constexpr int kShiftMask = 1, kCtrlMask = 2, kAltMask = 4;

enum class ScaleUnit { Twips = 1, Pixels = 3, Himetric = 8 };

class Control : public QWidget {
  Q_OBJECT
 public:
  explicit Control(QWidget* parent = nullptr);
  ~Control() override;

  // ---- host side -------------------------------------------------------------------------------
  void hostCreateNew(const AmbientProperties& ambient);  // Initialize, then InitProperties
  void hostLoad(const PropertyBag& bag, const AmbientProperties& ambient);  // Initialize, ReadProperties
  void hostSave(PropertyBag& bag);  // WriteProperties, then "_extentx"/"_extenty" in HIMETRIC
  void hostTerminate();             // Terminate, once

  // Property-changed notice: marks the control modified.
  void PropertyChanged(const QString& key);
  bool isModified() const { return modified_; }
  const QStringList& noticedKeys() const { return noticed_; }
  void clearModified();

  const AmbientProperties& Ambient() const { return ambient_; }
  void setAmbient(const AmbientProperties& a, const QString& changedName = {});  // AmbientChanged
  // Extender: position in the container, in twips.
  double ExtenderLeft() const;
  double ExtenderTop() const;

  // ---- surface services ------------------------------------------------------------------------
  gdi::Surface& surface() { return surface_; }
  const gdi::Surface& surface() const { return surface_; }
  ScaleUnit ScaleMode() const { return scaleMode_; }
  void setScaleMode(ScaleUnit u) { scaleMode_ = u; }
  double ScaleWidth() const;   // client width in the scale unit
  double ScaleHeight() const;
  static double ScaleConvert(double v, ScaleUnit from, ScaleUnit to);
  void Cls();  // clears the surface to its back colour
  // Copies the source rectangle of `pic` (pixels of the picture) into the destination rectangle
  // (scale units), stretching or squeezing it; opaque for bitmaps, through the mask for icons.
  void PaintPicture(const Picture& pic, double x, double y, double w, double h, double sx, double sy,
                    double sw, double sh);
  void RefreshNow();  // shows the surface at once

  QString AccessKeys() const { return accessKeys_; }
  void setAccessKeys(const QString& keys) { accessKeys_ = keys; }
  FontDesc Font() const { return font_; }
  void setFont(const FontDesc& f);
  std::int16_t MousePointer() const { return mousePointer_; }
  void setMousePointer(std::int16_t code);
  Picture MouseIcon() const { return mouseIcon_; }
  void setMouseIcon(const Picture& p);
  QColor BackColor() const { return QColor::fromRgb(surface_.background()); }
  void setBackColor(QRgb rgb) { surface_.setBackground(rgb); }

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
  void mouseReleaseEvent(QMouseEvent*) override;
  void mouseDoubleClickEvent(QMouseEvent*) override;
  bool event(QEvent*) override;

 private:
  gdi::Surface surface_;
  AmbientProperties ambient_;
  ScaleUnit scaleMode_ = ScaleUnit::Twips;
  QString accessKeys_;
  FontDesc font_;
  std::int16_t mousePointer_ = 0;
  Picture mouseIcon_;
  QStringList noticed_;
  bool modified_ = false;
  bool terminated_ = false;
  int buttonsDown_ = 0;
};

}  // namespace kelvane::host
