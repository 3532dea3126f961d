// Draws Kelvane's own pictures: the window icon and the 16 x 16 picture of "End".
// Usage: make_app_icons <output folder>
// Writes kelvane<size>.png at every window icon size, kelvane.svg and end16.png. They are committed in
// app/resources, which the window embeds and the desktop theme installs, so both show the same
// pixels: drawn again on another machine or with another Qt, edge pixels can round differently. Run
// it into app/resources after changing a shape; a test checks the committed set against what it draws.
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPolygonF>
#include <cstdio>
#include <vector>

#include "app/window_icon.h"

namespace {

// The window icon is designed on a 32 x 32 grid; every size and the SVG come from this one list.
constexpr double kGrid = 32;

struct Shape {
  enum class Kind { RoundedRect, Rect, Polygon } kind;
  QColor fill;
  QColor stroke;  // invalid: no outline
  QRectF rect;    // RoundedRect, Rect
  double radius = 0;
  QPolygonF points;  // Polygon
};

// A memory module: green board, gold contacts, black chips, and a free-share arrow.
std::vector<Shape> WindowIconShapes() {
  std::vector<Shape> shapes;
  shapes.push_back({Shape::Kind::RoundedRect,
                    QColor(0x43, 0xa0, 0x47),
                    QColor(0x1b, 0x5e, 0x20),
                    QRectF(1.5, 7.5, 29, 15),
                    2,
                    {}});
  for (int x = 4; x <= 26; x += 3) {
    shapes.push_back({Shape::Kind::Rect, QColor(0xf9, 0xa8, 0x25), {}, QRectF(x, 19, 2, 3), 0, {}});
  }
  for (int x = 4; x <= 22; x += 6) {
    shapes.push_back({Shape::Kind::Rect, QColor(0x21, 0x21, 0x21), {}, QRectF(x, 10, 5, 7), 0, {}});
  }
  // Upward arrow: memory handed back.
  const QPolygonF arrow{{16, 2}, {22, 8}, {19, 8}, {19, 9.5}, {13, 9.5}, {13, 8}, {10, 8}};
  shapes.push_back({Shape::Kind::Polygon, QColor(0x15, 0x65, 0xc0), {}, {}, 0, arrow});
  return shapes;
}

QImage DrawWindowIcon(int size) {
  QImage img(size, size, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(size / kGrid, size / kGrid);
  for (const Shape& s : WindowIconShapes()) {
    p.setPen(s.stroke.isValid() ? QPen(s.stroke, 1) : QPen(Qt::NoPen));
    p.setBrush(s.fill);
    switch (s.kind) {
      case Shape::Kind::RoundedRect: p.drawRoundedRect(s.rect, s.radius, s.radius); break;
      case Shape::Kind::Rect: p.drawRect(s.rect); break;
      case Shape::Kind::Polygon: p.drawPolygon(s.points); break;
    }
  }
  p.end();
  return img;
}

QString SvgColor(const QColor& c) { return c.name(QColor::HexRgb); }

QString WindowIconSvg() {
  QString svg = QStringLiteral(
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"32\" height=\"32\" viewBox=\"0 0 32 32\">\n");
  for (const Shape& s : WindowIconShapes()) {
    const QString paint =
        QStringLiteral("fill=\"%1\"").arg(SvgColor(s.fill)) +
        (s.stroke.isValid() ? QStringLiteral(" stroke=\"%1\" stroke-width=\"1\"").arg(SvgColor(s.stroke))
                            : QString());
    if (s.kind == Shape::Kind::Polygon) {
      QStringList points;
      for (const QPointF& pt : s.points) points << QStringLiteral("%1,%2").arg(pt.x()).arg(pt.y());
      svg += QStringLiteral("  <polygon points=\"%1\" %2/>\n").arg(points.join(' '), paint);
    } else {
      const QString corner = s.radius > 0 ? QStringLiteral(" rx=\"%1\" ry=\"%1\"").arg(s.radius) : QString();
      svg += QStringLiteral("  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\"%5 %6/>\n")
                 .arg(s.rect.x())
                 .arg(s.rect.y())
                 .arg(s.rect.width())
                 .arg(s.rect.height())
                 .arg(corner, paint);
    }
  }
  return svg + QStringLiteral("</svg>\n");
}

// A small red "stop" circle with a white bar: ends the program.
QImage DrawEndPicture() {
  QImage img(16, 16, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(0x8e, 0x1b, 0x1b), 1));
  p.setBrush(QColor(0xd3, 0x2f, 0x2f));
  p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(4.5, 7, 7, 2));
  p.end();
  return img;
}

bool WriteText(const QString& path, const QString& text) {
  QFile file(path);
  return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text.toUtf8()) >= 0 &&
         file.flush();
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_app_icons <output folder>\n");
    return 2;
  }
  const QString dir = QString::fromLocal8Bit(argv[1]);
  bool ok = DrawEndPicture().save(dir + "/end16.png");
  for (int side : kelvane::app::kWindowIconSides) {
    ok = ok && DrawWindowIcon(side).save(QStringLiteral("%1/kelvane%2.png").arg(dir).arg(side));
  }
  ok = ok && WriteText(dir + "/kelvane.svg", WindowIconSvg());
  if (!ok) std::fprintf(stderr, "cannot write the pictures into %s\n", argv[1]);
  return ok ? 0 : 1;
}
