#include "platform/host/stock/color.h"

#include "platform/gdi/syscolor.h"

namespace kelvane::host::stock {

QColor ColorFromStored(std::int32_t value) {
  std::int32_t plain = 0;  // an untranslatable value draws black
  gdi::OleTranslateColor(static_cast<std::uint32_t>(value), 0, plain);
  return QColor::fromRgb(gdi::toQRgb(static_cast<gdi::ColorRef>(plain)));
}

void PublishColors(QWidget& container, std::int32_t back, std::int32_t fore) {
  QPalette palette = container.palette();
  palette.setColor(container.backgroundRole(), ColorFromStored(back));
  palette.setColor(container.foregroundRole(), ColorFromStored(fore));
  container.setPalette(palette);
}

}  // namespace kelvane::host::stock
