// Where the main window lands. Qt's offscreen platform gives a shown window a frame, as a window
// manager would, and reports it only once the window is shown.
#include <gtest/gtest.h>

#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <ostream>
#include <string>

#include "app/form1.h"
#include "tests/support/fake_memory_source.h"
#include "tests/support/recording_services.h"
#include "tests/support/wait.h"

namespace kelvane::app {
namespace {

class NoAllocator final : public mem::BlockAllocator {
 public:
  std::uint32_t GlobalAlloc(std::uint32_t, std::size_t) override { return 0; }
  void GlobalFree(std::uint32_t) override {}
};

// Within a pixel of the middle: twice the left edge plus the width is the screen width, give or take 2.
bool Centred(const QRect& outer, const QRect& screen) {
  return std::abs(2 * (outer.left() - screen.left()) + outer.width() - screen.width()) <= 2 &&
         std::abs(2 * (outer.top() - screen.top()) + outer.height() - screen.height()) <= 2;
}

std::string Describe(const QRect& r) {
  return std::to_string(r.width()) + "x" + std::to_string(r.height()) + "+" + std::to_string(r.x()) + "+" +
         std::to_string(r.y());
}

class Form1Placement : public ::testing::Test {
 protected:
  test::RecordingServices services;
  test::ScopedServices scoped{services};
  test::FakeMemorySource memory{268435456, 100000000};
  NoAllocator allocator;
  Form1 form{memory, allocator, QLocale::c()};
  QWidget& window = *form.window();

  QRect Screen() const { return window.screen()->geometry(); }
  bool Framed() const { return window.frameGeometry() != window.geometry(); }
};

struct SizeCase {
  const char* name;
  QSize client;
  friend void PrintTo(const SizeCase& c, std::ostream* os) { *os << c.name; }
};

class Form1Centring : public Form1Placement, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(Form1Centring, OuterRectangleIsCentredOnceTheFrameIsKnown) {
  window.setFixedSize(GetParam().client);
  form.Show();
  ASSERT_TRUE(test::WaitUntil([&] { return Framed(); })) << "the platform drew no frame";
  EXPECT_TRUE(test::WaitUntil([&] { return Centred(window.frameGeometry(), Screen()); }))
      << "outer " << Describe(window.frameGeometry()) << " on screen " << Describe(Screen());
}

// Odd sizes leave half pixels to round; a window larger than its screen gets negative places.
INSTANTIATE_TEST_SUITE_P(Sizes, Form1Centring,
                         ::testing::Values(SizeCase{"Stored", {359, 305}}, SizeCase{"Even", {360, 306}},
                                           SizeCase{"WiderThanTheScreen", {2001, 301}},
                                           SizeCase{"TallerThanTheScreen", {301, 2001}}),
                         [](const auto& test) { return std::string(test.param.name); });

TEST_F(Form1Placement, WindowMovedAfterItWasCentredStaysWhereItWasPut) {
  form.Show();
  ASSERT_TRUE(test::WaitUntil([&] { return Framed() && Centred(window.frameGeometry(), Screen()); }));
  const QPoint put = Screen().topLeft() + QPoint(7, 9);
  window.move(put);
  ASSERT_TRUE(test::WaitUntil([&] { return window.pos() == put; }));
  // Everything the move set off has been handled once an event posted after it arrives.
  bool drained = false;
  QTimer::singleShot(0, &window, [&] { drained = true; });
  ASSERT_TRUE(test::WaitUntil([&] { return drained; }));
  EXPECT_EQ(window.pos(), put);
}

}  // namespace
}  // namespace kelvane::app
