#pragma once
// Which passes draw the button's picture in each look: the picture itself and the shaded silhouettes
// under it, with where each goes and how it is composed. A plan is plain data, so the button draws it
// with BlitPicture and tests read it without pixels.
#include <cstdint>
#include <vector>

#include "controls/button/paint_options.h"

namespace kelvane::controls {

// The picture states the paint cycle passes.
inline constexpr std::uint8_t kPictureUp = 0;
inline constexpr std::uint8_t kPictureDown = 1;
inline constexpr std::uint8_t kPictureDisabled = 2;

enum class PictureSource : std::uint8_t { Normal, Over };

// One BlitPicture call, offset from the picture's place.
struct PicturePass {
  PictureSource Source = PictureSource::Normal;
  std::int32_t Dx = 0;
  std::int32_t Dy = 0;
  std::int32_t Tint = -1;  // -1: the picture's own colours
  bool DarkOnly = false;
  bool Greyscale = false;
  bool Blend = false;
  friend bool operator==(const PicturePass&, const PicturePass&) = default;
};

// The silhouettes SpecialEffect puts under the picture drawn at `offset` (-1, 0 or 1), in order.
std::vector<PicturePass> PlanPictureEffect(const PaintOptions& in, std::int32_t offset, PictureSource source);

// Every pass of the picture in one picture state, in drawing order; none without PictureNormal (a
// PictureOver alone is never shown) or for an unknown state.
std::vector<PicturePass> PlanPictures(const PaintOptions& in, std::uint8_t state);

}  // namespace kelvane::controls
