#include "controls/button/style_traits.h"

#include "controls/button/styles.h"

namespace kelvane::controls {
namespace {

// A pixel off every corner.
constexpr ShapeCut kCornerPixels[] = {{0, -1, 1}, {-1, 0, 1}, {0, 0, 1}, {-1, -1, 1}};
// Only the bottom-left and top-right corners.
constexpr ShapeCut kOppositeCorners[] = {{0, -1, 1}, {-1, 0, 1}};
// Two pixels along the top and bottom rows and one down each side at every corner.
constexpr ShapeCut kTwoPixelCorners[] = {{0, 0, 2}, {0, -1, 2}, {-2, 0, 2}, {-2, -1, 2},
                                         {0, 1, 1}, {0, -2, 1}, {-1, 1, 1}, {-1, -2, 1}};

using enum DisabledPictureRule;

constexpr StyleTraits kStyles[kStyleCount] = {
    {.Draw = styles::PaintDoubleBevel, .ShapeCuts = kCornerPixels},  // 1
    {.Draw = styles::PaintPushButton},                               // 2
    {.Draw = styles::PaintGradient,                                  // 3
     .ShapeCuts = kTwoPixelCorners,
     .ProportionalBlue = true,
     .CaptionEffectsOnLiftedFace = true,
     .PictureEffectsOnLiftedFace = true,
     .DisabledPicture = Grey},
    {.Draw = styles::PaintRounded,  // 4
     .ShapeCuts = kTwoPixelCorners,
     .CaptionEffectsOnLiftedFace = true,
     .LightDownText = true},
    {.Draw = styles::PaintFlatOutlined,  // 5
     .ShapeCuts = kOppositeCorners,
     .DisabledPicture = Shadow,
     .PlainPress = true,
     .BoldWhileDesigning = true},
    {.Draw = styles::PaintSoftBevel, .DisabledPicture = Shadow},  // 6
    {.Draw = styles::PaintRingedFlat, .FocusInset = 3},           // 7
    {.Draw = styles::PaintHoverRingFlat, .FocusInset = 3},        // 8
    {.Draw = styles::PaintSelection,                              // 9
     .FocusInset = 3,
     .SelectionFace = true,
     .DisabledPicture = LightShadow,
     .HoverShadow = true},
    {.Draw = styles::PaintFaceOnly, .FocusInset = 3},                          // 10
    {.Draw = styles::PaintTransparent, .FocusInset = 3, .Transparent = true},  // 11
    {.Draw = styles::PaintHoverBevelFlat, .FocusInset = 3},                    // 12
    {.Draw = styles::PaintOval, .FocusInset = 3, .Oval = true},                // 13
    {.Draw = styles::PaintGlossy,                                              // 14
     .FocusInset = 5,
     .FocusShift = 1,
     .ShapeCuts = kCornerPixels,
     .CaptionEffectsOnLiftedFace = true},
};

constexpr StyleTraits kUnknownStyle{};

}  // namespace

const StyleTraits& TraitsOf(std::int32_t buttonType) {
  if (buttonType < 1 || buttonType > kStyleCount) return kUnknownStyle;
  return kStyles[buttonType - 1];
}

}  // namespace kelvane::controls
