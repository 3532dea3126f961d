#include "platform/host/stock/color.h"

#include "platform/gdi/syscolor.h"

namespace kelvane::host::stock {

QColor ColorFromStored(std::int32_t value) {
  // An untranslatable value draws black.
  return QColor::fromRgb(gdi::toQRgb(gdi::TranslateColor(static_cast<std::uint32_t>(value)).value_or(0)));
}

void PublishColors(QWidget& container, std::int32_t back, std::int32_t fore) {
  QPalette palette = container.palette();
  palette.setColor(container.backgroundRole(), ColorFromStored(back));
  palette.setColor(container.foregroundRole(), ColorFromStored(fore));
  container.setPalette(palette);
}

}  // namespace kelvane::host::stock
