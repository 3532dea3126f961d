#pragma once
// Every Optimize run of a process, from the window, the panel or the terminal: nested runs share
// one run's budget and make one record; runs of other processes of the same user are kept out by
// a lock, so that together they never hold more than one run's blocks.
#include <csignal>
#include <memory>
#include <optional>
#include <string>

#include "app/release_routine.h"
#include "app/run_record.h"
#include "platform/host/services.h"
#include "platform/memory/block_allocator.h"

namespace kelvane::app {

struct OptimizeRunsOptions {
  std::string meminfoPath = "/proc/meminfo";
  // Programs set it; a test of one process leaves the user's other runs be.
  bool useLock = false;
  std::string lockPath;  // empty: DefaultRunLockPath()
};

class OptimizeRuns {
 public:
  explicit OptimizeRuns(mem::BlockAllocator& allocator, OptimizeRunsOptions options = {});
  ~OptimizeRuns();
  OptimizeRuns(const OptimizeRuns&) = delete;
  OptimizeRuns& operator=(const OptimizeRuns&) = delete;

  // Runs the release routine. The outermost run returns its record once its last block is back;
  // a run nested in it returns nothing, its blocks counted in the outer one's.
  std::optional<RunRecord> Run(IndicatorBar& bar, host::HostServices& services, RunSource source);

  bool running() const { return depth_ > 0; }
  // While it is set, every block is refused and the run counts as interrupted. A signal handler
  // may set it.
  void setStopFlag(const volatile std::sig_atomic_t* flag) { stopFlag_ = flag; }
  // Blocks held now, by every run of this process.
  std::size_t heldBlocks() const;

 private:
  class Watch;
  OptimizeRunsOptions options_;
  SharedReleaseBudget budget_;
  std::unique_ptr<Watch> watch_;
  const volatile std::sig_atomic_t* stopFlag_ = nullptr;
  int depth_ = 0;
};

}  // namespace kelvane::app
