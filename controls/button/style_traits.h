#pragma once
// What sets each button style apart, one row per style: how it is drawn, where its focus rectangle
// goes, which pixels its window keeps, and the rules the caption, the colours, the pictures and the
// button follow for it. Everything asks the row, never the style's number.
#include <cstdint>
#include <span>

namespace kelvane::controls {

enum class Look;
struct PaintOptions;
class StyleCanvas;

// Draws the style from just after the face fill to just before the picture.
using DrawStyle = void (*)(Look look, const PaintOptions& in, StyleCanvas& canvas);

// A run of pixels cut off the window along one row; a negative x or y counts from the right or bottom
// edge (-1 is the last pixel).
struct ShapeCut {
  std::int32_t x, y, width;
};

// How the disabled look shows the picture.
enum class DisabledPictureRule : std::uint8_t {
  Engraved,     // a light silhouette below right under a shadow-coloured one
  Grey,         // a grey copy one pixel right and down
  Shadow,       // a shadow-coloured silhouette in place
  LightShadow,  // the same, a little lighter
};

struct StyleTraits {
  DrawStyle Draw = nullptr;  // none: the face and the picture alone
  // The focus rectangle: the client area inset on every side, then moved right and down.
  std::int32_t FocusInset = 4;
  std::int32_t FocusShift = 0;
  std::span<const ShapeCut> ShapeCuts{};  // what the window loses at its corners
  bool Oval = false;                      // the window is the ellipse inscribed in the client area
  bool ProportionalBlue = false;  // the lifted face moves blue in proportion, keeping a blue face blue
  bool CaptionEffectsOnLiftedFace = false;  // caption effects shade from the lifted face
  bool SelectionFace = false;  // hovered up, the face is the selection tint and caption effects follow it
  bool LightDownText = false;  // the pressed caption is in the light colour
  bool PictureEffectsOnLiftedFace = false;  // picture effects shade from the lifted face
  DisabledPictureRule DisabledPicture = DisabledPictureRule::Engraved;
  bool PlainPress = false;          // a pressed picture stays where it is
  bool HoverShadow = false;         // hovered, the picture rises over its shadow; at rest it blends in
  bool BoldWhileDesigning = false;  // choosing the style while designing makes the font bold
  bool Transparent = false;         // the container's pixels behind the button are its face
};

// Styles are numbered 1 to kStyleCount.
inline constexpr std::int32_t kStyleCount = 14;

// The row of a style; any other number gets a row that draws nothing and keeps every default.
const StyleTraits& TraitsOf(std::int32_t buttonType);

}  // namespace kelvane::controls
