#include <gtest/gtest.h>

#include <KelvaneWidgets/xp_progressbar.h>
#include <QApplication>

// These tests use the library as any program does, through its public classes alone. A refusal
// nobody expected fails the test instead of opening a box that waits for a click; tests that expect
// one install their own handler.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  Kelvane::Xp_ProgressBar::installRefusalHandler([](const QString& message, const QString& title) {
    ADD_FAILURE() << "unexpected refusal: " << qPrintable(title) << ": " << qPrintable(message);
  });
  return RUN_ALL_TESTS();
}
