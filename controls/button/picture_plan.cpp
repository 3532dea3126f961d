#include "controls/button/picture_plan.h"

namespace kelvane::controls {
namespace {

constexpr std::int32_t kLiftedType = 3;      // its silhouettes and disabled look take the lifted face
constexpr std::int32_t kPlainPressType = 5;  // pressed pictures stay in place
constexpr std::int32_t kFlatShadowTypes[] = {5, 6};
constexpr std::int32_t kHoverShadowType = 9;  // hover lifts the picture over a flat shadow
constexpr std::int32_t kOwnColoursScheme = 2;
constexpr std::int32_t kEffectAmount = 40;
constexpr std::int32_t kDisabledShadowLift = 13;
constexpr std::int32_t kSunken = 2;
constexpr std::int32_t kShadowOnly = 3;

std::int32_t Shade(const PicturePlanInputs& in, std::int32_t colour, std::int32_t amount) {
  return ShadeColor(colour, amount, false, in.SoftBevel);
}

PicturePass Pass(PictureSource source, std::int32_t d, std::int32_t tint = -1, bool darkOnly = false) {
  PicturePass p;
  p.Source = source;
  p.Dx = p.Dy = d;
  p.Tint = tint;
  p.DarkOnly = darkOnly;
  return p;
}

// The picture with its effect under it.
std::vector<PicturePass> WithEffect(const PicturePlanInputs& in, std::int32_t offset, PictureSource source) {
  std::vector<PicturePass> passes = PlanPictureEffect(in, offset, source);
  passes.push_back(Pass(source, offset));
  return passes;
}

std::vector<PicturePass> PlanUp(const PicturePlanInputs& in) {
  using enum PictureSource;
  if (!in.IsOver) {
    std::vector<PicturePass> passes = WithEffect(in, 0, Normal);
    passes.back().Greyscale = in.UseGreyscale;
    passes.back().Blend = in.ButtonType == kHoverShadowType;
    return passes;
  }
  if (in.ButtonType == kHoverShadowType) {
    std::vector<PicturePass> passes = PlanPictureEffect(in, -1, Normal);
    passes.push_back(Pass(Normal, 1, in.Colors.ShadowColor));
    passes.push_back(Pass(Normal, -1));
    return passes;
  }
  return WithEffect(in, 0, in.HasOver ? Over : Normal);
}

std::vector<PicturePass> PlanDown(const PicturePlanInputs& in) {
  using enum PictureSource;
  if (in.HasOver && in.ButtonType != kHoverShadowType)
    return {Pass(Over, in.ButtonType == kPlainPressType ? 0 : 1)};
  if (in.ButtonType == kPlainPressType || in.ButtonType == kHoverShadowType) return WithEffect(in, 0, Normal);
  return WithEffect(in, 1, Normal);
}

std::vector<PicturePass> PlanDisabled(const PicturePlanInputs& in) {
  using enum PictureSource;
  const std::int32_t shadow = in.Colors.ShadowColor;
  if (in.ButtonType == kLiftedType) {
    PicturePass grey = Pass(Normal, 1);
    grey.Greyscale = true;
    return {grey};
  }
  for (const std::int32_t t : kFlatShadowTypes)
    if (in.ButtonType == t) return {Pass(Normal, 0, shadow, true)};
  if (in.ButtonType == kHoverShadowType)
    return {Pass(Normal, 0, Shade(in, shadow, kDisabledShadowLift), true)};
  // Engraved: a light copy below right under the dark one.
  return {Pass(Normal, 1, in.Colors.HighlightColor, true), Pass(Normal, 0, shadow, true)};
}

}  // namespace

std::vector<PicturePass> PlanPictureEffect(const PicturePlanInputs& in, std::int32_t offset,
                                           PictureSource source) {
  if (in.SpecialEffect < 1) return {};
  std::int32_t base = in.Colors.FaceColor;
  if (in.ButtonType == kLiftedType)
    base = in.Colors.LiftedFaceColor;
  else if (offset == -1 && in.ColorScheme != kOwnColoursScheme)
    base = in.Colors.SelectionTintColor;
  const std::int32_t amount = in.SpecialEffect == kSunken ? kEffectAmount : -kEffectAmount;
  std::vector<PicturePass> passes{Pass(source, offset + 1, Shade(in, base, amount))};
  if (in.SpecialEffect < kShadowOnly) passes.push_back(Pass(source, offset - 1, Shade(in, base, -amount)));
  return passes;
}

std::vector<PicturePass> PlanPictures(const PicturePlanInputs& in) {
  if (!in.HasNormal) return {};
  switch (in.State) {
    case kPictureUp: return PlanUp(in);
    case kPictureDown: return PlanDown(in);
    case kPictureDisabled: return PlanDisabled(in);
    default: return {};
  }
}

}  // namespace kelvane::controls
