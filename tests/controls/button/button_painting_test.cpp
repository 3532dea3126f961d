// The paint cycle as a container sees it: whole surfaces of small buttons.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPalette>
#include <QResizeEvent>
#include <QWidget>
#include <memory>

#include "controls/button/chameleon_button.h"

namespace kelvane::controls::test {
namespace {

constexpr int kWidth = 40, kHeight = 20;
constexpr std::int32_t kWhite = 0xFFFFFF, kRed = 0x0000FF;

// A new style-3, scheme-2 button of the test size, painted once.
std::unique_ptr<chameleonButton> MakeButton(const QString& caption, std::int32_t backColor = kWhite) {
  auto b = std::make_unique<chameleonButton>();
  b->hostCreateNew({});
  b->setButtonType(3);
  b->setColorScheme(2);
  b->setBackColor(backColor);
  b->setCaption(caption);
  // Qt holds back the resize notification while unshown, so deliver it by hand.
  QResizeEvent ev(QSize(kWidth, kHeight), b->size());
  b->resize(kWidth, kHeight);
  QCoreApplication::sendEvent(b.get(), &ev);
  return b;
}

QImage Pixels(chameleonButton& b) { return b.surface().image().copy(); }

void Press(chameleonButton& b) {
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(&b, &press);
}

TEST(ButtonPainting, HeldOffUntilRefreshThenPaintedOnceWithFreshColours) {
  auto b = MakeButton("Go");
  const QImage white = Pixels(*b);
  b->DisableRefresh();
  b->setBackColor(kRed);
  b->setCaption("Stop");
  EXPECT_EQ(Pixels(*b), white) << "nothing is painted while painting is held off";
  b->Refresh();
  EXPECT_EQ(Pixels(*b), Pixels(*MakeButton("Stop", kRed)));
}

TEST(ButtonPainting, CheckedCheckBoxShowsTheDownLookWhateverItIsAskedFor) {
  auto checked = MakeButton("Go");
  checked->setCheckBoxBehaviour(true);
  checked->setValue(true);
  auto pressed = MakeButton("Go");
  Press(*pressed);
  EXPECT_NE(Pixels(*pressed), Pixels(*MakeButton("Go"))) << "the down look differs from the up look";
  EXPECT_EQ(Pixels(*checked), Pixels(*pressed));
}

// Scheme 1 follows the system's colours when the container reports a change; scheme 2 keeps its own.
TEST(ButtonPainting, AmbientChangeRecomputesEveryButScheme2) {
  const QPalette original = QApplication::palette();
  auto system = MakeButton("Go");
  system->setColorScheme(1);
  auto own = MakeButton("Go");
  const QImage systemBefore = Pixels(*system), ownBefore = Pixels(*own);
  QPalette changed = original;
  changed.setColor(QPalette::Button, Qt::darkGreen);
  QApplication::setPalette(changed);
  system->setAmbient({}, QStringLiteral("BackColor"));
  own->setAmbient({}, QStringLiteral("BackColor"));
  const QImage systemAfter = Pixels(*system), ownAfter = Pixels(*own);
  QApplication::setPalette(original);
  EXPECT_NE(systemAfter, systemBefore);
  EXPECT_EQ(ownAfter, ownBefore);
}

// Types without a drawing show the face alone: no caption, no outline.
class FaceOnly : public ::testing::TestWithParam<std::int32_t> {};

TEST_P(FaceOnly, TypeWithoutADrawingShowsOnlyTheFace) {
  auto b = MakeButton("Go", kRed);
  b->setButtonType(GetParam());
  QImage expected(kWidth, kHeight, QImage::Format_RGB32);
  expected.fill(qRgb(0xFF, 0, 0));
  EXPECT_EQ(Pixels(*b).convertToFormat(QImage::Format_RGB32), expected);
}

INSTANTIATE_TEST_SUITE_P(Types, FaceOnly, ::testing::Values(0, 10, 15));

// ---- pictures ----

constexpr QRgb kPictureRed = qRgb(0xFF, 0, 0), kPictureMask = qRgb(0xC0, 0xC0, 0xC0);

// 4 x 4 red with its top-left pixel in the mask colour.
host::Picture RedSquare() {
  QImage img(4, 4, QImage::Format_RGB32);
  img.fill(kPictureRed);
  img.setPixel(0, 0, kPictureMask);
  return host::Picture::fromBitmap(img);
}

// Style 10 draws nothing of its own, so only the face and the picture show.
std::unique_ptr<chameleonButton> PictureButton(const QString& caption = {}) {
  auto b = MakeButton(caption);
  b->setButtonType(10);
  b->setMaskColor(0xC0C0C0);
  return b;
}

QImage RGB32(const QImage& img) { return img.convertToFormat(QImage::Format_RGB32); }

// The face with the red square at (x, y), its masked corner showing the face.
QImage FaceWithSquareAt(int x, int y) {
  QImage expected(kWidth, kHeight, QImage::Format_RGB32);
  expected.fill(qRgb(0xFF, 0xFF, 0xFF));
  for (int dy = 0; dy < 4; ++dy)
    for (int dx = (dy == 0 ? 1 : 0); dx < 4; ++dx) expected.setPixel(x + dx, y + dy, kPictureRed);
  return expected;
}

TEST(ButtonPictures, WithoutACaptionThePictureIsCentredAndItsMaskColourLetsTheFaceThrough) {
  auto b = PictureButton();
  b->setPictureNormal(RedSquare());
  EXPECT_EQ(RGB32(Pixels(*b)), FaceWithSquareAt((kWidth - 4) / 2, (kHeight - 4) / 2));
}

TEST(ButtonPictures, AHoverPictureAloneIsNeverShownNorMeasured) {
  auto bare = PictureButton("Go");
  auto overOnly = PictureButton("Go");
  overOnly->setPictureOver(RedSquare());
  Press(*overOnly);
  EXPECT_EQ(Pixels(*overOnly), Pixels(*bare));
}

TEST(ButtonPictures, PressingMovesTheHoverPictureOnePixelRightAndDown) {
  auto b = PictureButton();
  b->setPictureNormal(RedSquare());
  b->setPictureOver(RedSquare());
  Press(*b);
  EXPECT_EQ(RGB32(Pixels(*b)), FaceWithSquareAt((kWidth - 4) / 2 + 1, (kHeight - 4) / 2 + 1));
}

TEST(ButtonPictures, APictureBehindTheCaptionHasTheCaptionDrawnAgainOverIt) {
  QImage big(kWidth, kHeight, QImage::Format_RGB32);
  big.fill(kPictureRed);
  auto b = PictureButton("W");
  b->setButtonType(2);
  const QImage captionOnly = RGB32(Pixels(*b));
  b->setPicturePosition(4);
  b->setPictureNormal(host::Picture::fromBitmap(big));
  const QImage shown = RGB32(Pixels(*b));
  int captionPixels = 0;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      if (captionOnly.pixel(x, y) == qRgb(0, 0, 0)) {
        EXPECT_EQ(shown.pixel(x, y), qRgb(0, 0, 0)) << x << "," << y;
        ++captionPixels;
      }
  EXPECT_GT(captionPixels, 0);
}

// ---- the transparent style ----

class TransparentButton : public ::testing::Test {
 protected:
  void SetUp() override {
    Paint(Qt::green);
    container.setAutoFillBackground(true);
    container.resize(80, 60);
    button->hostCreateNew({});
    button->setCaption({});
    button->setShowFocusRect(false);  // the only button in the window takes the focus
    button->setButtonType(11);
    button->setGeometry(10, 20, kWidth, kHeight);
    container.show();
    QApplication::processEvents();
  }
  void TearDown() override { button->hostTerminate(); }
  void Paint(const QColor& c) {
    QPalette pal;
    pal.setColor(QPalette::Window, c);
    container.setPalette(pal);
  }
  QImage Filled(const QColor& c) const {
    QImage img(kWidth, kHeight, QImage::Format_RGB32);
    img.fill(c);
    return img;
  }

  QWidget container;
  chameleonButton* button = new chameleonButton(&container);  // owned by the container
};

TEST_F(TransparentButton, ShowsTheContainerPixelsOfItsLastShowOrRefresh) {
  EXPECT_EQ(RGB32(Pixels(*button)), Filled(Qt::green));
  Paint(Qt::blue);
  button->move(30, 30);
  button->setCaption({});  // a repaint without a capture
  EXPECT_EQ(RGB32(Pixels(*button)), Filled(Qt::green)) << "the old pixels stay until a refresh";
  button->Refresh();
  EXPECT_EQ(RGB32(Pixels(*button)), Filled(Qt::blue));
  EXPECT_EQ(button->size(), QSize(kWidth, kHeight)) << "the capture gives the height back";
}

TEST_F(TransparentButton, AfterTerminationNothingCapturedIsShown) {
  button->hostTerminate();
  button->setButtonType(2);
  button->setButtonType(11);
  button->Refresh();
  EXPECT_NE(RGB32(Pixels(*button)), Filled(Qt::green));
}

}  // namespace
}  // namespace kelvane::controls::test
