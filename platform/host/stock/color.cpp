#include "platform/host/stock/color.h"

#include "platform/gdi/syscolor.h"

namespace kelvane::host::stock {

QColor ColorFromStored(std::int32_t value) {
  std::int32_t plain = 0;  // an untranslatable value draws black
  gdi::OleTranslateColor(static_cast<std::uint32_t>(value), 0, plain);
  return QColor::fromRgb(gdi::toQRgb(static_cast<gdi::ColorRef>(plain)));
}

}  // namespace kelvane::host::stock
