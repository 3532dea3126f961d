#include "app/form1.h"

#include <KelvaneWidgets/chameleonbutton.h>
#include <KelvaneWidgets/xp_progressbar.h>

#include <QKeyEvent>

#include "app/control_kinds.h"
#include "app/memory_figures.h"
#include "app/release_routine.h"
#include "app/window_icon.h"
#include "controls/button/button_accessible.h"
#include "platform/host/host_accessible.h"
#include "platform/host/layout/form_loader.h"
#include "platform/host/layout/placement.h"
#include "platform/host/services.h"
#include "platform/host/stock/frame.h"
#include "platform/host/stock/label.h"
#include "platform/host/stock/stock_progress_bar.h"
#include "platform/host/stock/timer.h"

// Resources of a static library must be registered by name before first use.
static void InitAppResources() {
  Q_INIT_RESOURCE(app);
  Q_INIT_RESOURCE(layout);
}

namespace kelvane::app {
namespace {

constexpr float kFullBar = 100.0f;

host::layout::LoadedForm LoadLayout(const QString& path) {
  InitAppResources();
  RegisterKelvaneControls();
  return host::layout::loadFormFile(path);
}

class StockIndicator final : public IndicatorBar {
 public:
  explicit StockIndicator(host::stock::StockProgressBar& bar) : bar_(bar) {}
  void setVisible(bool visible) override { bar_.setVisible(visible); }
  float Max() const override { return bar_.Max(); }
  void setMax(float max) override { bar_.setMax(max); }
  float Value() const override { return bar_.Value(); }
  void setValue(float value) override { bar_.setValue(value); }

 private:
  host::stock::StockProgressBar& bar_;
};

// Tab from a group that is no Tab stop goes on to the first button, Shift+Tab back to the last:
// Qt's focus chain cannot hold a widget that takes no focus.
class GroupTabs final : public QObject {
 public:
  GroupTabs(QWidget& group, QWidget& first, QWidget& last) : QObject(&group), first_(first), last_(last) {
    group.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
    const bool back = key->key() == Qt::Key_Backtab ||
                      (key->key() == Qt::Key_Tab && (key->modifiers() & Qt::ShiftModifier));
    if (!back && key->key() != Qt::Key_Tab) return false;
    (back ? last_ : first_).setFocus(back ? Qt::BacktabFocusReason : Qt::TabFocusReason);
    return true;
  }

 private:
  QWidget& first_;
  QWidget& last_;
};

}  // namespace

Form1::Form1(mem::MemoryStatusSource& memory, mem::BlockAllocator& allocator, QLocale locale,
             const QString& layoutPath, OptimizeRunsOptions runOptions)
    : memory_(memory),
      runs_(allocator, std::move(runOptions)),
      locale_(std::move(locale)),
      form_(LoadLayout(layoutPath)),
      tick_{&Label2(3),         &Label2(4),          &Label2(5),      &Label2(7),
            &lblavailableRAM(), &LblMaxPhyicalRam(), &ProgressBar1(), &ProgressBar2()} {
  SetUpForScreenReaders();
  QObject::connect(&Timer1(), &host::stock::Timer::Tick, window(), [this] { Refresh(); });
  QObject::connect(&OptimizeButton(), &Kelvane::chameleonButton::Click, window(), [this] { Optimize(); });
  QObject::connect(&EndButton(), &Kelvane::chameleonButton::Click, window(), [this] { End(); });
}

Form1::~Form1() = default;

// What the stored layout does not tell a reader: the free-share bar is named by the heading above
// it, the indicator by the button whose run it follows, and each figure is read with its caption.
// The banner's picture stays unnamed, as decoration beside the title.
void Form1::SetUpForScreenReaders() {
  ProgressBar1().setAccessibleName(Label2(6).Caption());
  ProcessIndicator().setAccessibleName(controls::AccessibleButtonName(OptimizeButton().Caption()));
  for (int row = 0; row < 3; ++row) host::NameFigureByCaption(Label2(row), Label2(row + 3));
}

void Form1::OnLoad() {
  QWidget& w = *window();
  const host::layout::TwipsSize screen = host::layout::ScreenSizeTwips(w);
  const host::layout::TwipsSize outer = host::layout::OuterSizeTwips(w);
  const float left = (screen.width - outer.width) / 2.0f;
  const float top = (screen.height - outer.height) / 2.0f;
  host::layout::MoveTwips(w, left, top);
}

void Form1::Show() {
  OnLoad();
  host::layout::PlaceAgainWhenFramed(*window(), [this] { OnLoad(); });
  // The figures' group holds the first focus without being a Tab stop: a reader reads the figures
  // as the window opens and on "where am I", and the buttons start in their plain look.
  new GroupTabs(Frame1(), OptimizeButton(), EndButton());
  Frame1().setFocus();
  window()->show();
  // The layout holds the 32 px icon only, which a title bar or task switcher would scale: every
  // drawn size follows the first frame.
  SetWindowIconAfterFirstFrame(*window());
}

void Form1::GetMemoryStatus() {
  host::services().RunPendingEvents();
  status_ = mem::GlobalMemoryStatus(memory_);
  lastSample_ =
      SampleFigures(status_.totalPhys, status_.availPhys, locale_, lastSample_ ? &*lastSample_ : nullptr);
  const SampledFigures& f = *lastSample_;
  tick_.freeShare->setValue(f.barValue);
  tick_.freeWorking->setCaption(f.freeText);
  tick_.totalWorking->setCaption(f.totalText);
  tick_.hiddenBar->setValue(kFullBar);
}

void Form1::Refresh() {
  GetMemoryStatus();
  const QString totalText = tick_.totalWorking->Caption(), freeText = tick_.freeWorking->Caption();
  if (!lastShown_ || lastShown_->totalText != totalText || lastShown_->freeText != freeText) {
    lastShown_ = ShownFrom{totalText, freeText, RefreshFigures(totalText, freeText, locale_)};
  }
  const ShownFigures& shown = lastShown_->shown;
  tick_.total->setCaption(shown.total);
  tick_.free->setCaption(shown.free);
  tick_.used->setCaption(shown.used);
  tick_.percent->setCaption(shown.percent);
}

void Form1::Optimize(RunSource source) {
  // A reader hears only bare percentages from the indicator: the button says when a run starts
  // and, once the last nested one is over, what it did.
  const bool outermost = !runs_.running();
  if (outermost) {
    OptimizeButton().setAccessibleDescription(QString::fromLatin1(kRunningDescription));
    for (const auto& started : runStarted_) started();
  }
  StockIndicator indicator(ProcessIndicator());
  std::optional<RunRecord> record = runs_.Run(indicator, host::services(), source);
  if (!record) return;
  lastRun_ = std::move(record);
  const QString summary = RunSummaryText(*lastRun_, locale_);
  OptimizeButton().setAccessibleDescription(summary);
  OptimizeButton().setToolTip(summary);
  for (const auto& finished : runFinished_) finished(*lastRun_);
}

void Form1::addRunHandlers(std::function<void()> started, std::function<void(const RunRecord&)> finished) {
  if (started) runStarted_.push_back(std::move(started));
  if (finished) runFinished_.push_back(std::move(finished));
}

void Form1::End() { host::services().End(0); }

Kelvane::chameleonButton& Form1::OptimizeButton() const {
  return *form_.control<Kelvane::chameleonButton>("Command1");
}
Kelvane::chameleonButton& Form1::EndButton() const {
  return *form_.control<Kelvane::chameleonButton>("chameleonButton1");
}
host::stock::Frame& Form1::Frame1() const { return *form_.control<host::stock::Frame>("Frame1"); }
host::stock::Label& Form1::Label2(int index) const {
  return *form_.control<host::stock::Label>("Label2", index);
}
host::stock::Label& Form1::lblavailableRAM() const {
  return *form_.control<host::stock::Label>("lblavailableRAM");
}
host::stock::Label& Form1::LblMaxPhyicalRam() const {
  return *form_.control<host::stock::Label>("LblMaxPhyicalRam");
}
Kelvane::Xp_ProgressBar& Form1::ProgressBar1() const {
  return *form_.control<Kelvane::Xp_ProgressBar>("ProgressBar1");
}
host::stock::StockProgressBar& Form1::ProgressBar2() const {
  return *form_.control<host::stock::StockProgressBar>("ProgressBar2");
}
host::stock::StockProgressBar& Form1::ProcessIndicator() const {
  return *form_.control<host::stock::StockProgressBar>("ProcessIndicator");
}
host::stock::Timer& Form1::Timer1() const { return *form_.control<host::stock::Timer>("Timer1"); }

}  // namespace kelvane::app
