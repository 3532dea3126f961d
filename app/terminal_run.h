#pragma once
// kelvane --optimize: the window's release routine in a terminal, with its progress and its record.
#include <QLocale>
#include <QString>
#include <cstdio>

#include "app/command_line.h"
#include "app/optimize_runs.h"
#include "app/release_routine.h"

namespace kelvane::app {

// The routine's indicator, drawn as text: a bar redrawn in place on a terminal, a line at every
// tenth otherwise. It refuses what the window's stock indicator refuses, as the routine expects.
class TextProgress final : public IndicatorBar {
 public:
  enum class Mode { Bar, Lines, None };
  TextProgress(std::FILE* out, Mode mode, QLocale locale);

  void setVisible(bool visible) override;
  float Max() const override { return max_; }
  void setMax(float max) override;
  float Value() const override { return value_; }
  void setValue(float value) override;
  // Ends the progress at once: nothing more is drawn.
  void Stop();

 private:
  void Draw(bool force);

  std::FILE* out_;
  Mode mode_;
  QLocale locale_;
  float max_ = 100, value_ = 0;
  int phase_ = 0;  // 1 reserving, 2 giving back
  int lastTenth_ = -1;
  qint64 lastDrawMs_ = -1;
  bool stopped_ = false;
  bool lineOpen_ = false;
};

// Runs Optimize once, prints the result, keeps the record. Returns the exit status; a run ended
// by SIGINT or SIGTERM gives back every block first, then ends by that signal.
int RunInTerminal(const CommandLine& command);

}  // namespace kelvane::app
