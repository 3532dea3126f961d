#include <functional>

#include "tests/controls/progressbar/bar_fixture.h"

namespace kelvane::controls::test {
namespace {

struct Assignment {
  const char* name;
  std::int32_t loadMin, loadMax;  // loaded first, since loading does not validate
  std::function<void(Xp_ProgressBar&)> assign;
  const char* message;  // empty when accepted
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
  bar->setValue(std::min(bar->Max(), 40));  // something painted to disturb
  bar->clearModified();
  notices.keys.clear();
  recorder.TakeMessages();  // the set-up's own, if any
  const QImage before = Pixels();
  const auto propsBefore = Props(*bar);
  const BarState stateBefore = St();

  a.assign(*bar);
  const auto boxes = recorder.TakeMessages();

  if (*a.message) {
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], (kelvane::test::RecordedMessage{a.message, 16, "Error"}));
    EXPECT_EQ(Props(*bar), propsBefore);
    EXPECT_TRUE(notices.keys.isEmpty());
    EXPECT_FALSE(bar->isModified());
    EXPECT_EQ(Pixels(), before);
    EXPECT_EQ(St().NextBlockX, stateBefore.NextBlockX);
    EXPECT_EQ(St().StepCount, stateBefore.StepCount);
  } else {
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(notices.keys, QStringList{a.noticeKey});
  }
}

auto SetValue(std::int32_t v) {
  return [v](Xp_ProgressBar& b) { b.setValue(v); };
}
auto SetMin(std::int32_t v) {
  return [v](Xp_ProgressBar& b) { b.setMin(v); };
}
auto SetMax(std::int32_t v) {
  return [v](Xp_ProgressBar& b) { b.setMax(v); };
}

INSTANTIATE_TEST_SUITE_P(
    Cases, XpProgressBarValidation,
    ::testing::Values(
        Assignment{"ValueAboveMax", 0, 100, SetValue(101), "Value can NOT be higher than Maximum !", ""},
        Assignment{"ValueBelowMin", 10, 100, SetValue(9), "Value can NOT be smaller than minimum !", ""},
        // Max is tested before Min when a loaded range is inverted.
        Assignment{"ValueFailsBothMaxFirst", 50, 10, SetValue(20), "Value can NOT be higher than Maximum !",
                   ""},
        Assignment{"ValueEqualMax", 0, 100, SetValue(100), "", "Value"},
        Assignment{"ValueEqualMin", 10, 100, SetValue(10), "", "Value"},
        Assignment{"MinAboveMax", 0, 100, SetMin(150), "Minimum can NOT be biger than maximum !", ""},
        Assignment{"MinNegative", 0, 100, SetMin(-5), "Minimum can NOT be smaller then 0 !", ""},
        Assignment{"MinFailsBothMaxFirst", 0, -10, SetMin(-5), "Minimum can NOT be biger than maximum !", ""},
        Assignment{"MinEqualMax", 0, 100, SetMin(100), "", "Min"},
        Assignment{"MinZero", 5, 100, SetMin(0), "", "Min"},
        Assignment{"MaxBelowMin", 10, 100, SetMax(9), "Maximum can NOT be smaller than minimum !", ""},
        Assignment{"MaxEqualMin", 10, 100, SetMax(10), "", "Max"}),
    [](const auto& test) { return std::string(test.param.name); });

// Min, Max, Style and ProgressLook take effect at the next Value, never on their own.
TEST_F(XpProgressBarTest, NonValueSettersPaintNothing) {
  bar->setValue(50);
  const QImage before = Pixels();
  bar->setMin(10);
  bar->setMax(90);
  bar->setStyle(1);
  bar->setProgressLook(4);
  EXPECT_EQ(Pixels(), before);
  EXPECT_EQ(notices.keys, (QStringList{"Value", "Min", "Max", "Style", "ProgressLook"}));
}

// Moving a bound past Value neither clamps Value nor complains.
TEST_F(XpProgressBarTest, RangeChangesLeaveValueAlone) {
  bar->setValue(80);
  bar->setMax(50);
  EXPECT_EQ(bar->Value(), 80);
  bar->setMax(100);
  bar->setValue(20);
  bar->setMin(50);
  EXPECT_EQ(Props(*bar), (std::vector<std::int32_t>{20, 50, 100, 0, 0}));
  EXPECT_TRUE(recorder.TakeMessages().empty());
}

// ---- persistence ------------------------------------------------------------------------------

TEST(XpProgressBarPersistence, NewInstanceStartsAtDefaultsAndStoresNothing) {
  const std::vector<std::int32_t> defaults{0, 0, 100, 0, 0};
  kelvane::test::OwnedBar barOwner;
  Xp_ProgressBar& bar = *barOwner;
  bar.hostCreateNew({});
  EXPECT_EQ(Props(bar), defaults);
  host::PropertyBag bag;
  bar.hostSave(bag);
  for (const char* key : {"Min", "Max", "Value", "Style", "ProgressLook"})
    EXPECT_FALSE(bag.contains(key)) << key;
  kelvane::test::OwnedBar loadedOwner;
  Xp_ProgressBar& loaded = *loadedOwner;
  loaded.hostLoad(bag, {});
  EXPECT_EQ(Props(loaded), defaults);
}

TEST(XpProgressBarPersistence, SavedValuesComeBackUnvalidated) {
  kelvane::test::RecordingServices recorder;
  kelvane::test::ScopedServices scoped(recorder);
  // Max below Min and Value outside the range are loaded as they are.
  const std::pair<const char*, std::int32_t> stored[] = {
      {"Value", 300}, {"Min", 60}, {"Max", 50}, {"Style", 7}, {"ProgressLook", 5}};
  host::PropertyBag bag;
  for (const auto& [key, v] : stored) bag.Write(key, v);
  kelvane::test::OwnedBar barOwner;
  Xp_ProgressBar& bar = *barOwner;
  kelvane::test::NoticeRecorder notices(bar);
  bar.hostLoad(bag, {});
  EXPECT_EQ(Props(bar), (std::vector<std::int32_t>{300, 60, 50, 7, 5}));
  EXPECT_TRUE(recorder.TakeMessages().empty());
  EXPECT_EQ(notices.keys, QStringList{"ProgressLook"}) << "only the look goes through its setter";

  host::PropertyBag saved;
  bar.hostSave(saved);
  for (const auto& [key, v] : stored) EXPECT_EQ(saved.ReadInt(key, -1), v) << key;
}

}  // namespace
}  // namespace kelvane::controls::test
