#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QImage>
#include <limits>

#include "platform/host/errors.h"
#include "platform/host/stock/stock_progress_bar.h"

namespace kelvane::host::stock {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

enum class Prop { Min, Max, Value };

struct Assignment {
  const char* name;
  float min, max, value;  // the bar before the assignment
  Prop prop;
  float assigned;
  bool accepted;
};

void Assign(StockProgressBar& bar, Prop prop, float v) {
  switch (prop) {
    case Prop::Min: bar.setMin(v); break;
    case Prop::Max: bar.setMax(v); break;
    case Prop::Value: bar.setValue(v); break;
  }
}

class StockProgressBarRule : public ::testing::TestWithParam<Assignment> {};

TEST_P(StockProgressBarRule, AcceptsOrRaises380LeavingEverythingUnchanged) {
  const Assignment& a = GetParam();
  StockProgressBar bar;
  constexpr float kFarBelow = -1e9f;  // opens the range so any stored one can follow
  bar.setMin(kFarBelow);
  bar.setMax(a.max);
  bar.setMin(a.min);
  bar.setValue(a.value);
  if (a.accepted) {
    EXPECT_NO_THROW(Assign(bar, a.prop, a.assigned));
    return;
  }
  try {
    Assign(bar, a.prop, a.assigned);
    FAIL() << "accepted " << a.assigned;
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number(), kErrInvalidPropertyValue);
    EXPECT_STREQ(e.what(), "Invalid property value");
  }
  EXPECT_EQ(bar.Min(), a.min);
  EXPECT_EQ(bar.Max(), a.max);
  EXPECT_EQ(bar.Value(), a.value);
}

INSTANTIATE_TEST_SUITE_P(
    Table, StockProgressBarRule,
    ::testing::Values(Assignment{"ValueAtMax", 0, 100, 0, Prop::Value, 100, true},
                      Assignment{"ValueAtMin", 0, 100, 50, Prop::Value, 0, true},
                      Assignment{"ValueAboveMax", 0, 100, 0, Prop::Value, 100.5f, false},
                      Assignment{"ValueBelowMin", 0, 100, 0, Prop::Value, -1, false},
                      // The release routine stops its reservation on exactly this refusal.
                      Assignment{"CapPlusOne", 0, 32000, 32000, Prop::Value, 32001, false},
                      Assignment{"ValueNaN", 0, 100, 10, Prop::Value, kNaN, false},
                      Assignment{"ValueInfinite", 0, 100, 10, Prop::Value, kInf, false},
                      Assignment{"MaxEqualsMin", 0, 100, 0, Prop::Max, 0, false},
                      Assignment{"MaxBelowMin", 5, 100, 5, Prop::Max, 4, false},
                      Assignment{"MaxNaN", 0, 100, 0, Prop::Max, kNaN, false},
                      Assignment{"MinEqualsMax", 0, 100, 0, Prop::Min, 100, false},
                      Assignment{"MinAboveMax", 0, 100, 0, Prop::Min, 150, false},
                      Assignment{"MaxGrows", 0, 100, 100, Prop::Max, 32000, true},
                      Assignment{"NegativeRange", -10, -1, -5, Prop::Value, -10, true}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(StockProgressBar, NarrowingTheRangePullsValueAlong) {
  // The release routine sets Max to the pair count while Value may already be past it.
  StockProgressBar bar;
  bar.setMax(32000);
  bar.setValue(700);
  bar.setMax(500);
  EXPECT_EQ(bar.Value(), 500);
  bar.setValue(0);
  bar.setMin(20);
  EXPECT_EQ(bar.Value(), 20);
}

TEST(StockProgressBar, CountsInSinglePrecisionUpToTheCap) {
  StockProgressBar bar;
  bar.setMax(32000);
  for (int i = 0; i < 32000; ++i) bar.setValue(bar.Value() + 1.0f);
  EXPECT_EQ(bar.Value(), 32000.0f);
  EXPECT_THROW(bar.setValue(bar.Value() + 1.0f), RuntimeError);
}

struct Fill {
  float min, max, value;
  int inner, expected;
};

class StockProgressBarFill : public ::testing::TestWithParam<Fill> {};

TEST_P(StockProgressBarFill, IsTheValuesShareOfTheInnerWidth) {
  const Fill& f = GetParam();
  EXPECT_EQ(StockProgressBar::FillWidth(f.min, f.max, f.value, f.inner), f.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, StockProgressBarFill,
                         ::testing::Values(Fill{0, 100, 0, 258, 0}, Fill{0, 100, 100, 258, 258},
                                           Fill{0, 100, 50, 258, 129}, Fill{10, 20, 15, 100, 50},
                                           Fill{0, 32000, 1, 315, 0}, Fill{0, 100, 50, 0, 0},
                                           Fill{0, 0, 0, 100, 0}, Fill{0, 3, 2, 100, 67},
                                           Fill{0, 100, 50, 257, 129}, Fill{-10, -1, -4, 90, 60}));

// Screen readers hear whole percent, rounded down: a bar is not full before it is.
TEST(StockProgressBar, WholePercentRoundsDown) {
  const struct {
    float min, max, value;
    int percent;
  } rows[] = {{0, 100, 0, 0},   {0, 100, 99.9f, 99}, {0, 100, 100, 100},    {0, 3, 2, 66},
              {10, 20, 15, 50}, {-10, -1, -4, 66},   {0, 32000, 31999, 99}, {0, 32000, 320, 1}};
  for (const auto& r : rows) {
    StockProgressBar bar;
    bar.setMin(-1e9f);
    bar.setMax(r.max);
    bar.setMin(r.min);
    bar.setValue(r.value);
    EXPECT_EQ(bar.WholePercent(), r.percent) << r.min << ".." << r.max << " at " << r.value;
  }
}

// Every pixel of a small bar: a one-pixel border, then the filling from the left over the trough.
TEST(StockProgressBar, PaintsBorderFillingAndTrough) {
  const QRgb border = qRgb(0xBC, 0xBC, 0xBC), trough = qRgb(0xE6, 0xE6, 0xE6), fill = qRgb(0x06, 0xB0, 0x25);
  for (const auto& [value, filled] : {std::pair{0.0f, 0}, {30.0f, 3}, {100.0f, 10}}) {
    StockProgressBar bar;
    bar.resize(12, 4);
    bar.setValue(value);
    const QImage img = bar.grab().toImage();
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 12; ++x) {
        const bool edge = x == 0 || x == 11 || y == 0 || y == 3;
        EXPECT_EQ(img.pixel(x, y) | 0xFF000000u, edge          ? border
                                                 : x <= filled ? fill
                                                               : trough)
            << value << " at " << x << "," << y;
      }
  }
}

// Counts the events of one type a widget receives.
class EventCounter : public QObject {
 public:
  EventCounter(QWidget& w, QEvent::Type type) : type_(type) { w.installEventFilter(this); }
  int count = 0;

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == type_) ++count;
    return false;
  }

 private:
  QEvent::Type type_;
};

// A count held on the user-interface thread must still show, without one paint per step.
TEST(StockProgressBar, PaintsAtOnceAndOnlyWhenTheFillingMoves) {
  QWidget window;
  StockProgressBar bar(&window);
  bar.setGeometry(0, 0, 317, 10);  // 315 pixels inside the border
  window.show();
  QCoreApplication::processEvents();
  bar.setMax(32000);
  EventCounter paints(bar, QEvent::Paint);
  for (int i = 0; i < 32000; ++i) bar.setValue(bar.Value() + 1.0f);
  EXPECT_EQ(paints.count, 315) << "one paint per pixel of filling, none waiting for the event loop";

  bar.hide();
  paints.count = 0;
  bar.setValue(0);
  EXPECT_EQ(paints.count, 0) << "a hidden bar paints when it is shown again";
}

// The window's working bar lies outside the client area and is set every tick.
TEST(StockProgressBar, OutOfViewCostsNoRepaintAndShowsItsFillingWhenItComesIntoView) {
  QWidget window;
  window.resize(100, 20);
  StockProgressBar bar(&window);
  bar.setGeometry(200, 0, 102, 10);
  window.show();
  QCoreApplication::processEvents();
  EventCounter updates(window, QEvent::UpdateRequest);
  for (int i = 0; i <= 100; ++i) bar.setValue(float(i));
  EXPECT_EQ(updates.count, 0);

  EventCounter paints(bar, QEvent::Paint);
  bar.move(0, 0);
  QCoreApplication::processEvents();
  EXPECT_GE(paints.count, 1);
  paints.count = 0;
  bar.setValue(50);
  EXPECT_EQ(paints.count, 1) << "a bar in view paints at once";
}

TEST(StockProgressBar, VisibleIsTheStoredFlagBeforeTheWindowShows) {
  QWidget window;
  StockProgressBar shown(&window);
  StockProgressBar hidden(&window);
  hidden.hide();
  EXPECT_TRUE(shown.Visible());
  EXPECT_FALSE(hidden.Visible());
  hidden.setVisible(true);
  EXPECT_TRUE(hidden.Visible());
}

}  // namespace
}  // namespace kelvane::host::stock
