#pragma once
// Which passes draw the button's picture in each look: the picture itself and the shaded silhouettes
// under it, with where each goes and how it is composed. A plan is plain data, so the button draws it
// with BlitPicture and tests read it without pixels.
#include <cstdint>
#include <vector>

#include "controls/button/colors.h"

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

struct PicturePlanInputs {
  bool HasNormal = false;
  bool HasOver = false;
  std::uint8_t State = kPictureUp;
  bool IsOver = false;
  std::int32_t ButtonType = 2;
  std::int32_t ColorScheme = 1;
  std::int32_t SpecialEffect = 0;  // 1 raised, 2 sunken, 3 shadow; below 1 none
  bool SoftBevel = false;
  bool UseGreyscale = false;
  SchemeColors Colors;  // this paint's working colours
};

// The silhouettes SpecialEffect puts under the picture drawn at `offset` (-1, 0 or 1), in order.
std::vector<PicturePass> PlanPictureEffect(const PicturePlanInputs& in, std::int32_t offset,
                                           PictureSource source);

// Every pass of one state's picture, in drawing order; none without PictureNormal (a PictureOver
// alone is never shown) or for an unknown state.
std::vector<PicturePass> PlanPictures(const PicturePlanInputs& in);

}  // namespace kelvane::controls
