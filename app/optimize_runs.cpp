#include "app/optimize_runs.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "app/run_lock.h"
#include "platform/memory/oom_score_guard.h"

namespace kelvane::app {

// Counts what the runs hold and notes why the first block was refused.
class OptimizeRuns::Watch final : public mem::BlockAllocator {
 public:
  Watch(mem::BlockAllocator& inner, const volatile std::sig_atomic_t* const& stopFlag)
      : inner_(inner), stopFlag_(stopFlag) {}

  void Start(bool othersHoldTheBudget) {
    othersHold_ = othersHoldTheBudget;
    peak_ = held_;
    stop_.reset();
  }

  std::uint32_t GlobalAlloc(std::uint32_t flags, std::size_t bytes) override {
    if (stopFlag_ && *stopFlag_) return Refuse(StopReason::Interrupted);
    if (othersHold_) return Refuse(StopReason::SharedBudget);
    const std::uint32_t handle = inner_.GlobalAlloc(flags, bytes);
    if (handle == 0) return Refuse(ReasonFor(inner_.lastRefusal()));
    ++held_;
    peak_ = std::max(peak_, held_);
    return handle;
  }

  void GlobalFree(std::uint32_t handle) override {
    if (handle != 0 && held_ > 0) --held_;
    inner_.GlobalFree(handle);
  }

  // The cap is the one stop that refuses nothing: the routine's indicator ends the reserving.
  StopReason stop() const { return stop_.value_or(StopReason::PairCap); }
  std::uint64_t peakBytes() const { return peak_ * kReleaseBlockBytes; }
  std::size_t held() const { return held_; }

 private:
  static StopReason ReasonFor(mem::Refusal refusal) {
    switch (refusal) {
      case mem::Refusal::Floor: return StopReason::Floor;
      case mem::Refusal::Budget: return StopReason::SharedBudget;
      case mem::Refusal::System: break;
    }
    return StopReason::SystemRefused;
  }

  std::uint32_t Refuse(StopReason reason) {
    if (!stop_) stop_ = reason;
    return 0;
  }

  mem::BlockAllocator& inner_;
  const volatile std::sig_atomic_t* const& stopFlag_;
  bool othersHold_ = false;
  std::size_t held_ = 0, peak_ = 0;
  std::optional<StopReason> stop_;
};

OptimizeRuns::OptimizeRuns(mem::BlockAllocator& allocator, OptimizeRunsOptions options)
    : options_(std::move(options)), budget_(allocator), watch_(std::make_unique<Watch>(budget_, stopFlag_)) {
  if (options_.useLock && options_.lockPath.empty()) options_.lockPath = DefaultRunLockPath();
}

OptimizeRuns::~OptimizeRuns() = default;

std::size_t OptimizeRuns::heldBlocks() const { return watch_->held(); }

std::optional<RunRecord> OptimizeRuns::Run(IndicatorBar& bar, host::HostServices& services,
                                           RunSource source) {
  // If anything still goes wrong while memory is held, the kernel should pick us, not a bystander.
  mem::OomScoreGuard oomGuard;
  if (depth_ > 0) {
    ++depth_;
    RunMemoryRelease(bar, *watch_, services);
    --depth_;
    return std::nullopt;
  }

  RunRecord record;
  record.source = source;
  record.started = QDateTime::currentDateTimeUtc();
  const auto start = std::chrono::steady_clock::now();
  record.before = ReadMemorySnapshot(options_.meminfoPath.c_str());
  {
    std::optional<RunLock> lock;
    if (options_.useLock) {
      lock.emplace(options_.lockPath);
      if (lock->state() == RunLock::State::Unavailable) {
        std::fprintf(stderr, "kelvane: runs in other processes are not kept apart: %s\n",
                     lock->error().c_str());
      }
    }
    watch_->Start(lock && lock->state() == RunLock::State::HeldElsewhere);
    ++depth_;
    try {
      RunMemoryRelease(bar, *watch_, services);
    } catch (...) {
      --depth_;
      throw;
    }
    --depth_;
  }
  record.after = ReadMemorySnapshot(options_.meminfoPath.c_str());
  record.durationMs =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
  record.peakHeldBytes = watch_->peakBytes();
  record.stop = watch_->stop();
  return record;
}

}  // namespace kelvane::app
