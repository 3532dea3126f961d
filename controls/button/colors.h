#pragma once
// The button's colour arithmetic: shades, tints, system-colour translation and the working colours
// of each colour scheme. Colour values are in the host's form (0x00BBGGRR, top bit set for a system
// colour); every result is a plain RGB value.
#include <cstdint>

class QPalette;

namespace kelvane::controls {

// Lighter (amount > 0) or darker (amount < 0) by the same step on every channel, clamped to 0..255.
// With proportionalBlue, blue moves by blue × amount / 192 instead, so a bluish face keeps its hue
// when lifted. A soft bevel halves the amount (toward zero) for every caller.
std::int32_t ShadeColor(std::int32_t colour, std::int32_t amount, bool proportionalBlue, bool softBevel);

// Maps each channel's 0..255 onto floor..255: a pale wash of the colour. Floors in use: 176, 128.
std::int32_t TintColor(std::int32_t colour, std::int32_t floor);

// A system colour's current RGB value; a plain colour unchanged; anything untranslatable is black.
// System colours come from `palette`, or from the application's without one.
std::int32_t TranslateSystemColor(std::int32_t colour, const QPalette* palette = nullptr);

// What the working colours are computed from: the button's properties, and for scheme 4 what the
// container's device context answers to GetBkColor and GetTextColor (taken as they come, unchecked).
struct SchemeInputs {
  std::int32_t ColorScheme = 1;
  std::int32_t ButtonType = 2;
  std::int32_t BackColor = 0;
  std::int32_t ForeColor = 0;
  std::int32_t ForeOver = 0;
  std::int32_t MaskColor = 0xC0C0C0;
  bool SoftBevel = false;
  std::int32_t ContainerBackColor = 0;
  std::int32_t ContainerTextColor = 0;
  // Where system colours come from: the button's own palette, which follows its parent's and the
  // application's unless it was given one. None: the application's.
  const QPalette* Palette = nullptr;
};

struct SchemeColors {
  std::int32_t FaceColor = 0;
  std::int32_t LightColor = 0;
  std::int32_t HighlightColor = 0;
  std::int32_t ShadowColor = 0;
  std::int32_t DarkShadowColor = 0;
  std::int32_t TextColor = 0;
  std::int32_t TextOverColor = 0;
  std::int32_t SelectionColor = 0;
  std::int32_t SelectionTintColor = 0;
  std::int32_t LiftedFaceColor = 0;  // the face raised by 48
  std::int32_t MaskRgb = 0;          // MaskColor as the transparent colour of pictures
  bool operator==(const SchemeColors&) const = default;
};

// 2: the button's own colours; 3: a fixed grey palette; 4: the container's colours; any other
// value: the system's button colours.
SchemeColors ComputeSchemeColors(const SchemeInputs& in);

}  // namespace kelvane::controls
