#include "controls/Fonts.h"

#include <QStringList>

namespace zidezo::app {

namespace {

struct Substitution {
  const char* face;
  QStringList families;
};

const Substitution kSubstitutions[] = {
    {"宋体", {"Noto Serif CJK SC", "Noto Sans CJK SC", "DejaVu Sans"}},
    {"SimSun", {"Noto Serif CJK SC", "Noto Sans CJK SC", "DejaVu Sans"}},
    {"Arial", {"Liberation Sans", "DejaVu Sans", "Noto Sans CJK SC"}},
    {"Tahoma", {"Liberation Sans", "DejaVu Sans", "Noto Sans CJK SC"}},
    {"MS Sans Serif", {"Liberation Sans", "DejaVu Sans", "Noto Sans CJK SC"}},
    {"Courier New", {"Liberation Mono", "DejaVu Sans Mono", "Noto Sans Mono CJK SC"}},
    // Phonetic symbols are Unicode IPA: faces with full IPA coverage first.
    {"Phonetic Plain", {"Charis SIL", "Doulos SIL", "DejaVu Sans", "Noto Sans CJK SC"}},
};

}  // namespace

void InstallFontSubstitutions() {
  for (const auto& substitution : kSubstitutions) {
    const QString face = QString::fromUtf8(substitution.face);
    QFont::removeSubstitutions(face);
    // Chinese text in a Latin face still needs the CJK face behind it.
    QStringList families = substitution.families;
    if (!families.contains("Noto Sans CJK SC")) families << "Noto Sans CJK SC";
    QFont::insertSubstitutions(face, families);
  }
}

QFont FaceFont(const QString& face, int point_size, bool bold) {
  QFont font(face);
  font.setPointSize(point_size > 0 ? point_size : 9);
  font.setBold(bold);
  return font;
}

}  // namespace zidezo::app
