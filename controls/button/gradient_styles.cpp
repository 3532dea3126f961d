#include "controls/button/styles.h"

#include <cmath>

namespace kelvane::controls {

std::int32_t GradientAmount(std::int32_t k, std::int32_t height, std::int32_t y) {
  // The paint cycle never gets here with no height; a direct caller must not divide by it.
  if (height <= 0) return 0;
  const auto step = static_cast<float>(static_cast<double>(k) / height);
  // The product stays single precision: at a tie the wider product would round the other way.
  const float product = -step * static_cast<float>(y);
  return static_cast<std::int32_t>(std::nearbyint(product));
}

namespace styles {

namespace {

constexpr std::int32_t kGradientDepth = 25;
constexpr std::int32_t kGlossDepth = 58;

// Style 3's fixed palette, 0xBBGGRR.
constexpr std::int32_t kOutlineBlue = 0x733C00;
constexpr std::int32_t kCornerBlue = 0x7B4D10;

struct EdgeColours {
  std::int32_t frame, bottom, top, second, side;
};
constexpr EdgeColours kHover{0x31B2FF, 0x0096E7, 0xCEF3FF, 0x8CDBFF, 0x6BCBFF};
constexpr EdgeColours kFocus{0xE7AE8C, 0xEF826B, 0xFFE7CE, 0xF7D7BD, 0xF0D1B5};

// Style 4's face for the caption effects outside the pressed look.
constexpr std::int32_t kLiftStep = 48;

CaptionMode HoverMode(const PaintOptions& in) { return in.IsOver ? kCaptionOver : kCaptionUp; }

std::int32_t Shade(const PaintOptions& in, std::int32_t colour, std::int32_t amount) {
  return ShadeColor(colour, amount, false, in.SoftBevel);
}
// Style 3 keeps a bluish face bluish.
std::int32_t ShadeP(const PaintOptions& in, std::int32_t colour, std::int32_t amount) {
  return ShadeColor(colour, amount, true, in.SoftBevel);
}

// One line per row from 1 to the height (the last one falls outside); `row` maps the step to the row.
template <class RowOf, class ColourOf>
void Gradient(const PaintOptions& in, std::int32_t depth, StyleCanvas& c, RowOf row, ColourOf colour) {
  for (std::int32_t y = 1; y <= in.Height; ++y) {
    const std::int32_t r = row(y);
    c.Line(0, r, in.Width, r, colour(GradientAmount(depth, in.Height, y)));
  }
}

void RoundedOutline(const PaintOptions& in, StyleCanvas& c, std::int32_t outline, std::int32_t corners) {
  const std::int32_t w = in.Width;
  const std::int32_t h = in.Height;
  c.Outline(0, 0, w, h, outline);
  c.Pixel(1, 1, corners);
  c.Pixel(1, h - 2, corners);
  c.Pixel(w - 2, 1, corners);
  c.Pixel(w - 2, h - 2, corners);
}

void EdgeLines(const PaintOptions& in, StyleCanvas& c, const EdgeColours& e) {
  const std::int32_t w = in.Width;
  const std::int32_t h = in.Height;
  c.Outline(1, 2, w - 2, h - 4, e.frame);
  c.Line(2, h - 2, w - 2, h - 2, e.bottom);
  c.Line(2, 1, w - 2, 1, e.top);
  c.Line(1, 2, w - 1, 2, e.second);
  c.Line(2, 3, 2, h - 3, e.side);
  c.Line(w - 3, 3, w - 3, h - 3, e.side);
}

void RoundedUp(const PaintOptions& in, StyleCanvas& c, CaptionMode captionMode) {
  const SchemeColors& k = in.Colors;
  const std::int32_t w = in.Width;
  const std::int32_t h = in.Height;
  c.Fill(1, 1, w - 2, h - 2, k.LightColor);
  c.Caption(captionMode);
  RoundedOutline(in, c, k.DarkShadowColor, k.DarkShadowColor);
  c.Line(1, 2, 2, 0, k.FaceColor);
  c.Line(3, 2, w - 3, 2, k.HighlightColor);
  c.Line(2, 2, 2, h - 3, k.HighlightColor);
  c.Pixel(3, 3, k.HighlightColor);
  c.Line(w - 3, 1, w - 3, h - 3, k.FaceColor);
  c.Line(1, h - 3, w - 3, h - 3, k.FaceColor);
  c.Pixel(w - 4, h - 4, k.FaceColor);
  c.Line(w - 2, 2, w - 2, h - 2, k.ShadowColor);
  c.Line(2, h - 2, w - 2, h - 2, k.ShadowColor);
  c.Pixel(w - 3, h - 3, k.ShadowColor);
}

void GlossyFrame(const PaintOptions& in, StyleCanvas& c) {
  const SchemeColors& k = in.Colors;
  const std::int32_t w = in.Width;
  const std::int32_t h = in.Height;
  c.Outline(0, 0, w, h, Shade(in, k.ShadowColor, -50));
  c.Outline(1, 1, w - 2, h - 2, Shade(in, k.FaceColor, -9));
  c.Fill(2, 2, w - 4, 2, k.HighlightColor);
  c.Fill(2, 4, 2, h - 6, k.HighlightColor);
}

}  // namespace

void PaintGradient(Look look, const PaintOptions& in, StyleCanvas& c) {
  const std::int32_t lifted = in.Colors.LiftedFaceColor;
  const std::int32_t w = in.Width;
  const std::int32_t h = in.Height;
  const auto same = [](std::int32_t y) { return y; };
  switch (look) {
    case Look::Up:
      Gradient(in, kGradientDepth, c, same, [&](std::int32_t a) { return ShadeP(in, lifted, a); });
      c.Caption(HoverMode(in));
      RoundedOutline(in, c, kOutlineBlue, kCornerBlue);
      if (in.IsOver) {
        EdgeLines(in, c, kHover);
      } else if (const bool isDefault = c.IsDefaultButton(); (in.HasFocus || isDefault) && in.ShowFocusRect) {
        // The focus colours stand in for the dotted rectangle.
        EdgeLines(in, c, kFocus);
      } else {
        c.Line(2, h - 2, w - 2, h - 2, ShadeP(in, lifted, -48));
        c.Line(1, h - 3, w - 2, h - 3, ShadeP(in, lifted, -32));
        c.Line(w - 2, 2, w - 2, h - 2, ShadeP(in, lifted, -36));
        c.Line(w - 3, 3, w - 3, h - 3, ShadeP(in, lifted, -24));
        c.Line(2, 1, w - 2, 1, ShadeP(in, lifted, 16));
        c.Line(1, 2, w - 2, 2, ShadeP(in, lifted, 10));
        c.Line(1, 2, 1, h - 2, ShadeP(in, lifted, -5));
        c.Line(2, 3, 2, h - 3, ShadeP(in, lifted, -10));
      }
      break;
    case Look::Down: {
      const std::int32_t base = ShadeP(in, lifted, -32);
      // Darkest at the top: the light seems to come from below.
      Gradient(
          in, kGradientDepth, c, [h](std::int32_t y) { return h - y; },
          [&](std::int32_t a) { return ShadeP(in, base, a); });
      c.Caption(kCaptionDown);
      RoundedOutline(in, c, kOutlineBlue, kCornerBlue);
      c.Line(2, h - 2, w - 2, h - 2, ShadeP(in, base, 16));
      c.Line(1, h - 3, w - 2, h - 3, ShadeP(in, base, 10));
      c.Line(w - 2, 2, w - 2, h - 2, ShadeP(in, base, 5));
      c.Line(w - 3, 3, w - 3, h - 3, lifted);
      c.Line(2, 1, w - 2, 1, ShadeP(in, base, -32));
      c.Line(1, 2, w - 2, 2, ShadeP(in, base, -24));
      c.Line(1, 2, 1, h - 2, ShadeP(in, base, -32));
      c.Line(2, 2, 2, h - 2, ShadeP(in, base, -22));
      break;
    }
    case Look::Disabled:
      c.Fill(0, 0, w, h, ShadeP(in, lifted, -24));
      c.Caption(kCaptionLiftedDisabled);
      RoundedOutline(in, c, ShadeP(in, lifted, -84), ShadeP(in, lifted, -72));
      break;
  }
}

void PaintRounded(Look look, const PaintOptions& in, StyleCanvas& c) {
  const SchemeColors& k = in.Colors;
  const std::int32_t w = in.Width;
  const std::int32_t h = in.Height;
  switch (look) {
    case Look::Up: RoundedUp(in, c, HoverMode(in)); break;
    case Look::Down: {
      const std::int32_t pressed = Shade(in, k.ShadowColor, -16);
      const std::int32_t deep = Shade(in, k.ShadowColor, -64);
      const std::int32_t dark = Shade(in, k.ShadowColor, -32);
      c.Fill(1, 1, w - 2, h - 2, pressed);
      // The caption effects shade from the face they sit on.
      c.SetLiftedFace(pressed);
      c.Caption(kCaptionDown);
      c.SetLiftedFace(Shade(in, k.FaceColor, kLiftStep));
      c.Outline(0, 0, w, h, k.DarkShadowColor);
      c.Outline(1, 1, w - 2, h - 2, deep);
      c.Outline(2, 2, w - 4, h - 4, dark);
      c.Pixel(2, 2, deep);
      c.Pixel(3, 3, dark);
      c.Pixel(1, 1, k.DarkShadowColor);
      c.Pixel(1, h - 2, k.DarkShadowColor);
      c.Pixel(w - 2, 1, k.DarkShadowColor);
      c.Pixel(w - 2, h - 2, k.DarkShadowColor);
      c.Line(w - 3, 1, w - 3, h - 3, k.ShadowColor);
      c.Line(1, h - 3, w - 2, h - 3, k.ShadowColor);
      c.Pixel(w - 4, h - 4, k.ShadowColor);
      c.Line(w - 2, 3, w - 2, h - 2, pressed);
      c.Line(3, h - 2, w - 2, h - 2, pressed);
      c.Line(w - 2, h - 3, w - 4, h - 1, dark);
      c.Pixel(2, h - 2, dark);
      c.Pixel(w - 2, 2, dark);
      break;
    }
    case Look::Disabled: RoundedUp(in, c, kCaptionEngraved); break;
  }
}

void PaintGlossy(Look look, const PaintOptions& in, StyleCanvas& c) {
  const SchemeColors& k = in.Colors;
  const std::int32_t w = in.Width;
  const std::int32_t h = in.Height;
  const auto same = [](std::int32_t y) { return y; };
  const auto fromHighlight = [&](std::int32_t a) { return Shade(in, k.HighlightColor, a); };
  switch (look) {
    case Look::Up:
      if (in.IsOver) {
        c.Fill(0, 0, w, h, k.LightColor);
      } else {
        Gradient(in, kGlossDepth, c, same, fromHighlight);
      }
      if (c.IsDefaultButton()) {
        c.BoldCaption(HoverMode(in));
      } else {
        c.Caption(HoverMode(in));
      }
      GlossyFrame(in, c);
      c.Focus();
      break;
    case Look::Down:
      c.Fill(1, 1, w, h, Shade(in, k.FaceColor, -9));
      c.Outline(0, 0, w, h, Shade(in, k.ShadowColor, -48));
      c.Line(2, h - 2, w - 2, h - 2, k.HighlightColor);
      c.Line(w - 2, 2, w - 2, h - 1, k.HighlightColor);
      c.Caption(kCaptionGlossyDown);
      c.Focus();
      break;
    case Look::Disabled:
      Gradient(in, kGlossDepth, c, same, fromHighlight);
      GlossyFrame(in, c);
      c.Caption(kCaptionGlossyDisabled);
      break;
  }
}

}  // namespace styles
}  // namespace kelvane::controls
