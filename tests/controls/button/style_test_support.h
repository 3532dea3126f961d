#pragma once
// What the style tests share: the working colours they paint with, their names in a recording, and
// painting a style onto a small surface to compare with an image built by hand.
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include <vector>

#include "controls/button/colors.h"
#include "controls/button/style_canvas.h"
#include "controls/button/styles.h"
#include "platform/gdi/colorref.h"
#include "platform/gdi/dc.h"
#include "platform/gdi/surface.h"

namespace kelvane::controls::style_test {

inline constexpr std::int32_t Rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }
inline constexpr std::int32_t Grey(int v) { return Rgb(v, v, v); }

// Working colours that stay apart after the shades the styles apply, so every colour in a recording
// reads as a name or as one hand-computed value.
inline SchemeColors Palette() {
  SchemeColors k;
  k.FaceColor = Grey(128);
  k.LightColor = Grey(200);
  k.HighlightColor = Grey(250);
  k.ShadowColor = Grey(90);
  k.DarkShadowColor = Grey(16);
  k.TextColor = Rgb(1, 2, 3);
  k.TextOverColor = Rgb(4, 5, 6);
  k.SelectionColor = Rgb(0, 0, 255);
  k.SelectionTintColor = Rgb(176, 176, 240);
  // Blue at 192 moves one for one under the proportional shade, which keeps the sums easy.
  k.LiftedFaceColor = Rgb(176, 176, 192);
  return k;
}

inline std::string Name(std::int32_t c) {
  static const std::map<std::int32_t, std::string> names = [] {
    const SchemeColors k = Palette();
    return std::map<std::int32_t, std::string>{{k.FaceColor, "Face"},
                                               {k.LightColor, "Light"},
                                               {k.HighlightColor, "Highlight"},
                                               {k.ShadowColor, "Shadow"},
                                               {k.DarkShadowColor, "DarkShadow"},
                                               {k.TextOverColor, "TextOver"},
                                               {k.SelectionColor, "Selection"},
                                               {k.SelectionTintColor, "SelectionTint"},
                                               {k.LiftedFaceColor, "LiftedFace"}};
  }();
  const auto it = names.find(c);
  if (it != names.end()) return it->second;
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%06X", static_cast<unsigned>(c));
  return hex;
}

// The caption and the button's own steps are someone else's pixels; here they only leave a trace.
class SurfaceCanvas : public PrimitiveCanvas {
 public:
  using PrimitiveCanvas::PrimitiveCanvas;
  std::vector<std::string> others;
  bool isDefault = false;
  void Caption(CaptionMode mode) override { others.push_back("Caption " + std::to_string(mode)); }
  void BoldCaption(CaptionMode mode) override { others.push_back("BoldCaption " + std::to_string(mode)); }
  void PlainCaption(std::int32_t) override { others.push_back("PlainCaption"); }
  void SetLiftedFace(std::int32_t colour) override { others.push_back("SetLiftedFace " + Name(colour)); }
  void CopyBackground() override { others.push_back("CopyBackground"); }
  bool IsDefaultButton() override { return isDefault; }
};

// An image written by hand, step by step, with the axis-aligned strokes the styles use.
class Picture {
 public:
  Picture(int w, int h, std::int32_t fill) : w_(w), h_(h), px_(static_cast<std::size_t>(w * h), fill) {}
  void Set(int x, int y, std::int32_t c) {
    if (x >= 0 && y >= 0 && x < w_ && y < h_) px_[static_cast<std::size_t>(y * w_ + x)] = c;
  }
  void Row(int y, int x0, int x1, std::int32_t c) {  // x0..x1 inclusive
    for (int x = x0; x <= x1; ++x) Set(x, y, c);
  }
  void Column(int x, int y0, int y1, std::int32_t c) {
    for (int y = y0; y <= y1; ++y) Set(x, y, c);
  }
  void Border(int x0, int y0, int x1, int y1, std::int32_t c) {
    Row(y0, x0, x1, c);
    Row(y1, x0, x1, c);
    Column(x0, y0, y1, c);
    Column(x1, y0, y1, c);
  }
  std::int32_t At(int x, int y) const { return px_[static_cast<std::size_t>(y * w_ + x)]; }
  int width() const { return w_; }
  int height() const { return h_; }

 private:
  int w_, h_;
  std::vector<std::int32_t> px_;
};

// From a grid of letters, each standing for a colour.
inline Picture FromRows(const std::vector<std::string>& rows, const std::map<char, std::int32_t>& legend) {
  Picture p(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), 0);
  for (int y = 0; y < p.height(); ++y) {
    for (int x = 0; x < p.width(); ++x)
      p.Set(x, y, legend.at(rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)]));
  }
  return p;
}

struct Painted {
  gdi::Surface surface;
  std::vector<std::string> others;
};

// The face fill of the paint cycle, then the style.
inline Painted Paint(std::int32_t type, Look look, PaintOptions in, bool isDefault = false) {
  Painted out{gdi::Surface(QSize(in.Width, in.Height)), {}};
  out.surface.image().fill(gdi::toQRgb(static_cast<gdi::ColorRef>(in.Colors.FaceColor)));
  gdi::Dc dc(out.surface);
  in.ButtonType = type;
  SurfaceCanvas canvas(dc, in);
  canvas.isDefault = isDefault;
  PaintStyle(look, in, canvas);
  out.others = canvas.others;
  return out;
}

inline std::string Rgb(std::int32_t c) {
  return "(" + std::to_string(c & 0xFF) + "," + std::to_string((c >> 8) & 0xFF) + "," +
         std::to_string((c >> 16) & 0xFF) + ")";
}

// Every pixel; the first few that differ are named.
inline void ExpectPixels(const gdi::Surface& s, const Picture& expected) {
  ASSERT_EQ(s.width(), expected.width());
  ASSERT_EQ(s.height(), expected.height());
  std::string diff;
  int count = 0;
  for (int y = 0; y < s.height(); ++y) {
    for (int x = 0; x < s.width(); ++x) {
      const auto got = static_cast<std::int32_t>(gdi::fromQRgb(s.pixel(x, y)));
      if (got != expected.At(x, y) && count++ < 8) {
        diff += " (" + std::to_string(x) + "," + std::to_string(y) + "): " + Rgb(got) + " not " +
                Rgb(expected.At(x, y));
      }
    }
  }
  EXPECT_EQ(count, 0) << diff;
}

inline PaintOptions Small(SchemeColors colours, bool soft = false) {
  PaintOptions in;
  in.Width = 20;
  in.Height = 8;
  in.Colors = colours;
  in.SoftBevel = soft;
  return in;
}

}  // namespace kelvane::controls::style_test
