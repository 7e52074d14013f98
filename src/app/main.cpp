#include <QApplication>

#include "controls/Fonts.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  zidezo::app::InstallFontSubstitutions();
  return 0;
}
