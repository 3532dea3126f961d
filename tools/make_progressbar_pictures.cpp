// Writes the progress bar's pictures (frame, eraser and the eight looks) as PNG files.
// Usage: make_progressbar_pictures <output directory>
#include <QColor>
#include <QDir>
#include <QImage>
#include <QString>
#include <cmath>
#include <cstdio>

namespace {

constexpr int kFrameWidth = 59, kFrameHeight = 13;
constexpr int kCell = 3;  // corner and border thickness
constexpr int kRightColumn = kFrameWidth - kCell;
constexpr int kBottomRow = kFrameHeight - kCell;
constexpr int kLookWidth = 8, kLookHeight = 10;

constexpr QRgb kWhite = 0xffffff;
constexpr QRgb kOutline = 0x6b696b;
constexpr QRgb kBevel = 0xbdbebd;
constexpr QRgb kHighlight = 0xefefef;
constexpr QRgb kCornerLight = 0xadaaa5;
constexpr QRgb kCornerMid = 0x7b7d7b;
constexpr QRgb kCornerDark = 0x737573;

using Cell3 = QRgb[kCell][kCell];  // [row][column]

constexpr Cell3 kTopLeft = {
    {kWhite, kCornerLight, kCornerMid}, {kCornerLight, kCornerDark, kBevel}, {kCornerMid, kBevel, kBevel}};
constexpr Cell3 kBottomRight = {{kHighlight, kBevel, kCornerMid},
                                {kHighlight, kCornerDark, kCornerLight},
                                {kCornerMid, kCornerLight, kWhite}};

void Put(QImage& img, int x, int y, QRgb rgb) { img.setPixel(x, y, 0xff000000u | rgb); }

void PutCorner(QImage& img, int left, int top, const Cell3& cell, bool mirrored) {
  for (int r = 0; r < kCell; ++r)
    for (int c = 0; c < kCell; ++c) Put(img, left + c, top + r, cell[r][mirrored ? kCell - 1 - c : c]);
}

QImage Frame() {
  QImage img(kFrameWidth, kFrameHeight, QImage::Format_RGB32);
  img.fill(0xff000000u | kWhite);
  const QRgb top[kCell] = {kOutline, kBevel, kHighlight};         // rows, outside in
  const QRgb bottom[kCell] = {kHighlight, kHighlight, kOutline};  // rows, inside out
  const QRgb left[kCell] = {kOutline, kBevel, kHighlight};        // columns, outside in
  const QRgb right[kCell] = {kHighlight, kBevel, kOutline};       // columns, inside out
  for (int x = kCell; x < kRightColumn; ++x)
    for (int i = 0; i < kCell; ++i) {
      Put(img, x, i, top[i]);
      Put(img, x, kBottomRow + i, bottom[i]);
    }
  for (int y = kCell; y < kBottomRow; ++y)
    for (int i = 0; i < kCell; ++i) {
      Put(img, i, y, left[i]);
      Put(img, kRightColumn + i, y, right[i]);
    }
  PutCorner(img, 0, 0, kTopLeft, false);
  PutCorner(img, kRightColumn, 0, kTopLeft, true);
  PutCorner(img, kRightColumn, kBottomRow, kBottomRight, false);
  PutCorner(img, 0, kBottomRow, kBottomRight, true);
  // The white track, which the painter stretches over the bar's inside.
  for (int y = 4; y <= kBottomRow; ++y)
    for (int x = 4; x < kRightColumn - 1; ++x) Put(img, x, y, kWhite);
  return img;
}

QRgb Mix(QRgb a, QRgb b, double t) {
  auto channel = [t](int ca, int cb) { return static_cast<int>(std::lround(ca + (cb - ca) * t)); };
  return qRgb(channel(qRed(a), qRed(b)), channel(qGreen(a), qGreen(b)), channel(qBlue(a), qBlue(b)));
}

// Slots 0 and 1: uniform columns, so each column's average is exactly its gradient colour.
QImage HorizontalGradient(QRgb left, QRgb right) {
  QImage img(kLookWidth, kLookHeight, QImage::Format_RGB32);
  for (int x = 0; x < kLookWidth; ++x) {
    const QRgb c = Mix(left, right, static_cast<double>(x) / (kLookWidth - 1));
    for (int y = 0; y < kLookHeight; ++y) Put(img, x, y, c);
  }
  return img;
}

// Slot 2: uniform rows shading from the top colour down to the darkest row and back up to the
// bottom colour, the rounded metallic block.
QImage Block(QRgb top, QRgb darkest, int darkestRow, QRgb bottom) {
  QImage img(kLookWidth, kLookHeight, QImage::Format_RGB32);
  const int last = kLookHeight - 1;
  for (int y = 0; y < kLookHeight; ++y) {
    const QRgb c = y <= darkestRow
                       ? Mix(top, darkest, static_cast<double>(y) / darkestRow)
                       : Mix(darkest, bottom, static_cast<double>(y - darkestRow) / (last - darkestRow));
    for (int x = 0; x < kLookWidth; ++x) Put(img, x, y, c);
  }
  return img;
}

struct Look {
  const char* name;
  QRgb tailLeft, tailRight, middleLeft, middleRight;
  QRgb blockTop, blockDarkest;
  int darkestRow;
  QRgb blockBottom;
};

constexpr Look kLooks[] = {
    {"master", 0xcbf4cc, 0x7ce37e, 0x97e998, 0x56db58, 0x94e995, 0x28d22b, 5, 0x75e277},
    {"blue", 0xc8e3fe, 0x83bffc, 0x67b2fc, 0x228ffb, 0x409fff, 0x0076ec, 5, 0x3399ff},
    {"bluemet", 0xe9f2f7, 0xa0bed1, 0x86aabd, 0x3c7086, 0x5892b9, 0x0a3d2a, 5, 0x38759f},
    {"goldmet", 0xfdf9fd, 0xf4e4cc, 0xefd8ae, 0xdfbc56, 0xecd39f, 0xd8a62f, 5, 0xe2c36a},
    {"grmet", 0xcfe2ca, 0xc9dfc3, 0xbdd7b6, 0x99c28e, 0x95b38e, 0x75a66a, 6, 0x98c88c},
    {"greymet", 0xececec, 0xd3d3d3, 0xc2c2c2, 0x999999, 0xcbcbcb, 0x6c6c6c, 5, 0xa8a8a8},
    {"orangemet", 0xfffcf1, 0xfff1be, 0xffeba4, 0xffde65, 0xffe996, 0xffd22c, 5, 0xffe277},
    {"redmet", 0xf3ccb5, 0xf3ceb7, 0xf1c6ab, 0xe89f72, 0xe9a77f, 0xe47e3f, 4, 0xebb899},
};

bool Save(const QImage& img, const QDir& dir, const QString& name) {
  const QString path = dir.filePath(name + ".png");
  if (img.save(path, "PNG")) return true;
  std::fprintf(stderr, "Could not write %s; check that the folder is writable.\n", qPrintable(path));
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "Usage: %s <output directory>\n", argv[0]);
    return 2;
  }
  const QDir dir(QString::fromLocal8Bit(argv[1]));
  if (!dir.exists() && !QDir().mkpath(dir.path())) {
    std::fprintf(stderr, "Could not create %s.\n", argv[1]);
    return 1;
  }
  bool ok = Save(Frame(), dir, "img");
  QImage blank(kLookWidth, kLookHeight, QImage::Format_RGB32);
  blank.fill(0xff000000u | kWhite);
  ok = Save(blank, dir, "blank") && ok;
  for (const Look& look : kLooks) {
    const QString name = QString::fromLatin1(look.name);
    ok = Save(HorizontalGradient(look.tailLeft, look.tailRight), dir, name + "_0") && ok;
    ok = Save(HorizontalGradient(look.middleLeft, look.middleRight), dir, name + "_1") && ok;
    ok = Save(Block(look.blockTop, look.blockDarkest, look.darkestRow, look.blockBottom), dir, name + "_2") &&
         ok;
  }
  return ok ? 0 : 1;
}
