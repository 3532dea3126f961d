#pragma once
// Colours between the public widgets' Qt form and the host's stored form (0x00BBGGRR, or
// 0x80000000 | index for a system colour).
#include <QColor>
#include <QPalette>
#include <cstdint>
#include <optional>

namespace Kelvane::detail {

inline constexpr int kNoSystemColor = -1;

std::int32_t StoredFromColor(const QColor& colour);
// Nothing for -1 or anything else out of the table: such a value names no colour to store.
std::optional<std::int32_t> StoredFromSystemColor(int index);
// The colour the stored value shows now, a system colour as `palette` gives it; invalid for a value
// that names nothing.
QColor ColorFromStored(std::int32_t stored, const QPalette& palette);
// The system colour's index, or kNoSystemColor for a plain colour.
int SystemColorOfStored(std::int32_t stored);

}  // namespace Kelvane::detail
