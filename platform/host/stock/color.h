#pragma once
// Stored colours are int32 0x00BBGGRR; a value with the top bit set names a system colour.
#include <QColor>
#include <cstdint>

namespace kelvane::host::stock {

inline constexpr std::int32_t kColorButtonFace = static_cast<std::int32_t>(0x8000000Fu);
inline constexpr std::int32_t kColorButtonText = static_cast<std::int32_t>(0x80000012u);
inline constexpr std::int32_t kColorWindowText = static_cast<std::int32_t>(0x80000008u);

// A plain colour from its channels, a system colour from the desktop's palette; black for a
// value that is neither.
QColor ColorFromStored(std::int32_t value);

}  // namespace kelvane::host::stock
