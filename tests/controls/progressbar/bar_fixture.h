#pragma once
// Shared set-up for the progress bar tests: an unshown bar with a recorder for message boxes.
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QImage>
#include <QResizeEvent>
#include <memory>
#include <utility>
#include <vector>

#include "controls/progressbar/xp_progressbar.h"
#include "tests/support/control_widgets.h"
#include "tests/support/notice_recorder.h"
#include "tests/support/recording_services.h"

namespace kelvane::controls::test {

inline constexpr int kBarWidth = 260;
inline constexpr int kBarHeight = 12;
inline constexpr int kProbeRow = 5;  // a row inside the track

// Qt holds back the resize notification while unshown, so deliver it by hand.
inline void ResizeBar(Xp_ProgressBar& bar, int w, int h) {
  QResizeEvent ev(QSize(w, h), bar.widget().size());
  bar.widget().resize(w, h);
  QCoreApplication::sendEvent(&bar.widget(), &ev);
}

inline QRgb Rgb(QRgb v) { return v | 0xff000000u; }

// Runs of non-white pixels along one row inside the frame, as (first x, width).
inline std::vector<std::pair<int, int>> PaintedRuns(const QImage& img) {
  std::vector<std::pair<int, int>> runs;
  for (int x = 3; x < img.width() - 3; ++x) {
    if (Rgb(img.pixel(x, kProbeRow)) == Rgb(0xffffff)) continue;
    if (!runs.empty() && runs.back().first + runs.back().second == x)
      ++runs.back().second;
    else
      runs.emplace_back(x, 1);
  }
  return runs;
}

// The runs PaintedRuns finds for whole 8-pixel blocks starting at first, first + 10, ..., last.
inline std::vector<std::pair<int, int>> Blocks(int first, int last) {
  std::vector<std::pair<int, int>> runs;
  for (int x = first; x <= last; x += 10) runs.emplace_back(x, 8);
  return runs;
}

// Value, Min, Max, Style, ProgressLook.
inline std::vector<std::int32_t> Props(const Xp_ProgressBar& b) {
  return {b.Value(), b.Min(), b.Max(), b.Style(), b.ProgressLook()};
}

class XpProgressBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bar->hostCreateNew({});
    ResizeBar(*bar, kBarWidth, kBarHeight);
    bar->clearModified();
    notices.watch(*bar);
  }

  QImage Pixels() { return bar->surface().image().copy(); }
  const BarState& St() const { return bar->State(); }

  kelvane::test::RecordingServices recorder;
  kelvane::test::ScopedServices scoped{recorder};
  kelvane::test::OwnedBar bar;
  kelvane::test::NoticeRecorder notices;
};

}  // namespace kelvane::controls::test
