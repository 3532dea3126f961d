#pragma once
// Shared set-up for the progress bar tests: an unshown bar with a recorder for message boxes.
#include <QCoreApplication>
#include <QImage>
#include <QResizeEvent>
#include <gtest/gtest.h>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "controls/progressbar/xp_progressbar.h"
#include "tests/support/recording_services.h"

namespace kelvane::controls::test {

inline constexpr int kBarWidth = 260;
inline constexpr int kBarHeight = 12;
inline constexpr int kProbeRow = 5;  // a row inside the track

// Sizes the bar and delivers the host's resize notification, which Qt holds back while unshown.
inline void ResizeBar(Xp_ProgressBar& bar, int w, int h) {
  const QSize old = bar.size();
  bar.resize(w, h);
  QResizeEvent ev(QSize(w, h), old);
  QCoreApplication::sendEvent(&bar, &ev);
}

inline QRgb Rgb(QRgb v) { return v | 0xff000000u; }

// Runs of non-white pixels along one row of the track, as (first x, width).
inline std::vector<std::pair<int, int>> PaintedRuns(const QImage& img, int row = kProbeRow) {
  std::vector<std::pair<int, int>> runs;
  const int right = img.width() - 3;  // the frame starts here
  for (int x = 3; x < right; ++x) {
    if ((img.pixel(x, row) | 0xff000000u) == 0xffffffffu) continue;
    if (!runs.empty() && runs.back().first + runs.back().second == x)
      ++runs.back().second;
    else
      runs.emplace_back(x, 1);
  }
  return runs;
}

// Left edges of runs, handy when every run is a full 8-pixel block.
inline std::vector<int> RunStarts(const QImage& img) {
  std::vector<int> xs;
  for (const auto& [x, w] : PaintedRuns(img)) xs.push_back(x);
  return xs;
}

inline std::vector<int> BlockStarts(int first, int last) {
  std::vector<int> xs;
  for (int x = first; x <= last; x += 10) xs.push_back(x);
  return xs;
}

inline std::set<QRgb> ColoursOf(const QImage& img) {
  std::set<QRgb> out;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x) out.insert(img.pixel(x, y) | 0xff000000u);
  return out;
}

class XpProgressBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bar = std::make_unique<Xp_ProgressBar>();
    bar->hostCreateNew({});
    ResizeBar(*bar, kBarWidth, kBarHeight);
    bar->clearModified();
  }

  QImage Pixels() { return bar->surface().image().copy(); }
  const BarState& St() const { return bar->State(); }

  kelvane::test::RecordingServices recorder;
  kelvane::test::ScopedServices scoped{recorder};
  std::unique_ptr<Xp_ProgressBar> bar;
};

}  // namespace kelvane::controls::test
