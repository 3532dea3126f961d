#include "app/panel_icon.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <utility>

namespace kelvane::app {
namespace {

// Parts in proportion to the side: one unit per 16 px keeps the outline and the contacts one pixel
// wide at the small sizes and sharp at double scale.
int Unit(int side) { return std::max(1, side / 16); }

void FillRect(QImage& image, int left, int top, int width, int height, QRgb colour) {
  for (int y = top; y < top + height; ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    std::fill(row + left, row + left + width, colour);
  }
}

}  // namespace

PanelIconGeometry PanelIconLayout(int side) {
  const int unit = Unit(side);
  PanelIconGeometry g{};
  g.side = side;
  g.border = unit;
  g.bodyLeft = unit;
  g.bodyWidth = side - 2 * unit;
  g.bodyHeight = side * 9 / 16;
  g.contactsHeight = 2 * unit;
  g.bodyTop = (side - g.bodyHeight - g.contactsHeight) / 2;
  g.contactsTop = g.bodyTop + g.bodyHeight;
  return g;
}

int PanelFillColumns(int innerWidth, int percent) {
  percent = std::clamp(percent, 0, 100);
  int columns = (innerWidth * percent + 50) / 100;
  if (percent > 0) columns = std::max(columns, 1);
  if (percent < 100) columns = std::min(columns, innerWidth - 1);
  return std::max(columns, 0);
}

QRgb PanelFillColour(int percent) {
  if (percent < kCriticalPercent) return kPanelCritical;
  if (percent < kLowPercent) return kPanelLow;
  return kPanelPlenty;
}

QImage DrawPanelIcon(int side, int percent) {
  const PanelIconGeometry g = PanelIconLayout(side);
  QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);

  FillRect(image, g.bodyLeft, g.bodyTop, g.bodyWidth, g.bodyHeight, kPanelOutline);
  const int innerLeft = g.bodyLeft + g.border, innerTop = g.bodyTop + g.border;
  const int innerHeight = g.bodyHeight - 2 * g.border;
  FillRect(image, innerLeft, innerTop, g.innerWidth(), innerHeight, kPanelEmpty);
  FillRect(image, innerLeft, innerTop, PanelFillColumns(g.innerWidth(), percent), innerHeight,
           PanelFillColour(percent));
  // The outline's corners are cut at 45 degrees, as wide as the outline.
  for (int dy = 0; dy < g.border; ++dy) {
    for (int dx = 0; dx + dy < g.border; ++dx) {
      const int left = g.bodyLeft + dx, right = g.bodyLeft + g.bodyWidth - 1 - dx;
      const int top = g.bodyTop + dy, bottom = g.bodyTop + g.bodyHeight - 1 - dy;
      const std::pair<int, int> corners[] = {{left, top}, {right, top}, {left, bottom}, {right, bottom}};
      for (const auto& [x, y] : corners) reinterpret_cast<QRgb*>(image.scanLine(y))[x] = 0;
    }
  }
  // Contacts one unit wide with a unit between them, under the inside of the body.
  const int unit = g.border;
  for (int x = innerLeft + unit; x + unit <= innerLeft + g.innerWidth() - unit; x += 2 * unit) {
    FillRect(image, x, g.contactsTop, unit, g.contactsHeight, kPanelContacts);
  }
  return image;
}

namespace {

// The smallest drawn side that covers `side`, else the largest.
int DrawnSide(int side) {
  for (int drawn : kPanelIconDeviceSides) {
    if (drawn >= side) return drawn;
  }
  return kPanelIconDeviceSides.back();
}

// Draws each size when first asked. An icon made of pixmaps leaves each of them in the pixmap cache
// once it is read, up to 10 MB over a day of changing shares; these go with their icon.
class PanelIconEngine final : public QIconEngine {
 public:
  explicit PanelIconEngine(int percent) : percent_(percent) {}
  QIconEngine* clone() const override { return new PanelIconEngine(percent_); }
  QString key() const override { return QStringLiteral("KelvanePanelIcon"); }
  QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
    QList<QSize> sizes;
    for (int side : kPanelIconDeviceSides) sizes << QSize(side, side);
    return sizes;
  }
  QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
    return size.boundedTo(QSize(kPanelIconDeviceSides.back(), kPanelIconDeviceSides.back()));
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
    const int side = std::min(size.width(), size.height());
    if (side <= 0) return {};
    // A panel reads every size again with each tooltip it fetches; the icon is drawn once.
    const auto at = std::find(kPanelIconDeviceSides.begin(), kPanelIconDeviceSides.end(), DrawnSide(side));
    QPixmap& drawn = drawn_[at - kPanelIconDeviceSides.begin()];
    if (drawn.isNull()) drawn = QPixmap::fromImage(DrawPanelIcon(*at, percent_));
    if (drawn.width() == side) return drawn;
    return drawn.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  }
  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    const qreal scale = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
    const int side = qRound(std::min(rect.width(), rect.height()) * scale);
    painter->drawPixmap(rect, pixmap(QSize(side, side), mode, state));
  }

 private:
  int percent_;
  std::array<QPixmap, kPanelIconDeviceSides.size()> drawn_;
};

}  // namespace

QIcon PanelIcon(int percent) { return QIcon(new PanelIconEngine(percent)); }

PanelIconKey PanelIconKeyFor(int percent) {
  PanelIconKey key;
  for (std::size_t i = 0; i < kPanelIconDeviceSides.size(); ++i) {
    key.columns[i] = PanelFillColumns(PanelIconLayout(kPanelIconDeviceSides[i]).innerWidth(), percent);
  }
  key.colour = PanelFillColour(percent);
  return key;
}

}  // namespace kelvane::app
