#pragma once
// System colours from a palette (the application's unless one is given), and the translation of
// colour values that name one.
#include <QPalette>
#include <cstdint>
#include <optional>

#include "platform/gdi/colorref.h"

namespace kelvane::gdi {

inline constexpr int COLOR_SCROLLBAR = 0;
inline constexpr int COLOR_BACKGROUND = 1;
inline constexpr int COLOR_ACTIVECAPTION = 2;
inline constexpr int COLOR_INACTIVECAPTION = 3;
inline constexpr int COLOR_MENU = 4;
inline constexpr int COLOR_WINDOW = 5;
inline constexpr int COLOR_WINDOWFRAME = 6;
inline constexpr int COLOR_MENUTEXT = 7;
inline constexpr int COLOR_WINDOWTEXT = 8;
inline constexpr int COLOR_CAPTIONTEXT = 9;
inline constexpr int COLOR_ACTIVEBORDER = 10;
inline constexpr int COLOR_INACTIVEBORDER = 11;
inline constexpr int COLOR_APPWORKSPACE = 12;
inline constexpr int COLOR_HIGHLIGHT = 13;
inline constexpr int COLOR_HIGHLIGHTTEXT = 14;
inline constexpr int COLOR_BTNFACE = 15;
inline constexpr int COLOR_BTNSHADOW = 16;
inline constexpr int COLOR_GRAYTEXT = 17;
inline constexpr int COLOR_BTNTEXT = 18;
inline constexpr int COLOR_INACTIVECAPTIONTEXT = 19;
inline constexpr int COLOR_BTNHIGHLIGHT = 20;
inline constexpr int COLOR_3DDKSHADOW = 21;
inline constexpr int COLOR_3DLIGHT = 22;
inline constexpr int COLOR_INFOTEXT = 23;
inline constexpr int COLOR_INFOBK = 24;
inline constexpr int COLOR_HOTLIGHT = 26;
inline constexpr int COLOR_GRADIENTACTIVECAPTION = 27;
inline constexpr int COLOR_GRADIENTINACTIVECAPTION = 28;
inline constexpr int COLOR_MENUHILIGHT = 29;
inline constexpr int COLOR_MENUBAR = 30;
inline constexpr int kSysColorCount = 31;

// The fixed value of each index, used before the application (and its palette) exists; 0 for an
// index outside the table.
ColorRef ClassicSysColor(int index);
// The palette role that stands for a system colour, when one does.
struct PaletteSource {
  QPalette::ColorGroup group;
  QPalette::ColorRole role;
};
std::optional<PaletteSource> PaletteSourceOf(int index);
// The index's colour in `palette`, or the fixed value where no role stands for it.
ColorRef SysColorFrom(const QPalette& palette, int index);
// From the application palette (fixed values before the application exists); 0 out of range.
ColorRef GetSysColor(int index);

inline constexpr std::uint32_t kSysColorFlag = 0x80000000u;

// A stored colour as plain RGB: a plain colour (top byte 0) passes through; 0x80000000 | index names
// a system colour, taken from the current palette. Anything else has no RGB value.
std::optional<ColorRef> TranslateColor(std::uint32_t colour);
// The same, with system colours taken from `palette` (a widget's own, say).
std::optional<ColorRef> TranslateColor(std::uint32_t colour, const QPalette& palette);

}  // namespace kelvane::gdi
