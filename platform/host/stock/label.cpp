#include "platform/host/stock/label.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRegularExpression>
#include <algorithm>

#include "platform/host/stock/graphical.h"
#include "platform/host/stock/reader_events.h"

namespace kelvane::host::stock {

namespace {

QStringList Lines(const QString& text) {
  // Figures are one line: no pattern matching for them ten times a second.
  if (!text.contains(u'\n') && !text.contains(u'\r')) return {text};
  static const QRegularExpression kBreak(QStringLiteral("\r\n|\n|\r"));
  return text.split(kBreak);
}

}  // namespace

QSize TextExtent(const QString& text, const QFont& font) {
  const QFontMetrics fm(font);
  const QStringList lines = Lines(text);
  int widest = 0;
  for (const QString& line : lines) widest = std::max(widest, fm.horizontalAdvance(line));
  return {widest, static_cast<int>(lines.size()) * fm.height()};
}

Label::Label(QWidget* parent) : QWidget(parent) {
  MakeGraphical(*this);
  QWidget::setFont(DrawnFont(font_));
}

void Label::setCaption(const QString& text) {
  if (text == caption_) return;  // the refresh timer rewrites unchanged texts ten times a second
  caption_ = text;
  fitToText();
  update();
  TellReadersOfName(*this);
}

void Label::setFont(const FontDesc& font) {
  font_ = font;
  QWidget::setFont(DrawnFont(font_));
  fitToText();
  update();
}

void Label::setForeColor(std::int32_t color) {
  foreColor_ = color;
  update();
}

void Label::setBackColor(std::int32_t color) {
  backColor_ = color;
  update();
}

void Label::setBackStyle(stock::BackStyle style) {
  backStyle_ = style;
  update();
}

void Label::setAutoSize(bool on) {
  autoSize_ = on;
  fitToText();
}

void Label::fitToText() {
  // Only the size follows the text; the top-left corner stays where the layout put it.
  if (autoSize_) resize(TextExtent(caption_, QWidget::font()));
}

void Label::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (backStyle_ == stock::BackStyle::Opaque) p.fillRect(rect(), ColorFromStored(backColor_));
  p.setFont(QWidget::font());
  p.setPen(ColorFromStored(foreColor_));
  const QFontMetrics fm(QWidget::font());
  int y = fm.ascent();
  for (const QString& line : Lines(caption_)) {
    p.drawText(0, y, line);
    y += fm.height();
  }
}

}  // namespace kelvane::host::stock
