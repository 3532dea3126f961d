#include "controls/progressbar/bar_pictures.h"
#include "tests/controls/progressbar/bar_fixture.h"

namespace kelvane::controls::test {
namespace {

// The empty frame as the slice table lays it out on a w x h surface.
QImage ExpectedEmptyFrame(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(Rgb(0xffffff));
  const QRgb topRows[3] = {0x6b696b, 0xbdbebd, 0xefefef};
  const QRgb bottomRows[3] = {0xefefef, 0xefefef, 0x6b696b};
  const QRgb leftCols[3] = {0x6b696b, 0xbdbebd, 0xefefef};
  const QRgb rightCols[3] = {0xefefef, 0xbdbebd, 0x6b696b};
  for (int x = 3; x < w - 3; ++x)
    for (int i = 0; i < 3; ++i) {
      img.setPixel(x, i, Rgb(topRows[i]));
      img.setPixel(x, h - 3 + i, Rgb(bottomRows[i]));
    }
  for (int y = 3; y < h - 3; ++y)
    for (int i = 0; i < 3; ++i) {
      img.setPixel(i, y, Rgb(leftCols[i]));
      img.setPixel(w - 3 + i, y, Rgb(rightCols[i]));
    }
  const QRgb topLeft[3][3] = {{0xffffff, 0xadaaa5, 0x7b7d7b}, {0xadaaa5, 0x737573, 0xbdbebd},
                              {0x7b7d7b, 0xbdbebd, 0xbdbebd}};
  const QRgb bottomRight[3][3] = {{0xefefef, 0xbdbebd, 0x7b7d7b}, {0xefefef, 0x737573, 0xadaaa5},
                                  {0x7b7d7b, 0xadaaa5, 0xffffff}};
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) {
      img.setPixel(c, r, Rgb(topLeft[r][c]));
      img.setPixel(w - 3 + c, r, Rgb(topLeft[r][2 - c]));
      img.setPixel(w - 3 + c, h - 3 + r, Rgb(bottomRight[r][c]));
      img.setPixel(c, h - 3 + r, Rgb(bottomRight[r][2 - c]));
    }
  return img;
}

constexpr QRgb kMasterBlockTop = 0x94e995;
constexpr QRgb kBlueBlockTop = 0x409fff;

TEST_F(XpProgressBarTest, ResizePaintsTheEmptyFrameAndResetsTheState) {
  EXPECT_EQ(Pixels(), ExpectedEmptyFrame(kBarWidth, kBarHeight));
  EXPECT_EQ(St().BarWidth, 260.0f);
  EXPECT_EQ(St().BlockHeight, 6.0f);
  EXPECT_EQ(St().BlockWidth, 8.0f);
  EXPECT_EQ(St().BlockSourceHeight, 10.0f);
  EXPECT_EQ(St().NextBlockX, 4);
  EXPECT_EQ(St().MarqueeX, 4);
  EXPECT_FALSE(St().BarFull);
}

TEST(XpProgressBarFrame, FollowsTheSurfaceSize) {
  for (const QSize size : {QSize(60, 20), QSize(7, 7), QSize(300, 9)}) {
    Xp_ProgressBar bar;
    ResizeBar(bar, size.width(), size.height());
    EXPECT_EQ(bar.surface().image(), ExpectedEmptyFrame(size.width(), size.height())) << size.width();
  }
}

TEST_F(XpProgressBarTest, FiftyOnTheEmptyBarPaintsThirteenBlocksThenNothing) {
  bar->setValue(50);
  const QImage img = Pixels();
  EXPECT_EQ(RunStarts(img), BlockStarts(4, 124));
  for (const auto& [x, w] : PaintedRuns(img)) EXPECT_EQ(w, 8) << x;
  for (int y = 3; y < 9; ++y) EXPECT_NE(img.pixel(4, y), Rgb(0xffffff)) << "blocks fill the track, row " << y;
  EXPECT_EQ(img.pixel(4, 3), Rgb(kMasterBlockTop));
  EXPECT_EQ(St().NextBlockX, 134);
  EXPECT_EQ(St().StepCount, 51);
  EXPECT_EQ(St().AcceptedLevel, 51.0f);

  bar->setValue(50);
  EXPECT_EQ(Pixels(), img);
  EXPECT_EQ(St().StepCount, 51);
}

TEST_F(XpProgressBarTest, FiveMoreAssignmentsCatchUpOneUnitEach) {
  bar->setValue(50);
  const std::vector<int> nextAfter = {134, 144, 144, 144, 144};
  for (std::size_t i = 0; i < nextAfter.size(); ++i) {
    bar->setValue(55);
    EXPECT_EQ(St().NextBlockX, nextAfter[i]) << "assignment " << i + 1;
    EXPECT_EQ(St().StepCount, 52 + static_cast<int>(i));
  }
  const QImage settled = Pixels();
  EXPECT_EQ(RunStarts(settled), BlockStarts(4, 134));
  bar->setValue(55);
  EXPECT_EQ(Pixels(), settled);
  EXPECT_EQ(St().StepCount, 56);
}

TEST_F(XpProgressBarTest, MaxFillsTheBarWithASqueezedLastBlock) {
  bar->setValue(100);
  const QImage img = Pixels();
  auto runs = PaintedRuns(img);
  ASSERT_EQ(runs.size(), 26u);
  EXPECT_EQ(runs[24], std::make_pair(244, 8));
  EXPECT_EQ(runs[25], std::make_pair(254, 3));
  EXPECT_TRUE(St().BarFull);
  EXPECT_EQ(St().LastBlockWidth, 3.0f);
  EXPECT_EQ(St().NextBlockX, 254);
  EXPECT_EQ(img.pixel(257, kProbeRow), Rgb(0xefefef)) << "the frame stays";
  bar->setValue(100);
  EXPECT_EQ(Pixels(), img);
}

TEST_F(XpProgressBarTest, SmallValuesPaintNoBlockAndRepaintTheFrame) {
  bar->setValue(1);  // 2.6 pixels: short of the first block's edge
  EXPECT_TRUE(PaintedRuns(Pixels()).empty());
  EXPECT_EQ(St().NextBlockX, 4);
  bar->setValue(2);  // 5.2 pixels
  EXPECT_EQ(RunStarts(Pixels()), std::vector<int>{4});
}

TEST_F(XpProgressBarTest, LowerValuesRepaintUpToTheNewValue) {
  bar->setValue(50);
  bar->setValue(30);
  EXPECT_EQ(RunStarts(Pixels()), BlockStarts(4, 74));
  EXPECT_EQ(St().NextBlockX, 84);
  EXPECT_EQ(St().LastValue, 50) << "the earlier level is kept";
  EXPECT_FALSE(St().PendingReset);
  bar->setValue(40);  // still below the earlier level: repainted from scratch
  EXPECT_EQ(RunStarts(Pixels()), BlockStarts(4, 94));
  EXPECT_EQ(St().PendingValue, 40);
}

TEST_F(XpProgressBarTest, LowerValueWithMinAboveZeroRestartsFromItsLevel) {
  bar->setMin(20);
  bar->setValue(50);  // 30 of 80 units: 97.5 pixels
  EXPECT_EQ(RunStarts(Pixels()), BlockStarts(4, 94));
  bar->setValue(40);  // 20 units: 65 pixels
  EXPECT_EQ(RunStarts(Pixels()), BlockStarts(4, 64));
  EXPECT_EQ(St().NextBlockX, 74);
}

TEST_F(XpProgressBarTest, MinLeavesTheEmptyFrame) {
  bar->setValue(70);
  bar->setValue(0);
  EXPECT_EQ(Pixels(), ExpectedEmptyFrame(kBarWidth, kBarHeight));
}

TEST_F(XpProgressBarTest, MaxOtherThanHundredExtendsOneUnitPerAssignment) {
  bar->setMax(200);  // 1.3 pixels per unit
  bar->setValue(50);
  EXPECT_EQ(St().NextBlockX, 74);
  for (int i = 2; i <= 7; ++i) bar->setValue(50);
  EXPECT_EQ(St().NextBlockX, 74);
  EXPECT_EQ(St().AcceptedLevel, 50.0f) << "the accepted level does not grow";
  bar->setValue(50);  // the eighth: 57 units reach past 74
  EXPECT_EQ(St().NextBlockX, 84);
  for (int i = 0; i < 200 && !St().BarFull; ++i) bar->setValue(50);
  EXPECT_TRUE(St().BarFull);
}

TEST_F(XpProgressBarTest, StepCountSaturatesInsteadOfFailing) {
  bar->setMax(1000);
  for (int i = 0; i < 33000; ++i) bar->setValue(500);
  EXPECT_EQ(St().StepCount, 32767);
  EXPECT_TRUE(St().BarFull);
}

// Beyond 16 bits the bar can only show itself full; what matters is that nothing fails.
TEST_F(XpProgressBarTest, HugeRangeSaturatesInsteadOfFailing) {
  bar->setMax(100'000);
  bar->setValue(50'000);
  EXPECT_EQ(St().StepCount, 32767);
  EXPECT_TRUE(St().BarFull);
  EXPECT_TRUE(recorder.messages.empty());
}

// Min == Max leaves Min as the only valid value, which has just cleared the bar: an empty frame.
TEST_F(XpProgressBarTest, ZeroRangeShowsTheEmptyFrame) {
  bar->setMax(50);
  bar->setMin(50);
  bar->setValue(50);
  bar->setValue(50);
  EXPECT_EQ(Pixels(), ExpectedEmptyFrame(kBarWidth, kBarHeight));
  EXPECT_TRUE(recorder.messages.empty());
}

TEST_F(XpProgressBarTest, ResizeClearsBlocksWhichReturnAtTheNextValue) {
  bar->setValue(50);
  ResizeBar(*bar, kBarWidth, kBarHeight + 1);
  ResizeBar(*bar, kBarWidth, kBarHeight);
  EXPECT_EQ(Pixels(), ExpectedEmptyFrame(kBarWidth, kBarHeight));
  EXPECT_EQ(St().StepCount, 50);
  bar->setValue(50);
  EXPECT_EQ(RunStarts(Pixels()), BlockStarts(4, 124));
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

TEST(XpProgressBarLooks, LoadedLookPaintsAndUnknownLookKeepsThePreviousPictures) {
  struct Case {
    std::int32_t look;
    QRgb blockTop;
  };
  for (const Case c : {Case{5, 0xcbcbcb}, Case{9, kMasterBlockTop}, Case{-1, kMasterBlockTop}}) {
    host::PropertyBag bag;
    bag.Write("ProgressLook", c.look);
    Xp_ProgressBar bar;
    bar.hostLoad(bag, {});
    ResizeBar(bar, kBarWidth, kBarHeight);
    bar.setValue(10);
    EXPECT_EQ(bar.ProgressLook(), c.look);
    EXPECT_EQ(bar.surface().pixel(4, 3), Rgb(c.blockTop)) << c.look;
  }
}

TEST_F(XpProgressBarTest, UnknownLookAfterAKnownOneKeepsItsPictures) {
  bar->setProgressLook(3);
  bar->setProgressLook(9);
  bar->setValue(10);
  EXPECT_EQ(Pixels().pixel(4, 3), Rgb(0xecd39f));
}

// ---- marquee ----------------------------------------------------------------------------------

TEST_F(XpProgressBarTest, MarqueeRunsRightThenWrapsToTwo) {
  bar->setStyle(1);
  std::vector<int> expected;
  for (int x = 9; x <= 259; x += 5) expected.push_back(x);
  for (int x = 2; x <= 257; x += 5) expected.push_back(x);
  expected.push_back(2);
  expected.push_back(7);
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
  const auto within = [&](int x0, int slot) {
    const auto colours = ColoursOf((*look)[slot].image());
    for (int x = x0; x < x0 + 4; ++x)
      for (int y = 3; y < 9; ++y) EXPECT_TRUE(colours.count(img.pixel(x, y))) << x << "," << y;
  };
  within(4, 0);
  within(9, 1);
  within(14, 2);

  bar->setValue(20);  // marker at 9: the old tail is erased
  EXPECT_EQ(PaintedRuns(Pixels()), (std::vector<std::pair<int, int>>{{9, 4}, {14, 4}, {19, 4}}));
}

TEST_F(XpProgressBarTest, MarqueeRestartErasesTheFramesInnerColumn) {
  bar->setStyle(1);
  while (St().MarqueeX != 2) bar->setValue(1);
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

}  // namespace
}  // namespace kelvane::controls::test
