#include <functional>
#include <set>
#include <tuple>

#include <QTest>

#include "controls/progressbar/bar_pictures.h"
#include "tests/controls/progressbar/bar_fixture.h"

namespace kelvane::controls::test {
namespace {

// The empty frame on a w x h surface: corners copied as they are, edges stretched from the frame
// picture's edge slices, and a white centre.
QImage ExpectedEmptyFrame(int w, int h) {
  const QImage src = FramePicture().image();
  const auto map = [](int v, int size, int farSlice) {
    return v < 3 ? v : v >= size - 3 ? farSlice + v - size + 3 : -1;  // -1: stretched middle
  };
  QImage img(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int sx = map(x, w, 56), sy = map(y, h, 10);
      img.setPixel(x, y, sx < 0 && sy < 0 ? Rgb(0xffffff) : Rgb(src.pixel(sx < 0 ? 3 : sx, sy < 0 ? 3 : sy)));
    }
  return img;
}

constexpr QRgb kMasterBlockTop = 0x94e995;
constexpr QRgb kBlueBlockTop = 0x409fff;

TEST(XpProgressBarFrame, ResizePaintsTheEmptyFrameAtAnySize) {
  for (const QSize size : {QSize(kBarWidth, kBarHeight), QSize(60, 20), QSize(7, 7), QSize(300, 9)}) {
    kelvane::test::OwnedBar barOwner;
    Xp_ProgressBar& bar = *barOwner;
    ResizeBar(bar, size.width(), size.height());
    EXPECT_EQ(bar.surface().image(), ExpectedEmptyFrame(size.width(), size.height())) << size.width();
  }
}

TEST_F(XpProgressBarTest, FiftyAgainPaintsAndCountsNothing) {
  bar->setValue(50);
  const QImage img = Pixels();
  bar->setValue(50);
  EXPECT_EQ(Pixels(), img);
  EXPECT_EQ(St().StepCount, 51);
}

// After a fall in Value every assignment redraws the whole bar, mostly to the same pixels: only a
// changed picture may cost a repaint.
TEST_F(XpProgressBarTest, RedrawingTheSamePictureAsksForNoRepaint) {
  struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
      paints += e->type() == QEvent::Paint;
      return false;
    }
  } counter;
  bar->widget().show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar->widget()));
  bar->widget().installEventFilter(&counter);
  const auto paintsFor = [&](int value) {
    counter.paints = 0;
    bar->setValue(value);
    QCoreApplication::processEvents();
    return counter.paints;
  };
  EXPECT_GT(paintsFor(50), 0);
  EXPECT_GT(paintsFor(40), 0);
  const QImage fell = Pixels();
  EXPECT_EQ(paintsFor(40), 0);
  EXPECT_EQ(Pixels(), fell);
  EXPECT_GT(paintsFor(60), 0);
}

TEST_F(XpProgressBarTest, FiveMoreAssignmentsCatchUpOneUnitEach) {
  bar->setValue(50);
  for (const int next : {134, 144, 144, 144, 144}) {
    bar->setValue(55);
    EXPECT_EQ(St().NextBlockX, next);
  }
  const QImage settled = Pixels();
  EXPECT_EQ(PaintedRuns(settled), Blocks(4, 134));
  bar->setValue(55);
  EXPECT_EQ(Pixels(), settled);
  EXPECT_EQ(St().StepCount, 56);
}

using Steps = std::function<void(Xp_ProgressBar&)>;

// A step that sizes the bar, to another size and back: a notification is for a new size, not for
// a resize event that brings the size the bar already has.
constexpr std::int32_t kResize = -1;

Steps Assign(std::vector<std::int32_t> values, std::int32_t min = 0, std::int32_t max = 100) {
  return [=](Xp_ProgressBar& b) {
    b.setMax(max);
    b.setMin(min);
    for (const std::int32_t v : values) {
      if (v == kResize) {
        b.widget().show();  // before its first show a bar keeps what was assigned through a resize
        ResizeBar(b, kBarWidth + 1, kBarHeight);
        ResizeBar(b, kBarWidth, kBarHeight);
      } else
        b.setValue(v);
    }
  };
}

std::vector<std::pair<int, int>> FullBar() {  // the last block squeezed into the 3 pixels left
  auto runs = Blocks(4, 244);
  runs.emplace_back(254, 3);
  return runs;
}

struct BlockCase {
  const char* name;
  Steps steps;
  std::vector<std::pair<int, int>> runs;
  int nextBlockX;
  bool full = false;
};

class XpProgressBarBlocks : public XpProgressBarTest, public ::testing::WithParamInterface<BlockCase> {};

TEST_P(XpProgressBarBlocks, PaintsTheseBlocksOverTheTrackAndNothingElse) {
  const BlockCase& c = GetParam();
  c.steps(*bar);
  QImage img = Pixels();
  EXPECT_EQ(PaintedRuns(img), c.runs);
  EXPECT_EQ(St().NextBlockX, c.nextBlockX);
  EXPECT_EQ(St().BarFull, c.full);
  // Each block covers rows 3..8 of its columns; blanking them must leave the empty frame.
  for (const auto& [x0, w] : c.runs)
    for (int x = x0; x < x0 + w; ++x)
      for (int y = 3; y < 9; ++y) {
        EXPECT_NE(img.pixel(x, y), Rgb(0xffffff)) << x << "," << y;
        img.setPixel(x, y, Rgb(0xffffff));
      }
  EXPECT_EQ(img, ExpectedEmptyFrame(kBarWidth, kBarHeight));
  EXPECT_TRUE(recorder.TakeMessages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, XpProgressBarBlocks,
    ::testing::Values(
        BlockCase{"FiftyOnTheEmptyBar", Assign({50}), Blocks(4, 124), 134},
        BlockCase{"Max", Assign({100}), FullBar(), 254, true},
        BlockCase{"MaxAgainSqueezesTheSameBlock", Assign({100, 100}), FullBar(), 254, true},
        BlockCase{"LowerValueRepaintsUpToIt", Assign({50, 30}), Blocks(4, 74), 84},
        // Still below the earlier 50, so repainted from scratch.
        BlockCase{"SecondLowerValue", Assign({50, 30, 40}), Blocks(4, 94), 104},
        BlockCase{"MinAboveZero", Assign({50}, 20), Blocks(4, 94), 104},  // 30 of 80 units: 97.5 px
        BlockCase{"LowerValueWithMinAboveZero", Assign({50, 40}, 20), Blocks(4, 64), 74},  // 65 px
        BlockCase{"MinLeavesTheEmptyFrame", Assign({70, 0}), {}, 4},
        // Min == Max leaves Min as the only valid value, which has just cleared the bar.
        BlockCase{"ZeroRange", Assign({50, 50}, 50, 50), {}, 4},
        BlockCase{"ResizeClearsBlocks", Assign({50, kResize}), {}, 4},
        BlockCase{"BlocksReturnAfterResize", Assign({50, kResize, 50}), Blocks(4, 124), 134},
        // Max other than 100: one more unit per assignment, 1.3 pixels each.
        BlockCase{"Max200SevenTimes", Assign(std::vector<std::int32_t>(7, 50), 0, 200), Blocks(4, 64), 74},
        BlockCase{"Max200EighthReachesPast74", Assign(std::vector<std::int32_t>(8, 50), 0, 200),
                  Blocks(4, 74), 84},
        BlockCase{"Max200FillsInTheEnd", Assign(std::vector<std::int32_t>(200, 50), 0, 200), FullBar(), 254,
                  true}),
    [](const auto& test) { return std::string(test.param.name); });

// Where the last pitch ends just at the frame (widths 254 and 264), the last block is squeezed like
// any other instead of drawn whole over the frame.
TEST_F(XpProgressBarTest, AFullBarKeepsItsBlocksInsideTheFrameAtEveryWidth) {
  for (int width = 254; width <= 264; ++width) {
    ResizeBar(*bar, width, kBarHeight);
    bar->setValue(100);
    EXPECT_TRUE(St().BarFull) << width;
    QImage img = Pixels();
    for (const auto& [x0, w] : PaintedRuns(img))
      for (int x = x0; x < x0 + w; ++x)
        for (int y = 3; y < 9; ++y) img.setPixel(x, y, Rgb(0xffffff));
    EXPECT_EQ(img, ExpectedEmptyFrame(width, kBarHeight)) << width;
  }
}

// Beyond 16 bits the bar can only show itself full; what matters is that nothing fails.
TEST_F(XpProgressBarTest, SixteenBitCountersSaturateInsteadOfFailing) {
  for (const auto& [max, value, times] : {std::tuple{1000, 500, 33000}, std::tuple{100'000, 50'000, 1}}) {
    kelvane::test::OwnedBar bOwner;
    Xp_ProgressBar& b = *bOwner;
    ResizeBar(b, kBarWidth, kBarHeight);
    b.setMax(max);
    for (int i = 0; i < times; ++i) b.setValue(value);
    EXPECT_EQ(b.State().StepCount, 32767) << max;
    EXPECT_TRUE(b.State().BarFull) << max;
  }
  EXPECT_TRUE(recorder.TakeMessages().empty());
}

TEST_F(XpProgressBarTest, NewLookKeepsOldBlocksAndPaintsLaterOnesInItsColours) {
  bar->setValue(50);
  bar->setProgressLook(1);
  bar->setValue(55);
  bar->setValue(55);
  const QImage img = Pixels();
  for (int x = 4; x <= 124; x += 10) EXPECT_EQ(img.pixel(x, 3), Rgb(kMasterBlockTop)) << x;
  EXPECT_EQ(img.pixel(134, 3), Rgb(kBlueBlockTop));
}

// The first look of each case is loaded, the rest are set; looks outside 0..7 keep the pictures in use.
TEST(XpProgressBarLooks, LoadedLookPaintsAndUnknownLookKeepsThePreviousPictures) {
  const std::pair<std::vector<std::int32_t>, QRgb> cases[] = {
      {{5}, 0xcbcbcb}, {{9}, kMasterBlockTop}, {{-1}, kMasterBlockTop}, {{3, 8}, 0xecd39f}};
  for (const auto& [looks, blockTop] : cases) {
    host::PropertyBag bag;
    bag.Write("ProgressLook", looks[0]);
    kelvane::test::OwnedBar barOwner;
    Xp_ProgressBar& bar = *barOwner;
    bar.hostLoad(bag, {});
    for (std::size_t i = 1; i < looks.size(); ++i) bar.setProgressLook(looks[i]);
    ResizeBar(bar, kBarWidth, kBarHeight);
    bar.setValue(10);
    EXPECT_EQ(bar.ProgressLook(), looks.back());
    EXPECT_EQ(bar.surface().pixel(4, 3), Rgb(blockTop)) << looks.back();
  }
}

// ---- marquee ----------------------------------------------------------------------------------

TEST_F(XpProgressBarTest, MarqueeRunsRightThenWrapsToTwo) {
  bar->setStyle(1);
  std::vector<int> expected;
  for (int x = 9; x <= 259; x += 5) expected.push_back(x);
  for (int x = 2; x <= 257; x += 5) expected.push_back(x);
  expected.insert(expected.end(), {2, 7});
  std::vector<int> seen;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    bar->setValue(static_cast<int>(i % 2));  // the marker ignores the value
    seen.push_back(St().MarqueeX);
  }
  EXPECT_EQ(seen, expected);
}

TEST_F(XpProgressBarTest, MarqueeSegmentsUseTailMiddleAndHeadPictures) {
  bar->setStyle(1);
  bar->setValue(10);  // marker at 4: tail 4..7, middle 9..12, head 14..17
  const QImage img = Pixels();
  EXPECT_EQ(PaintedRuns(img), (std::vector<std::pair<int, int>>{{4, 4}, {9, 4}, {14, 4}}));
  const auto look = LookPicturesFor(0);
  ASSERT_TRUE(look);
  for (const auto& [x0, slot] : {std::pair{4, 0}, std::pair{9, 1}, std::pair{14, 2}}) {
    const QImage pic = (*look)[slot].image();
    std::set<QRgb> colours;
    for (int y = 0; y < pic.height(); ++y)
      for (int x = 0; x < pic.width(); ++x) colours.insert(Rgb(pic.pixel(x, y)));
    for (int x = x0; x < x0 + 4; ++x)
      for (int y = 3; y < 9; ++y) EXPECT_TRUE(colours.count(img.pixel(x, y))) << x << "," << y;
  }
  bar->setValue(20);  // marker at 9: the old tail is erased
  EXPECT_EQ(PaintedRuns(Pixels()), (std::vector<std::pair<int, int>>{{9, 4}, {14, 4}, {19, 4}}));
}

TEST_F(XpProgressBarTest, MarqueeRestartErasesTheFramesInnerColumn) {
  bar->setStyle(1);
  // Once across the 260-pixel bar is 52 steps; a marker that never comes back fails, not hangs.
  for (int steps = 0; St().MarqueeX != 2; ++steps) {
    ASSERT_LT(steps, 200) << "the marquee did not wrap to x = 2; it is at " << St().MarqueeX;
    bar->setValue(1);
  }
  EXPECT_EQ(Pixels().pixel(2, kProbeRow), Rgb(0xefefef));
  bar->setValue(1);  // tail at 2
  EXPECT_NE(Pixels().pixel(2, kProbeRow), Rgb(0xefefef));
  bar->setValue(1);  // from 7: the strip at 2 is blanked
  for (int y = 3; y < 9; ++y) EXPECT_EQ(Pixels().pixel(2, y), Rgb(0xffffff)) << y;
  EXPECT_EQ(St().MarqueeX, 12);
}

TEST_F(XpProgressBarTest, MarqueeAtMaxClearsAndRestarts) {
  bar->setStyle(1);
  for (int i = 0; i < 7; ++i) bar->setValue(30);
  bar->setValue(100);
  EXPECT_EQ(Pixels(), ExpectedEmptyFrame(kBarWidth, kBarHeight));
  EXPECT_EQ(St().MarqueeX, 4);
}

TEST_F(XpProgressBarTest, MarqueeBlanksTheRestWhenTheMarkerRunsOutWithRoomLeft) {
  ResizeBar(*bar, 29, kBarHeight);  // from 24 the marker runs out with 2 pixels left to blank
  bar->setStyle(1);
  for (int i = 0; i < 4; ++i) bar->setValue(1);
  EXPECT_EQ(St().MarqueeX, 24);
  bar->setValue(1);
  EXPECT_EQ(St().MarqueeX, 2);
  EXPECT_TRUE(PaintedRuns(Pixels()).empty());
  EXPECT_EQ(Pixels().pixel(26, kProbeRow), Rgb(0xefefef)) << "the frame stays";
}

// After a fall each assignment redraws the bar whole; a repeat may be skipped only while nothing it
// paints from has changed: a new look shows at the next assignment.
TEST_F(XpProgressBarTest, AfterAFallTheNextAssignmentRedrawsInANewLook) {
  bar->setValue(50);
  bar->setValue(40);
  bar->setValue(40);
  EXPECT_EQ(Pixels().pixel(4, 3), Rgb(kMasterBlockTop));
  bar->setProgressLook(1);
  bar->setValue(40);
  const QImage img = Pixels();
  for (int x = 4; x <= 94; x += 10) EXPECT_EQ(img.pixel(x, 3), Rgb(kBlueBlockTop)) << x;
}

}  // namespace
}  // namespace kelvane::controls::test
