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

}  // namespace
}  // namespace kelvane::host
