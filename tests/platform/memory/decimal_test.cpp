#include "platform/memory/decimal.h"

#include <gtest/gtest.h>

#include <string>

namespace kelvane::mem {
namespace {

struct DecimalCase {
  std::string text;
  std::optional<std::uint64_t> expected;
};

TEST(ParseDecimal, ReadsPlainFiguresAndRefusesTheRest) {
  const DecimalCase cases[] = {
      {"0", 0},
      {"536870912\n", 536870912},
      {"007", 7},
      {" \t\v\f\r12\r\n", 12},
      {"18446744073709551615", UINT64_MAX},
      {"18446744073709551616", {}},  // 2^64: the last digit's add overflows
      {"18446744073709551620", {}},  // the last multiply overflows
      {"000000000000000000000000018446744073709551615", UINT64_MAX},
      {"", {}},
      {" \n", {}},
      {"+1", {}},
      {"-1", {}},
      {"max\n", {}},
      {"12k", {}},
      {"1 2", {}},
      {"0x10", {}},
      {"1.5", {}},
      {std::string("12\0", 3), {}},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(ParseDecimal(text), expected) << '"' << text << '"';
}

}  // namespace
}  // namespace kelvane::mem
