#include "app/terminal_run.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cmath>
#include <csignal>

#include "app/desktop_notification.h"
#include "app/run_store.h"
#include "platform/host/errors.h"
#include "platform/memory/block_allocator.h"

namespace kelvane::app {
namespace {

constexpr int kBarWidth = 30;
constexpr qint64 kRedrawMs = 100;  // a terminal need not be drawn more often than the window counts
constexpr int kNotificationWaitMs = 3000;

volatile std::sig_atomic_t stopSignal = 0;

void OnStopSignal(int signal) { stopSignal = signal; }

// Nothing to wait for in a terminal; a signal shows in the allocator's refusals.
class TerminalServices final : public host::HostServices {
 public:
  int MsgBox(const QString& text, int, const QString&) override {
    std::fprintf(stderr, "kelvane: %s\n", text.toLocal8Bit().constData());
    return host::kMsgBoxOk;
  }
  void RunPendingEvents() override {}
  void SendKeys(const QString&) override {}
  [[noreturn]] void End(int status) override { std::exit(status); }
};

qint64 NowMs() {
  static QElapsedTimer clock;
  if (!clock.isValid()) clock.start();
  return clock.elapsed();
}

QByteArray Text(const QString& s) { return s.toLocal8Bit(); }

}  // namespace

TextProgress::TextProgress(std::FILE* out, Mode mode, QLocale locale)
    : out_(out), mode_(mode), locale_(std::move(locale)) {}

void TextProgress::setVisible(bool visible) {
  if (visible) {
    phase_ = 0;
    return;
  }
  // The routine stops counting one short of the end; hidden, every block is back.
  value_ = max_;
  Draw(true);
  if (lineOpen_) std::fputc('\n', out_);
  lineOpen_ = false;
  std::fflush(out_);
}

void TextProgress::setMax(float max) {
  if (!std::isfinite(max) || max <= 0)
    throw host::RuntimeError(host::kErrInvalidPropertyValue, "Invalid property value");
  if (phase_ > 0) Draw(true);
  max_ = max;
  value_ = std::min(value_, max_);
  ++phase_;
  lastTenth_ = -1;
}

void TextProgress::setValue(float value) {
  if (!std::isfinite(value) || value < 0 || value > max_) {
    throw host::RuntimeError(host::kErrInvalidPropertyValue, "Invalid property value");
  }
  value_ = value;
  Draw(false);
}

void TextProgress::Stop() {
  if (lineOpen_) std::fputc('\n', out_);
  lineOpen_ = false;
  stopped_ = true;
}

void TextProgress::Draw(bool force) {
  if (stopped_ || mode_ == Mode::None || phase_ == 0) return;
  const bool reserving = phase_ == 1;
  const QString what = reserving ? QStringLiteral("Reserving  ") : QStringLiteral("Giving back");
  const int tenth = static_cast<int>(value_ * 10 / max_);
  const QString pairs = QStringLiteral("%1 of %2 pairs")
                            .arg(locale_.toString(qlonglong(value_)), locale_.toString(qlonglong(max_)));
  if (mode_ == Mode::Lines) {
    if (tenth == lastTenth_) return;
    lastTenth_ = tenth;
    std::fprintf(out_, "%s %3d %%  %s\n", Text(what).constData(), tenth * 10, Text(pairs).constData());
    std::fflush(out_);
    return;
  }
  const qint64 now = NowMs();
  if (!force && lastDrawMs_ >= 0 && now - lastDrawMs_ < kRedrawMs) return;
  lastDrawMs_ = now;
  const int filled = static_cast<int>(value_ * kBarWidth / max_);
  const QString bar = QString(filled, u'#') + QString(kBarWidth - filled, u'.');
  // \r and a cleared line: the bar is redrawn where it stands.
  std::fprintf(out_, "\r\033[K%s [%s] %3d %%  %s", Text(what).constData(), Text(bar).constData(),
               static_cast<int>(value_ * 100 / max_), Text(pairs).constData());
  std::fflush(out_);
  lineOpen_ = true;
}

int RunInTerminal(const CommandLine& command) {
  int argc = 1;
  char name[] = "kelvane";
  char* argv[] = {name, nullptr};
  // No display: a core application gives the locale, the clock and the session bus.
  QCoreApplication app(argc, argv);
  const QLocale locale;

  struct sigaction action = {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);

  const TextProgress::Mode mode = command.quiet             ? TextProgress::Mode::None
                                  : ::isatty(STDOUT_FILENO) ? TextProgress::Mode::Bar
                                                            : TextProgress::Mode::Lines;
  TextProgress progress(stdout, mode, locale);
  mem::PageBlockAllocator allocator;
  OptimizeRunsOptions options;
  options.useLock = true;
  OptimizeRuns runs(allocator, options);
  runs.setStopFlag(&stopSignal);
  TerminalServices services;
  std::optional<RunRecord> record = runs.Run(progress, services, RunSource::Terminal);
  if (stopSignal) progress.Stop();

  const QString result = RunSummaryText(*record, locale) + u'\n' + StopReasonText(record->stop, locale) +
                         QStringLiteral("; ") + KernelFiguresText(*record, locale) + u'\n';
  std::fputs(Text(result).constData(), stdout);
  std::fflush(stdout);
  RunStore().Append(*record);
  if (command.notify) {
    NotifyDesktop(QStringLiteral("Kelvane: Optimize finished"), RunSummaryText(*record, locale),
                  kNotificationWaitMs);
  }

  if (const int signal = stopSignal) {
    std::signal(signal, SIG_DFL);
    std::raise(signal);
    return signal == SIGINT ? kExitInterrupted : kExitTerminated;
  }
  return 0;
}

}  // namespace kelvane::app
