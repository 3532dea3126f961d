#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

#include "platform/gdi/bits.h"
#include "platform/gdi/draw.h"
#include "platform/gdi/region.h"
#include "platform/host/window_system.h"
#include "tests/platform/gdi/pixel_grid.h"

namespace kelvane::host {
namespace {

using namespace gdi;
using namespace gdi::testing;

// A shaped child in a top-level window: hit tests, shapes and the container's context.
class ShapedChild : public ::testing::Test {
 protected:
  void SetUp() override {
    top.setGeometry(100, 100, 120, 80);
    QPalette pal;
    pal.setColor(QPalette::Window, QColor(0x12, 0x34, 0x56));
    pal.setColor(QPalette::WindowText, QColor(0xAB, 0xCD, 0xEF));
    top.setPalette(pal);
    top.setAutoFillBackground(true);
    child->setGeometry(10, 20, 40, 20);
    top.show();
    QApplication::processEvents();
  }
  QWidget* At(int x, int y) const {  // the window under a point of the child
    const QPoint p = child->mapToGlobal(QPoint(x, y));
    return WindowFromPoint({p.x(), p.y()});
  }

  QWidget top;
  QWidget* child = new QWidget(&top);  // owned by top
};

TEST_F(ShapedChild, EllipticRegionHandsItsCornersToTheContainer) {
  ASSERT_EQ(At(0, 0), child);
  EXPECT_TRUE(SetWindowRgn(child, CreateEllipticRgn(0, 0, 40, 20), true));
  for (auto [x, y] : {std::pair{0, 0}, {39, 0}, {0, 19}, {39, 19}})
    EXPECT_EQ(At(x, y), &top) << x << "," << y;
  EXPECT_EQ(At(20, 10), child);
  EXPECT_EQ(At(0, 9), child);  // the ellipse reaches the left edge
}

TEST_F(ShapedChild, NoRegionRestoresTheRectangleAndAnEmptyOneHidesAll) {
  SetWindowRgn(child, CreateRectRgn(0, 0, 0, 0), true);
  EXPECT_EQ(At(20, 10), &top);
  SetWindowRgn(child, Region{}, true);
  EXPECT_EQ(At(0, 0), child);
}

// The point goes where the pointer's input would: not to a disabled child, nor into a window that a
// modal one blocks.
TEST_F(ShapedChild, NeitherADisabledChildNorABlockedWindowTakesThePoint) {
  child->setEnabled(false);
  EXPECT_EQ(At(20, 10), &top);
  child->setEnabled(true);
  QWidget modal;
  modal.setWindowModality(Qt::ApplicationModal);
  modal.setGeometry(300, 300, 40, 40);
  modal.show();
  EXPECT_EQ(At(20, 10), nullptr);
  modal.close();
  EXPECT_EQ(At(20, 10), child);
}

TEST_F(ShapedChild, ClientRectangleAndTheContainerContextsColoursAndPixels) {
  Rect r{9, 9, 9, 9};
  EXPECT_TRUE(GetClientRect(child, r));
  EXPECT_EQ(r, (Rect{0, 0, 40, 20}));
  EXPECT_FALSE(GetClientRect(nullptr, r));
  child->hide();
  Dc parent = GetDC(GetParent(child));
  EXPECT_EQ(GetBkColor(parent), RGB(0x12, 0x34, 0x56));
  EXPECT_EQ(GetTextColor(parent), RGB(0xAB, 0xCD, 0xEF));
  Surface s = Paper(3, 2);
  Dc dc(s);
  BitBlt(dc, 0, 0, 3, 2, parent, 10, 20, SRCCOPY);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) EXPECT_EQ(s.pixel(x, y), toQRgb(RGB(0x12, 0x34, 0x56)));
  ReleaseDC(&top, std::move(parent));
}

// Siblings overlap as they are stacked, the last made (or raised) on top; the point goes down to the
// deepest child that shows there, past hidden ones and cut-away parts, and a disabled child keeps it
// for its parent, as it keeps the pointer's input.
struct HitRow {
  const char* name;
  void (*change)(QWidget& low, QWidget& high, QWidget& inner);
  QPoint at;  // in the window
  const char* expected;
};

class HitTesting : public ::testing::TestWithParam<HitRow> {};

TEST_P(HitTesting, FindsTheDeepestShownEnabledChildOnTop) {
  QWidget top;
  top.setObjectName("top");
  top.setGeometry(100, 100, 100, 60);
  auto* low = new QWidget(&top);    // (0, 0) to (40, 40)
  auto* high = new QWidget(&top);   // (20, 20) to (60, 60), over low
  auto* inner = new QWidget(high);  // (25, 25) to (35, 35) in the window
  low->setObjectName("low");
  high->setObjectName("high");
  inner->setObjectName("inner");
  low->setGeometry(0, 0, 40, 40);
  high->setGeometry(20, 20, 40, 40);
  inner->setGeometry(5, 5, 10, 10);
  GetParam().change(*low, *high, *inner);
  top.show();
  QApplication::processEvents();
  const QPoint g = top.mapToGlobal(GetParam().at);
  const QWidget* hit = WindowFromPoint({g.x(), g.y()});
  EXPECT_EQ(hit ? hit->objectName() : QString("none"), GetParam().expected);
}

void Unchanged(QWidget&, QWidget&, QWidget&) {}

INSTANTIATE_TEST_SUITE_P(
    Table, HitTesting,
    ::testing::Values(
        HitRow{"lowAlone", Unchanged, {5, 5}, "low"},
        HitRow{"overlapGoesToTheLaterSibling", Unchanged, {22, 22}, "high"},
        HitRow{"grandchild", Unchanged, {30, 30}, "inner"}, HitRow{"noChild", Unchanged, {90, 5}, "top"},
        HitRow{"raisedLowComesOnTop", [](QWidget& l, QWidget&, QWidget&) { l.raise(); }, {22, 22}, "low"},
        HitRow{"loweredHighGoesBeneath", [](QWidget&, QWidget& h, QWidget&) { h.lower(); }, {22, 22}, "low"},
        HitRow{"hiddenHighLetsLowThrough", [](QWidget&, QWidget& h, QWidget&) { h.hide(); }, {22, 22}, "low"},
        HitRow{"disabledHighKeepsItForTheWindow",
               [](QWidget&, QWidget& h, QWidget&) { h.setEnabled(false); },
               {22, 22},
               "top"},
        HitRow{"disabledInnerKeepsItForItsParent",
               [](QWidget&, QWidget&, QWidget& i) { i.setEnabled(false); },
               {30, 30},
               "high"},
        HitRow{"hiddenInner", [](QWidget&, QWidget&, QWidget& i) { i.hide(); }, {30, 30}, "high"},
        HitRow{"cutAwayPartOfHighBelongsToLow",
               [](QWidget&, QWidget& h, QWidget&) { h.setMask(QRegion(10, 10, 30, 30)); },
               {22, 22},
               "low"},
        HitRow{"outsideTheWindow", Unchanged, {150, 5}, "none"}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace kelvane::host
