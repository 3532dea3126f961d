#include "controls/button/caption.h"

#include <QPainter>

#include "platform/gdi/objects.h"

namespace kelvane::controls {

namespace {

// Room kept between the caption and the client edges, and between caption and picture.
constexpr std::int32_t kEdge = 1;
constexpr std::int32_t kFarEdge = 2;
constexpr std::int32_t kPictureGap = 4;
constexpr std::int32_t kPictureGapAboveBelow = 2;

// The pressed look sits this far right and down; the effect passes this far to either side.
constexpr std::int32_t kPressedShift = 1;
constexpr std::int32_t kEffectShift = 1;

constexpr std::int32_t kEffectShade = 40;
constexpr std::int32_t kLiftedDisabledShade = -104;
constexpr std::int32_t kGlossyDownCopyShade = -50;

constexpr std::int32_t kEffectRaised = 1;
constexpr std::int32_t kEffectSunken = 2;

constexpr std::int32_t kOwnColoursScheme = 2;

// Halving towards zero, as integer division does, in 64 bits: the sums may leave 32 bits.
std::int32_t Half(std::int64_t v) { return static_cast<std::int32_t>(v / 2); }

gdi::ColorRef Rgb(std::int32_t colour) { return static_cast<gdi::ColorRef>(colour); }

gdi::Rect Moved(gdi::Rect r, std::int32_t d) {
  gdi::OffsetRect(r, d, d);
  return r;
}

}  // namespace

void CaptionOverlay::Add(const gdi::Dc& dc, const QString& text, const gdi::Rect& rect,
                         gdi::ColorRef colour) {
  runs_.push_back({dc.qfont(), text, rect, colour});
}

void CaptionOverlay::Paint(QPainter& painter) const {
  for (const Run& run : runs_)
    gdi::DrawTextWith(painter, run.Font, run.Colour, run.Text, run.Rect, kCaptionDrawFormat);
}

void DrawCaptionText(gdi::Dc& dc, CaptionOverlay* overlay, const QString& caption, gdi::Rect rect,
                     gdi::ColorRef colour) {
  gdi::SetTextColor(dc, colour);
  if (overlay) {
    overlay->Add(dc, caption, rect, colour);
  } else {
    gdi::DrawTextA(dc, caption, rect, kCaptionDrawFormat);
  }
}

gdi::Rect CaptionLayoutRect(std::int32_t picturePosition, std::int32_t clientWidth, std::int32_t clientHeight,
                            std::int32_t pictureWidth, std::int32_t pictureHeight,
                            const gdi::Rect& previousCaption) {
  using gdi::wrapAdd;
  const std::int32_t right = wrapAdd(clientWidth, -kFarEdge);
  const std::int32_t bottom = wrapAdd(clientHeight, -kFarEdge);
  switch (picturePosition) {
    case kPictureLeft: return {wrapAdd(pictureWidth, kEdge), kEdge, right, bottom};
    case kPictureRight: return {kEdge, kEdge, wrapAdd(right, -std::int64_t{pictureWidth}), bottom};
    case kPictureAbove: return {kEdge, wrapAdd(pictureHeight, kEdge), right, bottom};
    case kPictureBelow: return {kEdge, kEdge, right, wrapAdd(bottom, -std::int64_t{pictureHeight})};
    case kPictureBehind: return {kEdge, kEdge, right, bottom};
    default: return previousCaption;
  }
}

gdi::Point CaptionCentring(std::int32_t picturePosition, std::int32_t clientWidth, std::int32_t clientHeight,
                           std::int32_t pictureWidth, std::int32_t pictureHeight, const gdi::Rect& measured) {
  const std::int64_t spareX = std::int64_t{clientWidth} - measured.right;
  const std::int64_t spareY = std::int64_t{clientHeight} - measured.bottom;
  switch (picturePosition) {
    case kPictureLeft:
    case kPictureAbove:
    case kPictureBehind: return {Half(spareX), Half(spareY)};
    case kPictureRight: return {Half(spareX - pictureWidth - kPictureGap), Half(spareY)};
    case kPictureBelow: return {Half(spareX), Half(spareY - pictureHeight - kPictureGap)};
    default: return {0, 0};
  }
}

gdi::Point PlacePicture(const CaptionMeasureInputs& in, const gdi::Rect& captionRect, gdi::Point previous) {
  using gdi::wrapAdd;
  if (!in.HasPicture) return previous;
  const gdi::Point centred{Half(std::int64_t{in.ClientWidth} - in.PictureWidth),
                           Half(std::int64_t{in.ClientHeight} - in.PictureHeight)};
  // Only spaces count as blank here; a caption of line breaks still takes the picture aside.
  bool blank = true;
  for (const QChar c : in.Caption) blank = blank && c == u' ';
  if (blank || in.PicturePosition == kPictureBehind) return centred;
  switch (in.PicturePosition) {
    case kPictureLeft:
      return {wrapAdd(captionRect.left, -std::int64_t{in.PictureWidth} - kPictureGap), centred.y};
    case kPictureRight: return {wrapAdd(captionRect.right, kPictureGap), centred.y};
    case kPictureAbove:
      return {centred.x, wrapAdd(captionRect.top, -std::int64_t{in.PictureHeight} - kPictureGapAboveBelow)};
    case kPictureBelow: return {centred.x, wrapAdd(captionRect.bottom, kPictureGapAboveBelow)};
    default: return previous;
  }
}

CaptionLayout MeasureCaption(const CaptionMeasureInputs& in, const CaptionLayout& previous) {
  gdi::Rect rect = CaptionLayoutRect(in.PicturePosition, in.ClientWidth, in.ClientHeight, in.PictureWidth,
                                     in.PictureHeight, previous.CaptionRect);
  // Measuring draws nothing: one context serves every measure (the GUI thread's alone).
  static gdi::Dc dc = gdi::CreateCompatibleDC();
  gdi::SelectObject(dc, gdi::Font(in.Font));
  gdi::DrawTextA(dc, in.Caption, rect, kCaptionMeasureFormat);

  CaptionLayout out;
  out.CaptionRect = rect;
  out.CaptionWidth = static_cast<std::int32_t>(gdi::RectWidth(rect));
  out.CaptionHeight = static_cast<std::int32_t>(gdi::RectHeight(rect));
  const gdi::Point centring = CaptionCentring(in.PicturePosition, in.ClientWidth, in.ClientHeight,
                                              in.PictureWidth, in.PictureHeight, rect);
  gdi::OffsetRect(out.CaptionRect, centring.x, centring.y);
  out.PressedCaptionRect = Moved(out.CaptionRect, kPressedShift);
  const gdi::Point picture = PlacePicture(in, out.CaptionRect, {previous.PictureLeft, previous.PictureTop});
  out.PictureLeft = picture.x;
  out.PictureTop = picture.y;
  return out;
}

void PaintCaptionEffect(gdi::Dc& dc, const PaintOptions& in, const gdi::Rect& rect, CaptionOverlay* overlay) {
  if (in.SpecialEffect <= 0) return;
  const SchemeColors& c = in.Colors;
  const StyleTraits& style = in.Traits();
  std::int32_t base = c.FaceColor;
  if (style.CaptionEffectsOnLiftedFace)
    base = c.LiftedFaceColor;
  else if (style.SelectionFace && in.State == 0 && in.IsOver && in.ColorScheme != kOwnColoursScheme)
    base = c.SelectionTintColor;
  const auto shade = [&](std::int32_t amount) { return Rgb(ShadeColor(base, amount, false, in.SoftBevel)); };

  const bool sunken = in.SpecialEffect == kEffectSunken;
  DrawCaptionText(dc, overlay, in.Caption, Moved(rect, kEffectShift),
                  shade(sunken ? kEffectShade : -kEffectShade));
  if (in.SpecialEffect == kEffectRaised || sunken)
    DrawCaptionText(dc, overlay, in.Caption, Moved(rect, -kEffectShift),
                    shade(sunken ? -kEffectShade : kEffectShade));
}

void PaintCaption(gdi::Dc& dc, const PaintOptions& in, std::uint8_t captionMode,
                  std::uint8_t& lastCaptionMode, CaptionOverlay* overlay) {
  lastCaptionMode = captionMode;
  const CaptionLayout& layout = in.Layout;
  const SchemeColors& c = in.Colors;
  const auto shade = [&](std::int32_t colour, std::int32_t amount, bool proportionalBlue) {
    return Rgb(ShadeColor(colour, amount, proportionalBlue, in.SoftBevel));
  };
  gdi::ColorRef colour = gdi::GetTextColor(dc);
  gdi::Rect at = layout.CaptionRect;
  switch (captionMode) {
    case kCaptionUp:
      PaintCaptionEffect(dc, in, layout.CaptionRect, overlay);
      colour = Rgb(c.TextColor);
      break;
    case kCaptionOver:
      PaintCaptionEffect(dc, in, layout.CaptionRect, overlay);
      colour = Rgb(c.TextOverColor);
      break;
    case kCaptionDown:
      PaintCaptionEffect(dc, in, layout.PressedCaptionRect, overlay);
      colour = Rgb(in.Traits().LightDownText ? c.LightColor : c.TextOverColor);
      at = layout.PressedCaptionRect;
      break;
    case kCaptionEngraved:
      DrawCaptionText(dc, overlay, in.Caption, layout.PressedCaptionRect, Rgb(c.HighlightColor));
      colour = Rgb(c.ShadowColor);
      break;
    case kCaptionGreyed: colour = Rgb(c.ShadowColor); break;
    case kCaptionLiftedDisabled: colour = shade(c.LiftedFaceColor, kLiftedDisabledShade, true); break;
    case kCaptionGlossyDisabled:
      DrawCaptionText(dc, overlay, in.Caption, layout.PressedCaptionRect, Rgb(c.HighlightColor));
      colour = Rgb(c.FaceColor);
      break;
    case kCaptionGlossyDown:
      DrawCaptionText(dc, overlay, in.Caption, layout.PressedCaptionRect,
                      shade(c.ShadowColor, kGlossyDownCopyShade, false));
      colour = Rgb(c.HighlightColor);
      break;
    default: break;
  }
  DrawCaptionText(dc, overlay, in.Caption, at, colour);
}

}  // namespace kelvane::controls
