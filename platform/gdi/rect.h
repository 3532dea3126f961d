#pragma once
// Rectangles and points in device pixels; right and bottom lie outside the rectangle.
#include <cstdint>

namespace kelvane::gdi {

struct Point {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Rect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  friend bool operator==(const Rect&, const Rect&) = default;
};

// Arithmetic wraps at 32 bits: coordinates from a stored layout may be anything, and signed
// overflow would be undefined.
constexpr std::int32_t wrapAdd(std::int32_t a, std::int64_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::int64_t>(a) + b));
}

constexpr std::int64_t RectWidth(const Rect& r) { return std::int64_t{r.right} - r.left; }
constexpr std::int64_t RectHeight(const Rect& r) { return std::int64_t{r.bottom} - r.top; }
constexpr bool IsRectEmpty(const Rect& r) { return r.right <= r.left || r.bottom <= r.top; }

// Grows the rectangle by dx on the left and right and dy on the top and bottom (shrinks if negative).
inline bool InflateRect(Rect& r, std::int32_t dx, std::int32_t dy) {
  r = {wrapAdd(r.left, -std::int64_t{dx}), wrapAdd(r.top, -std::int64_t{dy}), wrapAdd(r.right, dx),
       wrapAdd(r.bottom, dy)};
  return true;
}
inline bool OffsetRect(Rect& r, std::int32_t dx, std::int32_t dy) {
  r = {wrapAdd(r.left, dx), wrapAdd(r.top, dy), wrapAdd(r.right, dx), wrapAdd(r.bottom, dy)};
  return true;
}
}  // namespace kelvane::gdi
