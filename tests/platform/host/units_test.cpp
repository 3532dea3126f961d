#include <gtest/gtest.h>

#include "platform/host/control.h"
#include "platform/host/errors.h"

namespace kelvane::host {
namespace {

struct ScaleCase {
  double value;
  ScaleUnit from, to;
  double expected;
};

class ScaleConvertTest : public testing::TestWithParam<ScaleCase> {};

TEST_P(ScaleConvertTest, ConvertsAt96DotsPerInch) {
  const auto& c = GetParam();
  EXPECT_NEAR(Control::ScaleConvert(c.value, c.from, c.to), c.expected, 1e-9);
  // and back again
  EXPECT_NEAR(Control::ScaleConvert(c.expected, c.to, c.from), c.value, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(Units, ScaleConvertTest,
                         testing::Values(ScaleCase{1, ScaleUnit::Pixels, ScaleUnit::Twips, 15},
                                         ScaleCase{1440, ScaleUnit::Twips, ScaleUnit::Pixels, 96},
                                         ScaleCase{96, ScaleUnit::Pixels, ScaleUnit::Himetric, 2540},
                                         ScaleCase{1440, ScaleUnit::Twips, ScaleUnit::Himetric, 2540},
                                         ScaleCase{7, ScaleUnit::Twips, ScaleUnit::Pixels, 7.0 / 15},
                                         ScaleCase{-30, ScaleUnit::Twips, ScaleUnit::Pixels, -2},
                                         ScaleCase{0, ScaleUnit::Himetric, ScaleUnit::Twips, 0},
                                         ScaleCase{12.5, ScaleUnit::Pixels, ScaleUnit::Pixels, 12.5}));

struct CIntCase {
  double in;
  int out;
};

class CIntRounding : public testing::TestWithParam<CIntCase> {};

TEST_P(CIntRounding, RoundsHalvesToEven) { EXPECT_EQ(CInt(GetParam().in), GetParam().out); }

INSTANTIATE_TEST_SUITE_P(Values, CIntRounding,
                         testing::Values(CIntCase{8.25, 8}, CIntCase{10.5, 10}, CIntCase{11.5, 12},
                                         CIntCase{2.5, 2}, CIntCase{-2.5, -2}, CIntCase{-3.5, -4},
                                         CIntCase{0.49, 0}, CIntCase{32767.4, 32767},
                                         CIntCase{-32768.5, -32768}, CIntCase{99, 99}));

class CIntOverflow : public testing::TestWithParam<double> {};

TEST_P(CIntOverflow, RaisesOverflow) {
  try {
    CInt(GetParam());
    FAIL() << "no error for " << GetParam();
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number(), kErrOverflow);
  }
}

INSTANTIATE_TEST_SUITE_P(Values, CIntOverflow,
                         testing::Values(32767.5, 32768.0, -32768.51, -40000.0, 1e300,
                                         std::numeric_limits<double>::quiet_NaN(),
                                         std::numeric_limits<double>::infinity()));

}  // namespace
}  // namespace kelvane::host
