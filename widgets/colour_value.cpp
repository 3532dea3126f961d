#include "colour_value.h"

#include "platform/gdi/colorref.h"
#include "platform/gdi/syscolor.h"

namespace Kelvane::detail {

namespace gdi = kelvane::gdi;

std::int32_t StoredFromColor(const QColor& colour) {
  const QColor rgb = colour.toRgb();
  return static_cast<std::int32_t>(gdi::RGB(rgb.red(), rgb.green(), rgb.blue()));
}

std::optional<std::int32_t> StoredFromSystemColor(int index) {
  if (index < 0 || index >= gdi::kSysColorCount) return std::nullopt;
  return static_cast<std::int32_t>(gdi::kSysColorFlag | static_cast<std::uint32_t>(index));
}

QColor ColorFromStored(std::int32_t stored, const QPalette& palette) {
  const auto rgb = gdi::TranslateColor(static_cast<std::uint32_t>(stored), palette);
  if (!rgb) return {};
  return QColor(gdi::GetRValue(*rgb), gdi::GetGValue(*rgb), gdi::GetBValue(*rgb));
}

int SystemColorOfStored(std::int32_t stored) {
  const auto bits = static_cast<std::uint32_t>(stored);
  if ((bits & 0xFF000000u) != gdi::kSysColorFlag) return kNoSystemColor;
  const auto index = static_cast<int>(bits & 0x00FFFFFFu);
  return index < gdi::kSysColorCount ? index : kNoSystemColor;
}

}  // namespace Kelvane::detail
