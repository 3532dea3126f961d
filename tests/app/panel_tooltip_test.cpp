#include "app/panel_tooltip.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cmath>
#include <limits>

#include "app/panel_settings.h"

namespace kelvane::app {
namespace {

TEST(PanelToolTip, ShowsTheWindowsTextsAndARunsProgress) {
  const QLocale period(QLocale::English, QLocale::UnitedStates);
  const SampledFigures s = SampleFigures(268435456, 100000000, period);
  const ShownFigures shown = RefreshFigures(s.totalText, s.freeText, period);
  EXPECT_EQ(PanelToolTip(shown),
            "Total : 257.000 MB\nUsed : 161.200 Mb\nFree : 95.80 MB\nFree Memory In Percent: 37 %");
  EXPECT_EQ(PanelToolTip(shown, 40),
            "Total : 257.000 MB\nUsed : 161.200 Mb\nFree : 95.80 MB\nFree Memory In Percent: 37 %\n"
            "Optimizing: 40 %");
  const QLocale comma(QLocale::German, QLocale::Germany);
  const SampledFigures c = SampleFigures(268435456, 100000000, comma);
  EXPECT_EQ(PanelToolTip(RefreshFigures(c.totalText, c.freeText, comma), 140),
            "Total : 257,000 MB\nUsed : 162,000 Mb\nFree : 95,80 MB\nFree Memory In Percent: 36 %\n"
            "Optimizing: 100 %");
}

TEST(PanelToolTip, PercentsFromTextsAndTheIndicator) {
  const struct {
    const char* text;
    int percent;
  } texts[] = {{"37 %", 37}, {"0 %", 0}, {"100 %", 100}, {"", 0}, {"abc", 0}, {"250 %", 100}, {"-3 %", 0}};
  for (const auto& t : texts) EXPECT_EQ(PercentFromText(QString::fromUtf8(t.text)), t.percent) << t.text;
  const struct {
    float value, max;
    int percent;
  } bars[] = {
      {0, 100, 0}, {49.9f, 100, 49}, {100, 100, 100}, {150, 100, 100},
      {5, 0, 0},   {-5, -10, 0},     {5, -1, 0},      {std::numeric_limits<float>::quiet_NaN(), 100, 0},
      {3, 12, 25}};
  for (const auto& b : bars) EXPECT_EQ(RunPercent(b.value, b.max), b.percent) << b.value << "/" << b.max;
}

// Every kind of settings file; a bad one warns and reads as "not in the panel".
TEST(PanelSettings, ReadsTheChoiceOrFallsBackToNotShown) {
  const struct {
    const char* name;
    QByteArray text;  // null: no file; "/": a folder where the file should be
    bool shown;
  } cases[] = {{"missing", QByteArray(), false},
               {"on", "[panel]\nshow=true\n", true},
               {"off", "[panel]\nshow=false\n", false},
               {"neither", "[panel]\nshow=maybe\n", false},
               {"damaged", "[panel]\nshow=true\n[broken\n", false},
               {"other keys only", "[window]\nx=1\n", false},
               {"folder", "/", false}};
  for (const auto& c : cases) {
    const QString dir = QDir::tempPath() +
                        QStringLiteral("/kelvane-settings-test-%1").arg(QCoreApplication::applicationPid());
    QDir(dir).removeRecursively();
    QDir().mkpath(dir);
    const QString path = dir + QStringLiteral("/kelvane.conf");
    if (c.text == "/") {
      QDir().mkpath(path);
    } else if (!c.text.isNull()) {
      QFile file(path);
      ASSERT_TRUE(file.open(QIODevice::WriteOnly));
      file.write(c.text);
    }
    PanelSettings settings(path);
    EXPECT_EQ(settings.showInPanel(), c.shown) << c.name;
    QDir(dir).removeRecursively();
  }
}

}  // namespace
}  // namespace kelvane::app
