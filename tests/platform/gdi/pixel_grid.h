#pragma once
// Renders a tiny image as rows of characters so a test can compare every pixel at once.
#include <QImage>
#include <map>
#include <string>
#include <vector>

#include "platform/gdi/colorref.h"
#include "platform/gdi/surface.h"

namespace kelvane::gdi::testing {

inline constexpr ColorRef kWhite = RGB(255, 255, 255);
inline constexpr ColorRef kBlack = RGB(0, 0, 0);
inline constexpr ColorRef kRed = RGB(255, 0, 0);
inline constexpr ColorRef kBlue = RGB(0, 0, 255);

// '.' white, '#' black, 'r' red, 'b' blue, '?' anything else; rows joined by '\n'.
inline std::string Grid(const QImage& img) {
  static const std::map<QRgb, char> legend = {
      {toQRgb(kWhite), '.'}, {toQRgb(kBlack), '#'}, {toQRgb(kRed), 'r'}, {toQRgb(kBlue), 'b'}};
  std::string out;
  for (int y = 0; y < img.height(); ++y) {
    if (y) out += '\n';
    for (int x = 0; x < img.width(); ++x) {
      const auto it = legend.find(img.pixel(x, y) | 0xFF000000u);
      out += it == legend.end() ? '?' : it->second;
    }
  }
  return out;
}
inline std::string Grid(const Surface& s) { return Grid(s.image()); }

inline std::string Rows(const std::vector<std::string>& rows) {
  std::string out;
  for (std::size_t i = 0; i < rows.size(); ++i) out += (i ? "\n" : "") + rows[i];
  return out;
}

// A white surface of w × h.
inline Surface Paper(int w = 10, int h = 10) { return Surface(QSize(w, h), 0xFFFFFFFFu); }

}  // namespace kelvane::gdi::testing
