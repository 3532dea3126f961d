#include "controls/button/picture_plan.h"

namespace kelvane::controls {
namespace {

constexpr std::int32_t kOwnColoursScheme = 2;
constexpr std::int32_t kEffectAmount = 40;
constexpr std::int32_t kDisabledShadowLift = 13;
constexpr std::int32_t kSunken = 2;
constexpr std::int32_t kShadowOnly = 3;

std::int32_t Shade(const PaintOptions& in, std::int32_t colour, std::int32_t amount) {
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
std::vector<PicturePass> WithEffect(const PaintOptions& in, std::int32_t offset, PictureSource source) {
  std::vector<PicturePass> passes = PlanPictureEffect(in, offset, source);
  passes.push_back(Pass(source, offset));
  return passes;
}

std::vector<PicturePass> PlanUp(const PaintOptions& in) {
  using enum PictureSource;
  if (!in.IsOver) {
    std::vector<PicturePass> passes = WithEffect(in, 0, Normal);
    passes.back().Greyscale = in.UseGreyscale;
    passes.back().Blend = in.Traits().HoverShadow;
    return passes;
  }
  if (in.Traits().HoverShadow) {
    std::vector<PicturePass> passes = PlanPictureEffect(in, -1, Normal);
    passes.push_back(Pass(Normal, 1, in.Colors.ShadowColor));
    passes.push_back(Pass(Normal, -1));
    return passes;
  }
  return WithEffect(in, 0, in.HasPictureOver ? Over : Normal);
}

std::vector<PicturePass> PlanDown(const PaintOptions& in) {
  using enum PictureSource;
  const StyleTraits& style = in.Traits();
  if (in.HasPictureOver && !style.HoverShadow) return {Pass(Over, style.PlainPress ? 0 : 1)};
  if (style.PlainPress || style.HoverShadow) return WithEffect(in, 0, Normal);
  return WithEffect(in, 1, Normal);
}

std::vector<PicturePass> PlanDisabled(const PaintOptions& in) {
  using enum PictureSource;
  const std::int32_t shadow = in.Colors.ShadowColor;
  switch (in.Traits().DisabledPicture) {
    case DisabledPictureRule::Grey: {
      PicturePass grey = Pass(Normal, 1);
      grey.Greyscale = true;
      return {grey};
    }
    case DisabledPictureRule::Shadow: return {Pass(Normal, 0, shadow, true)};
    case DisabledPictureRule::LightShadow:
      return {Pass(Normal, 0, Shade(in, shadow, kDisabledShadowLift), true)};
    case DisabledPictureRule::Engraved: break;
  }
  return {Pass(Normal, 1, in.Colors.HighlightColor, true), Pass(Normal, 0, shadow, true)};
}

}  // namespace

std::vector<PicturePass> PlanPictureEffect(const PaintOptions& in, std::int32_t offset,
                                           PictureSource source) {
  if (in.SpecialEffect < 1) return {};
  std::int32_t base = in.Colors.FaceColor;
  if (in.Traits().PictureEffectsOnLiftedFace)
    base = in.Colors.LiftedFaceColor;
  else if (offset == -1 && in.ColorScheme != kOwnColoursScheme)
    base = in.Colors.SelectionTintColor;
  const std::int32_t amount = in.SpecialEffect == kSunken ? kEffectAmount : -kEffectAmount;
  std::vector<PicturePass> passes{Pass(source, offset + 1, Shade(in, base, amount))};
  if (in.SpecialEffect < kShadowOnly) passes.push_back(Pass(source, offset - 1, Shade(in, base, -amount)));
  return passes;
}

std::vector<PicturePass> PlanPictures(const PaintOptions& in, std::uint8_t state) {
  if (!in.HasPictureNormal) return {};
  switch (state) {
    case kPictureUp: return PlanUp(in);
    case kPictureDown: return PlanDown(in);
    case kPictureDisabled: return PlanDisabled(in);
    default: return {};
  }
}

}  // namespace kelvane::controls
