// Which pixels of a small button belong to it in each style, and that the cut-away ones belong to
// the container once the button is on screen.
#include "controls/button/shape.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QImage>
#include <QPalette>
#include <QWidget>
#include <string>
#include <vector>

#include "controls/button/chameleon_button.h"
#include "controls/button/style_traits.h"
#include "platform/host/window_system.h"
#include "tests/support/control_widgets.h"

namespace kelvane::controls::test {
namespace {

// '#' for a pixel of the region, '.' for one outside it, over the w × h box; rows joined by '/'.
std::string Pixels(const gdi::Region& r, int w, int h) {
  std::string out;
  for (int y = 0; y < h; ++y) {
    if (y) out += '/';
    for (int x = 0; x < w; ++x) out += gdi::PtInRegion(r, x, y) ? '#' : '.';
  }
  return out;
}

struct ShapeCase {
  std::int32_t type, width, height;
  std::vector<std::string> rows;
};

std::string Join(const std::vector<std::string>& rows) {
  std::string out;
  for (std::size_t i = 0; i < rows.size(); ++i) out += (i ? "/" : "") + rows[i];
  return out;
}

const std::vector<std::string> kFull10x6(6, "##########");
const std::vector<std::string> kCorners10x6 = {".########.", "##########", "##########",
                                               "##########", "##########", ".########."};

// Worked out from the cut lists. The oval is the ellipse drawn one pixel in from the right and bottom
// edges: a pixel belongs when its centre lies within half a pixel more than each half-axis.
const ShapeCase kShapes[] = {
    {1, 10, 6, kCorners10x6},
    {14, 10, 6, kCorners10x6},
    {5, 10, 6, {"#########.", "##########", "##########", "##########", "##########", ".#########"}},
    {3, 10, 6, {"..######..", ".########.", "##########", "##########", ".########.", "..######.."}},
    {4, 10, 6, {"..######..", ".########.", "##########", "##########", ".########.", "..######.."}},
    {13, 6, 6, {".###..", "#####.", "#####.", "#####.", ".###..", "......"}},
    {13, 10, 6, {"..#####...", "#########.", "#########.", "#########.", "..#####...", ".........."}},
    {2, 10, 6, kFull10x6},
    {6, 10, 6, kFull10x6},
    {7, 10, 6, kFull10x6},
    {8, 10, 6, kFull10x6},
    {9, 10, 6, kFull10x6},
    {10, 10, 6, kFull10x6},
    {11, 10, 6, kFull10x6},
    {12, 10, 6, kFull10x6},
    {0, 10, 6, kFull10x6},
    {kStyleCount + 1, 10, 6, kFull10x6},
    {-1, 10, 6, kFull10x6},
    // Cuts on buttons too small for them overlap or fall outside, and never reach past the list.
    {3, 3, 3, {"...", ".#.", "..."}},
    {3, 4, 2, {"....", "...."}},
    {3, 1, 4, {".", ".", ".", "."}},
    {1, 2, 1, {".."}},
    {1, 3, 1, {".#."}},
    {5, 1, 2, {".", "."}},
    {5, 2, 1, {".."}},
    {5, 3, 1, {".#."}},
    {14, 2, 3, {"..", "##", ".."}},
};

TEST(ShapeRegion, PixelsOfEachStyle) {
  for (const ShapeCase& c : kShapes) {
    const gdi::Region r = BuildShapeRegion(c.type, c.width, c.height);
    ASSERT_FALSE(r.isNull()) << "style " << c.type;
    EXPECT_EQ(Pixels(r, c.width + 1, c.height + 1), Join([&] {
                auto rows = c.rows;
                for (auto& row : rows) row += '.';
                rows.emplace_back(c.width + 1, '.');
                return rows;
              }()))
        << "style " << c.type << " on " << c.width << " x " << c.height;
  }
}

TEST(ShapeRegion, EmptyButtonHasNoPixelsInAnyStyle) {
  for (std::int32_t type : {1, 2, 3, 5, 13, 14})
    for (auto [w, h] : {std::pair{0, 6}, {10, 0}, {0, 0}})
      EXPECT_TRUE(BuildShapeRegion(type, w, h).pixels().isEmpty()) << type << " " << w << "x" << h;
}

// A container with one button on it, shown, so the window tree decides who owns a point.
class ShapedButton : public ::testing::Test {
 protected:
  void SetUp() override {
    container.setGeometry(100, 100, 160, 100);
    QPalette pal;
    pal.setColor(QPalette::Window, kContainer);
    container.setPalette(pal);
    container.setAutoFillBackground(true);
    button->hostCreateNew({});
    button->widget().setGeometry(10, 20, 40, 20);
    container.show();
    QApplication::processEvents();
  }
  QWidget* At(int x, int y) const {  // the window under a pixel of the button
    const QPoint p = button->widget().mapToGlobal(QPoint(x, y));
    return host::WindowFromPoint({p.x(), p.y()});
  }
  QRgb OnScreen(int x, int y) {  // what the container shows at a pixel of the button
    return container.grab().toImage().pixel(button->widget().geometry().topLeft() + QPoint(x, y)) |
           0xFF000000u;
  }

  const QColor kContainer{0x12, 0x34, 0x56};
  QWidget container;
  chameleonButton* button = kelvane::test::NewButton(&container);  // owned by the container
};

TEST_F(ShapedButton, CutCornersBelongToTheContainerForTheMouseAndOnScreen) {
  button->setButtonType(3);
  for (auto [x, y] : {std::pair{0, 0}, {1, 0}, {0, 1}, {39, 19}, {38, 19}, {39, 18}}) {
    EXPECT_EQ(At(x, y), &container) << x << "," << y;
    EXPECT_EQ(OnScreen(x, y), kContainer.rgb()) << x << "," << y;
  }
  for (auto [x, y] : {std::pair{2, 0}, {1, 1}, {0, 2}, {20, 10}, {37, 19}})
    EXPECT_EQ(At(x, y), &button->widget()) << x << "," << y;
}

TEST_F(ShapedButton, ChangingTheStyleReshapesTheWindow) {
  button->setButtonType(13);
  EXPECT_EQ(At(0, 0), &container);
  EXPECT_EQ(At(20, 10), &button->widget());
  button->setButtonType(2);
  EXPECT_EQ(At(0, 0), &button->widget());
  EXPECT_EQ(At(39, 19), &button->widget());
  button->setButtonType(5);
  EXPECT_EQ(At(0, 0), &button->widget());
  EXPECT_EQ(At(39, 0), &container);
}

TEST_F(ShapedButton, ResizingRebuildsTheShapeForTheNewSize) {
  button->setButtonType(13);
  button->widget().resize(80, 30);
  QApplication::processEvents();
  EXPECT_EQ(button->widget().mask(), BuildShapeRegion(13, 80, 30).pixels());
  EXPECT_EQ(At(60, 15), &button->widget()) << "outside the old oval, inside the new one";
  EXPECT_EQ(At(79, 0), &container);
}

}  // namespace
}  // namespace kelvane::controls::test
