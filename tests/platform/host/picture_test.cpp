#include "platform/host/picture.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

#include "platform/host/errors.h"
#include "platform/host/picture_paint.h"
#include "recording_control.h"
#include "tests/support/hosted_control.h"

namespace kelvane::host {
namespace {

constexpr QRgb R = 0xFFFF0000, G = 0xFF00FF00, B = 0xFF0000FF, W = 0xFFFFFFFF, K = 0xFF000000;

QImage Row(std::initializer_list<QRgb> pixels, QImage::Format format = QImage::Format_RGB32) {
  QImage img(static_cast<int>(pixels.size()), 1, format);
  int x = 0;
  for (QRgb p : pixels) img.setPixel(x++, 0, p);
  return img;
}

QImage Blank(int w, int h, QRgb fill = W) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(fill);
  return img;
}

std::vector<QRgb> RowOf(const QImage& img, int y) {
  std::vector<QRgb> out;
  for (int x = 0; x < img.width(); ++x) out.push_back(img.pixel(x, y) | 0xFF000000u);
  return out;
}

struct HimetricCase {
  int pixels, himetric;
};

class PictureHimetric : public testing::TestWithParam<HimetricCase> {};

TEST_P(PictureHimetric, SizeIsRoundedFromPixels) {
  const Picture p = Picture::fromBitmap(Blank(GetParam().pixels, 1));
  EXPECT_EQ(p.widthPixels(), GetParam().pixels);
  EXPECT_EQ(p.widthHimetric(), GetParam().himetric);
  EXPECT_EQ(p.heightHimetric(), 26);  // 26.46
}

INSTANTIATE_TEST_SUITE_P(Sizes, PictureHimetric,
                         testing::Values(HimetricCase{1, 26}, HimetricCase{16, 423}, HimetricCase{32, 847},
                                         HimetricCase{96, 2540}));

TEST(Picture, HandlesAreNonzeroUniqueAndSharedByCopies) {
  const Picture a = Picture::fromBitmap(Blank(2, 2));
  const Picture b = Picture::fromIcon(Blank(2, 2));
  EXPECT_NE(a.handle(), 0u);
  EXPECT_NE(a.handle(), b.handle());
  EXPECT_EQ(Picture(a).handle(), a.handle());
  EXPECT_EQ(b.type(), PictureType::Icon);
  EXPECT_EQ(Picture().handle(), 0u);
  EXPECT_EQ(Picture().widthHimetric(), 0);
  EXPECT_TRUE(Picture::fromBitmap(QImage()).isNull());
}

TEST(Picture, LoadsAFileAndReportsAMissingResource) {
  QTemporaryDir dir;
  const QString path = dir.filePath("p.png");
  ASSERT_TRUE(Blank(5, 4, G).save(path));
  const Picture p = Picture::load(path, PictureType::Bitmap);
  EXPECT_EQ(p.widthPixels(), 5);
  EXPECT_EQ(p.image().pixel(0, 0) | 0xFF000000u, G);
  EXPECT_TRUE(Picture::load(dir.filePath("none.png"), PictureType::Icon).isNull());
  try {
    Picture::loadResource(":/missing/cursor101.png", PictureType::Icon);
    FAIL();
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number(), kErrResourceNotFound);
    EXPECT_NE(std::string(e.what()).find(":/missing/cursor101.png"), std::string::npos);
  }
}

// Whatever a file holds, whatever its name says.
struct ImageFileCase {
  const char* name;
  const char* format;  // what the file holds
};
class ReadImageFileCase : public testing::TestWithParam<ImageFileCase> {};

TEST_P(ReadImageFileCase, ReadsWhatQImageReads) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QString::fromLatin1(GetParam().name));
  QImage pixels = Row({R, G, B, W, K});
  ASSERT_TRUE(pixels.save(path, GetParam().format));
  const QImage read = ReadImageFile(path);
  ASSERT_FALSE(read.isNull());
  EXPECT_EQ(read.convertToFormat(QImage::Format_RGB32), QImage(path).convertToFormat(QImage::Format_RGB32));
}

INSTANTIATE_TEST_SUITE_P(Files, ReadImageFileCase,
                         testing::Values(ImageFileCase{"a.png", "PNG"}, ImageFileCase{"b.PNG", "PNG"},
                                         ImageFileCase{"c.bmp", "BMP"}, ImageFileCase{"d.png", "BMP"},
                                         ImageFileCase{"e", "PNG"}, ImageFileCase{"f.png", "XPM"}),
                         [](const auto& test) { return std::string(1, test.param.name[0]); });

bool ImagePluginLoaded() {
  QFile maps(QStringLiteral("/proc/self/maps"));
  return !maps.open(QIODevice::ReadOnly) || maps.readAll().contains("/imageformats/");
}

// In a process of its own, as at start-up: nothing has loaded an image plugin yet.
TEST(ReadImageFileDeathTest, ReadsAPngWithoutLoadingImagePlugins) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.png"));
        // Written by hand: Qt's image writer loads the plugins too.
        static const char kGreenBluePng[] =
            "\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\0\x02\0\0\0\x01\x08\x02\0\0\0\x7b\x40\xe8\xdd"
            "\0\0\0\x0fIDAT\x78\xda\x63\x60\xf8\xcf\xc0\xc0\xf0\x1f\0\x06\x01\x01\xff\xe4\x84\xf1\x35"
            "\0\0\0\0IEND\xae\x42\x60\x82";
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(kGreenBluePng, sizeof kGreenBluePng - 1) != 72) {
          std::exit(2);
        }
        file.close();
        const QImage read = ReadImageFile(path);
        const bool right = read.size() == QSize(2, 1) && read.pixel(0, 0) == G && read.pixel(1, 0) == B;
        std::exit(!right ? 3 : ImagePluginLoaded() ? 4 : 0);
      },
      testing::ExitedWithCode(0), "");
}

struct StretchCase {
  const char* name;
  PixelRect dest, src;
  std::vector<QRgb> expected;  // the 6-pixel destination row after painting onto white
};

class Stretch : public testing::TestWithParam<StretchCase> {};

TEST_P(Stretch, NearestNeighbourRow) {
  QImage dest = Blank(6, 1);
  StretchPicture(dest, GetParam().dest, Row({R, G, B, K}), GetParam().src, PaintMode::Opaque);
  EXPECT_EQ(RowOf(dest, 0), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Stretch,
    testing::Values(StretchCase{"Copy", {0, 0, 4, 1}, {0, 0, 4, 1}, {R, G, B, K, W, W}},
                    StretchCase{"Doubled", {0, 0, 4, 1}, {0, 0, 2, 1}, {R, R, G, G, W, W}},
                    StretchCase{"Tripled", {0, 0, 6, 1}, {1, 0, 2, 1}, {G, G, G, B, B, B}},
                    StretchCase{"Halved", {0, 0, 2, 1}, {0, 0, 4, 1}, {G, K, W, W, W, W}},
                    StretchCase{"Offset", {3, 0, 2, 1}, {2, 0, 2, 1}, {W, W, W, B, K, W}},
                    StretchCase{"MirroredDest", {4, 0, -4, 1}, {0, 0, 4, 1}, {K, B, G, R, W, W}},
                    StretchCase{"ClippedLeft", {-2, 0, 4, 1}, {0, 0, 4, 1}, {B, K, W, W, W, W}},
                    StretchCase{"ClippedRight", {4, 0, 4, 1}, {0, 0, 4, 1}, {W, W, W, W, R, G}},
                    StretchCase{"SourceOutsidePicture", {0, 0, 4, 1}, {2, 0, 4, 1}, {B, K, W, W, W, W}},
                    StretchCase{"EmptyDest", {0, 0, 0, 1}, {0, 0, 4, 1}, {W, W, W, W, W, W}}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(StretchIcon, TransparentPixelsLeaveTheDestination) {
  QImage dest = Blank(4, 1, K);
  const QImage icon = Row({0x00FF0000, 0xFF00FF00, 0x80FFFFFF, 0xFF0000FF}, QImage::Format_ARGB32);
  StretchPicture(dest, {0, 0, 4, 1}, icon, {0, 0, 4, 1}, PaintMode::ThroughAlpha);
  // half-opaque white over black: 255 * 128 / 255 = 128
  EXPECT_EQ(RowOf(dest, 0), (std::vector<QRgb>{K, G, qRgb(128, 128, 128), B}));
  QImage opaque = Blank(4, 1, K);
  StretchPicture(opaque, {0, 0, 4, 1}, icon, {0, 0, 4, 1}, PaintMode::Opaque);
  EXPECT_EQ(RowOf(opaque, 0), (std::vector<QRgb>{R, G, W, B}));
}

TEST(StretchTwoDimensions, EveryPixelOfATinySurface) {
  QImage src(2, 2, QImage::Format_RGB32);
  src.setPixel(0, 0, R);
  src.setPixel(1, 0, G);
  src.setPixel(0, 1, B);
  src.setPixel(1, 1, K);
  QImage dest = Blank(5, 5);
  // rows sample the source at (2j + 1) / 6 of its height: 0, 1, 1
  StretchPicture(dest, {1, 1, 4, 3}, src, {0, 0, 2, 2}, PaintMode::Opaque);
  const std::vector<std::vector<QRgb>> expected{
      {W, W, W, W, W}, {W, R, R, G, G}, {W, B, B, K, K}, {W, B, B, K, K}, {W, W, W, W, W}};
  for (int y = 0; y < 5; ++y) EXPECT_EQ(RowOf(dest, y), expected[static_cast<std::size_t>(y)]) << "row " << y;
}

// Surfaces and pictures take a direct path; any other format must come out the same pixel for pixel.
TEST(StretchFormats, EveryFormatPairPaintsTheSamePixels) {
  const QImage icon = Row({0x00FF0000, 0xFF00FF00, 0x80FFFFFF, 0x40102030}, QImage::Format_ARGB32);
  // A bitmap is opaque whatever its unused alpha byte holds.
  QImage bitmap = Row({R, G, B, K});
  reinterpret_cast<QRgb*>(bitmap.bits())[1] = 0x0000FF00;
  for (const QImage& src : {icon, bitmap, icon.convertToFormat(QImage::Format_ARGB32_Premultiplied)}) {
    for (PaintMode mode : {PaintMode::Opaque, PaintMode::ThroughAlpha}) {
      QImage direct = Blank(5, 3, qRgb(10, 200, 90));
      QImage other = direct.convertToFormat(QImage::Format_RGB888);
      StretchPicture(direct, {4, 0, -5, 3}, src, {0, 0, 4, 1}, mode);
      StretchPicture(other, {4, 0, -5, 3}, src, {0, 0, 4, 1}, mode);
      for (int y = 0; y < 3; ++y)
        EXPECT_EQ(RowOf(direct, y), RowOf(other, y)) << src.format() << " row " << y;
    }
  }
  QImage dest = Blank(4, 1);
  StretchPicture(dest, {0, 0, 4, 1}, bitmap, {0, 0, 4, 1}, PaintMode::ThroughAlpha);
  EXPECT_EQ(RowOf(dest, 0), (std::vector<QRgb>{R, G, B, K}));
}

TEST(ControlPaintPicture, DestinationIsInScaleUnitsAndIconsPaintThroughTheirMask) {
  test::Hosted<test::RecordingControl> widget;
  test::RecordingControl& c = widget.control();
  widget.resize(6, 1);
  c.Cls();
  const Picture pic = Picture::fromBitmap(Row({R, G}));
  c.PaintPicture(pic, 15, 0, 60, 15, 0, 0, 2, 1);  // twips: x 1, width 4
  EXPECT_EQ(RowOf(c.surface().image(), 0), (std::vector<QRgb>{W, R, R, G, G, W}));
  c.setScaleMode(ScaleUnit::Pixels);
  c.PaintPicture(pic, 4, 0);  // natural size
  EXPECT_EQ(RowOf(c.surface().image(), 0), (std::vector<QRgb>{W, R, R, G, R, G}));
  c.PaintPicture(Picture::fromIcon(Row({0x00FFFFFF, 0xFF000000, 0x00FFFFFF}, QImage::Format_ARGB32)), 0, 0);
  EXPECT_EQ(RowOf(c.surface().image(), 0), (std::vector<QRgb>{W, K, R, G, R, G}));
}

}  // namespace
}  // namespace kelvane::host
