#include "controls/button/styles.h"

#include "controls/button/gradient_styles.h"

namespace kelvane::controls {

namespace {

// Caption modes chosen by the styles.
constexpr std::int32_t kCaptionUp = 0;
constexpr std::int32_t kCaptionOver = 1;
constexpr std::int32_t kCaptionDown = 2;
constexpr std::int32_t kCaptionEngraved = 3;
constexpr std::int32_t kCaptionGreyed = 4;

// Style 5 frames the caption instead of drawing the dotted rectangle.
constexpr std::int32_t kCaptionFrameColour = 0xCC9999;

std::int32_t HoverMode(const StyleInputs& in) { return in.IsOver ? kCaptionOver : kCaptionUp; }

std::int32_t Shade(const StyleInputs& in, std::int32_t colour, std::int32_t amount) {
  return ShadeColor(colour, amount, false, in.SoftBevel);
}

void DoubleBevel(Look look, const StyleInputs& in, StyleCanvas& c) {  // 1
  const SchemeColors& k = in.Colors;
  const std::int32_t w = in.Width;
  const std::int32_t h = in.Height;
  switch (look) {
    case Look::Up:
      c.Caption(HoverMode(in));
      c.Bevel(k.HighlightColor, k.ShadowColor, k.HighlightColor, k.ShadowColor, -1);
      c.Outline(0, 0, w, h, k.DarkShadowColor);
      c.Focus();
      break;
    case Look::Down:
      c.Caption(kCaptionDown);
      c.Bevel(k.ShadowColor, k.HighlightColor, k.ShadowColor, k.HighlightColor, -1);
      c.Outline(0, 0, w, h, k.DarkShadowColor);
      c.Focus();
      break;
    case Look::Disabled:
      c.Caption(kCaptionEngraved);
      c.Bevel(k.HighlightColor, k.ShadowColor, k.HighlightColor, k.ShadowColor, -1);
      c.Outline(0, 0, w, h, k.DarkShadowColor);
      break;
  }
}

void PushButton(Look look, const StyleInputs& in, StyleCanvas& c) {  // 2
  const SchemeColors& k = in.Colors;
  const std::int32_t w = in.Width;
  const std::int32_t h = in.Height;
  switch (look) {
    case Look::Up:
      c.Caption(HoverMode(in));
      // The default button wears a dark outline, but only where the focus is meant to show.
      if (const bool isDefault = c.IsDefaultButton(); in.ShowFocusRect && isDefault) {
        c.Bevel(k.HighlightColor, k.DarkShadowColor, k.LightColor, k.ShadowColor, -1);
        c.Focus();
        c.Outline(0, 0, w, h, k.DarkShadowColor);
      } else {
        c.Bevel(k.HighlightColor, k.DarkShadowColor, k.LightColor, k.ShadowColor, 0);
      }
      break;
    case Look::Down:
      c.Caption(kCaptionDown);
      if (const bool isDefault = c.IsDefaultButton(); in.ShowFocusRect && isDefault) {
        c.Outline(0, 0, w, h, k.DarkShadowColor);
        c.Outline(1, 1, w - 2, h - 2, k.ShadowColor);
        c.Focus();
      } else {
        c.Bevel(k.DarkShadowColor, k.HighlightColor, k.ShadowColor, k.LightColor, 0);
      }
      break;
    case Look::Disabled:
      c.Caption(kCaptionEngraved);
      c.Bevel(k.HighlightColor, k.DarkShadowColor, k.LightColor, k.ShadowColor, 0);
      break;
  }
}

void FlatOutlined(Look look, const StyleInputs& in, StyleCanvas& c) {  // 5
  const SchemeColors& k = in.Colors;
  const std::int32_t w = in.Width;
  const std::int32_t h = in.Height;
  const auto captionFrame = [&] {
    if (!in.HasFocus || !in.ShowFocusRect) return;
    c.Outline(in.CaptionRect.left - 2, in.CaptionRect.top - 1, in.CaptionWidth + 4, in.CaptionHeight + 2,
              kCaptionFrameColour);
  };
  switch (look) {
    case Look::Up:
      c.Fill(1, 1, w - 1, h - 1, Shade(in, k.FaceColor, 12));
      c.Caption(HoverMode(in));
      c.Outline(1, 1, w - 1, h - 1, k.HighlightColor);
      c.Outline(0, 0, w - 1, h - 1, Shade(in, k.ShadowColor, -26));
      c.Pixel(1, h - 2, Shade(in, k.ShadowColor, 26));
      c.Pixel(w - 2, 1, Shade(in, k.ShadowColor, 26));
      captionFrame();
      break;
    case Look::Down:
      c.Fill(1, 1, w - 2, h - 2, Shade(in, k.ShadowColor, 16));
      c.Outline(0, 0, w - 1, h - 1, Shade(in, k.ShadowColor, -26));
      c.Line(w - 1, 1, w - 1, h, k.HighlightColor);
      c.Line(1, h - 1, w - 1, h - 1, k.HighlightColor);
      c.PlainCaption(k.TextOverColor);
      captionFrame();
      break;
    case Look::Disabled:
      c.Caption(kCaptionGreyed);
      c.Outline(0, 0, w, h, k.ShadowColor);
      break;
  }
}

void SoftBevelStyle(Look look, const StyleInputs& in, StyleCanvas& c) {  // 6
  const SchemeColors& k = in.Colors;
  const std::int32_t light = Shade(in, k.LightColor, 8);
  switch (look) {
    case Look::Up:
      c.Caption(HoverMode(in));
      c.Bevel(light, k.ShadowColor, light, k.ShadowColor, 0);
      c.Focus();
      break;
    case Look::Down:
      c.Caption(kCaptionDown);
      c.Bevel(k.ShadowColor, light, k.ShadowColor, light, 0);
      c.Focus();
      break;
    case Look::Disabled:
      c.Caption(kCaptionGreyed);
      c.Bevel(light, k.ShadowColor, light, k.ShadowColor, 0);
      break;
  }
}

void Flat(std::int32_t type, Look look, const StyleInputs& in, StyleCanvas& c) {  // 7, 8, 12
  const SchemeColors& k = in.Colors;
  switch (look) {
    case Look::Up:
      c.Caption(HoverMode(in));
      if (type == 7 || (type == 8 && in.IsOver)) {
        c.Ring(k.HighlightColor, k.ShadowColor, 0);
      } else if (type == 12 && in.IsOver) {
        c.Bevel(k.HighlightColor, k.DarkShadowColor, k.LightColor, k.ShadowColor, 0);
      }
      c.Focus();
      break;
    case Look::Down:
      c.Caption(kCaptionDown);
      if (type == 12) {
        c.Bevel(k.DarkShadowColor, k.HighlightColor, k.ShadowColor, k.LightColor, 0);
      } else {
        c.Ring(k.ShadowColor, k.HighlightColor, 0);
      }
      c.Focus();
      break;
    case Look::Disabled:
      c.Caption(kCaptionEngraved);
      if (type == 7) c.Ring(k.HighlightColor, k.ShadowColor, 0);
      break;
  }
}

void Selection(Look look, const StyleInputs& in, StyleCanvas& c) {  // 9
  const SchemeColors& k = in.Colors;
  const std::int32_t w = in.Width;
  const std::int32_t h = in.Height;
  switch (look) {
    case Look::Up:
      if (in.IsOver) c.Fill(1, 1, w, h, k.SelectionTintColor);
      c.Caption(HoverMode(in));
      if (in.IsOver) c.Outline(0, 0, w, h, k.SelectionColor);
      c.Focus();
      break;
    case Look::Down:
      if (in.IsOver) {
        // Scheme 2's selection tint is the face itself, so it darkens instead of washing out.
        const std::int32_t pressed =
            in.ColorScheme == 2 ? Shade(in, k.SelectionTintColor, -32) : TintColor(k.SelectionColor, 128);
        c.Fill(0, 0, w, h, pressed);
      }
      c.Caption(kCaptionDown);
      c.Outline(0, 0, w, h, k.SelectionColor);
      c.Focus();
      break;
    case Look::Disabled: c.Caption(kCaptionGreyed); break;
  }
}

void Transparent(Look look, const StyleInputs& in, StyleCanvas& c) {  // 11
  c.CopyBackground();
  switch (look) {
    case Look::Up:
      c.Caption(HoverMode(in));
      c.Focus();
      break;
    case Look::Down:
      c.Caption(kCaptionDown);
      c.Focus();
      break;
    case Look::Disabled: c.Caption(kCaptionEngraved); break;
  }
}

void OvalStyle(Look look, const StyleInputs& in, StyleCanvas& c) {  // 13
  const SchemeColors& k = in.Colors;
  switch (look) {
    case Look::Up:
      c.Oval(in.IsOver ? k.ShadowColor : k.FaceColor, k.FaceColor);
      c.Caption(HoverMode(in));
      break;
    case Look::Down:
      c.Oval(k.DarkShadowColor, Shade(in, k.FaceColor, -32));
      c.Caption(kCaptionDown);
      break;
    case Look::Disabled:
      // The window is cut to the oval, so the face fill alone shows the shape.
      c.Caption(kCaptionEngraved);
      break;
  }
}

}  // namespace

void PaintStyle(std::int32_t buttonType, Look look, const StyleInputs& in, StyleCanvas& canvas) {
  switch (buttonType) {
    case 1: DoubleBevel(look, in, canvas); break;
    case 2: PushButton(look, in, canvas); break;
    case 3: styles::PaintGradientStyle(look, in, canvas); break;
    case 4: styles::PaintRoundedStyle(look, in, canvas); break;
    case 5: FlatOutlined(look, in, canvas); break;
    case 6: SoftBevelStyle(look, in, canvas); break;
    case 7:
    case 8:
    case 12: Flat(buttonType, look, in, canvas); break;
    case 9: Selection(look, in, canvas); break;
    case 11: Transparent(look, in, canvas); break;
    case 13: OvalStyle(look, in, canvas); break;
    case 14: styles::PaintGlossyStyle(look, in, canvas); break;
    default:  // 10 is face and picture only; unknown types look the same
      break;
  }
}

}  // namespace kelvane::controls
