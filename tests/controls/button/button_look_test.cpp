// What the button's look follows: its own palette, the container behind the transparent style, and
// the screen's resolution for its caption.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QPointer>
#include <QWidget>
#include <functional>

#include "controls/button/caption.h"
#include "controls/button/chameleon_button.h"
#include "platform/gdi/dc.h"
#include "tests/support/control_widgets.h"
#include "tests/support/recording_services.h"

namespace kelvane::controls::test {
namespace {

constexpr int kWidth = 40, kHeight = 20;
constexpr std::int32_t kSystemButtonFace = static_cast<std::int32_t>(0x8000000F);

QRgb Middle(chameleonButton& b) { return b.surface().image().pixel(kWidth / 2, kHeight / 2) | 0xFF000000u; }

QPalette WithButtonColour(const QPalette& base, const QColor& colour) {
  QPalette p = base;
  p.setColor(QPalette::Button, colour);
  return p;
}

// A captionless style-2 button in a shown window: its middle pixel is the face.
struct InWindow {
  QWidget window;
  chameleonButton* button = kelvane::test::NewButton(&window);
  explicit InWindow(std::int32_t scheme, std::int32_t backColor = 0xFFFFFF) {
    window.resize(80, 50);
    button->setCaption({});
    button->setColorScheme(scheme);
    button->setBackColor(backColor);
    button->widget().setGeometry(10, 10, kWidth, kHeight);
    window.show();
    QApplication::processEvents();
  }
};

// ---- the palette ----

struct PaletteCase {
  const char* name;
  std::int32_t scheme;
  std::int32_t backColor;
  bool onParent;
};

class FollowsItsPalette : public ::testing::TestWithParam<PaletteCase> {};

TEST_P(FollowsItsPalette, SystemColoursComeFromTheButtonsOwnPalette) {
  const PaletteCase& c = GetParam();
  InWindow w(c.scheme, c.backColor);
  QWidget& holder = c.onParent ? w.window : w.button->widget();
  holder.setPalette(WithButtonColour(holder.palette(), QColor(0x12, 0x80, 0x34)));
  if (c.scheme == 2) w.button->Refresh();  // scheme 2 takes the change at its next recomputation
  EXPECT_EQ(Middle(*w.button), qRgb(0x12, 0x80, 0x34)) << c.name;
  EXPECT_NE(QApplication::palette().color(QPalette::Button), QColor(0x12, 0x80, 0x34));
}

INSTANTIATE_TEST_SUITE_P(Where, FollowsItsPalette,
                         ::testing::Values(PaletteCase{"scheme 1, the button's palette", 1, 0, false},
                                           PaletteCase{"scheme 1, the parent's palette", 1, 0, true},
                                           PaletteCase{"scheme 2, BackColor the system face, the button's", 2,
                                                       kSystemButtonFace, false},
                                           PaletteCase{"scheme 2, BackColor the system face, the parent's", 2,
                                                       kSystemButtonFace, true}));

// A palette change repaints the system colours at once; scheme 2 keeps the colours it worked out
// until it next works them out, as it does for an ambient change.
TEST(PaletteChange, RepaintsSystemColoursAndLeavesScheme2UntilItsNextRecomputation) {
  InWindow system(1), own(2, kSystemButtonFace);
  const QRgb ownBefore = Middle(*own.button);
  for (QWidget* window : {&system.window, &own.window})
    window->setPalette(WithButtonColour(window->palette(), Qt::darkCyan));
  EXPECT_EQ(Middle(*system.button), QColor(Qt::darkCyan).rgb());
  EXPECT_EQ(Middle(*own.button), ownBefore);
  own.button->setSoftBevel(false);  // a setter that works the colours out again
  EXPECT_EQ(Middle(*own.button), QColor(Qt::darkCyan).rgb());
}

// ---- the transparent style ----

QPalette WindowColour(const QColor& c) {
  QPalette p = QApplication::palette();
  p.setColor(QPalette::Window, c);
  return p;
}

class TransparentOver : public ::testing::Test {
 protected:
  void SetUp() override {
    container.setAutoFillBackground(true);
    container.setPalette(WindowColour(Qt::green));
    container.resize(80, 60);
    button->setCaption({});
    button->setShowFocusRect(false);
    button->setButtonType(11);
    button->widget().setGeometry(10, 20, kWidth, kHeight);
    container.show();
    QApplication::processEvents();
  }

  QWidget container;
  chameleonButton* button = kelvane::test::NewButton(&container);
};

struct LookChange {
  const char* name;
  std::function<void(QWidget& container)> change;
  std::function<void(QWidget& container)> undo;
};

class CapturedAgain : public TransparentOver, public ::testing::WithParamInterface<LookChange> {};

TEST_P(CapturedAgain, ShowsTheContainerInItsNewLook) {
  ASSERT_EQ(Middle(*button), QColor(Qt::green).rgb());
  GetParam().change(container);
  QApplication::processEvents();
  const QRgb after = Middle(*button);
  GetParam().undo(container);
  EXPECT_EQ(after, QColor(Qt::darkBlue).rgb()) << GetParam().name;
  EXPECT_EQ(button->widget().size(), QSize(kWidth, kHeight));
}

INSTANTIATE_TEST_SUITE_P(
    Changes, CapturedAgain,
    ::testing::Values(LookChange{"the container's palette",
                                 [](QWidget& c) { c.setPalette(WindowColour(Qt::darkBlue)); },
                                 [](QWidget&) {}},
                      LookChange{"the application's palette, the container following it",
                                 [](QWidget& c) {
                                   c.setPalette(QPalette());
                                   c.setAttribute(Qt::WA_SetPalette, false);
                                   QApplication::setPalette(WindowColour(Qt::darkBlue));
                                 },
                                 [](QWidget&) { QApplication::setPalette(QPalette()); }}));

// The capture runs pending events; a handler there may delete the button.
struct DeletedDuring {
  const char* name;
  std::function<void(chameleonButton&)> capture;
};

class DeletedWhileCapturing : public TransparentOver, public ::testing::WithParamInterface<DeletedDuring> {};

TEST_P(DeletedWhileCapturing, NothingTouchesTheButtonAfterwards) {
  kelvane::test::RecordingServices services;
  kelvane::test::ScopedServices scoped(services);
  services.onPendingEvents = [&](int) { delete &button->widget(); };
  const QPointer<chameleonButton> alive(button);
  GetParam().capture(*button);
  EXPECT_TRUE(alive.isNull()) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Captures, DeletedWhileCapturing,
                         ::testing::Values(DeletedDuring{"Refresh", [](chameleonButton& b) { b.Refresh(); }},
                                           DeletedDuring{"becoming style 11", [](chameleonButton& b) {
                                                           b.setButtonType(2);
                                                           b.setButtonType(11);
                                                         }}));

// ---- the caption at the screen's resolution ----

// Every caption mode and effect kept for the screen lands where the surface would have drawn it.
class KeptCaption : public ::testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(KeptCaption, DrawnAtScale1IsTheSurfacesCaption) {
  const auto [mode, effect] = GetParam();
  PaintOptions in;
  in.Caption = QStringLiteral("&Go on");
  in.SpecialEffect = effect;
  in.Colors.FaceColor = 0xC0C0C0;
  in.Colors.TextColor = 0x102030;
  in.Colors.TextOverColor = 0x0000FF;
  in.Colors.HighlightColor = 0xFFFFFF;
  in.Colors.ShadowColor = 0x808080;
  in.Layout.CaptionRect = {2, 3, 50, 20};
  in.Layout.PressedCaptionRect = {3, 4, 51, 21};
  const auto draw = [&](CaptionOverlay* overlay) {
    gdi::Surface surface(QSize(60, 24), 0xFFC0C0C0);
    gdi::Dc dc(surface);
    std::uint8_t last = 0;
    PaintCaption(dc, in, static_cast<std::uint8_t>(mode), last, overlay);
    return surface.image();
  };
  const QImage direct = draw(nullptr);
  CaptionOverlay overlay;
  QImage kept = draw(&overlay);
  ASSERT_FALSE(overlay.Empty());
  {
    QPainter p(&kept);
    overlay.Paint(p);
  }
  EXPECT_EQ(kept, direct) << "mode " << mode << ", effect " << effect;
}

INSTANTIATE_TEST_SUITE_P(ModesAndEffects, KeptCaption,
                         ::testing::Combine(::testing::Range(0, 8), ::testing::Values(0, 1, 2, 3)));

// At scale 2 the caption is drawn at the finer pixels, not enlarged: some 2 x 2 block of it is not
// of one colour.
TEST(KeptCaption, AtScale2HasFinerDetailThanTheSurface) {
  PaintOptions in;
  in.Caption = QStringLiteral("Optimize");
  in.Colors.TextColor = 0x000000;
  in.Layout.CaptionRect = {1, 1, 70, 20};
  gdi::Surface surface(QSize(72, 22));
  gdi::Dc dc(surface);
  CaptionOverlay overlay;
  std::uint8_t last = 0;
  PaintCaption(dc, in, kCaptionUp, last, &overlay);
  QImage fine(144, 44, QImage::Format_RGB32);
  fine.fill(Qt::white);
  fine.setDevicePixelRatio(2);
  {
    QPainter p(&fine);
    overlay.Paint(p);
  }
  int mixed = 0, inked = 0;
  for (int y = 0; y < fine.height(); y += 2)
    for (int x = 0; x < fine.width(); x += 2) {
      const QRgb a = fine.pixel(x, y);
      inked += a != qRgb(255, 255, 255);
      mixed += a != fine.pixel(x + 1, y) || a != fine.pixel(x, y + 1) || a != fine.pixel(x + 1, y + 1);
    }
  EXPECT_GT(inked, 20);
  EXPECT_GT(mixed, inked / 4);
}

}  // namespace
}  // namespace kelvane::controls::test
