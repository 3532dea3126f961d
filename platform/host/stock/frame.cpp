#include "platform/host/stock/frame.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>

#include "platform/host/stock/graphical.h"
#include "platform/host/stock/reader_events.h"

namespace kelvane::host::stock {

namespace {

constexpr int kCaptionIndent = 8;   // pixels from the left edge to the caption's gap
constexpr int kCaptionPadding = 2;  // blank pixels either side of the caption
const QColor kEtchDark(0xA0, 0xA0, 0xA0);
const QColor kEtchLight(0xFF, 0xFF, 0xFF);

}  // namespace

Frame::Frame(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::NoFocus);
  QWidget::setFont(DrawnFont(font_));
  PublishColors(*this, backColor_, foreColor_);
}

void Frame::setCaption(const QString& text) {
  const bool renamed = text != caption_;
  caption_ = text;
  update();
  if (renamed) TellReadersOfName(*this);
}

void Frame::setFont(const FontDesc& font) {
  font_ = font;
  QWidget::setFont(DrawnFont(font_));
  update();
}

void Frame::setBackColor(std::int32_t color) {
  backColor_ = color;
  PublishColors(*this, backColor_, foreColor_);
  update();
}

void Frame::setForeColor(std::int32_t color) {
  foreColor_ = color;
  PublishColors(*this, backColor_, foreColor_);
  update();
}

void Frame::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  p.fillRect(rect(), ColorFromStored(backColor_));

  const QFontMetrics fm(QWidget::font());
  // The border runs through the middle of the caption's line.
  const int borderTop = fm.height() / 2;
  const int w = width();
  const int h = height();
  if (w < 2 || h <= borderTop + 1) return;

  // An etched edge: a dark line with a light one just inside it.
  const QRect outer(0, borderTop, w - 1, h - borderTop - 1);
  p.setPen(kEtchDark);
  p.drawRect(outer.adjusted(0, 0, -1, -1));
  p.setPen(kEtchLight);
  p.drawRect(outer.adjusted(1, 1, 0, 0));

  if (caption_.isEmpty()) return;
  // Figures inside repaint ten times a second: the caption is measured once, and drawn only when
  // its gap is part of what is repainted.
  if (caption_ != measuredCaption_ || QWidget::font() != measuredFont_) {
    captionWidth_ = fm.horizontalAdvance(caption_);
    measuredCaption_ = caption_;
    measuredFont_ = QWidget::font();
  }
  const QRect gap(kCaptionIndent, 0, captionWidth_ + 2 * kCaptionPadding, fm.height());
  if (!event->region().intersects(gap)) return;
  p.fillRect(gap, ColorFromStored(backColor_));
  p.setPen(ColorFromStored(foreColor_));
  p.drawText(gap.left() + kCaptionPadding, fm.ascent(), caption_);
}

}  // namespace kelvane::host::stock
