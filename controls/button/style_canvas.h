#pragma once
// What a button style draws with. The styles only say what goes where and in which order; the canvas
// decides how, so a test can record the calls and the button can draw them onto its surface.
#include <cstdint>

#include "controls/button/paint_options.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/rect.h"

namespace kelvane::controls {

class StyleCanvas {
 public:
  virtual ~StyleCanvas() = default;

  // Colours are plain RGB values (0xBBGGRR).
  virtual void Fill(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::int32_t colour) = 0;
  virtual void Outline(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                       std::int32_t colour) = 0;
  // Without the end point.
  virtual void Line(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                    std::int32_t colour) = 0;
  virtual void Pixel(std::int32_t x, std::int32_t y, std::int32_t colour) = 0;
  // Both rings along the client edges; inset 0 on the outermost pixels, -1 one pixel in.
  virtual void Bevel(std::int32_t c1, std::int32_t c2, std::int32_t c3, std::int32_t c4,
                     std::int16_t inset) = 0;
  virtual void Ring(std::int32_t c1, std::int32_t c2, std::int16_t inset) = 0;
  // The ellipse inscribed in the client area.
  virtual void Oval(std::int32_t pen, std::int32_t brush) = 0;
  // The dotted focus rectangle; draws only while the button has the focus and wants it shown.
  virtual void Focus() = 0;

  // The caption in one of the caption modes.
  virtual void Caption(CaptionMode mode) = 0;
  // The caption in bold, with painting held off while the weight changes, so the repaint the change
  // asks for does nothing; afterwards the user's weight and painting are back.
  virtual void BoldCaption(CaptionMode mode) = 0;
  // The caption text alone at the caption rectangle in this colour: no effects, no pressed offset, and
  // the last caption mode kept.
  virtual void PlainCaption(std::int32_t textColour) = 0;
  // Replaces the lifted face the caption effects shade from.
  virtual void SetLiftedFace(std::int32_t colour) = 0;
  // The container's pixels captured behind the button, over the whole client area.
  virtual void CopyBackground() = 0;
  // The host's default-button flag, asked for at the moment it is needed.
  virtual bool IsDefaultButton() = 0;
};

// The geometric operations drawn with the button's primitives on a device context. What depends on
// the button's own state (caption, fonts, background, the host's flag) is left to the button.
class PrimitiveCanvas : public StyleCanvas {
 public:
  // Draws with a copy of the options, which the button may change during the paint.
  PrimitiveCanvas(gdi::Dc& dc, const PaintOptions& options) : dc_(dc), options_(options) {}

  void Fill(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::int32_t colour) override;
  void Outline(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, std::int32_t colour) override;
  void Line(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, std::int32_t colour) override;
  void Pixel(std::int32_t x, std::int32_t y, std::int32_t colour) override;
  void Bevel(std::int32_t c1, std::int32_t c2, std::int32_t c3, std::int32_t c4, std::int16_t inset) override;
  void Ring(std::int32_t c1, std::int32_t c2, std::int16_t inset) override;
  void Oval(std::int32_t pen, std::int32_t brush) override;
  void Focus() override;

 protected:
  gdi::Dc& dc() { return dc_; }
  PaintOptions& options() { return options_; }
  const PaintOptions& options() const { return options_; }

 private:
  gdi::Dc& dc_;
  PaintOptions options_;
};

}  // namespace kelvane::controls
