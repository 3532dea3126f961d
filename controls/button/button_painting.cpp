// The button's paint cycle: the face, the style's drawing in the up, down or disabled look, the
// caption, and holding painting off. Everything goes through the drawing layer onto the surface.
#include <QPainter>
#include <utility>

#include "controls/button/chameleon_button.h"
#include "controls/button/compositing.h"
#include "controls/button/picture_plan.h"
#include "controls/button/primitives.h"
#include "controls/button/recent_drawings.h"
#include "controls/button/style_traits.h"
#include "controls/button/styles.h"
#include "platform/gdi/bits.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/objects.h"
#include "platform/gdi/text.h"

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
  // The options are the canvas's own: style 4's lifted face and the bold layout last one paint.
  ButtonCanvas(chameleonButton& button, gdi::Dc& dc, const PaintOptions& options, CaptionOverlay* overlay)
      : PrimitiveCanvas(dc, options), button_(button), overlay_(overlay) {}

  void Caption(CaptionMode mode) override {
    PaintCaption(dc(), options(), mode, button_.LastCaptionMode, overlay_);
  }

  void BoldCaption(CaptionMode mode) override {
    // The bold font is this caption's alone: the button's own font, of whatever weight, stays.
    const CaptionLayout bold = button_.MeasureCaptionIn(button_.BoldFont(), button_.CaptionGeometry);
    gdi::SelectObject(dc(), gdi::Font(button_.BoldFont().toQFont()));
    options().Layout = bold;
    Caption(mode);
    // Measured from the bold layout, as a font change and back would leave it.
    button_.CaptionGeometry = button_.MeasureCaptionIn(button_.Font(), bold);
    SelectButtonFont();
    options().Layout = button_.CaptionGeometry;
  }

  void PlainCaption(std::int32_t textColour) override {
    DrawCaptionText(dc(), overlay_, options().Caption, options().Layout.CaptionRect,
                    static_cast<gdi::ColorRef>(textColour));
  }

  void SetLiftedFace(std::int32_t colour) override { options().Colors.LiftedFaceColor = colour; }

  // Before the first show as style 11 there is nothing captured, and the face fill stays.
  void CopyBackground() override {
    if (!button_.BackgroundDC) return;
    gdi::BitBlt(dc(), 0, 0, button_.widget().width(), button_.widget().height(), *button_.BackgroundDC, 0, 0,
                gdi::SRCCOPY);
  }

  bool IsDefaultButton() override { return button_.Ambient().displayAsDefault; }

  void SelectButtonFont() { gdi::SelectObject(dc(), gdi::Font(button_.QtFont(button_.Font()))); }

  using PrimitiveCanvas::dc;
  using PrimitiveCanvas::options;

 private:
  chameleonButton& button_;
  CaptionOverlay* overlay_;
};

// A window of buttons measures and draws in the same font over and over; making the QFont each time
// cost more than the measure.
QFont chameleonButton::QtFont(const host::FontDesc& font) const {
  if (!(font == LastFont.first)) LastFont = {font, font.toQFont()};
  return LastFont.second;
}

void chameleonButton::MeasureCaption() { CaptionGeometry = MeasureCaptionIn(Font(), CaptionGeometry); }

CaptionLayout chameleonButton::MeasureCaptionIn(const host::FontDesc& font,
                                                const CaptionLayout& previous) const {
  CaptionMeasureInputs in;
  in.Caption = Stored.Caption;
  in.Font = QtFont(font);
  in.ClientWidth = widget().width();
  in.ClientHeight = widget().height();
  in.PictureWidth = PictureWidth;
  in.PictureHeight = PictureHeight;
  in.PicturePosition = Stored.PicturePosition;
  in.HasPicture = !Stored.PictureNormal.isNull() || !Stored.PictureOver.isNull();
  return controls::MeasureCaption(in, previous);
}

// What this paint reads, once the working colours are this paint's.
PaintOptions chameleonButton::CurrentPaintOptions(std::uint8_t state) const {
  PaintOptions o;
  o.ButtonType = Stored.ButtonType;
  o.ColorScheme = Stored.ColorScheme;
  o.Colors = WorkingColors;
  o.SoftBevel = Stored.SoftBevel;
  o.SpecialEffect = Stored.SpecialEffect;
  o.Width = widget().width();
  o.Height = widget().height();
  o.State = state;
  o.IsOver = IsOver;
  o.HasFocus = HasFocus;
  o.ShowFocusRect = Stored.ShowFocusRect;
  o.Caption = Stored.Caption;
  o.Layout = CaptionGeometry;
  o.HasPictureNormal = !Stored.PictureNormal.isNull();
  o.HasPictureOver = !Stored.PictureOver.isNull();
  o.UseGreyscale = Stored.UseGreyscale;
  return o;
}

void chameleonButton::PaintButton(std::uint8_t state, bool force) {
  if (Stored.CheckBoxBehaviour && Stored.Value) state = kStateDown;
  if (!force && Stored.Caption == LastCaption && state == LastState) return;
  if (ClientHeight == 0 || !RefreshOn) return;
  const bool wasDown = IsDown();
  LastState = state;
  LastCaption = Stored.Caption;
  // Sized as Qt shows it, the button is drawn again by its show notice; unshown, it is drawn when
  // its pixels are first wanted (shown, grabbed or read), once for any number of changes.
  if (ShowFollows() || !widget().isVisible())
    PutOffPaint();
  else
    Render(state);
  // Told last: nothing of this paint is left to run on a button its listener deleted.
  if (IsDown() != wasDown) emit DownChanged(IsDown());
}

void chameleonButton::PaintPutOff() { Render(LastState); }

void chameleonButton::Render(std::uint8_t state) {
  DropPutOffPaint();

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
  const PaintOptions options = CurrentPaintOptions(state);
  // A disabled container greys the button as Qt's own buttons are greyed.
  const bool usable = widget().isEnabled();

  // Made, sized and shown, a button is drawn three times from the same inputs. Pictures and the
  // captured background are more than the inputs hold, so those buttons always draw.
  const bool repeatable = !BackgroundDC && Stored.PictureNormal.isNull() && Stored.PictureOver.isNull();
  const bool textOver = DrawsTextOver();
  const DrawnFrom from{options,
                       usable,
                       Font(),
                       Ambient().displayAsDefault,
                       Stored.PicturePosition,
                       LastCaptionMode,
                       std::as_const(*this).surface().background(),
                       gdi::TextGeneration(),
                       textOver};
  if (repeatable && LastDrawn && LastDrawn->From == from &&
      LastDrawn->SurfaceKey == surface().image().cacheKey()) {
    LastCaptionMode = LastDrawn->CaptionModeAfter;
    CaptionGeometry = LastDrawn->LayoutAfter;
    surfaceChanged();
    return;
  }
  // A caption drawn over the surface is the button's own, so only buttons that hold all their
  // pixels share them.
  struct Left {
    std::uint8_t CaptionMode;
    CaptionLayout Layout;
  };
  static RecentDrawings<DrawnFrom, Left> shared;
  const bool shareable = repeatable && !textOver;
  LastDrawn.reset();
  CaptionText.Clear();
  CaptionTextOver = textOver;
  if (const auto* drawing = shareable ? shared.find(from) : nullptr;
      drawing && shareSurface(drawing->Pixels)) {
    LastCaptionMode = drawing->Left.CaptionMode;
    CaptionGeometry = drawing->Left.Layout;
    LastDrawn = Drawn{from, surface().image().cacheKey(), LastCaptionMode, CaptionGeometry};
    surfaceChanged();
    return;
  }
  Cls();

  gdi::Dc dc(surface());
  PaintRect(dc, 0, 0, options.Width, options.Height, static_cast<gdi::ColorRef>(options.Colors.FaceColor),
            false);

  const Look look = !usable ? Look::Disabled : state == kStateUp ? Look::Up : Look::Down;
  if (usable && state != kStateUp && state != kStateDown) {
    surfaceChanged();
    return;
  }
  ButtonCanvas canvas(*this, dc, options, textOver ? &CaptionText : nullptr);
  canvas.SelectButtonFont();
  PaintStyle(look, options, canvas);
  PaintPictures(canvas, PictureStateOf(look));
  surfaceChanged();
  if (!repeatable) return;
  LastDrawn = Drawn{from, surface().image().cacheKey(), LastCaptionMode, CaptionGeometry};
  if (shareable && surface().size() == QSize(options.Width, options.Height))
    shared.keep(from, surface().image(), {LastCaptionMode, CaptionGeometry});
}

bool chameleonButton::DrawsTextOver() const { return widget().devicePixelRatioF() != 1.0; }

void chameleonButton::paintEvent(QPaintEvent* e) {
  // Moved to a screen of another scale: the caption's text belongs in the surface, or over it.
  if (CaptionTextOver != DrawsTextOver() && RefreshOn && ClientHeight != 0) Render(LastState);
  host::Control::paintEvent(e);
  if (CaptionText.Empty()) return;
  QPainter painter(&widget());
  CaptionText.Paint(painter);
}

void chameleonButton::PaintPictures(ButtonCanvas& canvas, std::uint8_t pictureState) {
  if (Stored.PictureNormal.isNull()) return;
  const PaintOptions& in = canvas.options();
  const PictureMaskProperties mask{Stored.UseMaskColor, Stored.MaskColor, &widget().palette()};
  for (const PicturePass& p : PlanPictures(in, pictureState)) {
    const host::Picture& picture =
        p.Source == PictureSource::Over ? Stored.PictureOver : Stored.PictureNormal;
    BlitPicture(canvas.dc(), CaptionGeometry.PictureLeft + p.Dx, CaptionGeometry.PictureTop + p.Dy,
                PictureWidth, PictureHeight, picture, in.Colors.MaskRgb, p.Tint, p.DarkOnly, p.Greyscale,
                p.Blend, mask);
  }
  // A picture behind the caption would hide it.
  if (Stored.PicturePosition == kPictureBehind) canvas.Caption(static_cast<CaptionMode>(LastCaptionMode));
}

// Scheme 2 takes nothing from the container or the system, so a change there leaves it alone.
void chameleonButton::OnAmbientChanged(const QString& /*name*/) {
  if (Stored.ColorScheme == kHoverFaceScheme) return;
  ComputeSchemeColors();
  PaintButton(LastState, true);
}

// A new palette or style. As for an ambient change, scheme 2 keeps its colours until it next works
// them out; the transparent style copies its container's new look.
void chameleonButton::OnLookChanged() {
  if (Stored.ColorScheme != kHoverFaceScheme) {
    ComputeSchemeColors();
    PaintButton(LastState, true);
  }
  if (TraitsOf(Stored.ButtonType).Transparent) CaptureParentBackgroundSoon();
}

void chameleonButton::DisableRefresh() { RefreshOn = false; }

void chameleonButton::Refresh() {
  if (TraitsOf(Stored.ButtonType).Transparent && !CaptureParentBackground()) return;
  ComputeSchemeColors();
  MeasureCaption();
  RefreshOn = true;
  PaintButton(LastState, true);
}

}  // namespace kelvane::controls
