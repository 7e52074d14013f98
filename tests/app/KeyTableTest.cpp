#include <gtest/gtest.h>

#include "controls/KeyTable.h"
#include "reciting/VirtualKeys.h"

namespace zidezo::app {
namespace {

TEST(KeyTable, QtKeysGiveTheWindowsVirtualKeys) {
  struct Case {
    int qt_key;
    Qt::KeyboardModifiers modifiers;
    int virtual_key;
  } cases[] = {
      {Qt::Key_A, Qt::NoModifier, 65},        {Qt::Key_Z, Qt::NoModifier, 90},
      {Qt::Key_0, Qt::NoModifier, 48},        {Qt::Key_9, Qt::NoModifier, 57},
      {Qt::Key_7, Qt::KeypadModifier, 55},    {Qt::Key_F1, Qt::NoModifier, 112},
      {Qt::Key_F9, Qt::NoModifier, 120},      {Qt::Key_Escape, Qt::NoModifier, 27},
      {Qt::Key_Return, Qt::NoModifier, 13},   {Qt::Key_Enter, Qt::KeypadModifier, 13},
      {Qt::Key_Space, Qt::NoModifier, 32},    {Qt::Key_Left, Qt::NoModifier, 37},
      {Qt::Key_Up, Qt::NoModifier, 38},       {Qt::Key_Right, Qt::NoModifier, 39},
      {Qt::Key_Down, Qt::NoModifier, 40},     {Qt::Key_Home, Qt::NoModifier, 36},
      {Qt::Key_End, Qt::NoModifier, 35},      {Qt::Key_PageUp, Qt::NoModifier, 33},
      {Qt::Key_PageDown, Qt::NoModifier, 34}, {Qt::Key_Semicolon, Qt::NoModifier, 186},
      {Qt::Key_Equal, Qt::NoModifier, 187},   {Qt::Key_QuoteLeft, Qt::NoModifier, 192},
      {Qt::Key_AsciiTilde, Qt::ShiftModifier, 192}, {Qt::Key_Exclam, Qt::ShiftModifier, 49},
      {Qt::Key_Delete, Qt::NoModifier, 46},   {Qt::Key_Minus, Qt::KeypadModifier, 109},
      {Qt::Key_Minus, Qt::NoModifier, 189},   {Qt::Key_unknown, Qt::NoModifier, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(VirtualKeyOf(c.qt_key, c.modifiers), c.virtual_key) << "Qt key 0x" << std::hex << c.qt_key;
  }
}

TEST(KeyTable, CommandCodesAndTheCtrlModifier) {
  const QKeyEvent home(QEvent::KeyPress, Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(CommandCodeOf(home), 10036);
  EXPECT_EQ(CommandModifierOf(home.modifiers()), vk::kModifierCtrl);
  EXPECT_EQ(CommandModifierOf(Qt::ShiftModifier), 0);
  const QKeyEvent unknown(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier);
  EXPECT_EQ(CommandCodeOf(unknown), 0);
  for (const int code : {vk::kA, vk::k0, vk::kF1, vk::kEscape, vk::kOem3, vk::kHome}) {
    EXPECT_EQ(VirtualKeyOf(QtKeyOf(code)), code) << code;
  }
}

}  // namespace
}  // namespace zidezo::app
