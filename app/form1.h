#pragma once
// The main window: built from its stored layout, refreshed by its timer, "Optimize" runs the
// release routine, "End" ends the program at once. The stored layout's control names stay here.
#include <QLocale>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "app/memory_figures.h"
#include "app/optimize_runs.h"
#include "app/release_routine.h"
#include "app/run_record.h"
#include "platform/host/layout/loaded_form.h"
#include "platform/memory/block_allocator.h"
#include "platform/memory/memory_status.h"

namespace Kelvane {
class chameleonButton;
class Xp_ProgressBar;
}  // namespace Kelvane
namespace kelvane::host::stock {
class Frame;
class Label;
class StockProgressBar;
class Timer;
}  // namespace kelvane::host::stock

namespace kelvane::app {

inline constexpr const char* kForm1Layout = ":/layout/form1.json";
// The Optimize button's description to screen readers while a run goes on; after it, the
// run's summary, which starts with "Finished".
inline constexpr const char* kRunningDescription = "Running";

class Form1 {
 public:
  // `memory` and `allocator` must outlive the window. Raises host::layout::LayoutError for a
  // malformed layout.
  Form1(mem::MemoryStatusSource& memory, mem::BlockAllocator& allocator, QLocale locale = QLocale(),
        const QString& layoutPath = kForm1Layout, OptimizeRunsOptions runOptions = {});
  ~Form1();

  QWidget* window() const { return form_.window(); }
  const host::layout::LoadedForm& form() const { return form_; }

  void OnLoad();   // centres the window
  void Show();     // OnLoad, then shows the window
  void Refresh();  // GetMemoryStatus, then the figures
  void GetMemoryStatus();
  // The memory release routine. Its record, once the outermost run is over, becomes the Optimize
  // button's tooltip and description and goes to the finished handler.
  void Optimize(RunSource source = RunSource::Window);
  void End();  // ends the program at once

  // Adds handlers called when the outermost run starts and when it has given everything back;
  // nested runs count as one.
  void addRunHandlers(std::function<void()> started, std::function<void(const RunRecord&)> finished);
  bool runInProgress() const { return runs_.running(); }
  const std::optional<RunRecord>& lastRun() const { return lastRun_; }

  // The controls the handlers drive.
  Kelvane::chameleonButton& OptimizeButton() const;
  Kelvane::chameleonButton& EndButton() const;
  host::stock::Frame& Frame1() const;
  host::stock::Label& Label2(int index) const;
  host::stock::Label& lblavailableRAM() const;
  host::stock::Label& LblMaxPhyicalRam() const;
  Kelvane::Xp_ProgressBar& ProgressBar1() const;
  host::stock::StockProgressBar& ProgressBar2() const;
  host::stock::StockProgressBar& ProcessIndicator() const;
  host::stock::Timer& Timer1() const;

 private:
  void SetUpForScreenReaders();

  mem::MemoryStatusSource& memory_;
  OptimizeRuns runs_;  // every run of Optimize, nested ones too
  std::optional<RunRecord> lastRun_;
  std::vector<std::function<void()>> runStarted_;
  std::vector<std::function<void(const RunRecord&)>> runFinished_;
  QLocale locale_;
  host::layout::LoadedForm form_;
  mem::MemoryStatus status_;  // refilled by every sample

  // What every tick writes, looked up once: a missing control fails at start-up, and the 100 ms
  // path does no name searches.
  struct TickTargets {
    host::stock::Label *total, *used, *free, *percent;
    host::stock::Label *freeWorking, *totalWorking;
    Kelvane::Xp_ProgressBar* freeShare;
    host::stock::StockProgressBar* hiddenBar;
  };
  TickTargets tick_;
  // The figures derived from the working texts; they change only when a text does, and the
  // working texts mostly repeat from one tick to the next.
  struct ShownFrom {
    QString totalText, freeText;
    ShownFigures shown;
  };
  std::optional<ShownFrom> lastShown_;
  std::optional<SampledFigures> lastSample_;  // lends its texts to the next sample
};

}  // namespace kelvane::app
