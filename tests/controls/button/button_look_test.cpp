// What the button's look follows: its own palette, the container behind the transparent style, and
// the caption kept for a scaled screen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <functional>

#include "controls/button/caption.h"
#include "controls/button/chameleon_button.h"
#include "tests/support/control_widgets.h"
#include "tests/support/recording_services.h"

namespace kelvane::controls::test {
namespace {

constexpr std::int32_t kSystemButtonFace = static_cast<std::int32_t>(0x8000000F);
const QColor kGreen(0x12, 0x80, 0x34);

QPalette With(QPalette p, QPalette::ColorRole role, const QColor& c) {
  p.setColor(role, c);
  return p;
}

// A captionless 40 x 20 button in a shown window; `Middle` is its face (or what style 11 copied).
struct InWindow {
  QWidget window;
  chameleonButton* button = kelvane::test::NewButton(&window);
  InWindow(std::int32_t scheme, std::int32_t backColor, std::int32_t type = 2) {
    window.setAutoFillBackground(true);
    window.resize(80, 50);
    button->setCaption({});
    button->setShowFocusRect(false);
    button->setColorScheme(scheme);
    button->setBackColor(backColor);
    button->setButtonType(type);
    button->widget().setGeometry(10, 10, 40, 20);
    window.show();
    QApplication::processEvents();
  }
  QRgb Middle() const { return button->surface().image().pixel(20, 10) | 0xFF000000u; }
};

struct PaletteCase {
  const char* name;
  std::int32_t scheme;
  bool onParent;
  bool followsAtOnce;  // scheme 2 takes a new palette at its next recomputation
};

class FollowsItsPalette : public ::testing::TestWithParam<PaletteCase> {};

TEST_P(FollowsItsPalette, SystemColoursComeFromTheButtonsOwnPalette) {
  const PaletteCase& c = GetParam();
  InWindow w(c.scheme, kSystemButtonFace);
  const QRgb before = w.Middle();
  QWidget& holder = c.onParent ? w.window : w.button->widget();
  holder.setPalette(With(holder.palette(), QPalette::Button, kGreen));
  EXPECT_EQ(w.Middle(), c.followsAtOnce ? kGreen.rgb() : before) << c.name;
  w.button->setSoftBevel(false);  // a setter that works the colours out again
  EXPECT_EQ(w.Middle(), kGreen.rgb()) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Where, FollowsItsPalette,
    ::testing::Values(PaletteCase{"scheme 1, the button's palette", 1, false, true},
                      PaletteCase{"scheme 1, the parent's palette", 1, true, true},
                      PaletteCase{"scheme 2, system BackColor, the button's", 2, false, false},
                      PaletteCase{"scheme 2, system BackColor, the parent's", 2, true, false}));

// Style 11 copies its container again once the new palette has reached it, and survives a handler
// that deletes it while the copy runs pending events.
TEST(TransparentStyle, CopiesTheContainersNewPaletteAndSurvivesDeletionWhileCopying) {
  for (const bool application : {false, true}) {
    InWindow w(1, 0, 11);
    const QPalette original = QApplication::palette();
    if (application)
      QApplication::setPalette(With(original, QPalette::Window, Qt::darkBlue));
    else
      w.window.setPalette(With(w.window.palette(), QPalette::Window, Qt::darkBlue));
    // The application's palette reaches widgets from the event loop; the copy follows a pass later.
    for (int pass = 0; pass < 2; ++pass) QApplication::processEvents();
    const QRgb after = w.Middle();
    QApplication::setPalette(original);
    EXPECT_EQ(after, QColor(Qt::darkBlue).rgb()) << (application ? "application palette" : "container's");
  }
  const std::function<void(chameleonButton&)> captures[] = {[](chameleonButton& b) { b.Refresh(); },
                                                            [](chameleonButton& b) {
                                                              b.setButtonType(2);
                                                              b.setButtonType(11);
                                                            }};
  for (const auto& capture : captures) {
    InWindow w(1, 0, 11);
    kelvane::test::RecordingServices services;
    kelvane::test::ScopedServices scoped(services);
    services.onPendingEvents = [&](int) { delete &w.button->widget(); };
    const QPointer<chameleonButton> alive(w.button);
    capture(*w.button);
    EXPECT_TRUE(alive.isNull());
  }
}

// Every caption mode and effect kept for a scaled screen, drawn at scale 1, lands on the pixels the
// surface would have had.
class KeptCaption : public ::testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(KeptCaption, DrawnAtScale1IsTheSurfacesCaption) {
  const auto [mode, effect] = GetParam();
  PaintOptions in;
  in.Caption = QStringLiteral("&Go on");
  in.SpecialEffect = effect;
  in.Colors = {0xC0C0C0, 0xDFDFDF, 0xFFFFFF, 0x808080, 0x000000, 0x102030, 0x0000FF};
  in.Layout.CaptionRect = {2, 3, 50, 20};
  in.Layout.PressedCaptionRect = {3, 4, 51, 21};
  const auto draw = [&](CaptionOverlay* overlay) {
    gdi::Surface surface(QSize(60, 24), 0xFFC0C0C0);
    gdi::Dc dc(surface);
    std::uint8_t last = 0;
    PaintCaption(dc, in, static_cast<std::uint8_t>(mode), last, overlay);
    return surface.image();
  };
  CaptionOverlay overlay;
  QImage kept = draw(&overlay);
  ASSERT_FALSE(overlay.Empty());
  {
    QPainter painter(&kept);
    overlay.Paint(painter);
  }
  EXPECT_EQ(kept, draw(nullptr)) << "mode " << mode << ", effect " << effect;
}

INSTANTIATE_TEST_SUITE_P(ModesAndEffects, KeptCaption,
                         ::testing::Combine(::testing::Range(0, 8), ::testing::Values(0, 1, 2, 3)));

}  // namespace
}  // namespace kelvane::controls::test
