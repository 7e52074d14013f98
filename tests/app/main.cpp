#include <gtest/gtest.h>

#include <QApplication>

#include "controls/Fonts.h"

// Widgets need one QApplication for the whole run (offscreen platform in CTest).
int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  zidezo::app::InstallFontSubstitutions();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
