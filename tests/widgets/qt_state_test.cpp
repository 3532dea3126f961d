// What a Qt program takes for granted of any widget: QWidget's enabled state, font and palette are
// the controls' own, layouts size them as Qt's own buttons and bars, and a refusal can be taken.
#include <gtest/gtest.h>

#include <KelvaneWidgets/chameleonbutton.h>
#include <KelvaneWidgets/xp_progressbar.h>
#include <QApplication>
#include <QImage>
#include <QMetaProperty>
#include <QSignalSpy>
#include <QStringList>
#include <QVBoxLayout>
#include <functional>
#include <map>
#include <memory>
#include <set>

namespace {

using Kelvane::chameleonButton;
using Kelvane::Xp_ProgressBar;

// ---- enabled: however it is reached, the property, the look and the notice agree ----------------

struct EnabledCase {
  const char* name;
  std::function<void(QWidget& container, chameleonButton& b)> disable;
};

class EnabledState : public testing::TestWithParam<EnabledCase> {};

TEST_P(EnabledState, IsThePropertyAndTheLook) {
  QWidget container;
  container.resize(120, 40);
  auto* b = new chameleonButton(&container);
  b->setCaption(QStringLiteral("WWWWWW"));
  QWidget ownDisabled;
  chameleonButton reference(&ownDisabled);
  reference.setCaption(QStringLiteral("WWWWWW"));
  static_cast<QWidget&>(reference).setEnabled(false);
  const QImage enabledLook = b->grab().toImage();
  QSignalSpy told(b, &chameleonButton::EnabledChanged);

  GetParam().disable(container, *b);
  QCoreApplication::processEvents();  // Qt's changes are told from the event loop
  EXPECT_FALSE(b->isEnabled());
  EXPECT_FALSE(b->property("Enabled").toBool());
  EXPECT_EQ(told.count(), 1);
  EXPECT_NE(b->grab().toImage(), enabledLook);
  EXPECT_EQ(b->grab().toImage(), reference.grab().toImage());
}

INSTANTIATE_TEST_SUITE_P(
    Ways, EnabledState,
    testing::Values(
        EnabledCase{"throughQWidget",
                    [](QWidget&, chameleonButton& b) { static_cast<QWidget&>(b).setEnabled(false); }},
        EnabledCase{"property", [](QWidget&, chameleonButton& b) { b.setProperty("Enabled", false); }},
        EnabledCase{"container", [](QWidget& c, chameleonButton&) { c.setEnabled(false); }}),
    [](const testing::TestParamInfo<EnabledCase>& p) { return std::string(p.param.name); });

// ---- font: QWidget's own, inherited, or the container's at creation is Font ----------------------

struct FontCase {
  const char* name;
  bool containerFirst;  // the container's font is set before the button is made
  std::function<void(QWidget& container, chameleonButton& b, const QFont& f)> set;
};

class FontState : public testing::TestWithParam<FontCase> {};

TEST_P(FontState, IsTheFontTheCaptionIsDrawnWith) {
  QFont big(QStringLiteral("DejaVu Serif"));
  big.setPointSize(16);
  QWidget container;
  if (GetParam().containerFirst) container.setFont(big);
  auto* b = new chameleonButton(&container);
  b->setCaption(QStringLiteral("Caption"));
  const QSize before = b->sizeHint();
  GetParam().set(container, *b, big);
  EXPECT_EQ(b->property("Font").value<QFont>().pointSize(), 16);
  EXPECT_EQ(b->FontSize(), 16);
  EXPECT_EQ(b->FontName(), QStringLiteral("DejaVu Serif"));
  if (!GetParam().containerFirst) {
    EXPECT_GT(b->sizeHint().height(), before.height());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Ways, FontState,
    testing::Values(
        FontCase{"own", false, [](QWidget&, chameleonButton& b, const QFont& f) { b.setFont(f); }},
        FontCase{"inherited", false, [](QWidget& c, chameleonButton&, const QFont& f) { c.setFont(f); }},
        FontCase{"containersAtCreation", true, [](QWidget&, chameleonButton&, const QFont&) {}}),
    [](const testing::TestParamInfo<FontCase>& p) { return std::string(p.param.name); });

TEST(PaletteState, SystemColoursFollowTheApplicationPalette) {
  const QPalette original = QApplication::palette();
  chameleonButton b;  // scheme 1: the system's button colours
  const QImage before = b.grab().toImage();
  QPalette changed = original;
  changed.setColor(QPalette::Button, QColor(0x20, 0xC0, 0x40));
  QApplication::setPalette(changed);
  QCoreApplication::processEvents();
  const QImage after = b.grab().toImage();
  QApplication::setPalette(original);
  QCoreApplication::processEvents();
  EXPECT_NE(after, before);
  EXPECT_EQ(b.grab().toImage(), before);
}

// ---- refusals: the program's handler takes them; kept assignments tell of themselves -------------

QStringList refusals;
void Collect(const QString& message, const QString& title) {
  refusals << title + QStringLiteral(": ") + message;
}

struct RefusalCase {
  const char* name;
  std::function<void(Xp_ProgressBar&)> assign;
  bool refused;
  int value, min, max;  // the bar afterwards
};

class Refusal : public testing::TestWithParam<RefusalCase> {};

TEST_P(Refusal, ReachesTheProgramsHandlerAndLeavesTheBar) {
  Xp_ProgressBar bar;
  bar.setValue(50);
  QSignalSpy told(&bar, &Xp_ProgressBar::valueChanged);
  refusals.clear();
  const auto previous = Xp_ProgressBar::installRefusalHandler(Collect);
  GetParam().assign(bar);
  EXPECT_EQ(Xp_ProgressBar::installRefusalHandler(previous), &Collect);
  EXPECT_EQ(refusals.size(), GetParam().refused ? 1 : 0);
  if (!refusals.isEmpty()) {
    EXPECT_TRUE(refusals.front().startsWith(QStringLiteral("Error: ")));
  }
  EXPECT_EQ(bar.Value(), GetParam().value);
  EXPECT_EQ(bar.Min(), GetParam().min);
  EXPECT_EQ(bar.Max(), GetParam().max);
  EXPECT_EQ(told.count(), bar.Value() != 50 ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Assignments, Refusal,
    testing::Values(RefusalCase{"valueAboveMax", [](auto& b) { b.setValue(150); }, true, 50, 0, 100},
                    RefusalCase{"valueBelowMin", [](auto& b) { b.setValue(-1); }, true, 50, 0, 100},
                    RefusalCase{"minAboveMax", [](auto& b) { b.setMin(200); }, true, 50, 0, 100},
                    RefusalCase{"minBelowZero", [](auto& b) { b.setMin(-5); }, true, 50, 0, 100},
                    RefusalCase{"maxBelowMin", [](auto& b) { b.setMax(-5); }, true, 50, 0, 100},
                    RefusalCase{"maxBelowValueIsKept", [](auto& b) { b.setMax(40); }, false, 50, 0, 40},
                    RefusalCase{"valueKept", [](auto& b) { b.setValue(70); }, false, 70, 0, 100}),
    [](const testing::TestParamInfo<RefusalCase>& p) { return std::string(p.param.name); });

// ---- layouts: hints from content, Qt's policies, never squeezed out of sight ----------------------

struct HintCase {
  const char* name;
  std::function<void(chameleonButton&)> set;
  bool wider, taller;  // than the stored default 93 x 26
};

class ButtonHint : public testing::TestWithParam<HintCase> {};

TEST_P(ButtonHint, FollowsCaptionFontAndPicture) {
  chameleonButton b;
  b.setCaption(QStringLiteral("Go"));
  GetParam().set(b);
  const QSize hint = b.sizeHint();
  EXPECT_EQ(hint.width() > 93, GetParam().wider) << hint.width();
  EXPECT_EQ(hint.height() > 26, GetParam().taller) << hint.height();
  EXPECT_GE(hint.width(), 93);
  EXPECT_GE(hint.height(), 26);

  // At its smallest in a layout it keeps its hint's height and stays drawable.
  QWidget window;
  auto* layout = new QVBoxLayout(&window);
  b.setParent(&window);
  layout->addWidget(&b);
  auto* bar = new Xp_ProgressBar(&window);
  layout->addWidget(bar);
  window.resize(1, 1);
  window.show();
  window.resize(window.minimumSizeHint());
  EXPECT_EQ(b.height(), hint.height());
  EXPECT_GE(b.width(), b.minimumSizeHint().width());
  EXPECT_EQ(bar->height(), 17);
  window.resize(600, 400);
  EXPECT_EQ(b.height(), hint.height());
  EXPECT_EQ(bar->height(), 17);
  EXPECT_GT(bar->width(), 500);
  EXPECT_EQ(bar->focusPolicy(), Qt::NoFocus);
  b.setParent(nullptr);
}

QPixmap Square(int side) {
  QPixmap p(side, side);
  p.fill(Qt::red);
  return p;
}

INSTANTIATE_TEST_SUITE_P(Contents, ButtonHint,
                         testing::Values(HintCase{"shortCaption", [](chameleonButton&) {}, false, false},
                                         HintCase{"longCaption",
                                                  [](chameleonButton& b) {
                                                    b.setCaption(
                                                        QStringLiteral("A much longer caption here"));
                                                  },
                                                  true, false},
                                         HintCase{"bigFont",
                                                  [](chameleonButton& b) {
                                                    QFont f = b.font();
                                                    f.setPointSize(28);
                                                    b.setFont(f);
                                                  },
                                                  false, true},
                                         HintCase{"pictureBeside",
                                                  [](chameleonButton& b) {
                                                    b.setPictureNormal(Square(80));
                                                    b.setPicturePosition(0);
                                                  },
                                                  true, true},
                                         HintCase{"pictureAbove",
                                                  [](chameleonButton& b) {
                                                    b.setPictureNormal(Square(24));
                                                    b.setPicturePosition(2);
                                                  },
                                                  false, true}),
                         [](const testing::TestParamInfo<HintCase>& p) { return std::string(p.param.name); });

// ---- notify signals: a change tells each property it moved, once; the same value again, none -----

struct NotifyCase {
  const char* property;
  QVariant value;  // an invalid one flips a bool
  QStringList alsoTold;
  QVariant from = {};  // the value before, if not the default
};

QImage Filled(QRgb colour) {
  QImage image(8, 8, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

class PropertyNotify : public testing::TestWithParam<NotifyCase> {};

TEST_P(PropertyNotify, TellsWhatMovedOnce) {
  const NotifyCase& c = GetParam();
  chameleonButton b;
  if (c.from.isValid()) b.setProperty(c.property, c.from);
  const QMetaObject& meta = chameleonButton::staticMetaObject;
  const auto notifier = [&meta](const char* property) {
    return meta.property(meta.indexOfProperty(property)).notifySignalIndex();
  };
  std::map<int, std::unique_ptr<QSignalSpy>> spies;  // by signal: a colour's two views share one
  for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) {
    const QMetaProperty p = meta.property(i);
    if (p.hasNotifySignal())
      spies.try_emplace(p.notifySignalIndex(), std::make_unique<QSignalSpy>(&b, p.notifySignal()));
  }
  std::set<int> told{notifier(c.property)};
  for (const QString& also : c.alsoTold) told.insert(notifier(qPrintable(also)));
  const QVariant value = c.value.isValid() ? c.value : QVariant(!b.property(c.property).toBool());
  for (int round = 0; round < 2; ++round) {
    ASSERT_TRUE(b.setProperty(c.property, value));
    for (const auto& [signal, spy] : spies) {
      EXPECT_EQ(spy->count(), told.count(signal) ? 1 : 0)
          << c.property << " told " << meta.method(signal).name().constData() << " in round " << round;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Properties, PropertyNotify,
    testing::Values(NotifyCase{"ButtonType", 7, {}}, NotifyCase{"Caption", QStringLiteral("Go"), {}},
                    NotifyCase{"ColorScheme", 3, {}}, NotifyCase{"ShowFocusRect", {}, {}},
                    NotifyCase{"BackColor", QColor(1, 2, 3), {}},
                    NotifyCase{"BackSystemColor", int(chameleonButton::Highlight), {}},
                    NotifyCase{"ForeOver", QColor(4, 5, 6), {}}, NotifyCase{"MaskColor", QColor(7, 8, 9), {}},
                    NotifyCase{"MousePointer", 2, {}}, NotifyCase{"PictureNormal", Filled(0xff0000), {}},
                    NotifyCase{"PictureOver", Filled(0xff0000), {}, Filled(0x00ff00)},
                    NotifyCase{"SoftBevel", {}, {}}, NotifyCase{"PicturePosition", 2, {}},
                    NotifyCase{"SpecialEffect", 1, {}},
                    NotifyCase{"HandPointer", {}, {"MousePointer", "MouseIcon"}},
                    NotifyCase{"CheckBoxBehaviour", {}, {}}, NotifyCase{"Value", {}, {}},
                    NotifyCase{"FontSize", 20, {"Font"}}),
    [](const testing::TestParamInfo<NotifyCase>& p) { return std::string(p.param.property); });

// ---- click() from code, as QAbstractButton::click() ------------------------------------------------

struct ClickCase {
  const char* name;
  bool checkBox, ownEnabled, containerEnabled;
  int clicks;
  bool value;
};

class CodeClick : public testing::TestWithParam<ClickCase> {};

TEST_P(CodeClick, ClicksAsTheUserWouldUnlessDisabled) {
  QWidget container;
  auto* b = new chameleonButton(&container);
  b->setCheckBoxBehaviour(GetParam().checkBox);
  b->setEnabled(GetParam().ownEnabled);
  container.setEnabled(GetParam().containerEnabled);
  QSignalSpy clicked(b, &chameleonButton::clicked), click(b, &chameleonButton::Click);
  QMetaObject::invokeMethod(b, "click");
  EXPECT_EQ(clicked.count(), GetParam().clicks);
  EXPECT_EQ(click.count(), GetParam().clicks);
  EXPECT_EQ(b->Value(), GetParam().value);
  EXPECT_FALSE(b->hasFocus());
}

INSTANTIATE_TEST_SUITE_P(Buttons, CodeClick,
                         testing::Values(ClickCase{"plain", false, true, true, 1, false},
                                         ClickCase{"checkBox", true, true, true, 1, true},
                                         ClickCase{"disabled", true, false, true, 0, false},
                                         ClickCase{"inDisabledContainer", true, true, false, 0, false}),
                         [](const testing::TestParamInfo<ClickCase>& p) {
                           return std::string(p.param.name);
                         });

TEST(NativeWindow, HwndIsTheWindowsIdWithoutMakingOne) {
  QWidget window;
  auto* b = new chameleonButton(&window);
  EXPECT_EQ(b->property("hwnd").toULongLong(), 0u);
  EXPECT_FALSE(window.testAttribute(Qt::WA_WState_Created));
  window.show();
  EXPECT_EQ(b->property("hwnd").toULongLong(), static_cast<qulonglong>(window.winId()));
  EXPECT_FALSE(b->testAttribute(Qt::WA_NativeWindow));
}

}  // namespace
