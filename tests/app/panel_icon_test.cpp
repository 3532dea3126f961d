#include "app/panel_icon.h"

#include <gtest/gtest.h>

namespace kelvane::app {
namespace {

struct FillCase {
  int side, percent, columns;
  QRgb colour;
};

class PanelIconFill : public ::testing::TestWithParam<FillCase> {};

// The fill ends at the expected column on the body's middle row, in the expected colour, and the
// outline, the cut corners and the first contact sit where the layout puts them.
TEST_P(PanelIconFill, DrawsTheShareAtEverySize) {
  const FillCase& c = GetParam();
  const PanelIconGeometry g = PanelIconLayout(c.side);
  const QImage image = DrawPanelIcon(c.side, c.percent);
  ASSERT_EQ(image.size(), QSize(c.side, c.side));
  EXPECT_EQ(PanelFillColumns(g.innerWidth(), c.percent), c.columns);
  const int left = g.bodyLeft + g.border, mid = g.bodyTop + g.bodyHeight / 2;
  for (int x = 0; x < g.innerWidth(); ++x) {
    EXPECT_EQ(image.pixel(left + x, mid), x < c.columns ? c.colour : kPanelEmpty) << "column " << x;
  }
  EXPECT_EQ(image.pixel(g.bodyLeft, mid), kPanelOutline);
  EXPECT_EQ(image.pixel(g.bodyLeft + g.bodyWidth - 1, mid), kPanelOutline);
  EXPECT_EQ(image.pixel(left, g.bodyTop + g.border - 1), kPanelOutline);
  EXPECT_EQ(image.pixel(left, g.bodyTop + g.bodyHeight - g.border), kPanelOutline);
  EXPECT_EQ(qAlpha(image.pixel(g.bodyLeft, g.bodyTop)), 0);
  EXPECT_EQ(qAlpha(image.pixel(g.bodyLeft + g.bodyWidth - 1, g.bodyTop + g.bodyHeight - 1)), 0);
  EXPECT_EQ(image.pixel(left + g.border, g.contactsTop), kPanelContacts);
  EXPECT_EQ(qAlpha(image.pixel(left, g.contactsTop)), 0);
  EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
  // Nothing half-transparent: the panel's own colour never shows through the picture.
  for (int y = 0; y < c.side; ++y) {
    for (int x = 0; x < c.side; ++x) {
      const int alpha = qAlpha(image.pixel(x, y));
      ASSERT_TRUE(alpha == 0 || alpha == 255) << x << "," << y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Shares, PanelIconFill,
    ::testing::Values(
        // 16 px: 12 columns inside. Nothing free shows empty; a sliver still shows one column.
        FillCase{16, 0, 0, kPanelCritical}, FillCase{16, 1, 1, kPanelCritical},
        FillCase{16, 9, 1, kPanelCritical}, FillCase{16, 10, 1, kPanelLow}, FillCase{16, 24, 3, kPanelLow},
        FillCase{16, 25, 3, kPanelPlenty}, FillCase{16, 50, 6, kPanelPlenty},
        // 99 % rounds to 12 of 12 but must not look full.
        FillCase{16, 99, 11, kPanelPlenty}, FillCase{16, 100, 12, kPanelPlenty},
        FillCase{16, 250, 12, kPanelPlenty}, FillCase{16, -5, 0, kPanelCritical},
        FillCase{22, 37, 7, kPanelPlenty}, FillCase{24, 37, 7, kPanelPlenty},
        FillCase{32, 37, 9, kPanelPlenty}, FillCase{44, 37, 13, kPanelPlenty},
        FillCase{48, 37, 13, kPanelPlenty}, FillCase{64, 37, 18, kPanelPlenty},
        FillCase{64, 99, 47, kPanelPlenty}));

// The key changes exactly when some size's picture does: an update is never skipped, never wasted.
TEST(PanelIconKey, ChangesExactlyWhenAPictureDoes) {
  for (int percent = 0; percent < 100; ++percent) {
    bool same = true;
    for (int side : kPanelIconDeviceSides) {
      same = same && DrawPanelIcon(side, percent) == DrawPanelIcon(side, percent + 1);
    }
    EXPECT_EQ(PanelIconKeyFor(percent) == PanelIconKeyFor(percent + 1), same) << percent;
  }
}

TEST(PanelIcon, HoldsEverySizeDrawnForIt) {
  const QIcon icon = PanelIcon(37);
  QList<QSize> expected;
  for (int side : kPanelIconDeviceSides) expected << QSize(side, side);
  EXPECT_EQ(icon.availableSizes(), expected);
  for (int side : kPanelIconDeviceSides) {
    EXPECT_EQ(icon.pixmap(QSize(side, side)).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
              DrawPanelIcon(side, 37))
        << side;
  }
}

}  // namespace
}  // namespace kelvane::app
