// The paint cycle as a container sees it: whole surfaces of small buttons.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPalette>
#include <QResizeEvent>
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

}  // namespace
}  // namespace kelvane::controls::test
