#include "controls/button/styles.h"

namespace kelvane::controls {

void PaintStyle(Look look, const PaintOptions& in, StyleCanvas& canvas) {
  if (const DrawStyle draw = in.Traits().Draw) draw(look, in, canvas);
}

namespace styles {
namespace {

// Style 5 frames the caption instead of drawing the dotted rectangle.
constexpr std::int32_t kCaptionFrameColour = 0xCC9999;

CaptionMode HoverMode(const PaintOptions& in) { return in.IsOver ? kCaptionOver : kCaptionUp; }

std::int32_t Shade(const PaintOptions& in, std::int32_t colour, std::int32_t amount) {
  return ShadeColor(colour, amount, false, in.SoftBevel);
}

// What frames a flat style: a ring always, a ring under the mouse, or a full bevel under the mouse.
enum class FlatFrame { Ring, HoverRing, HoverBevel };

void Flat(FlatFrame frame, Look look, const PaintOptions& in, StyleCanvas& c) {
  const SchemeColors& k = in.Colors;
  switch (look) {
    case Look::Up:
      c.Caption(HoverMode(in));
      if (frame == FlatFrame::Ring || (frame == FlatFrame::HoverRing && in.IsOver)) {
        c.Ring(k.HighlightColor, k.ShadowColor, 0);
      } else if (frame == FlatFrame::HoverBevel && in.IsOver) {
        c.Bevel(k.HighlightColor, k.DarkShadowColor, k.LightColor, k.ShadowColor, 0);
      }
      c.Focus();
      break;
    case Look::Down:
      c.Caption(kCaptionDown);
      if (frame == FlatFrame::HoverBevel) {
        c.Bevel(k.DarkShadowColor, k.HighlightColor, k.ShadowColor, k.LightColor, 0);
      } else {
        c.Ring(k.ShadowColor, k.HighlightColor, 0);
      }
      c.Focus();
      break;
    case Look::Disabled:
      c.Caption(kCaptionEngraved);
      if (frame == FlatFrame::Ring) c.Ring(k.HighlightColor, k.ShadowColor, 0);
      break;
  }
}

}  // namespace

void PaintDoubleBevel(Look look, const PaintOptions& in, StyleCanvas& c) {  // 1
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

void PaintPushButton(Look look, const PaintOptions& in, StyleCanvas& c) {  // 2
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

void PaintFlatOutlined(Look look, const PaintOptions& in, StyleCanvas& c) {  // 5
  const SchemeColors& k = in.Colors;
  const std::int32_t w = in.Width;
  const std::int32_t h = in.Height;
  const auto captionFrame = [&] {
    if (!in.HasFocus || !in.ShowFocusRect) return;
    c.Outline(in.Layout.CaptionRect.left - 2, in.Layout.CaptionRect.top - 1, in.Layout.CaptionWidth + 4,
              in.Layout.CaptionHeight + 2, kCaptionFrameColour);
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

void PaintSoftBevel(Look look, const PaintOptions& in, StyleCanvas& c) {  // 6
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

void PaintRingedFlat(Look look, const PaintOptions& in, StyleCanvas& c) {
  Flat(FlatFrame::Ring, look, in, c);
}

void PaintHoverRingFlat(Look look, const PaintOptions& in, StyleCanvas& c) {
  Flat(FlatFrame::HoverRing, look, in, c);
}

void PaintHoverBevelFlat(Look look, const PaintOptions& in, StyleCanvas& c) {
  Flat(FlatFrame::HoverBevel, look, in, c);
}

// Style 10 is the face and the picture alone.
void PaintFaceOnly(Look /*look*/, const PaintOptions& /*in*/, StyleCanvas& /*canvas*/) {}

void PaintSelection(Look look, const PaintOptions& in, StyleCanvas& c) {  // 9
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

void PaintTransparent(Look look, const PaintOptions& in, StyleCanvas& c) {  // 11
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

void PaintOval(Look look, const PaintOptions& in, StyleCanvas& c) {  // 13
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

}  // namespace styles
}  // namespace kelvane::controls
