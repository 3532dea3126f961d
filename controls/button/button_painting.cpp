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
      : PrimitiveCanvas(dc, geometry), button_(button), WorkingColors(colors), state_(state) {}

  void Caption(std::int32_t mode) override {
    PaintCaption(dc(), CaptionInputs(), button_.CaptionGeometry, static_cast<std::uint8_t>(mode),
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
    gdi::Rect rect = button_.CaptionGeometry.CaptionRect;
    gdi::DrawTextA(dc(), button_.Stored.Caption, rect, kCaptionDrawFormat);
  }

  void SetLiftedFace(std::int32_t colour) override { WorkingColors.LiftedFaceColor = colour; }

  // Before the first show as style 11 there is nothing captured, and the face fill stays.
  void CopyBackground() override {
    if (!button_.BackgroundDC) return;
    gdi::BitBlt(dc(), 0, 0, button_.width(), button_.height(), *button_.BackgroundDC, 0, 0, gdi::SRCCOPY);
  }

  bool IsDefaultButton() override { return button_.Ambient().displayAsDefault; }

  void SelectButtonFont() { gdi::SelectObject(dc(), gdi::Font(button_.Font().toQFont())); }

  const SchemeColors& colors() const { return WorkingColors; }
  using PrimitiveCanvas::dc;

 private:
  CaptionPaintInputs CaptionInputs() const {
    CaptionPaintInputs in;
    in.Caption = button_.Stored.Caption;
    in.Colors = WorkingColors;
    in.ButtonType = button_.Stored.ButtonType;
    in.ColorScheme = button_.Stored.ColorScheme;
    in.SpecialEffect = button_.Stored.SpecialEffect;
    in.SoftBevel = button_.Stored.SoftBevel;
    in.LastState = state_;
    in.IsOver = button_.IsOver;
    return in;
  }

  chameleonButton& button_;
  SchemeColors WorkingColors;  // this paint's: the hover face and style 4's lifted face last one paint
  std::uint8_t state_;
};

void chameleonButton::MeasureCaption() {
  CaptionMeasureInputs in;
  in.Caption = Stored.Caption;
  in.Font = Font().toQFont();
  in.ClientWidth = width();
  in.ClientHeight = height();
  in.PictureWidth = PictureWidth;
  in.PictureHeight = PictureHeight;
  in.PicturePosition = Stored.PicturePosition;
  in.HasPicture = !Stored.PictureNormal.isNull() || !Stored.PictureOver.isNull();
  CaptionGeometry = controls::MeasureCaption(in, CaptionGeometry);
}

void chameleonButton::PaintButton(std::uint8_t state, bool force) {
  if (Stored.CheckBoxBehaviour && Stored.Value) state = kStateDown;
  if (!force && Stored.Caption == LastCaption && state == LastState) return;
  if (ClientHeight == 0 || !RefreshOn) return;
  const bool wasDown = IsDown();
  LastState = state;
  LastCaption = Stored.Caption;
  if (IsDown() != wasDown) emit DownChanged(IsDown());
  Cls();

  // The hover face of scheme 2 lasts this one paint: every working colour follows BackOver, and
  // afterwards they are computed afresh from the user's BackColor.
  struct HoverFace {
    chameleonButton& b;
    const std::int32_t kept = b.Stored.BackColor;
    const bool on = b.IsOver && b.Stored.ColorScheme == kHoverFaceScheme;
    explicit HoverFace(chameleonButton& button) : b(button) {
      if (!on) return;
      b.Stored.BackColor = b.Stored.BackOver;
      b.ComputeSchemeColors();
    }
    ~HoverFace() {
      if (!on) return;
      b.Stored.BackColor = kept;
      b.ComputeSchemeColors();
    }
    HoverFace(const HoverFace&) = delete;
    HoverFace& operator=(const HoverFace&) = delete;
  } hoverFace(*this);
  const SchemeColors colors = WorkingColors;

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
  geometry.FocusRect = ComputeFocusRect(Stored.ButtonType, w, h);
  geometry.ShowFocusRect = Stored.ShowFocusRect;
  geometry.HasFocus = HasFocus;
  geometry.TextColor = colors.TextColor;
  ButtonCanvas canvas(*this, dc, geometry, colors, state);
  canvas.SelectButtonFont();

  StyleInputs in;
  in.Width = w;
  in.Height = h;
  in.Colors = colors;
  in.ColorScheme = Stored.ColorScheme;
  in.SoftBevel = Stored.SoftBevel;
  in.IsOver = IsOver;
  in.HasFocus = geometry.HasFocus;
  in.ShowFocusRect = Stored.ShowFocusRect;
  in.CaptionRect = CaptionGeometry.CaptionRect;
  in.CaptionWidth = CaptionGeometry.CaptionWidth;
  in.CaptionHeight = CaptionGeometry.CaptionHeight;
  PaintStyle(Stored.ButtonType, look, in, canvas);
  PaintPictures(canvas, PictureStateOf(look));
  surfaceChanged();
}

void chameleonButton::PaintPictures(ButtonCanvas& canvas, std::uint8_t pictureState) {
  if (Stored.PictureNormal.isNull()) return;
  PicturePlanInputs in;
  in.HasNormal = true;
  in.HasOver = !Stored.PictureOver.isNull();
  in.State = pictureState;
  in.IsOver = IsOver;
  in.ButtonType = Stored.ButtonType;
  in.ColorScheme = Stored.ColorScheme;
  in.SpecialEffect = Stored.SpecialEffect;
  in.SoftBevel = Stored.SoftBevel;
  in.UseGreyscale = Stored.UseGreyscale;
  in.Colors = canvas.colors();
  const PictureMaskProperties mask{Stored.UseMaskColor, Stored.MaskColor};
  for (const PicturePass& p : PlanPictures(in)) {
    const host::Picture& picture =
        p.Source == PictureSource::Over ? Stored.PictureOver : Stored.PictureNormal;
    BlitPicture(canvas.dc(), CaptionGeometry.PictureLeft + p.Dx, CaptionGeometry.PictureTop + p.Dy,
                PictureWidth, PictureHeight, picture, in.Colors.MaskRgb, p.Tint, p.DarkOnly, p.Greyscale,
                p.Blend, mask);
  }
  // A picture behind the caption would hide it.
  if (Stored.PicturePosition == kPictureBehind) canvas.Caption(LastCaptionMode);
}

// Scheme 2 takes nothing from the container or the system, so a change there leaves it alone.
void chameleonButton::OnAmbientChanged(const QString& /*name*/) {
  if (Stored.ColorScheme == kHoverFaceScheme) return;
  ComputeSchemeColors();
  PaintButton(LastState, true);
}

void chameleonButton::DisableRefresh() { RefreshOn = false; }

void chameleonButton::Refresh() {
  if (Stored.ButtonType == kTransparentType) CaptureParentBackground();
  ComputeSchemeColors();
  MeasureCaption();
  RefreshOn = true;
  PaintButton(LastState, true);
}

}  // namespace kelvane::controls
