#pragma once
// What one Optimize run did, wherever it was started: kept one line per run, shown as one sentence.
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <cstdint>
#include <optional>
#include <string_view>

namespace kelvane::app {

enum class RunSource { Window, Panel, Terminal };
// Why reserving stopped. Interrupted: a signal asked the run to stop.
enum class StopReason { PairCap, SharedBudget, Floor, SystemRefused, Interrupted };

// The /proc/meminfo figures a run changes, in kB.
struct MemorySnapshot {
  std::uint64_t memFreeKb = 0;
  std::uint64_t memAvailableKb = 0;
  std::uint64_t cacheKb = 0;  // Cached + Buffers
  std::uint64_t swapFreeKb = 0;

  friend bool operator==(const MemorySnapshot&, const MemorySnapshot&) = default;
};

struct RunRecord {
  QDateTime started;            // UTC, to the millisecond
  std::int64_t durationMs = 0;  // from the click to the last block given back
  std::uint64_t peakHeldBytes = 0;
  StopReason stop = StopReason::PairCap;
  RunSource source = RunSource::Window;
  MemorySnapshot before, after;

  friend bool operator==(const RunRecord&, const RunRecord&) = default;
};

// The snapshot in a /proc/meminfo text; nothing when a figure it needs is missing or malformed.
std::optional<MemorySnapshot> SnapshotFromMeminfo(std::string_view text);
// The live system's; all zero when /proc/meminfo cannot be read.
MemorySnapshot ReadMemorySnapshot(const char* path = "/proc/meminfo");

// "Finished: held 2.5 GB for 2.3 s; file cache 3,012 → 155 MB; Free 7,340 → 7,599 MB"
QString RunSummaryText(const RunRecord& record, const QLocale& locale);
// "reserving stopped at the 32,000-pair cap", and so on.
QString StopReasonText(StopReason stop, const QLocale& locale);
// "MemFree 271 → 3,128 MB; swap free 0 → 0 MB": what the summary leaves out.
QString KernelFiguresText(const RunRecord& record, const QLocale& locale);

// One line of the run log, without its line break; see docs/using.md for the format.
QString FormatRecordLine(const RunRecord& record);
// A line of this format's version; nothing for a line of another version or a damaged one.
std::optional<RunRecord> ParseRecordLine(QStringView line);
// Whether a line belongs to a later version of the format, to be kept as it is.
bool IsLaterRecordVersion(QStringView line);

}  // namespace kelvane::app
