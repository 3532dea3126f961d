#include <gtest/gtest.h>

#include <QApplication>

// For the drawing layer's tests, which link no host and so have no services to guard (see
// qt_gtest_main.cpp): widgets need an application object, on the offscreen platform unless told
// otherwise.
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
