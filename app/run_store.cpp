#include "app/run_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <cstdio>

namespace kelvane::app {
namespace {

constexpr int kLockWaitMs = 2000;

QString Absolute(const char* variable) {
  const QString value = qEnvironmentVariable(variable);
  // The base directory rules: a relative path is to be ignored.
  return QDir::isAbsolutePath(value) ? value : QString();
}

}  // namespace

struct RunStore::Contents {
  QStringList kept;     // records and lines of later versions
  QStringList damaged;  // lines that read as neither
};

QString DefaultRunStorePath() {
  QString state = Absolute("XDG_STATE_HOME");
  if (state.isEmpty()) state = QDir::homePath() + QStringLiteral("/.local/state");
  return state + QStringLiteral("/kelvane/runs");
}

RunStore::RunStore(QString path) : path_(std::move(path)) {}

void RunStore::Warn(const QString& message) {
  if (warned_.contains(message)) return;
  warned_.insert(message);
  std::fprintf(stderr, "kelvane: %s\n", message.toLocal8Bit().constData());
}

std::optional<RunStore::Contents> RunStore::Read(QString& error) const {
  Contents contents;
  QFile file(path_);
  if (!file.exists()) return contents;
  if (!file.open(QIODevice::ReadOnly)) {
    error = QStringLiteral("cannot read %1: %2").arg(path_, file.errorString());
    return std::nullopt;
  }
  const QString text = QString::fromUtf8(file.readAll());
  for (QStringView line : QStringView(text).split(u'\n', Qt::SkipEmptyParts)) {
    if (ParseRecordLine(line) || IsLaterRecordVersion(line)) {
      contents.kept << line.toString();
    } else {
      contents.damaged << line.toString();
    }
  }
  return contents;
}

bool RunStore::Append(const RunRecord& record) {
  const QString notKept = QStringLiteral("; this run's record was not kept");
  if (!QDir().mkpath(QFileInfo(path_).absolutePath())) {
    Warn(QStringLiteral("cannot make the folder of %1").arg(path_) + notKept);
    return false;
  }
  // Two Kelvanes ending runs at once must not each drop the other's record.
  QLockFile lock(path_ + QStringLiteral(".lock"));
  if (!lock.tryLock(kLockWaitMs)) {
    Warn(QStringLiteral("cannot lock %1").arg(path_) + notKept);
    return false;
  }
  QString error;
  std::optional<Contents> contents = Read(error);
  if (!contents) {
    Warn(error + notKept);
    return false;
  }
  // Opened first: a file that cannot be replaced keeps its lines where they are.
  QSaveFile file(path_);
  if (!file.open(QIODevice::WriteOnly)) {
    Warn(QStringLiteral("cannot write %1: %2").arg(path_, file.errorString()) + notKept);
    return false;
  }
  if (!contents->damaged.isEmpty()) {
    const QString aside = path_ + QStringLiteral(".damaged");
    QFile damaged(aside);
    if (!damaged.open(QIODevice::WriteOnly | QIODevice::Append) ||
        damaged.write((contents->damaged.join(u'\n') + u'\n').toUtf8()) < 0 || !damaged.flush()) {
      file.cancelWriting();
      Warn(QStringLiteral("%1 holds lines that are not run records and %2 cannot be written: %3")
               .arg(path_, aside, damaged.errorString()) +
           notKept);
      return false;
    }
    const qsizetype n = contents->damaged.size();
    Warn(QStringLiteral("%1 held %2; moved to %3")
             .arg(path_,
                  n == 1 ? QStringLiteral("a line that is not a run record")
                         : QStringLiteral("%1 lines that are not run records").arg(n),
                  aside));
  }
  contents->kept << FormatRecordLine(record);
  const QStringList last = contents->kept.mid(std::max<qsizetype>(0, contents->kept.size() - kKeptRuns));
  if (file.write((last.join(u'\n') + u'\n').toUtf8()) < 0 || !file.commit()) {
    Warn(QStringLiteral("cannot write %1: %2").arg(path_, file.errorString()) + notKept);
    return false;
  }
  return true;
}

std::optional<RunRecord> RunStore::Last() {
  QString error;
  std::optional<Contents> contents = Read(error);
  if (!contents) {
    Warn(error);
    return std::nullopt;
  }
  for (auto line = contents->kept.crbegin(); line != contents->kept.crend(); ++line) {
    if (std::optional<RunRecord> record = ParseRecordLine(*line)) return record;
  }
  return std::nullopt;
}

}  // namespace kelvane::app
