#include <gtest/gtest.h>

#include "platform/gdi/surface.h"

TEST(Surface, ResizeKeepsBackground) {
  kelvane::gdi::Surface s({4, 3}, 0xFF102030);
  EXPECT_EQ(s.pixel(3, 2), 0xFF102030u);
}
