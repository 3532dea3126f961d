#include <gtest/gtest.h>
#include <QImage>
#include <QVariant>
#include <functional>
#include <memory>

#include "controls/button/chameleon_button.h"
#include "platform/gdi/syscolor.h"
#include "platform/host/errors.h"
#include "tests/support/control_widgets.h"
#include "tests/support/notice_recorder.h"

namespace kelvane::controls::test {
namespace {

using Getter = std::function<QVariant(const chameleonButton&)>;
using Action = std::function<void(chameleonButton&)>;

const host::FontDesc kVerdana{"Verdana", 8.25, 400, false, false, false, 0};

host::Picture SmallPicture(QRgb colour) {
  QImage img(4, 3, QImage::Format_RGB32);
  img.fill(colour);
  return host::Picture::fromBitmap(img);
}

std::int32_t SystemFace() { return static_cast<std::int32_t>(gdi::GetSysColor(gdi::COLOR_BTNFACE)); }
std::int32_t SystemText() { return static_cast<std::int32_t>(gdi::GetSysColor(gdi::COLOR_BTNTEXT)); }

QVariant FontText(const host::FontDesc& f) {
  return QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
      .arg(f.name)
      .arg(f.size)
      .arg(f.weight)
      .arg(f.italic)
      .arg(f.underline)
      .arg(f.strikeout)
      .arg(f.charset);
}

QVariant PictureId(const host::Picture& p) { return static_cast<qulonglong>(p.handle()); }

class ButtonTest : public ::testing::Test {
 protected:
  void SetUp() override { button = NewButton(true); }

  static kelvane::test::OwnedButton NewButton(bool userMode) {
    kelvane::test::OwnedButton b;
    host::AmbientProperties ambient;
    ambient.displayName = QStringLiteral("chameleonButton1");
    ambient.font = kVerdana;
    ambient.userMode = userMode;
    b->hostCreateNew(ambient);
    b->widget().resize(80, 24);
    return b;
  }

  static kelvane::test::OwnedButton Loaded(const host::PropertyBag& bag) {
    const host::Control::MadeForLoading loading;
    kelvane::test::OwnedButton b;
    b->hostLoad(bag, {});
    return b;
  }

  static host::PropertyBag Saved(chameleonButton& b) {
    host::PropertyBag bag;
    b.hostSave(bag);
    return bag;
  }

  kelvane::test::OwnedButton button;
};

// ---- every property survives a save and a load -----------------------------------------------------

struct RoundTrip {
  const char* name;
  const char* key;
  Action set;
  Getter get;
};

const host::FontDesc kRoundTripFont{"Arial", 18, 700, true, true, false, 178};

class ButtonRoundTrip : public ButtonTest, public ::testing::WithParamInterface<RoundTrip> {};

TEST_P(ButtonRoundTrip, KeepsTheValueUnderItsKey) {
  const RoundTrip& c = GetParam();
  button->setHandPointer(false);  // the pointer every load ends with when the hand is off
  const QVariant before = c.get(*button);
  c.set(*button);
  const QVariant set = c.get(*button);
  ASSERT_NE(set, before) << "the case must change the property";

  const host::PropertyBag bag = Saved(*button);
  EXPECT_TRUE(bag.entries().count(QString::fromLatin1(c.key).toLower())) << "stored in lower case";
  const auto restored = Loaded(bag);
  EXPECT_EQ(c.get(*restored), set);
  EXPECT_EQ(restored->StoredProperties(), button->StoredProperties());
}

INSTANTIATE_TEST_SUITE_P(
    AllProperties, ButtonRoundTrip,
    ::testing::Values(
        RoundTrip{"ButtonType", "btype", [](auto& b) { b.setButtonType(9); },
                  [](const auto& b) { return QVariant(b.ButtonType()); }},
        RoundTrip{"Caption", "tx", [](auto& b) { b.setCaption(QStringLiteral("&Go && stop")); },
                  [](const auto& b) { return QVariant(b.Caption()); }},
        RoundTrip{"Enabled", "enab", [](auto& b) { b.setEnabled(false); },
                  [](const auto& b) { return QVariant(b.Enabled()); }},
        RoundTrip{"Font", "font", [](auto& b) { b.setFont(kRoundTripFont); },
                  [](const auto& b) { return FontText(b.Font()); }},
        RoundTrip{"ColorScheme", "coltype", [](auto& b) { b.setColorScheme(3); },
                  [](const auto& b) { return QVariant(b.ColorScheme()); }},
        RoundTrip{"ShowFocusRect", "focusr", [](auto& b) { b.setShowFocusRect(false); },
                  [](const auto& b) { return QVariant(b.ShowFocusRect()); }},
        RoundTrip{"BackColor", "bcol", [](auto& b) { b.setBackColor(0x123456); },
                  [](const auto& b) { return QVariant(b.BackColor()); }},
        RoundTrip{"BackOver", "bcolo", [](auto& b) { b.setBackOver(0x654321); },
                  [](const auto& b) { return QVariant(b.BackOver()); }},
        RoundTrip{"ForeColor", "fcol", [](auto& b) { b.setForeColor(0x0000FF); },
                  [](const auto& b) { return QVariant(b.ForeColor()); }},
        RoundTrip{"ForeOver", "fcolo", [](auto& b) { b.setForeOver(0x00FF00); },
                  [](const auto& b) { return QVariant(b.ForeOver()); }},
        RoundTrip{"MaskColor", "mcol", [](auto& b) { b.setMaskColor(0xFF00FF); },
                  [](const auto& b) { return QVariant(b.MaskColor()); }},
        // The hand pointer's setter runs on every load and decides pointer and icon.
        RoundTrip{"HandPointerWithPointerAndIcon", "hand", [](auto& b) { b.setHandPointer(true); },
                  [](const auto& b) {
                    return QVariant(QStringLiteral("%1 %2 %3")
                                        .arg(b.HandPointer())
                                        .arg(b.MousePointer())
                                        .arg(b.MouseIcon().isNull()));
                  }},
        RoundTrip{"PictureNormal", "picn", [](auto& b) { b.setPictureNormal(SmallPicture(0xFF0000FF)); },
                  [](const auto& b) { return PictureId(b.PictureNormal()); }},
        RoundTrip{"PictureOver", "pich", [](auto& b) { b.setPictureOver(SmallPicture(0xFF00FF00)); },
                  [](const auto& b) { return PictureId(b.PictureOver()); }},
        RoundTrip{"UseMaskColor", "umcol", [](auto& b) { b.setUseMaskColor(false); },
                  [](const auto& b) { return QVariant(b.UseMaskColor()); }},
        RoundTrip{"SoftBevel", "soft", [](auto& b) { b.setSoftBevel(true); },
                  [](const auto& b) { return QVariant(b.SoftBevel()); }},
        RoundTrip{"PicturePosition", "picpos", [](auto& b) { b.setPicturePosition(4); },
                  [](const auto& b) { return QVariant(b.PicturePosition()); }},
        RoundTrip{"UseGreyscale", "ngrey", [](auto& b) { b.setUseGreyscale(true); },
                  [](const auto& b) { return QVariant(b.UseGreyscale()); }},
        RoundTrip{"SpecialEffect", "fx", [](auto& b) { b.setSpecialEffect(3); },
                  [](const auto& b) { return QVariant(b.SpecialEffect()); }},
        RoundTrip{"CheckBoxBehaviour", "check", [](auto& b) { b.setCheckBoxBehaviour(true); },
                  [](const auto& b) { return QVariant(b.CheckBoxBehaviour()); }},
        RoundTrip{"Value", "value", [](auto& b) { b.setValue(true); },
                  [](const auto& b) { return QVariant(b.Value()); }},
        // Negative and system colours are stored as they are, not as their RGB.
        RoundTrip{"SystemBackColor", "bcol",
                  [](auto& b) { b.setBackColor(static_cast<std::int32_t>(0x8000000F)); },
                  [](const auto& b) { return QVariant(b.BackColor()); }}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(ButtonTest, SavesEveryKeyInStoredOrderWhateverItsValue) {
  button->setPictureNormal(SmallPicture(0xFF0000FF));
  const host::PropertyBag bag = Saved(*button);
  // Defaults are written too; only the missing pictures (PictureOver, MouseIcon) are left out.
  for (const char* key : {"btype", "tx",    "enab", "font",  "coltype", "focusr",   "bcol",    "bcolo",
                          "fcol",  "fcolo", "mcol", "mptr",  "picn",    "umcol",    "soft",    "picpos",
                          "ngrey", "fx",    "hand", "check", "value",   "_extentx", "_extenty"})
    EXPECT_TRUE(bag.contains(key)) << key;
  EXPECT_FALSE(bag.contains("pich"));
  EXPECT_FALSE(bag.contains("micon"));
  EXPECT_EQ(bag.entries().size(), 23u);
}

// ---- a missing key reads as its Absent value ------------------------------------------------------

struct MissingKey {
  const char* key;
  Getter get;
  std::function<QVariant()> absent;
};

class ButtonMissingKey : public ButtonTest, public ::testing::WithParamInterface<MissingKey> {};

// Starts from a layout where every key differs from its Absent value and drops one key.
TEST_P(ButtonMissingKey, ReadsTheAbsentValue) {
  const MissingKey& c = GetParam();
  button->setButtonType(7);
  button->setCaption(QStringLiteral("Stored"));
  button->setEnabled(false);
  button->setFont(host::FontDesc{"Arial", 12, 700, true, false, false, 0});
  button->setColorScheme(2);
  button->setShowFocusRect(false);
  button->setBackColor(0x010203);
  button->setBackOver(0x040506);
  button->setForeColor(0x070809);
  button->setForeOver(0x0A0B0C);
  button->setMaskColor(0x0D0E0F);
  button->setPictureNormal(SmallPicture(0xFF0000FF));
  button->setPictureOver(SmallPicture(0xFF00FF00));
  button->setUseMaskColor(false);
  button->setSoftBevel(true);
  button->setPicturePosition(2);
  button->setUseGreyscale(true);
  button->setSpecialEffect(1);
  button->setHandPointer(true);
  button->setCheckBoxBehaviour(true);
  button->setValue(true);
  const host::PropertyBag full = Saved(*button);
  host::PropertyBag bag;
  for (const auto& [key, value] : full.entries())
    if (key != QString::fromLatin1(c.key)) bag.Write(key, value);
  ASSERT_EQ(bag.entries().size() + 1, full.entries().size());

  const auto restored = Loaded(bag);
  EXPECT_EQ(c.get(*restored), c.absent());
}

INSTANTIATE_TEST_SUITE_P(
    AllKeys, ButtonMissingKey,
    ::testing::Values(MissingKey{"btype", [](const auto& b) { return QVariant(b.ButtonType()); },
                                 [] { return QVariant(2); }},
                      MissingKey{"tx", [](const auto& b) { return QVariant(b.Caption()); },
                                 [] { return QVariant(QString()); }},
                      MissingKey{"enab", [](const auto& b) { return QVariant(b.Enabled()); },
                                 [] { return QVariant(true); }},
                      // The surface's font as it was before loading.
                      MissingKey{"font", [](const auto& b) { return FontText(b.Font()); },
                                 [] { return FontText(host::FontDesc{}); }},
                      MissingKey{"coltype", [](const auto& b) { return QVariant(b.ColorScheme()); },
                                 [] { return QVariant(1); }},
                      MissingKey{"focusr", [](const auto& b) { return QVariant(b.ShowFocusRect()); },
                                 [] { return QVariant(true); }},
                      MissingKey{"bcol", [](const auto& b) { return QVariant(b.BackColor()); },
                                 [] { return QVariant(SystemFace()); }},
                      // The hover colours follow the colour just read, not the system's.
                      MissingKey{"bcolo", [](const auto& b) { return QVariant(b.BackOver()); },
                                 [] { return QVariant(0x010203); }},
                      MissingKey{"fcol", [](const auto& b) { return QVariant(b.ForeColor()); },
                                 [] { return QVariant(SystemText()); }},
                      MissingKey{"fcolo", [](const auto& b) { return QVariant(b.ForeOver()); },
                                 [] { return QVariant(0x070809); }},
                      MissingKey{"mcol", [](const auto& b) { return QVariant(b.MaskColor()); },
                                 [] { return QVariant(0xC0C0C0); }},
                      MissingKey{"picn", [](const auto& b) { return QVariant(b.PictureNormal().isNull()); },
                                 [] { return QVariant(true); }},
                      MissingKey{"pich", [](const auto& b) { return QVariant(b.PictureOver().isNull()); },
                                 [] { return QVariant(true); }},
                      MissingKey{"umcol", [](const auto& b) { return QVariant(b.UseMaskColor()); },
                                 [] { return QVariant(true); }},
                      MissingKey{"soft", [](const auto& b) { return QVariant(b.SoftBevel()); },
                                 [] { return QVariant(false); }},
                      MissingKey{"picpos", [](const auto& b) { return QVariant(b.PicturePosition()); },
                                 [] { return QVariant(0); }},
                      MissingKey{"ngrey", [](const auto& b) { return QVariant(b.UseGreyscale()); },
                                 [] { return QVariant(false); }},
                      MissingKey{"fx", [](const auto& b) { return QVariant(b.SpecialEffect()); },
                                 [] { return QVariant(0); }},
                      // Without HAND the hand is off: arrow pointer, no icon, whatever MPTR said.
                      MissingKey{"hand",
                                 [](const auto& b) {
                                   return QVariant(QStringLiteral("%1 %2 %3")
                                                       .arg(b.HandPointer())
                                                       .arg(b.MousePointer())
                                                       .arg(b.MouseIcon().isNull()));
                                 },
                                 [] { return QVariant(QStringLiteral("0 1 1")); }},
                      MissingKey{"check", [](const auto& b) { return QVariant(b.CheckBoxBehaviour()); },
                                 [] { return QVariant(false); }},
                      MissingKey{"value", [](const auto& b) { return QVariant(b.Value()); },
                                 [] { return QVariant(false); }}),
    [](const auto& test) { return std::string(test.param.key); });

TEST_F(ButtonTest, StoredPointerGivesWayToTheHandSetting) {
  for (const bool hand : {false, true}) {
    host::PropertyBag bag;
    bag.Write("MPTR", 3);
    bag.Write("HAND", hand);
    const auto restored = Loaded(bag);
    EXPECT_EQ(restored->MousePointer(), hand ? host::kPointerCustom : host::kPointerArrow) << hand;
    EXPECT_EQ(restored->MouseIcon().isNull(), !hand) << hand;
  }
}

// ---- values the host cannot convert reach the caller and change nothing ---------------------------

struct Refusal {
  const char* name;
  Action assign;
  int error;
};

class ButtonRefusal : public ButtonTest, public ::testing::WithParamInterface<Refusal> {};

TEST_P(ButtonRefusal, RaisesToTheCallerAndChangesNothing) {
  const Refusal& c = GetParam();
  button->setFontSize(9);
  button->setMousePointer(2);
  button->clearModified();
  kelvane::test::NoticeRecorder notices(*button);
  const ButtonProperties before = button->StoredProperties();

  try {
    c.assign(*button);
    ADD_FAILURE() << "no error raised";
  } catch (const host::RuntimeError& e) {
    EXPECT_EQ(e.number(), c.error);
  }
  EXPECT_EQ(button->StoredProperties(), before);
  EXPECT_TRUE(notices.keys.isEmpty());
  EXPECT_FALSE(button->isModified());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ButtonRefusal,
    ::testing::Values(
        Refusal{"FontSizeAbove16Bits", [](auto& b) { b.setFontSize(32767.5 + 1); }, host::kErrOverflow},
        Refusal{"FontSizeBelow16Bits", [](auto& b) { b.setFontSize(-32769); }, host::kErrOverflow},
        Refusal{"MousePointerAbove16Bits", [](auto& b) { b.setMousePointer(32768); }, host::kErrOverflow},
        Refusal{"MousePointerBelow16Bits", [](auto& b) { b.setMousePointer(-40000); }, host::kErrOverflow},
        Refusal{"MousePointerUnknownCode", [](auto& b) { b.setMousePointer(50); },
                host::kErrInvalidPropertyValue},
        Refusal{"StoredPointerAbove16Bits",
                [](auto& b) {
                  host::PropertyBag bag;
                  bag.Write("MPTR", 70000);
                  bag.Write("TX", "Loaded");
                  b.hostLoad(bag, {});
                },
                host::kErrOverflow},
        Refusal{"StoredPointerUnknownCode",
                [](auto& b) {
                  host::PropertyBag bag;
                  bag.Write("MPTR", 50);
                  bag.Write("BTYPE", 9);
                  b.hostLoad(bag, {});
                },
                host::kErrInvalidPropertyValue}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(ButtonTest, FontSizeReadsWholePointsHalvesToEven) {
  const std::pair<double, int> cases[] = {{8.25, 8}, {10.5, 10}, {11.5, 12}, {9.75, 10}};
  for (const auto& [points, whole] : cases) {
    host::FontDesc f = kVerdana;
    f.size = points;
    button->setFont(f);
    EXPECT_EQ(button->FontSize(), whole) << points;
  }
  button->setFontSize(12.5);
  EXPECT_EQ(button->Font().size, 12.0);
}

// ---- notices ----------------------------------------------------------------------------------------

struct Notices {
  const char* name;
  Action assign;
  QStringList expected;
};

class ButtonNotices : public ButtonTest, public ::testing::WithParamInterface<Notices> {};

TEST_P(ButtonNotices, NameTheStoreKey) {
  kelvane::test::NoticeRecorder notices(*button);
  GetParam().assign(*button);
  EXPECT_EQ(notices.keys, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Setters, ButtonNotices,
    ::testing::Values(
        Notices{"BackColor", [](auto& b) { b.setBackColor(1); }, {"BCOL"}},
        Notices{"Caption", [](auto& b) { b.setCaption("x"); }, {"TX"}},
        Notices{"Enabled", [](auto& b) { b.setEnabled(false); }, {"ENAB"}},
        Notices{"MousePointer", [](auto& b) { b.setMousePointer(3); }, {"MPTR"}},
        // Saved under PICH, noticed as PICO.
        Notices{"PictureOver", [](auto& b) { b.setPictureOver(SmallPicture(0xFF000000)); }, {"PICO"}},
        Notices{"PicturePosition", [](auto& b) { b.setPicturePosition(1); }, {"PICPOS"}},
        Notices{"SpecialEffect", [](auto& b) { b.setSpecialEffect(2); }, {"FX"}},
        Notices{"HandPointer", [](auto& b) { b.setHandPointer(true); }, {"HAND"}},
        // The font's parts are not stored under keys of their own.
        Notices{"FontParts",
                [](auto& b) {
                  b.setFontBold(true);
                  b.setFontItalic(true);
                  b.setFontUnderline(true);
                  b.setFontSize(14);
                  b.setFontName("Arial");
                },
                {}},
        Notices{"Font", [](auto& b) { b.setFont(kVerdana); }, {"FONT"}},
        // Loading assigns fields directly, except through the hand pointer's setter.
        Notices{"Load", [](auto& b) { b.hostLoad(host::PropertyBag(), {}); }, {"HAND"}},
        Notices{"CreateNew", [](auto& b) { b.hostCreateNew({}); }, {}}),
    [](const auto& test) { return std::string(test.param.name); });

// The colours are recomputed and the face repainted before the container hears of the change.
TEST_F(ButtonTest, NoticeComesAfterTheRepaint) {
  button->setColorScheme(2);
  QRgb atNotice = 0;
  QObject::connect(button.get(), &host::Control::PropertyNoticed,
                   [&](const QString&) { atNotice = button->surface().pixel(40, 2); });
  button->setBackColor(0x0000FF);  // red
  EXPECT_EQ(atNotice | 0xFF000000u, 0xFFFF0000u);
}

// ---- designing and running --------------------------------------------------------------------------

class ButtonDesignTime : public ButtonTest, public ::testing::WithParamInterface<bool> {};

TEST_P(ButtonDesignTime, ColoursCarryTheirHoverTwinsOnlyWhileDesigning) {
  const bool userMode = GetParam();
  auto b = NewButton(userMode);
  b->setBackOver(0x111111);
  b->setForeOver(0x222222);
  b->setBackColor(0x333333);
  b->setForeColor(0x444444);
  EXPECT_EQ(b->BackOver(), userMode ? 0x111111 : 0x333333);
  EXPECT_EQ(b->ForeOver(), userMode ? 0x222222 : 0x444444);
}

TEST_P(ButtonDesignTime, StyleFiveTurnsTheFontBoldOnlyWhileDesigning) {
  const bool userMode = GetParam();
  auto b = NewButton(userMode);
  ASSERT_FALSE(b->FontBold());
  b->setButtonType(5);
  EXPECT_EQ(b->FontBold(), !userMode);
  EXPECT_EQ(b->ButtonType(), 5);
}

INSTANTIATE_TEST_SUITE_P(Modes, ButtonDesignTime, ::testing::Values(false, true),
                         [](const auto& test) { return test.param ? "Running" : "Designing"; });

// ---- new instances ----------------------------------------------------------------------------------

TEST_F(ButtonTest, NewInstanceTakesTheContainerNameFontAndSystemColours) {
  EXPECT_EQ(button->Caption(), "chameleonButton1");
  EXPECT_EQ(button->Font(), kVerdana);
  EXPECT_EQ(button->BackColor(), SystemFace());
  EXPECT_EQ(button->BackOver(), SystemFace());
  EXPECT_EQ(button->ForeColor(), SystemText());
  EXPECT_EQ(button->ForeOver(), SystemText());
  EXPECT_EQ(button->MaskColor(), 0xC0C0C0);
  EXPECT_TRUE(button->Enabled() && button->ShowFocusRect() && button->UseMaskColor());
  EXPECT_EQ(button->ButtonType(), 2);
  EXPECT_EQ(button->ColorScheme(), 1);
  EXPECT_FALSE(button->isModified());
}

// ---- the enabled state has one home -----------------------------------------------------------------

TEST_F(ButtonTest, EnabledIsTheWindowStateWhicheverWayItIsSet) {
  QWidget* asWidget = &button->widget();
  asWidget->setEnabled(false);
  EXPECT_FALSE(button->Enabled());
  EXPECT_FALSE(Saved(*button).ReadBool("ENAB", true));

  button->setEnabled(true);
  EXPECT_TRUE(asWidget->isEnabled());

  // A disabled container disables the window but leaves the button's own setting alone.
  QWidget container;
  button->widget().setParent(&container);
  container.setEnabled(false);
  EXPECT_FALSE(button->widget().isEnabled());
  EXPECT_TRUE(button->Enabled());
  EXPECT_TRUE(Saved(*button).ReadBool("ENAB", false));
  button->widget().setParent(nullptr);
}

TEST_F(ButtonTest, DisablingThroughTheBaseClassRepaints) {
  button->setCaption(QStringLiteral("WWWWWW"));
  const QImage enabledLook = button->surface().image();
  button->widget().setEnabled(false);
  EXPECT_NE(button->surface().image(), enabledLook);
  button->setEnabled(true);
  EXPECT_EQ(button->surface().image(), enabledLook);
}

}  // namespace
}  // namespace kelvane::controls::test
