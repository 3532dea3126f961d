#pragma once
// Buttons drawn from the same inputs show the same pixels: a window of them can share one drawing,
// each keeping it until it draws something else (QImage copies on the first write).
#include <QImage>
#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

namespace kelvane::controls {

template <class Inputs, class After>
class RecentDrawings {
 public:
  struct Drawing {
    Inputs From;
    QImage Pixels;
    After Left;  // what the drawing leaves behind besides its pixels
  };
  // A few small drawings: a window's buttons in their up, hover and down looks, not a whole screen.
  static constexpr std::size_t kKept = 8;
  static constexpr qsizetype kLargestBytes = 64 * 1024;

  // The most recent drawing made from `from`; it becomes the most recent.
  const Drawing* find(const Inputs& from) {
    for (std::size_t i = 0; i < drawings_.size(); ++i) {
      if (!(drawings_[i].From == from)) continue;
      if (i != 0)
        std::rotate(drawings_.begin(), drawings_.begin() + static_cast<std::ptrdiff_t>(i),
                    drawings_.begin() + static_cast<std::ptrdiff_t>(i) + 1);
      return &drawings_.front();
    }
    return nullptr;
  }

  void keep(Inputs from, const QImage& pixels, After left) {
    if (pixels.sizeInBytes() > kLargestBytes) return;
    if (drawings_.size() == kKept) drawings_.pop_back();
    drawings_.insert(drawings_.begin(), Drawing{std::move(from), pixels, std::move(left)});
  }

 private:
  std::vector<Drawing> drawings_;
};

}  // namespace kelvane::controls
