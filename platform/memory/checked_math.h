#pragma once

#include <cstdint>
#include <limits>
#include <optional>

namespace kelvane::mem {

// value * factor + addend, or nothing if it does not fit 64 bits.
constexpr std::optional<std::uint64_t> CheckedMulAdd(std::uint64_t value, std::uint64_t factor,
                                                     std::uint64_t addend) {
  std::uint64_t product = 0;
  std::uint64_t sum = 0;
  if (__builtin_mul_overflow(value, factor, &product)) return std::nullopt;
  if (__builtin_add_overflow(product, addend, &sum)) return std::nullopt;
  return sum;
}

constexpr std::uint64_t SaturatingAdd(std::uint64_t a, std::uint64_t b) {
  std::uint64_t sum = 0;
  return __builtin_add_overflow(a, b, &sum) ? std::numeric_limits<std::uint64_t>::max() : sum;
}

constexpr std::uint64_t SaturatingSub(std::uint64_t a, std::uint64_t b) { return a > b ? a - b : 0; }

}  // namespace kelvane::mem
