// What the bar draws while nobody sees it, on a scaled screen, and where its refusals go.
#include <functional>

#include <QTest>

#include "controls/progressbar/bar_pictures.h"
#include "tests/controls/progressbar/bar_fixture.h"

namespace kelvane::controls::test {
namespace {

using Step = std::function<void(Xp_ProgressBar&)>;
Step V(int v) {
  return [v](Xp_ProgressBar& b) { b.setValue(v); };
}
Step S(int style) {
  return [style](Xp_ProgressBar& b) { b.setStyle(style); };
}
Step Look(int look) {
  return [look](Xp_ProgressBar& b) { b.setProgressLook(look); };
}
Step Size(int w, int h) {
  return [w, h](Xp_ProgressBar& b) { ResizeBar(b, w, h); };
}
std::vector<Step> Steps(std::initializer_list<std::vector<Step>> parts) {
  std::vector<Step> all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}
std::vector<Step> Times(int n, const Step& s) { return std::vector<Step>(std::size_t(n), s); }
const Step kReset = [](Xp_ProgressBar& b) { b.Reset(); };

struct Sequence {
  const char* name;
  std::vector<Step> steps;
  friend void PrintTo(const Sequence& s, std::ostream* os) { *os << s.name; }
};

class Drawing : public testing::TestWithParam<Sequence> {};

// A bar whose surface is read after every assignment draws each one as it comes; one read only at
// the end has put them all off. Both must show the same, and so must the copies drawn again at
// scale 1.
TEST_P(Drawing, PutOffShowsWhatDrawingAtOnceShows) {
  kelvane::test::OwnedBar atOnce, putOff;
  for (auto* bar : {atOnce.get(), putOff.get()}) {
    bar->hostCreateNew({});
    ResizeBar(*bar, kBarWidth, kBarHeight);
  }
  for (const Step& step : GetParam().steps) {
    step(*atOnce);
    atOnce->surface();
    step(*putOff);
  }
  const QImage drawn = putOff->surface().image();
  EXPECT_EQ(drawn, atOnce->surface().image());
  EXPECT_EQ(putOff->DeviceImage(1.0), drawn);
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, Drawing,
    testing::Values(Sequence{"firstAssignment", {V(40)}},
                    Sequence{"countingUp", {V(10), V(20), V(30), V(40)}},
                    Sequence{"fallAndRepeat", {V(50), V(30), V(30), V(30)}},
                    Sequence{"fullAndRepeated", Times(3, V(100))},
                    Sequence{"looks", {V(40), Look(3), V(41), Look(7), V(60)}},
                    Sequence{"resized", {V(40), Size(120, 17), V(41), Size(7, 7), V(42)}},
                    Sequence{"marqueeWraps", Steps({{S(1)}, Times(70, V(1))})},
                    Sequence{"marqueeRestarts", {S(1), V(5), V(100), V(2), V(3)}},
                    Sequence{"blocksUnderTheMarker",
                             Steps({{V(50), V(30), V(30), S(1)}, Times(3, V(30)), {S(0), V(31)}})},
                    Sequence{"reset", {V(60), kReset, V(20), S(1), V(3), kReset}}),
    [](const auto& p) { return std::string(p.param.name); });

// On a scaled screen: blocks of one width at one pitch, the last reaching the track's end, and the
// frame's bottom edge on the image's last row (no row of background under it).
TEST(XpProgressBarScaled, BlocksEvenlySpacedAndTheFrameWhole) {
  for (const double dpr : {1.25, 1.5, 2.0}) {
    kelvane::test::OwnedBar bar;
    ResizeBar(*bar, 251, 17);
    for (int v = 0; v <= 100; v += 1) {
      bar->setValue(v);
      if (v != 57 && v != 100) continue;
      const QImage image = bar->DeviceImage(dpr);
      const QImage row = image.copy(0, image.height() / 2, image.width(), 1);
      std::vector<std::pair<int, int>> runs;  // block colour runs inside the frame: (start, width)
      for (int x = int(3 * dpr + 0.5); x < image.width() - int(3 * dpr + 0.5); ++x) {
        if (Rgb(row.pixel(x, 0)) == Rgb(0xffffff)) continue;
        if (!runs.empty() && runs.back().first + runs.back().second == x)
          ++runs.back().second;
        else
          runs.emplace_back(x, 1);
      }
      ASSERT_GT(runs.size(), 3u) << dpr;
      const std::size_t whole = v == 100 ? runs.size() - 1 : runs.size();
      for (std::size_t i = 1; i < whole; ++i) {
        EXPECT_EQ(runs[i].second, std::lround(8 * dpr)) << dpr << " block " << i;
        EXPECT_EQ(runs[i].first - runs[i - 1].first, int(10 * dpr)) << dpr << " block " << i;
      }
      if (v == 100) {
        EXPECT_EQ(runs.back().first + runs.back().second, std::lround(248 * dpr)) << dpr;
      }
      const QRgb frameBottom = Rgb(FramePicture().image().pixel(3, 12));
      for (int x = int(3 * dpr + 0.5); x < image.width() - int(3 * dpr + 0.5); ++x)
        ASSERT_EQ(Rgb(image.pixel(x, image.height() - 1)), frameBottom) << dpr << " x " << x;
    }
  }
}

// The program's refusal handler takes the bar's refusals whatever services are installed, and
// nothing else: other boxes still reach the services.
TEST_F(XpProgressBarTest, TheRefusalHandlerTakesRefusalsAlone) {
  static std::vector<std::pair<QString, QString>> taken;
  taken.clear();
  const auto previous = host::installRefusalHandler(
      [](const QString& text, const QString& title) { taken.emplace_back(text, title); });
  bar->setValue(500);
  host::services().MsgBox(QStringLiteral("Optimize?"), host::kMsgBoxYesNo, QStringLiteral("Kelvane"));
  host::installRefusalHandler(previous);
  bar->setMin(-1);
  ASSERT_EQ(taken.size(), 1u);
  EXPECT_EQ(taken[0].first, QStringLiteral("Value can NOT be higher than Maximum !"));
  EXPECT_EQ(taken[0].second, QStringLiteral("Error"));
  const auto boxes = recorder.TakeMessages();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, QStringLiteral("Optimize?"));
  EXPECT_EQ(boxes[1], (kelvane::test::RecordedMessage{"Minimum can NOT be smaller then 0 !", 16, "Error"}));
}

// Until its first show the bar keeps its Value on it through every change of size, a Value loaded
// with the form too; once shown, a change of size empties it until the next assignment.
TEST(XpProgressBarFirstShow, KeepsTheValueUntilShownThenEmptiesOnAResize) {
  kelvane::test::OwnedBar bar;
  host::PropertyBag bag;
  bag.Write("Value", 40);
  bar->hostLoad(bag, {});
  const auto firstBlock = [&] { return Rgb(bar->surface().image().pixel(6, 8)) != Rgb(0xffffff); };
  bar->widget().resize(120, 17);
  bar->widget().resize(200, 17);
  bar->widget().show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar->widget()));
  EXPECT_EQ(bar->surface().image().width(), bar->widget().width());
  EXPECT_TRUE(firstBlock());
  bar->widget().resize(220, 17);
  QCoreApplication::processEvents();
  EXPECT_FALSE(firstBlock());
}

}  // namespace
}  // namespace kelvane::controls::test
