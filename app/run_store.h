#pragma once
// The last runs' records, kept one line each in $XDG_STATE_HOME/kelvane/runs, newest last.
#include <QSet>
#include <QString>
#include <optional>

#include "app/run_record.h"

namespace kelvane::app {

inline constexpr int kKeptRuns = 50;

// $XDG_STATE_HOME/kelvane/runs, or ~/.local/state/kelvane/runs where it is unset or relative.
QString DefaultRunStorePath();

class RunStore {
 public:
  explicit RunStore(QString path = DefaultRunStorePath());

  // Adds the record and keeps the last kKeptRuns. Lines that do not read as records are moved to
  // the file beside it named ".damaged", so nothing is lost. False when the record could not be
  // kept; why has gone to standard error, once for each reason.
  bool Append(const RunRecord& record);
  // The newest record that reads, if any.
  std::optional<RunRecord> Last();

  const QString& path() const { return path_; }

 private:
  struct Contents;
  std::optional<Contents> Read(QString& error) const;
  void Warn(const QString& message);

  QString path_;
  QSet<QString> warned_;
};

}  // namespace kelvane::app
