#include <functional>

#include "tests/controls/progressbar/bar_fixture.h"

namespace kelvane::controls::test {
namespace {

using kelvane::test::RecordedMessage;

constexpr const char* kNoMessage = "";

struct Assignment {
  const char* name;
  std::int32_t loadMin, loadMax;  // range loaded first (loading does not validate)
  std::function<void(Xp_ProgressBar&)> assign;
  const char* message;  // kNoMessage when accepted
  const char* noticeKey;
};

class XpProgressBarValidation : public XpProgressBarTest, public ::testing::WithParamInterface<Assignment> {};

TEST_P(XpProgressBarValidation, RejectsWithItsMessageOrAcceptsWithItsNotice) {
  const Assignment& a = GetParam();
  host::PropertyBag bag;
  bag.Write("Min", a.loadMin);
  bag.Write("Max", a.loadMax);
  bar->hostLoad(bag, {});
  ResizeBar(*bar, kBarWidth, kBarHeight);
  bar->setValue(bar->Max() > 40 ? 40 : bar->Max());  // something painted to disturb
  bar->clearModified();
  recorder.messages.clear();
  const QImage before = Pixels();
  const auto values = [&] {
    return std::vector<std::int32_t>{bar->Value(), bar->Min(), bar->Max(), bar->Style(), bar->ProgressLook()};
  };
  const auto valuesBefore = values();
  const int nextBlockBefore = St().NextBlockX;
  const int stepsBefore = St().StepCount;

  a.assign(*bar);

  if (*a.message) {
    ASSERT_EQ(recorder.messages.size(), 1u);
    EXPECT_EQ(recorder.messages[0], (RecordedMessage{a.message, 16, "Error"}));
    EXPECT_EQ(values(), valuesBefore);
    EXPECT_TRUE(bar->noticedKeys().isEmpty());
    EXPECT_FALSE(bar->isModified());
    EXPECT_EQ(Pixels(), before);
    EXPECT_EQ(St().NextBlockX, nextBlockBefore);
    EXPECT_EQ(St().StepCount, stepsBefore);
  } else {
    EXPECT_TRUE(recorder.messages.empty());
    EXPECT_EQ(bar->noticedKeys(), QStringList{a.noticeKey});
  }
}

auto SetValue(std::int32_t v) { return [v](Xp_ProgressBar& b) { b.setValue(v); }; }
auto SetMin(std::int32_t v) { return [v](Xp_ProgressBar& b) { b.setMin(v); }; }
auto SetMax(std::int32_t v) { return [v](Xp_ProgressBar& b) { b.setMax(v); }; }

INSTANTIATE_TEST_SUITE_P(
    Cases, XpProgressBarValidation,
    ::testing::Values(
        Assignment{"ValueAboveMax", 0, 100, SetValue(101), "Value can NOT be higher than Maximum !", ""},
        Assignment{"ValueBelowMin", 10, 100, SetValue(9), "Value can NOT be smaller than minimum !", ""},
        // Max is tested before Min when a loaded range is inverted.
        Assignment{"ValueFailsBothMaxFirst", 50, 10, SetValue(20), "Value can NOT be higher than Maximum !", ""},
        Assignment{"ValueEqualMax", 0, 100, SetValue(100), kNoMessage, "Value"},
        Assignment{"ValueEqualMin", 10, 100, SetValue(10), kNoMessage, "Value"},
        Assignment{"MinAboveMax", 0, 100, SetMin(150), "Minimum can NOT be biger than maximum !", ""},
        Assignment{"MinNegative", 0, 100, SetMin(-5), "Minimum can NOT be smaller then 0 !", ""},
        Assignment{"MinFailsBothMaxFirst", 0, -10, SetMin(-5), "Minimum can NOT be biger than maximum !", ""},
        Assignment{"MinEqualMax", 0, 100, SetMin(100), kNoMessage, "Min"},
        Assignment{"MinZero", 5, 100, SetMin(0), kNoMessage, "Min"},
        Assignment{"MaxBelowMin", 10, 100, SetMax(9), "Maximum can NOT be smaller than minimum !", ""},
        Assignment{"MaxEqualMin", 10, 100, SetMax(10), kNoMessage, "Max"},
        Assignment{"MaxBelowValue", 0, 100, SetMax(20), kNoMessage, "Max"},
        Assignment{"StyleAnything", 0, 100, [](Xp_ProgressBar& b) { b.setStyle(-123456); }, kNoMessage, "Style"},
        Assignment{"LookAnything", 0, 100, [](Xp_ProgressBar& b) { b.setProgressLook(9); }, kNoMessage,
                   "ProgressLook"}),
    [](const auto& info) { return std::string(info.param.name); });

// Min, Max, Style and ProgressLook take effect at the next Value, never on their own.
TEST_F(XpProgressBarTest, NonValueSettersPaintNothing) {
  bar->setValue(50);
  const QImage before = Pixels();
  bar->setMin(10);
  bar->setMax(90);
  bar->setStyle(1);
  bar->setProgressLook(4);
  EXPECT_EQ(Pixels(), before);
  EXPECT_EQ(bar->noticedKeys(), (QStringList{"Value", "Min", "Max", "Style", "ProgressLook"}));
}

TEST_F(XpProgressBarTest, MaxLoweredBelowValueKeepsValueAndRejectsLaterHighValues) {
  bar->setValue(80);
  bar->setMax(50);
  EXPECT_EQ(bar->Value(), 80);
  bar->setValue(60);
  EXPECT_EQ(bar->Value(), 80);
  ASSERT_EQ(recorder.messages.size(), 1u);
  EXPECT_EQ(recorder.messages[0].text, "Value can NOT be higher than Maximum !");
}

TEST_F(XpProgressBarTest, MinIsNotComparedWithValue) {
  bar->setValue(20);
  bar->setMin(50);
  EXPECT_EQ(bar->Min(), 50);
  EXPECT_EQ(bar->Value(), 20);
  EXPECT_TRUE(recorder.messages.empty());
}

// ---- persistence ------------------------------------------------------------------------------

constexpr const char* kFiveKeys[] = {"min", "max", "value", "style", "progresslook"};

TEST(XpProgressBarPersistence, NewInstanceStartsAtDefaultsAndStoresNothing) {
  Xp_ProgressBar bar;
  bar.hostCreateNew({});
  EXPECT_EQ(bar.Min(), 0);
  EXPECT_EQ(bar.Max(), 100);
  EXPECT_EQ(bar.Value(), 0);
  EXPECT_EQ(bar.Style(), 0);
  EXPECT_EQ(bar.ProgressLook(), 0);
  host::PropertyBag bag;
  bar.hostSave(bag);
  for (const char* key : kFiveKeys) EXPECT_FALSE(bag.contains(key)) << key;

  Xp_ProgressBar loaded;
  loaded.hostLoad(bag, {});
  EXPECT_EQ(loaded.Max(), 100);
  EXPECT_EQ(loaded.Value(), 0);
  EXPECT_EQ(loaded.ProgressLook(), 0);
}

TEST(XpProgressBarPersistence, SavedValuesComeBackUnvalidatedUnderLowerCaseKeys) {
  kelvane::test::RecordingServices recorder;
  kelvane::test::ScopedServices scoped(recorder);
  host::PropertyBag bag;
  bag.Write("Min", 60);
  bag.Write("Max", 50);    // below Min: loaded as it is
  bag.Write("Value", 300);  // outside the range: loaded as it is
  bag.Write("Style", 7);
  bag.Write("ProgressLook", 5);
  Xp_ProgressBar bar;
  bar.hostLoad(bag, {});
  EXPECT_EQ(bar.Min(), 60);
  EXPECT_EQ(bar.Max(), 50);
  EXPECT_EQ(bar.Value(), 300);
  EXPECT_EQ(bar.Style(), 7);
  EXPECT_EQ(bar.ProgressLook(), 5);
  EXPECT_TRUE(recorder.messages.empty());
  // Only the look goes through its setter.
  EXPECT_EQ(bar.noticedKeys(), QStringList{"ProgressLook"});

  host::PropertyBag saved;
  bar.hostSave(saved);
  EXPECT_EQ(saved.ReadInt("min", 0), 60);
  EXPECT_EQ(saved.ReadInt("max", 100), 50);
  EXPECT_EQ(saved.ReadInt("value", 0), 300);
  EXPECT_EQ(saved.ReadInt("style", 0), 7);
  EXPECT_EQ(saved.ReadInt("progresslook", 0), 5);
  for (const char* key : kFiveKeys) EXPECT_EQ(saved.entries().count(key), 1u) << key;
}

}  // namespace
}  // namespace kelvane::controls::test
