#include "app/run_record.h"

#include <array>
#include <cmath>
#include <utility>

#include "app/memory_figures.h"
#include "app/release_routine.h"
#include "platform/memory/file_io.h"
#include "platform/memory/meminfo.h"

namespace kelvane::app {
namespace {

constexpr std::uint64_t kBytesPerKb = 1024;
constexpr double kMegabytesPerGigabyte = 1000.0;
constexpr double kMsPerSecond = 1000.0;
constexpr QStringView kVersionTag = u"kelvane-run-";
constexpr int kVersion = 1;
constexpr QStringView kThisVersion = u"kelvane-run-1";

constexpr std::array<std::pair<StopReason, QStringView>, 5> kStopNames{{
    {StopReason::PairCap, u"pair-cap"},
    {StopReason::SharedBudget, u"shared-budget"},
    {StopReason::Floor, u"floor"},
    {StopReason::SystemRefused, u"system-refused"},
    {StopReason::Interrupted, u"interrupted"},
}};
constexpr std::array<std::pair<RunSource, QStringView>, 3> kSourceNames{{
    {RunSource::Window, u"window"},
    {RunSource::Panel, u"panel"},
    {RunSource::Terminal, u"terminal"},
}};

template <typename E, std::size_t N>
QString NameOf(const std::array<std::pair<E, QStringView>, N>& names, E value) {
  for (const auto& [v, name] : names) {
    if (v == value) return name.toString();
  }
  return {};
}

template <typename E, std::size_t N>
std::optional<E> ValueOf(const std::array<std::pair<E, QStringView>, N>& names, QStringView name) {
  for (const auto& [v, n] : names) {
    if (n == name) return v;
  }
  return std::nullopt;
}

// Whole display megabytes, as the window counts them.
QString Megabytes(std::uint64_t kb, const QLocale& locale) {
  return locale.toString(static_cast<qlonglong>(std::llround(ToDisplayMegabytes(kb * kBytesPerKb))));
}

QString Change(std::uint64_t beforeKb, std::uint64_t afterKb, const QLocale& locale) {
  return Megabytes(beforeKb, locale) + QStringLiteral(" → ") + Megabytes(afterKb, locale);
}

using SnapshotField = std::uint64_t MemorySnapshot::*;
constexpr std::array<std::pair<SnapshotField, QStringView>, 4> kSnapshotKeys{{
    {&MemorySnapshot::memFreeKb, u"memfree_kb"},
    {&MemorySnapshot::memAvailableKb, u"memavailable_kb"},
    {&MemorySnapshot::cacheKb, u"cache_kb"},
    {&MemorySnapshot::swapFreeKb, u"swapfree_kb"},
}};

std::optional<std::uint64_t> Number(QStringView text) {
  bool ok = false;
  const qulonglong v = text.toULongLong(&ok);
  // toULongLong takes a sign and blanks; the format has neither.
  if (!ok || text.isEmpty() || !text.front().isDigit()) return std::nullopt;
  return v;
}

}  // namespace

std::optional<MemorySnapshot> SnapshotFromMeminfo(std::string_view text) {
  const mem::MeminfoParse parse = mem::ParseMeminfo(text);
  const mem::MeminfoValues& v = parse.values;
  if (!parse.ok() || !v.memFree || !v.memAvailable || !v.cached || !v.buffers) return std::nullopt;
  // No swap configured is a swap of nothing free, not a damaged file.
  return MemorySnapshot{*v.memFree / kBytesPerKb, *v.memAvailable / kBytesPerKb,
                        (*v.cached + *v.buffers) / kBytesPerKb, v.swapFree.value_or(0) / kBytesPerKb};
}

MemorySnapshot ReadMemorySnapshot(const char* path) {
  const std::optional<std::string> text = mem::ReadTextFile(path);
  if (!text) return {};
  return SnapshotFromMeminfo(*text).value_or(MemorySnapshot{});
}

QString RunSummaryText(const RunRecord& r, const QLocale& locale) {
  const double gigabytes = ToDisplayMegabytes(r.peakHeldBytes) / kMegabytesPerGigabyte;
  return QStringLiteral("Finished: held %1 GB for %2 s; file cache %3 MB; Free %4 MB")
      .arg(locale.toString(gigabytes, 'f', 1), locale.toString(r.durationMs / kMsPerSecond, 'f', 1),
           Change(r.before.cacheKb, r.after.cacheKb, locale),
           Change(r.before.memAvailableKb, r.after.memAvailableKb, locale));
}

QString StopReasonText(StopReason stop, const QLocale& locale) {
  switch (stop) {
    case StopReason::PairCap:
      return QStringLiteral("reserving stopped at the %1-pair cap").arg(locale.toString(kReleasePairCap));
    case StopReason::SharedBudget: return QStringLiteral("reserving stopped at the budget all runs share");
    case StopReason::Floor:
      return QStringLiteral("reserving stopped at the floor kept available for other programs");
    case StopReason::SystemRefused:
      return QStringLiteral("reserving stopped when the system refused a block");
    case StopReason::Interrupted: return QStringLiteral("interrupted");
  }
  return {};
}

QString KernelFiguresText(const RunRecord& r, const QLocale& locale) {
  return QStringLiteral("MemFree %1 MB; swap free %2 MB")
      .arg(Change(r.before.memFreeKb, r.after.memFreeKb, locale),
           Change(r.before.swapFreeKb, r.after.swapFreeKb, locale));
}

QString FormatRecordLine(const RunRecord& r) {
  QString line = kThisVersion.toString();
  line += QStringLiteral(" started=") + r.started.toUTC().toString(Qt::ISODateWithMs);
  line += QStringLiteral(" source=") + NameOf(kSourceNames, r.source);
  line += QStringLiteral(" duration_ms=") + QString::number(r.durationMs);
  line += QStringLiteral(" peak_held_bytes=") + QString::number(r.peakHeldBytes);
  line += QStringLiteral(" stop=") + NameOf(kStopNames, r.stop);
  for (const auto& [field, key] : kSnapshotKeys) {
    line += u' ' + key.toString() + u'=' + QString::number(r.before.*field) + u':' +
            QString::number(r.after.*field);
  }
  return line;
}

std::optional<RunRecord> ParseRecordLine(QStringView line) {
  const QList<QStringView> fields = line.split(u' ');
  if (fields.isEmpty() || fields.front() != kThisVersion) return std::nullopt;
  RunRecord r;
  // Every key once; keys this version does not know are skipped, so it reads what a later edition adds.
  unsigned seen = 0;
  auto mark = [&seen](unsigned bit) {
    const bool first = !(seen & bit);
    seen |= bit;
    return first;
  };
  for (QStringView field : fields.sliced(1)) {
    const qsizetype eq = field.indexOf(u'=');
    if (eq <= 0) return std::nullopt;
    const QStringView key = field.first(eq), value = field.sliced(eq + 1);
    if (key == u"started" && mark(1)) {
      r.started = QDateTime::fromString(value.toString(), Qt::ISODateWithMs);
      if (!r.started.isValid()) return std::nullopt;
    } else if (key == u"source" && mark(2)) {
      const auto source = ValueOf(kSourceNames, value);
      if (!source) return std::nullopt;
      r.source = *source;
    } else if (key == u"duration_ms" && mark(4)) {
      const auto ms = Number(value);
      if (!ms || *ms > static_cast<std::uint64_t>(INT64_MAX)) return std::nullopt;
      r.durationMs = static_cast<std::int64_t>(*ms);
    } else if (key == u"peak_held_bytes" && mark(8)) {
      const auto bytes = Number(value);
      if (!bytes) return std::nullopt;
      r.peakHeldBytes = *bytes;
    } else if (key == u"stop" && mark(16)) {
      const auto stop = ValueOf(kStopNames, value);
      if (!stop) return std::nullopt;
      r.stop = *stop;
    } else {
      unsigned bit = 32;
      bool known = false;
      for (const auto& [member, name] : kSnapshotKeys) {
        if (key == name) {
          known = true;
          const qsizetype colon = value.indexOf(u':');
          const auto before = colon > 0 ? Number(value.first(colon)) : std::nullopt;
          const auto after = colon > 0 ? Number(value.sliced(colon + 1)) : std::nullopt;
          if (!before || !after || !mark(bit)) return std::nullopt;
          r.before.*member = *before;
          r.after.*member = *after;
        }
        bit <<= 1;
      }
      // A repeated key of the format is damage, not an addition.
      if (!known && (key == u"started" || key == u"source" || key == u"duration_ms" ||
                     key == u"peak_held_bytes" || key == u"stop")) {
        return std::nullopt;
      }
    }
  }
  constexpr unsigned kAll = (1u << (5 + kSnapshotKeys.size())) - 1;
  if (seen != kAll) return std::nullopt;
  return r;
}

bool IsLaterRecordVersion(QStringView line) {
  if (!line.startsWith(kVersionTag)) return false;
  const QStringView rest = line.sliced(kVersionTag.size());
  const qsizetype end = rest.indexOf(u' ');
  bool ok = false;
  const int version = (end < 0 ? rest : rest.first(end)).toInt(&ok);
  return ok && version > kVersion;
}

}  // namespace kelvane::app
