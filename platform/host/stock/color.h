#pragma once
// Stored colours are int32 0x00BBGGRR; a value with the top bit set names a system colour.
#include <QColor>
#include <QWidget>
#include <cstdint>

namespace kelvane::host::stock {

inline constexpr std::int32_t kColorButtonFace = static_cast<std::int32_t>(0x8000000Fu);
inline constexpr std::int32_t kColorButtonText = static_cast<std::int32_t>(0x80000012u);
inline constexpr std::int32_t kColorWindowText = static_cast<std::int32_t>(0x80000008u);

// A plain colour from its channels, a system colour from the desktop's palette; black for a
// value that is neither.
QColor ColorFromStored(std::int32_t value);

// A container's stored colours become its palette's window and text colours, so a device context
// over the container (what a control asks for to match its container) reports what it really
// paints, not Qt's defaults.
void PublishColors(QWidget& container, std::int32_t back, std::int32_t fore);

}  // namespace kelvane::host::stock
