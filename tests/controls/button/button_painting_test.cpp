// The paint cycle as a container sees it: whole surfaces of small buttons.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QCursor>
#include <QImage>
#include <QMouseEvent>
#include <QPalette>
#include <QResizeEvent>
#include <QTest>
#include <QWidget>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "controls/button/chameleon_button.h"
#include "controls/button/style_traits.h"
#include "tests/support/control_widgets.h"
#include "tests/support/notice_recorder.h"
#include "tests/support/recording_services.h"
#include "tests/support/wait.h"

namespace kelvane::controls::test {
namespace {

constexpr int kWidth = 40, kHeight = 20;
constexpr std::int32_t kWhite = 0xFFFFFF, kRed = 0x0000FF, kBlue = 0xFF0000, kBlack = 0;

// The size changes and the button hears of it, as it would if it were shown.
void ResizeNotified(chameleonButton& b, int w, int h) {
  QResizeEvent ev(QSize(w, h), b.widget().size());
  b.widget().resize(w, h);
  QCoreApplication::sendEvent(&b.widget(), &ev);
}

// A new style-3, scheme-2 button of the test size, painted once.
kelvane::test::OwnedButton MakeButton(const QString& caption, std::int32_t backColor = kWhite) {
  kelvane::test::OwnedButton b;
  b->hostCreateNew({});
  b->setButtonType(3);
  b->setColorScheme(2);
  b->setBackColor(backColor);
  b->setCaption(caption);
  // Qt holds back the resize notification while unshown, so deliver it by hand.
  ResizeNotified(*b, kWidth, kHeight);
  return b;
}

QImage Pixels(chameleonButton& b) { return b.surface().image().copy(); }
QImage RGB32(const QImage& img) { return img.convertToFormat(QImage::Format_RGB32); }
QRgb Rgb(std::int32_t colour) { return qRgb(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF); }

int CountOf(const QImage& img, QRgb colour) {
  const QImage rgb = RGB32(img);
  int n = 0;
  for (int y = 0; y < rgb.height(); ++y)
    for (int x = 0; x < rgb.width(); ++x) n += rgb.pixel(x, y) == colour;
  return n;
}

// Text is smoothed at its edges, but a pixel the glyph covers fully has exactly the text colour. Every
// such pixel of `a`'s caption must be `textB` in `b`, away from the frames at the edges.
void ExpectCaptionCoveredAgain(const QImage& a, QRgb textA, const QImage& b, QRgb textB) {
  const QImage ra = RGB32(a), rb = RGB32(b);
  int covered = 0;
  for (int y = 2; y < kHeight - 2; ++y)
    for (int x = 2; x < kWidth - 2; ++x) {
      if (ra.pixel(x, y) != textA) continue;
      EXPECT_EQ(rb.pixel(x, y), textB) << x << "," << y;
      ++covered;
    }
  EXPECT_GT(covered, 0) << "no fully covered caption pixel to compare";
}

void Press(chameleonButton& b) {
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(&b.widget(), &press);
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
  QApplication::processEvents();  // widgets take the application's new palette from the event loop
  system->setAmbient({}, QStringLiteral("BackColor"));
  own->setAmbient({}, QStringLiteral("BackColor"));
  const QImage systemAfter = Pixels(*system), ownAfter = Pixels(*own);
  QApplication::setPalette(original);
  EXPECT_NE(systemAfter, systemBefore);
  EXPECT_EQ(ownAfter, ownBefore);
}

// While the button has no height it draws nothing and a press is not taken: no down state to undo.
TEST(ButtonPainting, WithNoHeightNothingIsPaintedAndAPressIsNotTaken) {
  auto b = MakeButton("Go");
  ResizeNotified(*b, kWidth, 0);
  bool downChanged = false;
  QObject::connect(b.get(), &chameleonButton::DownChanged, [&](bool) { downChanged = true; });
  Press(*b);
  EXPECT_FALSE(b->IsDown());
  EXPECT_FALSE(downChanged);
  ResizeNotified(*b, kWidth, kHeight);
  EXPECT_EQ(Pixels(*b), Pixels(*MakeButton("Go")));
}

// The default glossy button shows its caption in bold, placed by the bold width, exactly as a bold
// font would; the user's weight, the layout and painting are all back afterwards.
TEST(ButtonPainting, DefaultGlossyButtonHasABoldCaptionAndKeepsTheUsersWeight) {
  auto glossy = [](bool bold) {
    auto b = MakeButton("Go");
    b->setButtonType(14);
    b->setFontBold(bold);
    return b;
  };
  auto b = glossy(false);
  host::AmbientProperties asDefault;
  asDefault.displayAsDefault = true;
  b->setAmbient(asDefault, QString::fromLatin1(host::kAmbientDisplayAsDefault));
  b->Refresh();  // scheme 2 takes no repaint from an ambient change
  EXPECT_EQ(Pixels(*b), Pixels(*glossy(true)));
  EXPECT_FALSE(b->FontBold());

  b->setAmbient({}, QString::fromLatin1(host::kAmbientDisplayAsDefault));
  b->setCaption("Go");
  EXPECT_EQ(Pixels(*b), Pixels(*glossy(false)));
}

// The bold caption is chosen in the paint: the button's font, of any weight, is never touched, so
// the widget hears of no font change and the weight is the user's afterwards.
TEST(ButtonPainting, BoldCaptionLeavesAFontOfAnyWeightUntouched) {
  for (const int weight : {300, 400, 600, 700}) {
    SCOPED_TRACE(weight);
    auto b = MakeButton("Go");
    b->setButtonType(14);
    host::FontDesc font = b->Font();
    font.weight = weight;
    b->setFont(font);
    host::AmbientProperties asDefault;
    asDefault.displayAsDefault = true;
    b->setAmbient(asDefault, QString::fromLatin1(host::kAmbientDisplayAsDefault));
    struct FontChanges : QObject {
      int count = 0;
      bool eventFilter(QObject*, QEvent* e) override {
        count += e->type() == QEvent::FontChange;
        return false;
      }
    } fontChanges;
    b->widget().installEventFilter(&fontChanges);
    b->Refresh();
    b->widget().removeEventFilter(&fontChanges);
    EXPECT_EQ(b->Font().weight, weight);
    EXPECT_EQ(fontChanges.count, 0);
  }
}

// Style 5 pressed keeps its caption where the up look has it: only the colour changes.
TEST(ButtonPainting, Style5PressedKeepsItsCaptionInPlace) {
  auto b = MakeButton("W");
  b->setButtonType(5);
  b->setForeColor(kBlack);
  b->setForeOver(kBlue);
  const QImage up = Pixels(*b);
  Press(*b);
  const QImage down = Pixels(*b);
  ExpectCaptionCoveredAgain(up, Rgb(kBlack), down, Rgb(kBlue));
  ExpectCaptionCoveredAgain(down, Rgb(kBlue), up, Rgb(kBlack));
}

// What a setter changes shows at once: the surface is what a full repaint would give.
struct SetterCase {
  const char* name;
  std::function<void(chameleonButton&)> set;
};

class SetterRepaints : public ::testing::TestWithParam<SetterCase> {};

TEST_P(SetterRepaints, TheChangeShowsAtOnce) {
  auto b = MakeButton("Go");
  b->setButtonType(2);
  const QImage before = Pixels(*b);
  GetParam().set(*b);
  const QImage after = Pixels(*b);
  b->Refresh();
  EXPECT_EQ(after, Pixels(*b));
  EXPECT_NE(after, before);
}

INSTANTIATE_TEST_SUITE_P(
    Setters, SetterRepaints,
    ::testing::Values(SetterCase{"SpecialEffect", [](chameleonButton& b) { b.setSpecialEffect(1); }},
                      SetterCase{"ForeColor", [](chameleonButton& b) { b.setForeColor(kRed); }},
                      SetterCase{"SoftBevel", [](chameleonButton& b) { b.setSoftBevel(true); }}),
    [](const auto& param) { return std::string(param.param.name); });

// Types without a drawing show the face alone: no caption, no outline.
class FaceOnly : public ::testing::TestWithParam<std::int32_t> {};

TEST_P(FaceOnly, TypeWithoutADrawingShowsOnlyTheFace) {
  auto b = MakeButton("Go", kRed);
  b->setButtonType(GetParam());
  QImage expected(kWidth, kHeight, QImage::Format_RGB32);
  expected.fill(qRgb(0xFF, 0, 0));
  EXPECT_EQ(Pixels(*b).convertToFormat(QImage::Format_RGB32), expected);
}

INSTANTIATE_TEST_SUITE_P(Types, FaceOnly, ::testing::Values(0, 10, kStyleCount + 1));

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
kelvane::test::OwnedButton PictureButton(const QString& caption = {}) {
  auto b = MakeButton(caption);
  b->setButtonType(10);
  b->setMaskColor(0xC0C0C0);
  return b;
}

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

// The picture's effect: one-colour silhouettes of its unmasked pixels under it, then the picture. On a
// white face a raised picture has a grey one (white - 40) below right and a white one above left; a
// pressed picture moves a pixel and casts its shadow a pixel further.
struct EffectCase {
  const char* name;
  std::int32_t effect;
  bool pressed;
  std::vector<std::pair<int, QRgb>> passes;  // offset from the centred place, colour (0: the picture)
};

class PictureEffect : public ::testing::TestWithParam<EffectCase> {};

TEST_P(PictureEffect, SilhouettesUnderThePicture) {
  auto b = PictureButton();
  b->setSpecialEffect(GetParam().effect);
  b->setPictureNormal(RedSquare());
  if (GetParam().pressed) Press(*b);
  const int x = (kWidth - 4) / 2, y = (kHeight - 4) / 2;
  QImage expected(kWidth, kHeight, QImage::Format_RGB32);
  expected.fill(qRgb(0xFF, 0xFF, 0xFF));
  for (const auto& [d, colour] : GetParam().passes)
    for (int dy = 0; dy < 4; ++dy)
      for (int dx = (dy == 0 ? 1 : 0); dx < 4; ++dx)
        expected.setPixel(x + d + dx, y + d + dy, colour == 0 ? kPictureRed : colour);
  EXPECT_EQ(RGB32(Pixels(*b)), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Effects, PictureEffect,
    ::testing::Values(
        EffectCase{"Raised", 1, false, {{1, qRgb(215, 215, 215)}, {-1, qRgb(0xFF, 0xFF, 0xFF)}, {0, 0}}},
        EffectCase{"Sunken", 2, false, {{1, qRgb(0xFF, 0xFF, 0xFF)}, {-1, qRgb(215, 215, 215)}, {0, 0}}},
        EffectCase{"PressedShadow", 3, true, {{2, qRgb(215, 215, 215)}, {1, 0}}}),
    [](const auto& param) { return std::string(param.param.name); });

// Over a picture behind it the caption is drawn again as the look drew it: pressed in the hover text
// colour one pixel down and right, disabled in the shadow colour (a disabled look shows only the
// picture's dark silhouettes, so a light picture leaves the caption's own background).
struct CaptionLookCase {
  const char* name;
  std::function<void(chameleonButton&)> look;
  std::int32_t textColour;
  QRgb picture;
};

class PictureBehind : public ::testing::TestWithParam<CaptionLookCase> {};

TEST_P(PictureBehind, TheCaptionOverThePictureIsTheLooksCaption) {
  QImage big(kWidth, kHeight, QImage::Format_RGB32);
  big.fill(GetParam().picture);
  auto b = PictureButton("W");
  b->setButtonType(2);
  b->setForeColor(kBlack);
  b->setForeOver(kBlue);
  GetParam().look(*b);
  const QImage captionOnly = Pixels(*b);
  b->setPicturePosition(4);
  b->setPictureNormal(host::Picture::fromBitmap(big));
  const QRgb text = Rgb(GetParam().textColour);
  ExpectCaptionCoveredAgain(captionOnly, text, Pixels(*b), text);
}

INSTANTIATE_TEST_SUITE_P(Looks, PictureBehind,
                         ::testing::Values(CaptionLookCase{"Pressed", Press, kBlue, kPictureRed},
                                           // White shaded by -64.
                                           CaptionLookCase{"Disabled",
                                                           [](chameleonButton& b) { b.setEnabled(false); },
                                                           0xBFBFBF, qRgb(0xFF, 0xFF, 0xA0)}),
                         [](const auto& param) { return std::string(param.param.name); });

// ---- the transparent style ----

// Showing a window sizes each button and then shows it. Whatever Qt or a filter does in between,
// the surface read or put on screen is the button as it stands, never an older size's drawing.
enum class AtShow { Plain, SurfaceReadFirst, ShowEventEaten };

class ShownInAWindow : public ::testing::TestWithParam<AtShow> {};

TEST_P(ShownInAWindow, SurfaceAndScreenShowTheButtonAsItStands) {
  struct Filter : QObject {
    AtShow mode;
    chameleonButton* button = nullptr;
    QImage read;
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() != QEvent::Show) return false;
      if (mode == AtShow::SurfaceReadFirst) read = Pixels(*button);
      return mode == AtShow::ShowEventEaten;
    }
  } filter;
  filter.mode = GetParam();
  QWidget window;
  window.resize(120, 60);
  chameleonButton* b = kelvane::test::NewButton(&window);
  b->setButtonType(3);
  b->widget().setFocusPolicy(Qt::NoFocus);  // taking the focus would paint it afresh
  b->setCaption("Optimize");                // drawn at the button's first size
  b->widget().setGeometry(10, 10, 70, 30);
  filter.button = b;
  b->widget().installEventFilter(&filter);
  window.show();
  QApplication::processEvents();
  const QImage onScreen = RGB32(b->widget().grab().toImage());
  const QImage shown = Pixels(*b);
  // In the window, the button's shape shows the surface (style 3 rounds its corners).
  const QImage inWindow = RGB32(window.grab(b->widget().geometry()).toImage());
  int differing = 0;
  ASSERT_FALSE(b->widget().mask().isEmpty());
  for (const QRect& r : b->widget().mask())
    for (int y = r.top(); y <= r.bottom(); ++y)
      for (int x = r.left(); x <= r.right(); ++x) differing += inWindow.pixel(x, y) != onScreen.pixel(x, y);
  EXPECT_EQ(differing, 0);
  b->Refresh();
  EXPECT_EQ(shown, Pixels(*b));
  EXPECT_EQ(RGB32(shown), onScreen);
  if (GetParam() == AtShow::SurfaceReadFirst) {
    EXPECT_EQ(filter.read, shown);
  }
}

INSTANTIATE_TEST_SUITE_P(Filters, ShownInAWindow,
                         ::testing::Values(AtShow::Plain, AtShow::SurfaceReadFirst, AtShow::ShowEventEaten));

// A repaint from the inputs of the last drawing, over the surface it left, may keep what is there;
// whatever that drawing did not see must still be drawn.
struct UnseenChange {
  const char* name;
  std::function<void(chameleonButton&)> change;
  std::function<void(chameleonButton&)> sameBySetter;  // the state the change leaves, set properly
};

class RepaintAfter : public ::testing::TestWithParam<UnseenChange> {};

TEST_P(RepaintAfter, WhatTheLastDrawingDidNotSeeIsDrawn) {
  const auto glossy = [] {
    auto b = MakeButton("Go");
    b->setButtonType(14);
    return b;
  };
  auto b = glossy();
  GetParam().change(*b);
  b->Refresh();
  auto expected = glossy();
  GetParam().sameBySetter(*expected);
  expected->surface().clear();  // so that it is drawn afresh
  expected->Refresh();
  EXPECT_EQ(Pixels(*b), Pixels(*expected)) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Changes, RepaintAfter,
    ::testing::Values(UnseenChange{"surface cleared by another hand",
                                   [](chameleonButton& b) { b.surface().clear(); }, [](chameleonButton&) {}},
                      UnseenChange{"font underlined without a repaint",
                                   [](chameleonButton& b) {
                                     host::FontDesc underlined = b.Font();
                                     underlined.underline = true;
                                     b.host::Control::setFont(underlined);
                                   },
                                   [](chameleonButton& b) { b.setFontUnderline(true); }},
                      UnseenChange{"shown as the default button, which scheme 2 does not repaint for",
                                   [](chameleonButton& b) {
                                     host::AmbientProperties asDefault;
                                     asDefault.displayAsDefault = true;
                                     b.setAmbient(asDefault,
                                                  QString::fromLatin1(host::kAmbientDisplayAsDefault));
                                   },
                                   [](chameleonButton& b) { b.setFontBold(true); }}));

// Buttons drawn from the same inputs share one drawing. Each pair differs in one input the second
// button is drawn with; a drawing of the first must never stand in for it, and the first keeps its
// pixels when the second draws anew.
struct OneInputApart {
  const char* name;
  std::function<void(chameleonButton&)> set;
};

class DrawnAlike : public ::testing::TestWithParam<OneInputApart> {};

TEST_P(DrawnAlike, NoButtonShowsAnothersDrawing) {
  QWidget window;
  window.resize(140, 40);
  const auto place = [&](int x) {
    chameleonButton* b = kelvane::test::NewButton(&window);
    b->setButtonType(3);
    b->widget().setFocusPolicy(Qt::NoFocus);
    b->setCaption("Alike");
    b->widget().setGeometry(x, 5, kWidth, kHeight);
    return b;
  };
  chameleonButton* first = place(0);
  chameleonButton* second = place(45);
  if (GetParam().set) GetParam().set(*second);
  chameleonButton* third = place(90);  // like the first, drawn after the second
  QCursor::setPos(700, 500);           // over neither
  window.show();
  QApplication::processEvents();
  const QImage firstDrawn = Pixels(*first);
  EXPECT_EQ(firstDrawn == Pixels(*second), GetParam().set == nullptr) << GetParam().name;
  EXPECT_EQ(firstDrawn, Pixels(*third)) << GetParam().name;
  Press(*second);
  EXPECT_EQ(firstDrawn, Pixels(*first)) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, DrawnAlike,
    ::testing::Values(OneInputApart{"nothing but a press", nullptr},
                      OneInputApart{"caption", [](chameleonButton& b) { b.setCaption("Other"); }},
                      OneInputApart{"style", [](chameleonButton& b) { b.setButtonType(14); }},
                      OneInputApart{"container disabled", [](chameleonButton& b) { b.setEnabled(false); }},
                      OneInputApart{"font", [](chameleonButton& b) { b.setFontItalic(true); }}));

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
    button->widget().setGeometry(10, 20, kWidth, kHeight);
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
  chameleonButton* button = kelvane::test::NewButton(&container);  // owned by the container
};

TEST_F(TransparentButton, ShowsTheContainerPixelsOfItsLastShowOrRefresh) {
  EXPECT_EQ(RGB32(Pixels(*button)), Filled(Qt::green));
  Paint(Qt::blue);
  button->widget().move(30, 30);
  button->setCaption({});  // a repaint without a capture
  EXPECT_EQ(RGB32(Pixels(*button)), Filled(Qt::green)) << "the old pixels stay until a refresh";
  button->Refresh();
  EXPECT_EQ(RGB32(Pixels(*button)), Filled(Qt::blue));
  EXPECT_EQ(button->widget().size(), QSize(kWidth, kHeight)) << "the capture gives the height back";
}

TEST_F(TransparentButton, AfterTerminationNothingCapturedIsShown) {
  button->hostTerminate();
  button->setButtonType(2);
  button->setButtonType(11);
  button->Refresh();
  EXPECT_NE(RGB32(Pixels(*button)), Filled(Qt::green));
}

// The capture takes the button's height away for a moment; what happens meanwhile is not lost.
class DuringTheCapture : public TransparentButton {
 protected:
  void SetUp() override {
    TransparentButton::SetUp();
    button->setCaption("W");
  }
  // Runs `meanwhile` while the button is out of the way, then shows the result.
  void Capture(const std::function<void()>& meanwhile) {
    kelvane::test::RecordingServices services;
    kelvane::test::ScopedServices scoped(services);
    services.onPendingEvents = [&](int) { meanwhile(); };
    button->Refresh();
  }
};

TEST_F(DuringTheCapture, APressShowsTheDownLook) {
  Press(*button);
  const QImage down = Pixels(*button);
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QCoreApplication::sendEvent(&button->widget(), &release);
  ASSERT_FALSE(button->IsDown());
  Capture([&] { Press(*button); });
  EXPECT_TRUE(button->IsDown());
  EXPECT_EQ(Pixels(*button), down);
}

TEST_F(DuringTheCapture, OnlyTheHeightIsGivenBack) {
  Capture([&] { button->widget().resize(kWidth + 10, button->widget().height()); });
  EXPECT_EQ(button->widget().size(), QSize(kWidth + 10, kHeight));
}

// ---- the hover look ----

// A button in a shown window with the pointer away from it; its own hover timer notices leaving.
class Hovering : public ::testing::Test {
 protected:
  void SetUp() override {
    window.resize(120, 60);
    button->hostCreateNew({});
    button->setColorScheme(2);
    button->setBackColor(kWhite);
    button->setShowFocusRect(false);  // the only button in the window takes the focus
    button->widget().setGeometry(10, 10, kWidth, kHeight);
    button->MouseOut.connect([this] { left = true; });
    QCursor::setPos(700, 500);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  }
  void Hover() {
    const QPoint inside(kWidth / 2, kHeight / 2);
    QCursor::setPos(button->widget().mapToGlobal(inside));
    QMouseEvent move(QEvent::MouseMove, QPointF(inside), QPointF(button->widget().mapToGlobal(inside)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&button->widget(), &move);
  }
  void Leave() {
    left = false;
    QCursor::setPos(window.mapToGlobal(QPoint(100, 50)));
    ASSERT_TRUE(kelvane::test::WaitUntil([&] { return left; }));
  }

  QWidget window;
  chameleonButton* button = kelvane::test::NewButton(&window);  // owned by the window
  bool left = false;
};

// Scheme 2 paints the hover look from BackOver, bevels and all, as if it were BackColor; BackColor
// itself never changes.
TEST_F(Hovering, Scheme2PaintsTheHoverFaceFromBackOver) {
  button->setButtonType(2);
  button->setBackOver(kRed);
  const QImage away = Pixels(*button);
  auto red = MakeButton({}, kRed);
  red->setButtonType(2);
  Hover();
  EXPECT_EQ(Pixels(*button), Pixels(*red));
  EXPECT_EQ(button->BackColor(), kWhite);
  Leave();
  EXPECT_EQ(Pixels(*button), away);
}

// A style chosen at run time gets its own working colours by the next hover: style 3 lifts a bluish
// face in proportion to its blue.
TEST_F(Hovering, AStyleChosenAtRunTimeHasItsOwnColoursAfterAHover) {
  constexpr std::int32_t kBluish = 0x406080;
  button->setButtonType(2);
  button->setBackColor(kBluish);
  button->setBackOver(kBluish);
  button->setButtonType(3);
  Hover();
  Leave();
  EXPECT_EQ(Pixels(*button), Pixels(*MakeButton({}, kBluish)));
}

// Style 9's caption effect shades from the face it sits on: the selection tint while hovered, the
// pressed face when pressed. Scheme 3's fixed palette keeps the two apart: a face of grey 192 and a
// tint of (173, 173, 209), each darkened by 40 for the lower copy of a raised caption.
TEST_F(Hovering, Style9CaptionEffectShadesFromTheFaceUnderIt) {
  const QRgb fromFace = qRgb(152, 152, 152), fromTint = qRgb(133, 133, 169);
  button->setButtonType(9);
  button->setColorScheme(3);
  button->setSpecialEffect(1);
  button->setFontSize(12);
  button->setFontBold(true);  // strokes wide enough to show the shaded copies in full
  button->setCaption("H");
  Hover();
  EXPECT_GT(CountOf(Pixels(*button), fromTint), 0);
  EXPECT_EQ(CountOf(Pixels(*button), fromFace), 0);
  Press(*button);
  EXPECT_GT(CountOf(Pixels(*button), fromFace), 0);
  EXPECT_EQ(CountOf(Pixels(*button), fromTint), 0);
}

// The hover picture shows as soon as it is set while the mouse is over the button; set while the
// mouse is away it has nothing to show, and the surface is left alone.
TEST_F(Hovering, AHoverPictureRepaintsOnlyWhileHovered) {
  button->setButtonType(10);
  button->setMaskColor(0xC0C0C0);
  button->setPictureNormal(RedSquare());
  QImage green(4, 4, QImage::Format_RGB32);
  green.fill(qRgb(0, 0xFF, 0));
  button->surface().image().setPixel(0, 0, qRgb(1, 2, 3));  // a mark any repaint would clear
  const QImage marked = Pixels(*button);
  button->setPictureOver(host::Picture::fromBitmap(green));
  EXPECT_EQ(Pixels(*button), marked);

  Hover();
  button->setPictureOver(RedSquare());
  EXPECT_EQ(CountOf(Pixels(*button), qRgb(0, 0xFF, 0)), 0);
  EXPECT_EQ(CountOf(Pixels(*button), kPictureRed), 15);
  button->setPictureOver(host::Picture::fromBitmap(green));
  EXPECT_EQ(CountOf(Pixels(*button), qRgb(0, 0xFF, 0)), 16);
}

}  // namespace
}  // namespace kelvane::controls::test
