#include "app/run_store.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>

namespace kelvane::app {
namespace {

RunRecord Record(int n) {
  RunRecord r;
  r.started = QDateTime(QDate(2026, 12, 10), QTime(0, 0), QTimeZone::utc()).addSecs(n);
  r.durationMs = n;
  r.before = {1, 2, 3, 4};
  r.after = {5, 6, 7, 8};
  return r;
}

QStringList Lines(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

void Write(const QString& path, const QStringList& lines) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write((lines.join(u'\n') + u'\n').toUtf8());
}

// What is on disk before a run is kept, and what must be there after it.
TEST(RunStore, KeepsTheNewRecordAndLosesNothing) {
  const QString later = QStringLiteral("kelvane-run-7 started=2030-01-01T00:00:00Z whatever");
  struct Case {
    const char* name;
    QStringList before;
    bool kept;
    int lines;          // in the file after, the new record last
    QStringList aside;  // in runs.damaged after
  };
  QStringList sixty;
  for (int i = 0; i < 60; ++i) sixty << FormatRecordLine(Record(i));
  const Case cases[] = {
      {"no file yet", {}, true, 1, {}},
      {"keeps the last 50", sixty, true, kKeptRuns, {}},
      {"damage set aside",
       {FormatRecordLine(Record(1)), QStringLiteral("garbage"), QStringLiteral("kelvane-run-1 x=1")},
       true,
       2,
       {QStringLiteral("garbage"), QStringLiteral("kelvane-run-1 x=1")}},
      {"a later version kept as it is", {later}, true, 2, {}},
  };
  for (const Case& c : cases) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("state/kelvane/runs"));
    if (!c.before.isEmpty()) {
      QDir().mkpath(dir.filePath(QStringLiteral("state/kelvane")));
      Write(path, c.before);
    }
    RunStore store(path);
    EXPECT_EQ(store.Append(Record(100)), c.kept) << c.name;
    const QStringList after = Lines(path);
    ASSERT_EQ(after.size(), c.lines) << c.name;
    EXPECT_EQ(after.back(), FormatRecordLine(Record(100))) << c.name;
    EXPECT_EQ(store.Last(), Record(100)) << c.name;
    EXPECT_EQ(Lines(path + QStringLiteral(".damaged")), c.aside) << c.name;
  }
  // The oldest go first.
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("runs"));
  Write(path, sixty);
  RunStore(path).Append(Record(100));
  EXPECT_EQ(Lines(path).front(), FormatRecordLine(Record(11)));
}

// A file in the way: the record is not kept, the store says so, and what was there stays.
TEST(RunStore, AFileItCannotUseStaysAsItWas) {
  QTemporaryDir dir;
  const QString blocked = dir.filePath(QStringLiteral("runs"));
  ASSERT_TRUE(QDir().mkpath(blocked));  // a folder where the file should be: it cannot be read
  RunStore store(blocked);
  EXPECT_FALSE(store.Append(Record(1)));
  EXPECT_TRUE(QFileInfo(blocked).isDir());
  EXPECT_FALSE(store.Last());

  const QString notAFolder = dir.filePath(QStringLiteral("file"));
  Write(notAFolder, {QStringLiteral("x")});
  EXPECT_FALSE(RunStore(notAFolder + QStringLiteral("/kelvane/runs")).Append(Record(1)));
  EXPECT_EQ(Lines(notAFolder), QStringList{QStringLiteral("x")});
}

TEST(RunStore, FollowsTheBaseDirectoryRules) {
  const QByteArray saved = qgetenv("XDG_STATE_HOME");
  qputenv("XDG_STATE_HOME", "/var/state");
  EXPECT_EQ(DefaultRunStorePath(), QStringLiteral("/var/state/kelvane/runs"));
  qputenv("XDG_STATE_HOME", "relative/state");
  EXPECT_EQ(DefaultRunStorePath(), QDir::homePath() + QStringLiteral("/.local/state/kelvane/runs"));
  qunsetenv("XDG_STATE_HOME");
  EXPECT_EQ(DefaultRunStorePath(), QDir::homePath() + QStringLiteral("/.local/state/kelvane/runs"));
  if (!saved.isNull()) qputenv("XDG_STATE_HOME", saved);
}

}  // namespace
}  // namespace kelvane::app
