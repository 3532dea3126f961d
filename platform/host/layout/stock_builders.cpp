#include "platform/host/layout/stock_builders.h"

#include <array>

#include "platform/host/layout/placement.h"
#include "platform/host/stock/frame.h"
#include "platform/host/stock/image.h"
#include "platform/host/stock/label.h"
#include "platform/host/stock/picture_box.h"
#include "platform/host/stock/shape.h"
#include "platform/host/stock/stock_progress_bar.h"
#include "platform/host/stock/timer.h"

namespace kelvane::host::layout {

namespace {

using namespace kelvane::host::stock;

// Places far beyond any screen, yet small enough that the pixel arithmetic cannot overflow.
constexpr double kMaxTwips = 1'000'000;

const QString kCaption = QStringLiteral("caption");
const QString kFont = QStringLiteral("font");
const QString kForeColor = QStringLiteral("foreColor");
const QString kBackColor = QStringLiteral("backColor");

QObject* BuildLabel(const Fields& f, QWidget* container, const FontDesc& formFont) {
  auto* label = new Label(container);
  PlaceWidget(*label, f);
  label->setFont(f.font(kFont, formFont));
  label->setForeColor(f.color(kForeColor, label->ForeColor()));
  label->setBackColor(f.color(kBackColor, label->BackColor()));
  label->setBackStyle(static_cast<BackStyle>(
      f.choice(QStringLiteral("backStyle"), {QStringLiteral("transparent"), QStringLiteral("opaque")},
               static_cast<int>(BackStyle::Opaque))));
  label->setCaption(f.optionalString(kCaption).value_or(QString()));
  // Last, so the stored size gives way to the text's.
  label->setAutoSize(f.boolean(QStringLiteral("autoSize"), false));
  return label;
}

QObject* BuildFrame(const Fields& f, QWidget* container, const FontDesc& formFont) {
  auto* frame = new Frame(container);
  PlaceWidget(*frame, f);
  frame->setFont(f.font(kFont, formFont));
  frame->setBackColor(f.color(kBackColor, frame->BackColor()));
  frame->setForeColor(f.color(kForeColor, frame->ForeColor()));
  frame->setCaption(f.optionalString(kCaption).value_or(QString()));
  return frame;
}

QObject* BuildPictureBox(const Fields& f, QWidget* container, const FontDesc&) {
  auto* box = new PictureBox(container);
  PlaceWidget(*box, f);
  box->setBackColor(f.color(kBackColor, box->BackColor()));
  return box;
}

QObject* BuildImage(const Fields& f, QWidget* container, const FontDesc&) {
  auto* image = new Image(container);
  PlaceWidget(*image, f);
  image->setPicture(f.picture(QStringLiteral("picture")));
  return image;
}

QObject* BuildShape(const Fields& f, QWidget* container, const FontDesc&) {
  // Only the rectangle is drawn; naming it keeps room for the other shapes.
  f.choice(QStringLiteral("shape"), {QStringLiteral("rectangle")}, 0);
  auto* shape = new Shape(container);
  PlaceWidget(*shape, f);
  shape->setFillColor(f.color(QStringLiteral("fillColor"), shape->FillColor()));
  shape->setFillStyle(static_cast<FillStyle>(
      f.choice(QStringLiteral("fillStyle"), {QStringLiteral("solid"), QStringLiteral("transparent")},
               static_cast<int>(FillStyle::Transparent))));
  shape->setBorderColor(f.color(QStringLiteral("borderColor"), shape->BorderColor()));
  return shape;
}

QObject* BuildTimer(const Fields& f, QWidget* container, const FontDesc&) {
  auto* timer = new Timer(container);
  timer->setInterval(f.optionalWhole(QStringLiteral("interval"), 0, kMaxTimerInterval).value_or(0));
  timer->setEnabled(f.boolean(QStringLiteral("enabled"), true));
  return timer;
}

QObject* BuildProgressBar(const Fields& f, QWidget* container, const FontDesc&) {
  auto* bar = new StockProgressBar(container);
  PlaceWidget(*bar, f);
  const QString kMin = QStringLiteral("min"), kMax = QStringLiteral("max"), kValue = QStringLiteral("value");
  const auto min = static_cast<float>(f.optionalNumber(kMin).value_or(bar->Min()));
  const auto max = static_cast<float>(f.optionalNumber(kMax).value_or(bar->Max()));
  const auto value = static_cast<float>(f.optionalNumber(kValue).value_or(min));
  if (!(max > min)) f.fail(kMax, QStringLiteral("must be greater than \"min\""));
  if (value < min || value > max) f.fail(kValue, QStringLiteral("must lie from \"min\" to \"max\""));
  // Widen first so no intermediate range is refused.
  if (min < bar->Max()) {
    bar->setMin(min);
    bar->setMax(max);
  } else {
    bar->setMax(max);
    bar->setMin(min);
  }
  bar->setValue(value);
  return bar;
}

const std::array<StockKind, 7>& Kinds() {
  static const std::array<StockKind, 7> kinds{{
      {QStringLiteral("Label"), true, false, &BuildLabel},
      {QStringLiteral("Frame"), false, true, &BuildFrame},
      {QStringLiteral("PictureBox"), false, true, &BuildPictureBox},
      {QStringLiteral("Image"), true, false, &BuildImage},
      {QStringLiteral("Shape"), true, false, &BuildShape},
      {QStringLiteral("Timer"), false, false, &BuildTimer},
      {QStringLiteral("ProgressBar"), false, false, &BuildProgressBar},
  }};
  return kinds;
}

}  // namespace

const StockKind* FindStockKind(const QString& name) {
  for (const StockKind& k : Kinds()) {
    if (k.name.compare(name, Qt::CaseInsensitive) == 0) return &k;
  }
  return nullptr;
}

void PlaceWidget(QWidget& widget, const Fields& entry) {
  const auto position = [&entry](const QString& key) {
    const double v = entry.number(key);
    if (v < -kMaxTwips || v > kMaxTwips) {
      entry.fail(key, QStringLiteral("must lie within %1 twips of the container").arg(kMaxTwips, 0, 'f', 0));
    }
    return v;
  };
  const auto side = [&entry](const QString& key) {
    const double v = entry.nonNegative(key);
    if (v > kMaxSideTwips) {
      entry.fail(
          key, QStringLiteral("must be at most %1 twips (%2 pixels)").arg(kMaxSideTwips).arg(kMaxSidePixels));
    }
    return v;
  };
  const double left = position(QStringLiteral("left"));
  const double top = position(QStringLiteral("top"));
  const double width = side(QStringLiteral("width"));
  const double height = side(QStringLiteral("height"));
  widget.setGeometry(TwipsToPixel(left), TwipsToPixel(top), TwipsToPixel(width), TwipsToPixel(height));
}

}  // namespace kelvane::host::layout
