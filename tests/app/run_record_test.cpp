#include "app/run_record.h"

#include <gtest/gtest.h>

#include <QTimeZone>

namespace kelvane::app {
namespace {

// Display megabytes in kB, as /proc/meminfo would give them.
constexpr std::uint64_t Mb(std::uint64_t megabytes) { return megabytes * 1044032 / 1024; }

// The run measured on a 24 GB machine without swap.
RunRecord Measured() {
  RunRecord r;
  r.started = QDateTime(QDate(2026, 12, 10), QTime(15, 4, 5, 123), QTimeZone::utc());
  r.durationMs = 2312;
  r.peakHeldBytes = 2'560'000'000;
  r.stop = StopReason::Floor;
  r.source = RunSource::Panel;
  r.before = {Mb(271), Mb(7340), Mb(3012), 0};
  r.after = {Mb(3128), Mb(7599), Mb(155), 0};
  return r;
}

TEST(RunSummary, WorkedValuesInTwoLocales) {
  const RunRecord r = Measured();
  EXPECT_EQ(
      RunSummaryText(r, QLocale(QLocale::English, QLocale::UnitedStates)),
      QStringLiteral("Finished: held 2.5 GB for 2.3 s; file cache 3,012 → 155 MB; Free 7,340 → 7,599 MB"));
  EXPECT_EQ(
      RunSummaryText(r, QLocale(QLocale::German, QLocale::Germany)),
      QStringLiteral("Finished: held 2,5 GB for 2,3 s; file cache 3.012 → 155 MB; Free 7.340 → 7.599 MB"));
  EXPECT_EQ(KernelFiguresText(r, QLocale(QLocale::English, QLocale::UnitedStates)),
            QStringLiteral("MemFree 271 → 3,128 MB; swap free 0 → 0 MB"));
}

TEST(RunRecordLine, ReadsBackWhatItWrites) {
  for (StopReason stop : {StopReason::PairCap, StopReason::SharedBudget, StopReason::Floor,
                          StopReason::SystemRefused, StopReason::Interrupted}) {
    for (RunSource source : {RunSource::Window, RunSource::Panel, RunSource::Terminal}) {
      RunRecord r = Measured();
      r.stop = stop;
      r.source = source;
      EXPECT_EQ(ParseRecordLine(FormatRecordLine(r)), r) << FormatRecordLine(r).toStdString();
    }
  }
}

// Each case changes the good line; a damaged line must not read as a record with a wrong figure.
TEST(RunRecordLine, DamagedLinesDoNotRead) {
  const QString good = FormatRecordLine(Measured());
  ASSERT_EQ(good,
            QStringLiteral("kelvane-run-1 started=2026-12-10T15:04:05.123Z source=panel duration_ms=2312 "
                           "peak_held_bytes=2560000000 stop=floor memfree_kb=276301:3189191 "
                           "memavailable_kb=7483588:7747655 cache_kb=3070922:158032 swapfree_kb=0:0"));
  struct Case {
    const char *from, *to;
    bool reads, later;
  };
  const Case cases[] = {
      {" note=first", " note=first", true, false},  // the unchanged line
      {"swapfree_kb=0:0", "swapfree_kb=0:0 note=later-field", true, false},
      {"stop=floor", "stop=cap", false, false},
      {"duration_ms=2312", "duration_ms=-2312", false, false},
      {"peak_held_bytes=2560000000", "peak_held_bytes=+2560000000", false, false},
      {"peak_held_bytes=2560000000", "peak_held_bytes=99999999999999999999", false, false},
      {" cache_kb=3070922:158032", "", false, false},
      {"memfree_kb=276301:3189191", "memfree_kb=276301", false, false},
      {"memfree_kb=276301:3189191", "memfree_kb=:3189191", false, false},
      {"source=panel", "source=panel source=window", false, false},
      {"started=2026-12-10T15:04:05.123Z", "started=yesterday", false, false},
      {"source=panel ", "source=panel  ", false, false},
      {"kelvane-run-1 ", "kelvane-run-2 ", false, true},
      {"kelvane-run-1 ", "kelvane-run-0 ", false, false},
      {"kelvane-run-1 ", "kelvane-run-1x ", false, false},
  };
  for (const Case& c : cases) {
    QString line = good;
    if (QString::fromUtf8(c.from) != QString::fromUtf8(c.to)) {
      ASSERT_TRUE(line.contains(QString::fromUtf8(c.from))) << c.from;
      line.replace(QString::fromUtf8(c.from), QString::fromUtf8(c.to));
    }
    EXPECT_EQ(ParseRecordLine(line).has_value(), c.reads) << line.toStdString();
    EXPECT_EQ(IsLaterRecordVersion(line), c.later) << line.toStdString();
  }
  EXPECT_FALSE(ParseRecordLine(u""));
}

TEST(RunSnapshot, TakesWhatARunChanges) {
  const char* full =
      "MemTotal: 1000 kB\nMemFree: 100 kB\nMemAvailable: 500 kB\nBuffers: 20 kB\nCached: 300 kB\n"
      "SwapCached: 0 kB\nSwapTotal: 64 kB\nSwapFree: 60 kB\n";
  EXPECT_EQ(SnapshotFromMeminfo(full), (MemorySnapshot{100, 500, 320, 60}));
  // Without swap lines (no swap configured), nothing of it is free.
  EXPECT_EQ(SnapshotFromMeminfo("MemFree: 1 kB\nMemAvailable: 2 kB\nBuffers: 3 kB\nCached: 4 kB\n"),
            (MemorySnapshot{1, 2, 7, 0}));
  EXPECT_FALSE(SnapshotFromMeminfo("MemFree: 1 kB\nMemAvailable: 2 kB\nBuffers: 3 kB\n"));
  EXPECT_FALSE(SnapshotFromMeminfo("MemFree: 1 kB\nMemAvailable: x kB\nBuffers: 3 kB\nCached: 4 kB\n"));
}

}  // namespace
}  // namespace kelvane::app
