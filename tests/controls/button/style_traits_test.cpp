#include "controls/button/style_traits.h"

#include <gtest/gtest.h>

namespace kelvane::controls {
namespace {

// A count raised without its row, or a row without its drawing, leaves a style that shows a bare
// face in the gallery and the benchmark without failing anything else.
TEST(StyleTraits, EveryStyleInTheTableHasADrawing) {
  for (std::int32_t type = 1; type <= kStyleCount; ++type) EXPECT_NE(TraitsOf(type).Draw, nullptr) << type;
}

}  // namespace
}  // namespace kelvane::controls
