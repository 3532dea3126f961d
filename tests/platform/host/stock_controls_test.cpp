#include <gtest/gtest.h>

#include <QImage>
#include <QSignalSpy>
#include <memory>
#include <vector>

#include "platform/gdi/dc.h"
#include "platform/gdi/objects.h"
#include "platform/host/errors.h"
#include "platform/host/layout/form_window.h"
#include "platform/host/picture.h"
#include "platform/host/stock/frame.h"
#include "platform/host/stock/image.h"
#include "platform/host/stock/label.h"
#include "platform/host/stock/picture_box.h"
#include "platform/host/stock/shape.h"
#include "platform/host/stock/timer.h"
#include "platform/host/window_system.h"
#include "tests/support/wait.h"

namespace kelvane::host::stock {
namespace {

const FontDesc kVerdana{"Verdana", 8.25, 400, false, false, false, 0};
constexpr std::int32_t kRed = 0x0000FF;  // 0xBBGGRR
constexpr std::int32_t kGreen = 0x00FF00;
constexpr std::int32_t kBlue = 0xFF0000;

QRgb Rgb(std::int32_t bgr) { return ColorFromStored(bgr).rgb(); }
QRgb At(const QImage& img, int x, int y) { return img.pixel(x, y) | 0xFF000000u; }

TEST(StockLabel, AutoSizeFitsTheTextAndKeepsTheCorner) {
  Label label;
  label.setGeometry(53, 28, 37, 13);
  label.setFont(kVerdana);
  label.setCaption("Total :");
  EXPECT_EQ(label.size(), QSize(37, 13)) << "sized only when asked";

  label.setAutoSize(true);
  const QSize one = label.size();
  EXPECT_EQ(label.pos(), QPoint(53, 28));
  EXPECT_GT(one.width(), 0);
  EXPECT_EQ(one, TextExtent("Total :", label.QWidget::font()));

  label.setCaption("Total : 1023 MB");
  EXPECT_GT(label.width(), one.width());
  EXPECT_EQ(label.height(), one.height());

  label.setCaption("Total :\r\nTotal :");
  EXPECT_EQ(label.size(), QSize(one.width(), 2 * one.height()));

  label.setCaption("");
  EXPECT_EQ(label.size(), QSize(0, one.height())) << "an empty caption keeps one line";
}

// A label's text takes the widest of its lines by as many lines as "\r\n" and "\n" make, an empty
// last line included; each line is drawn below the one before, empty ones keeping their place.
TEST(StockLabel, LinesMeasureAndDrawOneBelowAnother) {
  const QFont font = Label().QWidget::font();
  const QFontMetrics fm(font);
  const struct {
    const char* text;
    const char* widest;
    int lines;
  } rows[] = {{"", "", 1},
              {"Total :", "Total :", 1},
              {"ab\r\nabcd", "abcd", 2},
              {"abcd\nab", "abcd", 2},
              {"a\r\n\r\nb", "a", 3},
              {"x\r\n", "x", 2}};
  for (const auto& r : rows)
    EXPECT_EQ(TextExtent(r.text, font), QSize(fm.horizontalAdvance(r.widest), r.lines * fm.height()))
        << r.text;

  Label label;
  label.setForeColor(kBlue);
  label.setBackColor(0xFFFFFF);
  label.setCaption("MM\r\n\r\nMM");
  label.resize(40, 3 * fm.height());
  const QImage img = label.grab().toImage();
  QString inked;  // per line: whether any pixel leans clearly to blue
  for (int line = 0; line < 3; ++line) {
    bool ink = false;
    for (int y = line * fm.height(); y < (line + 1) * fm.height(); ++y)
      for (int x = 0; x < img.width(); ++x) ink = ink || qRed(img.pixel(x, y)) < 150;
    inked += ink ? 'M' : '-';
  }
  EXPECT_EQ(inked, "M-M");
}

TEST(StockLabel, TransparentShowsTheContainerOpaqueItsBackColorTextItsForeColor) {
  for (const auto& [style, empty] :
       {std::pair{BackStyle::Transparent, kRed}, std::pair{BackStyle::Opaque, kGreen}}) {
    PictureBox box;
    box.resize(60, 20);
    box.setBackColor(kRed);
    Label label(&box);
    label.setGeometry(0, 0, 60, 20);
    label.setFont(kVerdana);
    label.setBackColor(kGreen);
    label.setForeColor(kBlue);
    label.setBackStyle(style);
    label.setCaption("MM");
    const QImage img = box.grab().toImage();
    EXPECT_EQ(At(img, 50, 10), Rgb(empty));
    EXPECT_EQ(At(img, 59, 19), Rgb(empty));
    int blue = 0;  // text is antialiased: count the pixels that lean clearly to blue
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x) {
        const QColor c = img.pixelColor(x, y);
        blue += c.blue() > 200 && c.red() < 150 && c.green() < 150;
      }
    EXPECT_GT(blue, 5);
  }
}

// A control that matches its container asks a device context over it for the colours; they must be
// the stored ones the container paints with, not Qt's defaults, and follow later changes.
TEST(StockContainers, DeviceContextReportsTheStoredColours) {
  constexpr std::int32_t kLavender = 0xFAD8CB, kPurple = 0x800080, kWhite = 0xFFFFFF;
  layout::FormWindow form;
  Frame frame(&form);
  PictureBox box(&form);
  form.setBackColor(kWhite);
  frame.setBackColor(kLavender);
  frame.setForeColor(kPurple);
  box.setBackColor(kRed);
  const struct {
    QWidget* container;
    gdi::ColorRef back, text;
  } cases[] = {{&form, kWhite, 0x000000}, {&frame, kLavender, kPurple}, {&box, kRed, 0x000000}};
  for (const auto& c : cases) {
    const gdi::Dc dc = host::GetDC(c.container);
    EXPECT_EQ(gdi::GetBkColor(dc), c.back) << c.container->metaObject()->className();
    EXPECT_EQ(gdi::GetTextColor(dc), c.text) << c.container->metaObject()->className();
  }
  frame.setBackColor(kGreen);
  EXPECT_EQ(gdi::GetBkColor(host::GetDC(&frame)), static_cast<gdi::ColorRef>(kGreen));
}

TEST(StockShape, FillsAndOutlinesEveryPixel) {
  PictureBox box;
  box.resize(10, 10);
  box.setBackColor(0xFFFFFF);
  Shape shape(&box);
  shape.setGeometry(2, 3, 5, 4);  // covers [2,7) x [3,7)
  shape.setFillStyle(FillStyle::Solid);
  shape.setFillColor(kGreen);
  shape.setBorderColor(kRed);
  const QImage img = box.grab().toImage();
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 10; ++x) {
      const bool inside = x >= 2 && x < 7 && y >= 3 && y < 7;
      const bool edge = inside && (x == 2 || x == 6 || y == 3 || y == 6);
      const std::int32_t expected = !inside ? 0xFFFFFF : edge ? kRed : kGreen;
      EXPECT_EQ(At(img, x, y), Rgb(expected)) << "at " << x << "," << y;
    }
  }
}

TEST(StockGraphical, LetTheMouseThrough) {
  QWidget parent;
  Label label(&parent);
  Image image(&parent);
  Shape shape(&parent);
  PictureBox box(&parent);
  for (QWidget* w : std::initializer_list<QWidget*>{&label, &image, &shape})
    EXPECT_TRUE(w->testAttribute(Qt::WA_TransparentForMouseEvents));
  EXPECT_FALSE(box.testAttribute(Qt::WA_TransparentForMouseEvents));
}

// One font engine serves a label, a frame and a button caption in the same font.
TEST(StockText, IsDrawnInTheSurfacesFont) {
  QWidget parent;
  Label label(&parent);
  Frame frame(&parent);
  FontDesc font;
  font.name = QStringLiteral("Verdana");
  font.size = 8.25;
  label.setFont(font);
  frame.setFont(font);
  const QFont drawn = gdi::SurfaceFont(font.toQFont());
  EXPECT_EQ(label.font(), drawn);
  EXPECT_EQ(frame.font(), drawn);
  EXPECT_EQ(Label(&parent).font(), gdi::SurfaceFont(FontDesc().toQFont()));
}

TEST(StockImage, TakesThePicturesSize) {
  Image image;
  image.setGeometry(13, 5, 50, 50);
  QImage pixels(32, 32, QImage::Format_ARGB32);
  pixels.fill(Qt::transparent);
  image.setPicture(Picture::fromIcon(pixels));
  EXPECT_EQ(image.geometry(), QRect(13, 5, 32, 32));
  image.setPicture(Picture());
  EXPECT_EQ(image.size(), QSize(32, 32)) << "the empty picture leaves the size";
  EXPECT_TRUE(image.Picture().isNull());
}

TEST(StockTimer, RefusesIntervalsOutOfRange) {
  Timer timer;
  timer.setInterval(100);
  for (int bad : {-1, kMaxTimerInterval + 1}) {
    try {
      timer.setInterval(bad);
      ADD_FAILURE() << "accepted " << bad;
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.number(), kErrInvalidPropertyValue);
    }
    EXPECT_EQ(timer.Interval(), 100);
  }
  EXPECT_NO_THROW(timer.setInterval(kMaxTimerInterval));
  EXPECT_NO_THROW(timer.setInterval(0));
}

TEST(StockTimer, TicksOnlyWhileEnabledWithAnInterval) {
  struct Case {
    int interval;
    bool enabled, ticks;
  };
  const Case cases[] = {{5, true, true}, {5, false, false}, {0, true, false}};
  // All run side by side: once every ticking timer has ticked a few times, a quiet one that should
  // have ticked had the same chance.
  std::vector<std::unique_ptr<Timer>> timers;
  std::vector<std::unique_ptr<QSignalSpy>> spies;
  for (const Case& c : cases) {
    timers.push_back(std::make_unique<Timer>());
    spies.push_back(std::make_unique<QSignalSpy>(timers.back().get(), &Timer::Tick));
    timers.back()->setEnabled(c.enabled);
    timers.back()->setInterval(c.interval);
  }
  const auto tickersTicked = [&] {
    for (std::size_t i = 0; i < spies.size(); ++i)
      if (cases[i].ticks && spies[i]->count() < 3) return false;
    return true;
  };
  ASSERT_TRUE(test::WaitUntil(tickersTicked));
  for (std::size_t i = 0; i < spies.size(); ++i)
    EXPECT_EQ(spies[i]->count() > 0, cases[i].ticks)
        << cases[i].interval << " " << cases[i].enabled << ": " << spies[i]->count() << " ticks";
}

}  // namespace
}  // namespace kelvane::host::stock
