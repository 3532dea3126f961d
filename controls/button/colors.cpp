#include "controls/button/colors.h"

#include <algorithm>

#include "controls/button/style_traits.h"
#include "platform/gdi/syscolor.h"

namespace kelvane::controls {

namespace {

// Bevel steps from a face colour (schemes 2 and 4).
constexpr std::int32_t kShadowStep = -64;
constexpr std::int32_t kLightStep = 31;
constexpr std::int32_t kHighlightStep = 47;
constexpr std::int32_t kDarkShadowStep = -192;
constexpr std::int32_t kSelectionStep = -128;
constexpr std::int32_t kLiftStep = 48;
constexpr std::int32_t kSelectionTintFloor = 176;
constexpr std::int64_t kProportionalBlueDivisor = 192;

// Scheme 3 paints in fixed greys, whatever the system colours are.
constexpr std::int32_t kClassicFace = 0xC0C0C0;
constexpr std::int32_t kClassicShadow = 0x808080;
constexpr std::int32_t kClassicLight = 0xDFDFDF;
constexpr std::int32_t kClassicHighlight = 0xFFFFFF;
constexpr std::int32_t kClassicDarkShadow = 0x000000;
constexpr std::int32_t kClassicText = 0x000000;
constexpr std::int32_t kClassicSelection = 0x800000;
constexpr std::int32_t kClassicSelectionTint = 0xD1ADAD;

struct Channels {
  std::int64_t r, g, b;
};

// The low three bytes: a stray top byte (an untranslated system colour) must not turn into negative
// channels that borrow from their neighbours when packed again.
Channels Split(std::int32_t colour) {
  const auto u = static_cast<std::uint32_t>(colour);
  return {u & 0xFF, (u >> 8) & 0xFF, (u >> 16) & 0xFF};
}

// Wide arithmetic and a clamp on both sides: a shade only reaches the side it moves toward, a tint
// the bottom only from a negative floor, which would otherwise borrow from the next channel; and no
// amount or floor can overflow.
std::int32_t Pack(Channels c) {
  const auto clamp = [](std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, 0, 255));
  };
  return clamp(c.r) | (clamp(c.g) << 8) | (clamp(c.b) << 16);
}

std::int32_t SysColor(int index, const QPalette* palette) {
  return static_cast<std::int32_t>(palette ? gdi::SysColorFrom(*palette, index) : gdi::GetSysColor(index));
}

void DeriveBevels(SchemeColors& s, bool softBevel) {
  s.ShadowColor = ShadeColor(s.FaceColor, kShadowStep, false, softBevel);
  s.LightColor = ShadeColor(s.FaceColor, kLightStep, false, softBevel);
  s.HighlightColor = ShadeColor(s.FaceColor, kHighlightStep, false, softBevel);
  s.DarkShadowColor = ShadeColor(s.FaceColor, kDarkShadowStep, false, softBevel);
}

}  // namespace

std::int32_t ShadeColor(std::int32_t colour, std::int32_t amount, bool proportionalBlue, bool softBevel) {
  if (softBevel) amount /= 2;
  const Channels c = Split(colour);
  const std::int64_t a = amount;
  return Pack({c.r + a, c.g + a, proportionalBlue ? c.b + c.b * a / kProportionalBlueDivisor : c.b + a});
}

std::int32_t TintColor(std::int32_t colour, std::int32_t floor) {
  const Channels c = Split(colour);
  const std::int64_t f = floor;
  const auto tint = [f](std::int64_t v) { return f + (255 - f) * v / 255; };
  return Pack({tint(c.r), tint(c.g), tint(c.b)});
}

std::int32_t TranslateSystemColor(std::int32_t colour, const QPalette* palette) {
  const auto value = static_cast<std::uint32_t>(colour);
  // An untranslatable value paints as black.
  return static_cast<std::int32_t>(
      (palette ? gdi::TranslateColor(value, *palette) : gdi::TranslateColor(value)).value_or(0));
}

SchemeColors ComputeSchemeColors(const SchemeInputs& in) {
  SchemeColors s;
  switch (in.ColorScheme) {
    case 2:
      s.FaceColor = TranslateSystemColor(in.BackColor, in.Palette);
      s.TextColor = TranslateSystemColor(in.ForeColor, in.Palette);
      s.TextOverColor = TranslateSystemColor(in.ForeOver, in.Palette);
      DeriveBevels(s, in.SoftBevel);
      s.SelectionColor = ShadeColor(s.FaceColor, kSelectionStep, false, in.SoftBevel);
      s.SelectionTintColor = s.FaceColor;
      break;
    case 3:
      s.FaceColor = kClassicFace;
      s.ShadowColor = kClassicShadow;
      s.LightColor = kClassicLight;
      s.HighlightColor = kClassicHighlight;
      s.DarkShadowColor = kClassicDarkShadow;
      s.TextColor = s.TextOverColor = kClassicText;
      s.SelectionColor = kClassicSelection;
      s.SelectionTintColor = kClassicSelectionTint;
      break;
    case 4:
      s.FaceColor = in.ContainerBackColor;
      s.TextColor = s.TextOverColor = in.ContainerTextColor;
      DeriveBevels(s, in.SoftBevel);
      s.SelectionColor = SysColor(gdi::COLOR_HIGHLIGHT, in.Palette);
      s.SelectionTintColor = TintColor(s.SelectionColor, kSelectionTintFloor);
      break;
    default:
      s.FaceColor = SysColor(gdi::COLOR_BTNFACE, in.Palette);
      s.ShadowColor = SysColor(gdi::COLOR_BTNSHADOW, in.Palette);
      s.LightColor = SysColor(gdi::COLOR_3DLIGHT, in.Palette);
      s.DarkShadowColor = SysColor(gdi::COLOR_3DDKSHADOW, in.Palette);
      s.HighlightColor = SysColor(gdi::COLOR_BTNHIGHLIGHT, in.Palette);
      s.TextColor = s.TextOverColor = SysColor(gdi::COLOR_BTNTEXT, in.Palette);
      s.SelectionColor = SysColor(gdi::COLOR_HIGHLIGHT, in.Palette);
      s.SelectionTintColor = TintColor(s.SelectionColor, kSelectionTintFloor);
      break;
  }
  s.MaskRgb = TranslateSystemColor(in.MaskColor, in.Palette);
  s.LiftedFaceColor =
      ShadeColor(s.FaceColor, kLiftStep, TraitsOf(in.ButtonType).ProportionalBlue, in.SoftBevel);
  return s;
}

}  // namespace kelvane::controls
