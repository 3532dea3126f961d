// The drawing-surface services of Control: scale, clearing, picture copies, refresh, font, pointer.
#include <QCursor>
#include <QPixmap>
#include <cmath>

#include "platform/host/control.h"
#include "platform/host/errors.h"
#include "platform/host/mouse_pointer.h"
#include "platform/host/picture_paint.h"
#include "platform/host/units.h"

namespace kelvane::host {

namespace {

double ToPixels(double v, ScaleUnit from) {
  switch (from) {
    case ScaleUnit::Twips: return TwipsToPixels(v);
    case ScaleUnit::Himetric: return HimetricToPixels(v);
    case ScaleUnit::Pixels: break;
  }
  return v;
}

double FromPixels(double px, ScaleUnit to) {
  switch (to) {
    case ScaleUnit::Twips: return PixelsToTwips(px);
    case ScaleUnit::Himetric: return PixelsToHimetric(px);
    case ScaleUnit::Pixels: break;
  }
  return px;
}

int WholePixels(double v) { return static_cast<int>(std::lround(v)); }

}  // namespace

double Control::ScaleConvert(double v, ScaleUnit from, ScaleUnit to) {
  return from == to ? v : FromPixels(ToPixels(v, from), to);
}

void Control::surfaceChanged() {
  if (repaintHolds_ > 0) {
    heldChange_ = true;
  } else {
    widget_.update();
  }
}

Control::HeldRepaint::HeldRepaint(Control& control) : control_(control) {
  if (control_.repaintHolds_++ > 0) return;
  control_.heldChange_ = false;
  control_.heldFrom_ = control_.surface_.image();  // shared until the first write detaches it
}

Control::HeldRepaint::~HeldRepaint() {
  if (--control_.repaintHolds_ > 0) return;
  if (control_.heldChange_ && control_.surface_.image() != control_.heldFrom_) control_.widget_.update();
  control_.heldFrom_ = QImage();
}

QSize Control::surfaceSizeDue() {
  // Qt gives a widget made without a parent 640 x 480 and keeps it when a layout adopts it, until
  // the layout or the program sizes it or it is shown: a surface that large for every such control
  // would cost more than a megabyte each. What is drawn meanwhile is drawn again at the first size.
  if (placeholderSize_)
    placeholderSize_ =
        !widget_.testAttribute(Qt::WA_Resized) && !widget_.testAttribute(Qt::WA_WState_Created);
  return (placeholderSize_ ? QSize(1, 1) : widget_.size()).expandedTo(QSize(1, 1));
}

void Control::syncSurfaceSize() { surface_.resize(surfaceSizeDue()); }

bool Control::shareSurface(const QImage& drawn) {
  if (drawn.size() != surfaceSizeDue()) return false;
  surface_.share(drawn);
  return true;
}

gdi::Surface& Control::surface() {
  settlePaint();
  // A hidden control gets its resize event only when shown; drawing before that must still see
  // the control's size.
  syncSurfaceSize();
  return surface_;
}

const gdi::Surface& Control::surface() const {
  settlePaint();
  return surface_;
}

void Control::settlePaint() const {
  if (!paintPutOff_) return;
  paintPutOff_ = false;
  // The surface is the control's to draw on whenever it is read: reading never changes the control.
  const_cast<Control*>(this)->PaintPutOff();
}

void Control::setSurfaceBackColor(QRgb rgb) {
  settlePaint();
  surface_.setBackground(rgb);
}

double Control::ScaleWidth() const { return ScaleConvert(widget_.width(), ScaleUnit::Pixels, scaleMode_); }
double Control::ScaleHeight() const { return ScaleConvert(widget_.height(), ScaleUnit::Pixels, scaleMode_); }

QPointF Control::toScale(QPointF pixels) const {
  return {ScaleConvert(pixels.x(), ScaleUnit::Pixels, scaleMode_),
          ScaleConvert(pixels.y(), ScaleUnit::Pixels, scaleMode_)};
}

void Control::Cls() {
  surface().clear();
  surfaceChanged();
}

void Control::PaintPicture(const Picture& pic, double x, double y, double w, double h, double sx, double sy,
                           double sw, double sh) {
  if (pic.isNull()) return;
  const PixelRect dest{WholePixels(ToPixels(x, scaleMode_)), WholePixels(ToPixels(y, scaleMode_)),
                       WholePixels(ToPixels(w, scaleMode_)), WholePixels(ToPixels(h, scaleMode_))};
  const PixelRect src{WholePixels(sx), WholePixels(sy), WholePixels(sw), WholePixels(sh)};
  const PaintMode mode = pic.type() == PictureType::Icon ? PaintMode::ThroughAlpha : PaintMode::Opaque;
  StretchPicture(surface().image(), dest, pic.image(), src, mode);
  surfaceChanged();
}

void Control::PaintPicture(const Picture& pic, double x, double y) {
  const double w = ScaleConvert(pic.widthPixels(), ScaleUnit::Pixels, scaleMode_);
  const double h = ScaleConvert(pic.heightPixels(), ScaleUnit::Pixels, scaleMode_);
  PaintPicture(pic, x, y, w, h, 0, 0, pic.widthPixels(), pic.heightPixels());
}

void Control::RefreshNow() { widget_.repaint(); }

void Control::setFont(const FontDesc& f) {
  font_ = f;
  settingFont_ = true;
  widget_.setFont(f.toQFont());
  settingFont_ = false;
}

void Control::setMousePointer(std::int16_t code) {
  if (!IsValidMousePointer(code)) {
    throw RuntimeError(kErrInvalidPropertyValue, "Invalid property value: MousePointer " +
                                                     std::to_string(code) +
                                                     " (use 0 to 15, or 99 for the mouse icon)");
  }
  mousePointer_ = code;
  applyCursor();
}

void Control::setMouseIcon(const Picture& p) {
  mouseIcon_ = p;
  applyCursor();
}

void Control::applyCursor() {
  if (mousePointer_ == kPointerDefault || (mousePointer_ == kPointerCustom && mouseIcon_.isNull())) {
    widget_.unsetCursor();
  } else if (mousePointer_ == kPointerCustom) {
    widget_.setCursor(QCursor(QPixmap::fromImage(mouseIcon_.image())));
  } else {
    widget_.setCursor(CursorShapeForPointer(mousePointer_));
  }
}

}  // namespace kelvane::host
