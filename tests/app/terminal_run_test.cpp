#include "app/terminal_run.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "tests/app/release_fakes.h"
#include "tests/support/recording_services.h"

namespace kelvane::app {
namespace {

std::string Drawn(std::FILE* file) {
  std::rewind(file);
  std::string text;
  for (int c; (c = std::fgetc(file)) != EOF;) text += static_cast<char>(c);
  return text;
}

// Without a terminal: a line at every tenth of each phase, and the routine stops at the cap as
// it does with the window's indicator.
TEST(TextProgress, LinesThroughBothPhasesAndTheCapHolds) {
  std::FILE* out = std::tmpfile();
  ASSERT_NE(out, nullptr);
  TextProgress progress(out, TextProgress::Mode::Lines, QLocale::c());
  test::FakeAllocator alloc;
  test::RecordingServices services;
  RunMemoryRelease(progress, alloc, services);
  EXPECT_EQ(alloc.peak, 2 * kReleasePairCap);
  std::string expected;
  for (const char* phase : {"Reserving  ", "Giving back"}) {
    for (int tenth = 0; tenth <= 10; ++tenth) {
      char line[80];
      std::snprintf(line, sizeof line, "%s %3d %%  %d of 32000 pairs\n", phase, tenth * 10, tenth * 3200);
      expected += line;
    }
  }
  EXPECT_EQ(Drawn(out), expected);
  std::fclose(out);
}

// On a terminal the bar is drawn in place and its line ended when the run is over; quiet draws nothing.
TEST(TextProgress, ABarOnATerminalAndNothingWhenQuiet) {
  for (const auto mode : {TextProgress::Mode::Bar, TextProgress::Mode::None}) {
    std::FILE* out = std::tmpfile();
    TextProgress progress(out, mode, QLocale::c());
    test::FakeAllocator alloc;
    alloc.refuseFrom = 5;
    test::RecordingServices services;
    RunMemoryRelease(progress, alloc, services);
    const std::string drawn = Drawn(out);
    if (mode == TextProgress::Mode::None) {
      EXPECT_EQ(drawn, "");
    } else {
      EXPECT_TRUE(
          drawn.ends_with("\r\033[KGiving back [##############################] 100 %  3 of 3 pairs\n"))
          << drawn;
    }
    std::fclose(out);
  }
}

}  // namespace
}  // namespace kelvane::app
