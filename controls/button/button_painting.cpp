// The button's paint cycle: the face, the style's drawing in the up, down or disabled look, the
// caption, and holding painting off. Everything goes through the drawing layer onto the surface.
#include "controls/button/chameleon_button.h"
#include "controls/button/compositing.h"
#include "controls/button/picture_plan.h"
#include "controls/button/primitives.h"
#include "controls/button/styles.h"
#include "platform/gdi/bits.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/objects.h"

namespace kelvane::controls {
namespace {

constexpr std::int32_t kHoverFaceScheme = 2;

std::uint8_t PictureStateOf(Look look) {
  switch (look) {
    case Look::Up: return kPictureUp;
    case Look::Down: return kPictureDown;
    case Look::Disabled: break;
  }
  return kPictureDisabled;
}

}  // namespace

// The button's side of a style's drawing: its caption, the bold caption of the default button, the
// container behind it and the host's default flag.
class ButtonCanvas final : public PrimitiveCanvas {
 public:
  ButtonCanvas(chameleonButton& button, gdi::Dc& dc, const Geometry& geometry, const SchemeColors& colors,
               std::uint8_t state)
      : PrimitiveCanvas(dc, geometry), button_(button), colors_(colors), state_(state) {}

  void Caption(std::int32_t mode) override {
    PaintCaption(dc(), CaptionInputs(), button_.layout_, static_cast<std::uint8_t>(mode),
                 button_.LastCaptionMode);
  }

  void BoldCaption(std::int32_t mode) override {
    // The weight change measures the caption again and asks for a paint, which must do nothing here.
    const bool kept = button_.FontBold();
    button_.RefreshOn = false;
    button_.setFontBold(true);
    SelectButtonFont();
    Caption(mode);
    button_.setFontBold(kept);
    SelectButtonFont();
    button_.RefreshOn = true;
  }

  void PlainCaption(std::int32_t textColour) override {
    gdi::SetTextColor(dc(), static_cast<gdi::ColorRef>(textColour));
    gdi::Rect rect = button_.layout_.CaptionRect;
    gdi::DrawTextA(dc(), button_.f_.Caption, rect, kCaptionDrawFormat);
  }

  void SetLiftedFace(std::int32_t colour) override { colors_.LiftedFaceColor = colour; }

  // Before the first show as style 11 there is nothing captured, and the face fill stays.
  void CopyBackground() override {
    if (!button_.BackgroundDC) return;
    gdi::BitBlt(dc(), 0, 0, button_.width(), button_.height(), *button_.BackgroundDC, 0, 0, gdi::SRCCOPY);
  }

  bool IsDefaultButton() override { return button_.Ambient().displayAsDefault; }

  void SelectButtonFont() { gdi::SelectObject(dc(), gdi::Font(button_.Font().toQFont())); }

  const SchemeColors& colors() const { return colors_; }
  using PrimitiveCanvas::dc;

 private:
  CaptionPaintInputs CaptionInputs() const {
    CaptionPaintInputs in;
    in.Caption = button_.f_.Caption;
    in.Colors = colors_;
    in.ButtonType = button_.f_.ButtonType;
    in.ColorScheme = button_.f_.ColorScheme;
    in.SpecialEffect = button_.f_.SpecialEffect;
    in.SoftBevel = button_.f_.SoftBevel;
    in.LastState = state_;
    in.IsOver = button_.IsOver;
    return in;
  }

  chameleonButton& button_;
  SchemeColors colors_;  // this paint's: the hover face and style 4's lifted face last one paint
  std::uint8_t state_;
};

void chameleonButton::MeasureCaption() {
  CaptionMeasureInputs in;
  in.Caption = f_.Caption;
  in.Font = Font().toQFont();
  in.ClientWidth = width();
  in.ClientHeight = height();
  in.PictureWidth = PictureWidth;
  in.PictureHeight = PictureHeight;
  in.PicturePosition = f_.PicturePosition;
  in.HasPicture = !f_.PictureNormal.isNull() || !f_.PictureOver.isNull();
  layout_ = controls::MeasureCaption(in, layout_);
}

void chameleonButton::PaintButton(std::uint8_t state, bool force) {
  if (f_.CheckBoxBehaviour && f_.Value) state = kStateDown;
  if (!force && f_.Caption == LastCaption && state == LastState) return;
  if (ClientHeight == 0 || !RefreshOn) return;
  const bool wasDown = IsDown();
  LastState = state;
  LastCaption = f_.Caption;
  if (IsDown() != wasDown) emit DownChanged(IsDown());
  Cls();

  // The hover face of scheme 2 lasts this one paint: every working colour follows BackOver, and
  // afterwards they are computed afresh from the user's BackColor.
  struct HoverFace {
    chameleonButton& b;
    const std::int32_t kept = b.f_.BackColor;
    const bool on = b.IsOver && b.f_.ColorScheme == kHoverFaceScheme;
    explicit HoverFace(chameleonButton& button) : b(button) {
      if (!on) return;
      b.f_.BackColor = b.f_.BackOver;
      b.ComputeSchemeColors();
    }
    ~HoverFace() {
      if (!on) return;
      b.f_.BackColor = kept;
      b.ComputeSchemeColors();
    }
    HoverFace(const HoverFace&) = delete;
    HoverFace& operator=(const HoverFace&) = delete;
  } hoverFace(*this);
  const SchemeColors colors = colors_;

  gdi::Dc dc(surface());
  const std::int32_t w = width(), h = height();
  PaintRect(dc, 0, 0, w, h, static_cast<gdi::ColorRef>(colors.FaceColor), false);

  const Look look = !Enabled() ? Look::Disabled : state == kStateUp ? Look::Up : Look::Down;
  if (Enabled() && state != kStateUp && state != kStateDown) {
    surfaceChanged();
    return;
  }
  PrimitiveCanvas::Geometry geometry;
  geometry.Width = w;
  geometry.Height = h;
  geometry.FocusRect = ComputeFocusRect(f_.ButtonType, w, h);
  geometry.ShowFocusRect = f_.ShowFocusRect;
  geometry.HasFocus = HasFocus;
  geometry.TextColor = colors.TextColor;
  ButtonCanvas canvas(*this, dc, geometry, colors, state);
  canvas.SelectButtonFont();

  StyleInputs in;
  in.Width = w;
  in.Height = h;
  in.Colors = colors;
  in.ColorScheme = f_.ColorScheme;
  in.SoftBevel = f_.SoftBevel;
  in.IsOver = IsOver;
  in.HasFocus = geometry.HasFocus;
  in.ShowFocusRect = f_.ShowFocusRect;
  in.CaptionRect = layout_.CaptionRect;
  in.CaptionWidth = layout_.CaptionWidth;
  in.CaptionHeight = layout_.CaptionHeight;
  PaintStyle(f_.ButtonType, look, in, canvas);
  PaintPictures(canvas, PictureStateOf(look));
  surfaceChanged();
}

void chameleonButton::PaintPictures(ButtonCanvas& canvas, std::uint8_t pictureState) {
  if (f_.PictureNormal.isNull()) return;
  PicturePlanInputs in;
  in.HasNormal = true;
  in.HasOver = !f_.PictureOver.isNull();
  in.State = pictureState;
  in.IsOver = IsOver;
  in.ButtonType = f_.ButtonType;
  in.ColorScheme = f_.ColorScheme;
  in.SpecialEffect = f_.SpecialEffect;
  in.SoftBevel = f_.SoftBevel;
  in.UseGreyscale = f_.UseGreyscale;
  in.Colors = canvas.colors();
  const PictureMaskProperties mask{f_.UseMaskColor, f_.MaskColor};
  for (const PicturePass& p : PlanPictures(in)) {
    const host::Picture& picture = p.Source == PictureSource::Over ? f_.PictureOver : f_.PictureNormal;
    BlitPicture(canvas.dc(), layout_.PictureLeft + p.Dx, layout_.PictureTop + p.Dy, PictureWidth,
                PictureHeight, picture, in.Colors.MaskRgb, p.Tint, p.DarkOnly, p.Greyscale, p.Blend, mask);
  }
  // A picture behind the caption would hide it.
  if (f_.PicturePosition == kPictureBehind) canvas.Caption(LastCaptionMode);
}

// Scheme 2 takes nothing from the container or the system, so a change there leaves it alone.
void chameleonButton::OnAmbientChanged(const QString& /*name*/) {
  if (f_.ColorScheme == kHoverFaceScheme) return;
  ComputeSchemeColors();
  PaintButton(LastState, true);
}

void chameleonButton::DisableRefresh() { RefreshOn = false; }

void chameleonButton::Refresh() {
  if (f_.ButtonType == kTransparentType) CaptureParentBackground();
  ComputeSchemeColors();
  MeasureCaption();
  RefreshOn = true;
  PaintButton(LastState, true);
}

}  // namespace kelvane::controls
