#include "platform/host/stock/color.h"

#include <QApplication>
#include <QPalette>
#include <array>
#include <utility>

namespace kelvane::host::stock {

namespace {

constexpr std::uint32_t kSystemIndexMask = 0xFFu;

// The system colours the stock controls default to, mapped onto the palette roles that play
// the same part on this desktop.
constexpr std::array<std::pair<std::uint32_t, QPalette::ColorRole>, 6> kSystemRoles{{
    {0x05, QPalette::Base},        // window background
    {0x08, QPalette::WindowText},  // window text
    {0x0D, QPalette::Highlight},
    {0x0E, QPalette::HighlightedText},
    {0x0F, QPalette::Button},      // button face
    {0x12, QPalette::ButtonText},
}};

}  // namespace

QColor ColorFromStored(std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  if ((bits & static_cast<std::uint32_t>(kSystemColorFlag)) == 0) {
    return QColor(bits & 0xFFu, (bits >> 8) & 0xFFu, (bits >> 16) & 0xFFu);
  }
  const std::uint32_t index = bits & kSystemIndexMask;
  for (const auto& [sys, role] : kSystemRoles) {
    if (sys == index) return QApplication::palette().color(QPalette::Active, role);
  }
  return Qt::black;
}

}  // namespace kelvane::host::stock
