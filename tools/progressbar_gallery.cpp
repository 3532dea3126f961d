// Renders every look of the progress bar at several values, and a marquee run, into one PNG.
// Usage: progressbar_gallery <output.png>
#include <KelvaneWidgets/xp_progressbar.h>
#include <QApplication>
#include <QCoreApplication>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QResizeEvent>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "controls/progressbar/bar_pictures.h"
#include "controls/progressbar/xp_progressbar.h"
#include "tools/gallery_sheet.h"

namespace {

using kelvane::controls::Xp_ProgressBar;

constexpr int kBarWidth = 260, kBarHeight = 12;
constexpr int kLabelWidth = 80;
constexpr int kGap = 10;
constexpr int kRowPitch = kBarHeight + 8;
constexpr int kHeaderHeight = 18;
constexpr int kZoom = 2;
constexpr int kMarqueeStyle = 1;
constexpr QRgb kPaper = 0xfff4f4f4;
const std::vector<int> kValues = {0, 25, 50, 75, 100};
const std::vector<int> kMarqueeSteps = {1, 20, 40, 52, 55};  // 52 runs out at the right, 55 restarted

// Sizes the unshown bar and delivers the resize notification Qt holds back until it is shown.
void ResizeBar(QWidget& bar) {
  const QSize old = bar.size();
  bar.resize(kBarWidth, kBarHeight);
  QResizeEvent ev(bar.size(), old);
  QCoreApplication::sendEvent(&bar, &ev);
}

QImage BlockBar(int look, int value) {
  Kelvane::Xp_ProgressBar widget;
  Xp_ProgressBar& bar = *kelvane::host::ControlOf<Xp_ProgressBar>(&widget);
  bar.hostCreateNew({});
  bar.setProgressLook(look);
  ResizeBar(widget);
  if (value > 0) bar.setValue(value);
  return bar.surface().image().copy();
}

QImage MarqueeBar(int look, int steps) {
  Kelvane::Xp_ProgressBar widget;
  Xp_ProgressBar& bar = *kelvane::host::ControlOf<Xp_ProgressBar>(&widget);
  bar.hostCreateNew({});
  bar.setProgressLook(look);
  bar.setStyle(kMarqueeStyle);
  ResizeBar(widget);
  for (int i = 0; i < steps; ++i) bar.setValue(i % 2);
  return bar.surface().image().copy();
}

// One section: a header row, then a row per look with one bar per column.
template <typename Render>
int DrawSection(QPainter& p, int top, const QString& title, const std::vector<int>& columns,
                const QString& columnFormat, Render render) {
  p.drawText(QRect(0, top, kLabelWidth, kHeaderHeight), Qt::AlignVCenter | Qt::AlignLeft, title);
  for (std::size_t c = 0; c < columns.size(); ++c) {
    const int x = kLabelWidth + static_cast<int>(c) * (kBarWidth + kGap);
    p.drawText(QRect(x, top, kBarWidth, kHeaderHeight), Qt::AlignVCenter | Qt::AlignLeft,
               columnFormat.arg(columns[c]));
  }
  int y = top + kHeaderHeight;
  for (int look = 0; look < kelvane::controls::kLookCount; ++look) {
    p.drawText(QRect(0, y, kLabelWidth, kBarHeight), Qt::AlignVCenter | Qt::AlignLeft,
               QStringLiteral("%1 %2").arg(look).arg(*kelvane::controls::LookName(look)));
    for (std::size_t c = 0; c < columns.size(); ++c) {
      const int x = kLabelWidth + static_cast<int>(c) * (kBarWidth + kGap);
      p.drawImage(x, y, render(look, columns[c]));
    }
    y += kRowPitch;
  }
  return y;
}

}  // namespace

int main(int argc, char** argv) {
  if (!kelvane::tools::StartGallery(argc, argv)) return 2;
  QApplication app(argc, argv);

  const int columns = static_cast<int>(std::max(kValues.size(), kMarqueeSteps.size()));
  const int width = kLabelWidth + columns * (kBarWidth + kGap);
  const int sectionHeight = kHeaderHeight + kelvane::controls::kLookCount * kRowPitch;
  QImage sheet(width, 2 * sectionHeight + kGap, QImage::Format_RGB32);
  sheet.fill(kPaper);
  {
    QPainter p(&sheet);
    p.setFont(kelvane::tools::GalleryLabelFont());
    int y = DrawSection(p, 0, QStringLiteral("blocks"), kValues, QStringLiteral("Value %1"), BlockBar);
    DrawSection(p, y + kGap, QStringLiteral("marquee"), kMarqueeSteps, QStringLiteral("after %1 steps"),
                MarqueeBar);
  }
  return kelvane::tools::SaveGallery(sheet, kZoom, argv[1]);
}
