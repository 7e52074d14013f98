#pragma once

#include <QFont>
#include <QString>

namespace zidezo::app {

// The faces the screens and stored layouts name.
inline const QString kPhoneticFace = QStringLiteral("Phonetic Plain");
inline const QString kSongTiFace = QStringLiteral("宋体");

// Maps the named faces to installed families inside this program (nothing is installed into
// the system): 宋体 to Noto CJK, Arial/Tahoma/MS Sans Serif to Liberation Sans, Courier New to
// Liberation Mono, Phonetic Plain to an IPA-capable face. Safe to call more than once.
void InstallFontSubstitutions();

// A font of the given face and point size (bold when asked).
QFont FaceFont(const QString& face, int point_size, bool bold = false);

}  // namespace zidezo::app
