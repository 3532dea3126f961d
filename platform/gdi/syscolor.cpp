#include "platform/gdi/syscolor.h"

#include <QGuiApplication>
#include <array>

namespace kelvane::gdi {

namespace {

constexpr std::array<ColorRef, kSysColorCount> kClassic = {
    RGB(212, 208, 200), RGB(58, 110, 165),  RGB(10, 36, 106),   RGB(128, 128, 128), RGB(212, 208, 200),
    RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(255, 255, 255),
    RGB(212, 208, 200), RGB(212, 208, 200), RGB(128, 128, 128), RGB(10, 36, 106),   RGB(255, 255, 255),
    RGB(212, 208, 200), RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(212, 208, 200),
    RGB(255, 255, 255), RGB(64, 64, 64),    RGB(212, 208, 200), RGB(0, 0, 0),       RGB(255, 255, 225),
    RGB(0, 0, 0),       RGB(0, 0, 128),     RGB(166, 202, 240), RGB(192, 192, 192), RGB(10, 36, 106),
    RGB(212, 208, 200)};

constexpr std::uint32_t kIndexMask = 0xFFu;
constexpr std::uint32_t kTypeMask = 0xFF000000u;

}  // namespace

ColorRef ClassicSysColor(int index) {
  if (index < 0 || index >= kSysColorCount) return 0;
  return kClassic[static_cast<std::size_t>(index)];
}

std::optional<PaletteSource> PaletteSourceOf(int index) {
  using P = QPalette;
  switch (index) {
    case COLOR_SCROLLBAR: return PaletteSource{P::Active, P::Button};
    case COLOR_MENU: return PaletteSource{P::Active, P::Window};
    case COLOR_WINDOW: return PaletteSource{P::Active, P::Base};
    case COLOR_MENUTEXT: return PaletteSource{P::Active, P::WindowText};
    case COLOR_WINDOWTEXT: return PaletteSource{P::Active, P::Text};
    case COLOR_CAPTIONTEXT: return PaletteSource{P::Active, P::HighlightedText};
    case COLOR_APPWORKSPACE: return PaletteSource{P::Active, P::Dark};
    case COLOR_HIGHLIGHT: return PaletteSource{P::Active, P::Highlight};
    case COLOR_HIGHLIGHTTEXT: return PaletteSource{P::Active, P::HighlightedText};
    case COLOR_BTNFACE: return PaletteSource{P::Active, P::Button};
    case COLOR_BTNSHADOW: return PaletteSource{P::Active, P::Dark};
    case COLOR_GRAYTEXT: return PaletteSource{P::Disabled, P::Text};
    case COLOR_BTNTEXT: return PaletteSource{P::Active, P::ButtonText};
    case COLOR_BTNHIGHLIGHT: return PaletteSource{P::Active, P::Light};
    case COLOR_3DDKSHADOW: return PaletteSource{P::Active, P::Shadow};
    case COLOR_3DLIGHT: return PaletteSource{P::Active, P::Midlight};
    case COLOR_INFOTEXT: return PaletteSource{P::Active, P::ToolTipText};
    case COLOR_INFOBK: return PaletteSource{P::Active, P::ToolTipBase};
    case COLOR_HOTLIGHT: return PaletteSource{P::Active, P::Link};
    case COLOR_MENUHILIGHT: return PaletteSource{P::Active, P::Highlight};
    case COLOR_MENUBAR: return PaletteSource{P::Active, P::Window};
    default: return std::nullopt;
  }
}

ColorRef SysColorFrom(const QPalette& palette, int index) {
  if (const auto src = PaletteSourceOf(index)) {
    const QColor c = palette.color(src->group, src->role);
    if (c.isValid()) return fromQRgb(c.rgb());
  }
  return ClassicSysColor(index);
}

ColorRef GetSysColor(int index) {
  if (!qApp) return ClassicSysColor(index);
  return SysColorFrom(QGuiApplication::palette(), index);
}

namespace {

template <class SysColor>
std::optional<ColorRef> translate(std::uint32_t colour, SysColor sysColor) {
  const std::uint32_t type = colour & kTypeMask;
  if (type == 0) return colour;
  if (type == kSysColorFlag && (colour & ~(kTypeMask | kIndexMask)) == 0 &&
      (colour & kIndexMask) < static_cast<std::uint32_t>(kSysColorCount)) {
    return sysColor(static_cast<int>(colour & kIndexMask));
  }
  return std::nullopt;
}

}  // namespace

std::optional<ColorRef> TranslateColor(std::uint32_t colour) { return translate(colour, GetSysColor); }

std::optional<ColorRef> TranslateColor(std::uint32_t colour, const QPalette& palette) {
  return translate(colour, [&palette](int index) { return SysColorFrom(palette, index); });
}

}  // namespace kelvane::gdi
