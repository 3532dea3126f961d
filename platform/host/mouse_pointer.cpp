#include "platform/host/mouse_pointer.h"

#include <array>

#include "platform/host/control.h"

namespace kelvane::host {

namespace {

// Indexed by code 0..15: default, arrow, cross, I-beam, icon, size, size NE-SW, size N-S,
// size NW-SE, size W-E, up arrow, hourglass, no drop, arrow and hourglass, arrow and question,
// size all. Code 4, the "icon" pointer, has no Qt counterpart; the arrow stands in.
constexpr std::array<Qt::CursorShape, kPointerLastStock + 1> kShapes{
    Qt::ArrowCursor,     Qt::ArrowCursor,   Qt::CrossCursor,     Qt::IBeamCursor,
    Qt::ArrowCursor,     Qt::SizeAllCursor, Qt::SizeBDiagCursor, Qt::SizeVerCursor,
    Qt::SizeFDiagCursor, Qt::SizeHorCursor, Qt::UpArrowCursor,   Qt::WaitCursor,
    Qt::ForbiddenCursor, Qt::BusyCursor,    Qt::WhatsThisCursor, Qt::SizeAllCursor,
};

}  // namespace

bool IsValidMousePointer(std::int16_t code) {
  return (code >= kPointerDefault && code <= kPointerLastStock) || code == kPointerCustom;
}

Qt::CursorShape CursorShapeForPointer(std::int16_t code) {
  if (code < 0 || code > kPointerLastStock) return Qt::ArrowCursor;
  return kShapes[static_cast<std::size_t>(code)];
}

}  // namespace kelvane::host
