#pragma once

#include <QIcon>
#include <QPixmap>
#include <vector>

namespace zidezo::app {

// The program's pictures, drawn in code.
enum TToolPicture {
  kPictureUser, kPictureExercise, kPictureFirst, kPicturePrior, kPictureNext, kPictureLast,
  kPictureTime, kPicturePin, kPictureKeys, kPictureSetup, kPictureHelp, kPictureReturn, kToolPictureCount
};

// 16 x 16 pictures on white (the bottom-right colour is the see-through one).
const std::vector<QPixmap>& ToolBarPictures();
QPixmap LoginPicture();
QPixmap LogoPicture();
// The decorative strip along the top of the main window.
QPixmap DecoratePicture(int width);
QIcon ProgramIcon();

}  // namespace zidezo::app
