// Draws Kelvane's own pictures: the 32 x 32 window icon and the 16 x 16 picture of "End".
// Usage: make_app_icons <output folder>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

namespace {

// A memory module: green board, gold contacts, black chips, and a free-share arrow.
QImage DrawWindowIcon() {
  QImage img(32, 32, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(0x1b, 0x5e, 0x20), 1));
  p.setBrush(QColor(0x43, 0xa0, 0x47));
  p.drawRoundedRect(QRectF(1.5, 7.5, 29, 15), 2, 2);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xf9, 0xa8, 0x25));
  for (int x = 4; x <= 26; x += 3) p.drawRect(QRectF(x, 19, 2, 3));
  p.setBrush(QColor(0x21, 0x21, 0x21));
  for (int x = 4; x <= 22; x += 6) p.drawRect(QRectF(x, 10, 5, 7));
  // Upward arrow: memory handed back.
  QPainterPath arrow;
  arrow.moveTo(16, 24);
  arrow.lineTo(22, 30);
  arrow.lineTo(19, 30);
  arrow.lineTo(19, 31.5);
  arrow.lineTo(13, 31.5);
  arrow.lineTo(13, 30);
  arrow.lineTo(10, 30);
  arrow.closeSubpath();
  p.setBrush(QColor(0x15, 0x65, 0xc0));
  p.drawPath(arrow.translated(0, -22).toReversed());
  p.end();
  return img;
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

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_app_icons <output folder>\n");
    return 2;
  }
  const QString dir = QString::fromLocal8Bit(argv[1]);
  const bool ok = DrawWindowIcon().save(dir + "/kelvane32.png") && DrawEndPicture().save(dir + "/end16.png");
  if (!ok) std::fprintf(stderr, "cannot write the pictures into %s\n", argv[1]);
  return ok ? 0 : 1;
}
