// The bar hears of its size when it is sized, not when Qt hands a hidden widget its first size at
// show: a Value assigned before the first show is on screen then, however the bar was made, while
// a real change of size still leaves the empty frame until the next assignment.
#include <gtest/gtest.h>

#include <KelvaneWidgets/xp_progressbar.h>
#include <QFile>
#include <QTest>
#include <QUiLoader>
#include <functional>
#include <memory>

#include "ui_form.h"

namespace {

using Kelvane::Xp_ProgressBar;

// A pixel inside the first block: white in the empty frame.
bool ShowsBlocks(Xp_ProgressBar& bar) {
  return (bar.grab().toImage().pixel(6, bar.height() / 2) & 0xFFFFFFu) != 0xFFFFFFu;
}

struct ShowCase {
  const char* name;
  // Makes the form (`window` owns it) and returns its bar, which has a Value above Min.
  std::function<Xp_ProgressBar*(QWidget& window)> make;
  // What happens once the window has been shown.
  std::function<void(Xp_ProgressBar&)> then;
  bool blocks;
};

Xp_ProgressBar* InCode(QWidget& window) {
  auto* bar = new Xp_ProgressBar(&window);
  bar->setGeometry(10, 10, 200, 17);
  bar->setValue(40);
  return bar;
}

Xp_ProgressBar* ByUic(QWidget& window) {
  Ui::WidgetsForm ui;
  ui.setupUi(&window);
  return ui.blocks;
}

Xp_ProgressBar* ByQUiLoader(QWidget& window) {
  QUiLoader loader;
  loader.clearPluginPaths();
  loader.addPluginPath(QStringLiteral(KELVANE_DESIGNER_PLUGIN_DIR));
  QFile file(QStringLiteral(KELVANE_TEST_FORM));
  if (!file.open(QIODevice::ReadOnly)) return nullptr;
  QWidget* form = loader.load(&file, &window);
  return form ? form->findChild<Xp_ProgressBar*>(QStringLiteral("blocks")) : nullptr;
}

void Nothing(Xp_ProgressBar&) {}

class FirstShow : public testing::TestWithParam<ShowCase> {};

TEST_P(FirstShow, ShowsWhatWasAssignedUnlessTheSizeChanged) {
  QWidget window;
  window.resize(360, 120);
  Xp_ProgressBar* bar = GetParam().make(window);
  ASSERT_NE(bar, nullptr);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  GetParam().then(*bar);
  QCoreApplication::processEvents();
  EXPECT_EQ(ShowsBlocks(*bar), GetParam().blocks);
}

INSTANTIATE_TEST_SUITE_P(Forms, FirstShow,
                         testing::Values(ShowCase{"code", InCode, Nothing, true},
                                         ShowCase{"codeAtTheDefaultSize",
                                                  [](QWidget& window) {
                                                    auto* bar = new Xp_ProgressBar(&window);
                                                    bar->setValue(40);
                                                    return bar;
                                                  },
                                                  Nothing, true},
                                         ShowCase{"uic", ByUic, Nothing, true},
                                         ShowCase{"QUiLoader", ByQUiLoader, Nothing, true},
                                         ShowCase{"hiddenAndShownAgain", InCode,
                                                  [](Xp_ProgressBar& bar) {
                                                    bar.hide();
                                                    bar.show();
                                                  },
                                                  true},
                                         ShowCase{"resizedWhileShown", InCode,
                                                  [](Xp_ProgressBar& bar) { bar.resize(220, 17); }, false},
                                         ShowCase{"resizedWhileHidden", InCode,
                                                  [](Xp_ProgressBar& bar) {
                                                    bar.hide();
                                                    bar.resize(220, 17);
                                                    bar.show();
                                                  },
                                                  false},
                                         ShowCase{"resizedThenAssigned", InCode,
                                                  [](Xp_ProgressBar& bar) {
                                                    bar.resize(220, 17);
                                                    bar.setValue(41);
                                                  },
                                                  true}),
                         [](const testing::TestParamInfo<ShowCase>& p) { return std::string(p.param.name); });

}  // namespace
