// The bar's drawing kept as copies since the last clear: put off while nobody sees the bar, and
// drawn again at the device's own pixels on a scaled screen.
#include <QPainter>
#include <QPointer>
#include <algorithm>
#include <cmath>

#include "controls/progressbar/xp_progressbar.h"
#include "platform/host/picture_paint.h"

namespace kelvane::controls {

namespace {

int Whole(double v) { return static_cast<int>(std::lround(v)); }

// The destination pixels PaintPicture fills for a copy at scale 1 (a negative size mirrors).
QRect Destination(double x, double y, double w, double h) { return {Whole(x), Whole(y), Whole(w), Whole(h)}; }

bool SourceInside(const host::Picture& pic, int sx, int sy, int sw, int sh) {
  return sx >= 0 && sy >= 0 && sw > 0 && sh > 0 && sx + sw <= pic.widthPixels() &&
         sy + sh <= pic.heightPixels();
}

// Device pixels for a pixel edge: every edge lands on a whole device pixel, so two copies that meet
// still meet, with no seam and no overlap.
int DeviceEdge(double v, double dpr) { return static_cast<int>(std::lround(v * dpr)); }

}  // namespace

void Xp_ProgressBar::ClearBar() {
  copies_.clear();
  copiesOnSurface_ = 0;
  clearOnSurface_ = false;
  ++drawing_;
  DrawCopies();
}

void Xp_ProgressBar::CopyPicture(Copy copy) {
  if (copy.pic.isNull()) return;
  // An opaque copy over exactly the pixels of an earlier one leaves nothing of it: the list stays
  // as long as the bar has places to draw at, however many assignments come.
  copy.cover = Destination(copy.x, copy.y, copy.w, copy.h);
  if (copy.cover.width() == 0 || copy.cover.height() == 0) return;  // paints nothing, at any scale
  if (SourceInside(copy.pic, copy.sx, copy.sy, copy.sw, copy.sh)) {
    for (std::size_t i = copies_.size(); i-- > 0;) {
      const Copy& old = copies_[i];
      if (old.block != copy.block || old.toTrackEnd != copy.toTrackEnd || old.cover != copy.cover) continue;
      copies_.erase(copies_.begin() + static_cast<std::ptrdiff_t>(i));
      if (i < copiesOnSurface_) --copiesOnSurface_;
    }
  }
  copies_.push_back(std::move(copy));
  ++drawing_;
  DrawCopies();
}

void Xp_ProgressBar::DrawCopies() {
  if (widget().isVisible()) {
    PaintPutOff();
  } else {
    PutOffPaint();
  }
}

void Xp_ProgressBar::PaintPutOff() {
  if (!clearOnSurface_) {
    clearOnSurface_ = true;
    Cls();
  }
  for (; copiesOnSurface_ < copies_.size(); ++copiesOnSurface_) {
    const Copy& c = copies_[copiesOnSurface_];
    PaintPicture(c.pic, c.x, c.y, c.w, c.h, c.sx, c.sy, c.sw, c.sh);
  }
}

QSize Xp_ProgressBar::DeviceSize(double dpr) const {
  return {std::max(1, DeviceEdge(widget().width(), dpr)), std::max(1, DeviceEdge(widget().height(), dpr))};
}

QImage Xp_ProgressBar::DeviceImage(double dpr) {
  const QSize size = DeviceSize(dpr);
  if (deviceDrawing_ == drawing_ && deviceImage_.size() == size && deviceImage_.devicePixelRatio() == dpr)
    return deviceImage_;
  if (deviceImage_.size() != size) deviceImage_ = QImage(size, QImage::Format_RGB32);
  deviceImage_.setDevicePixelRatio(1);
  deviceImage_.fill(surface().background());
  // Blocks keep one pitch in device pixels (rounded down, so the row never outruns the track) and
  // one width; the squeezed last block reaches the track's end wherever the row has got to.
  const int firstBlock = DeviceEdge(kFirstBlockX, dpr);
  const int pitch = static_cast<int>(std::floor(kBlockPitch * dpr));
  for (const Copy& c : copies_) {
    int left = DeviceEdge(c.x, dpr), right = DeviceEdge(c.x + c.w, dpr);
    if (c.block >= 0) {
      left = firstBlock + c.block * pitch;
      if (!c.toTrackEnd) right = left + Whole(c.w * dpr);
    }
    const int top = DeviceEdge(c.y, dpr), bottom = DeviceEdge(c.y + c.h, dpr);
    const auto mode =
        c.pic.type() == host::PictureType::Icon ? host::PaintMode::ThroughAlpha : host::PaintMode::Opaque;
    host::StretchPicture(deviceImage_, {left, top, right - left, bottom - top}, c.pic.image(),
                         {c.sx, c.sy, c.sw, c.sh}, mode);
  }
  deviceImage_.setDevicePixelRatio(dpr);
  deviceDrawing_ = drawing_;
  return deviceImage_;
}

void Xp_ProgressBar::paintEvent(QPaintEvent* e) {
  QPainter p(&widget());
  // The scale of whatever is painted on: the screen's, or that of the image grab() or render() fill.
  const QTransform t = p.deviceTransform();
  const double dpr = t.m11();
  if (dpr == 1.0 || t.type() > QTransform::TxScale || t.m22() != dpr) {
    p.end();
    return host::Control::paintEvent(e);
  }
  p.setRenderHint(QPainter::SmoothPixmapTransform, false);
  p.drawImage(QPointF(0, 0), DeviceImage(dpr));
}

}  // namespace kelvane::controls
