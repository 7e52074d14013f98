#include "controls/KeyTable.h"

#include <array>
#include <utility>

#include "reciting/VirtualKeys.h"

namespace zidezo::app {

namespace {

// Keys whose virtual code is not a simple range of letters, digits or function keys.
constexpr std::array<std::pair<int, int>, 52> kNamedKeys{{
    {Qt::Key_Backspace, vk::kBack},   {Qt::Key_Tab, vk::kTab},          {Qt::Key_Backtab, vk::kTab},
    {Qt::Key_Return, vk::kReturn},    {Qt::Key_Enter, vk::kReturn},     {Qt::Key_Shift, vk::kShift},
    {Qt::Key_Control, vk::kControl},  {Qt::Key_Alt, vk::kMenu},         {Qt::Key_Pause, vk::kPause},
    {Qt::Key_CapsLock, vk::kCapital}, {Qt::Key_Escape, vk::kEscape},    {Qt::Key_Space, vk::kSpace},
    {Qt::Key_PageUp, vk::kPrior},     {Qt::Key_PageDown, vk::kNext},    {Qt::Key_End, vk::kEnd},
    {Qt::Key_Home, vk::kHome},        {Qt::Key_Left, vk::kLeft},        {Qt::Key_Up, vk::kUp},
    {Qt::Key_Right, vk::kRight},      {Qt::Key_Down, vk::kDown},        {Qt::Key_Insert, vk::kInsert},
    {Qt::Key_Delete, vk::kDelete},    {Qt::Key_Semicolon, vk::kOem1},   {Qt::Key_Colon, vk::kOem1},
    {Qt::Key_Equal, vk::kOemPlus},    {Qt::Key_Plus, vk::kOemPlus},     {Qt::Key_Comma, vk::kOemComma},
    {Qt::Key_Less, vk::kOemComma},    {Qt::Key_Minus, vk::kOemMinus},   {Qt::Key_Underscore, vk::kOemMinus},
    {Qt::Key_Period, vk::kOemPeriod}, {Qt::Key_Greater, vk::kOemPeriod}, {Qt::Key_Slash, vk::kOem2},
    {Qt::Key_Question, vk::kOem2},    {Qt::Key_QuoteLeft, vk::kOem3},   {Qt::Key_AsciiTilde, vk::kOem3},
    {Qt::Key_BracketLeft, vk::kOem4}, {Qt::Key_BraceLeft, vk::kOem4},   {Qt::Key_Backslash, vk::kOem5},
    {Qt::Key_Bar, vk::kOem5},         {Qt::Key_BracketRight, vk::kOem6}, {Qt::Key_BraceRight, vk::kOem6},
    {Qt::Key_Apostrophe, vk::kOem7},  {Qt::Key_QuoteDbl, vk::kOem7},    {Qt::Key_Exclam, '1'},
    {Qt::Key_At, '2'},                {Qt::Key_NumberSign, '3'},        {Qt::Key_Dollar, '4'},
    {Qt::Key_Percent, '5'},           {Qt::Key_AsciiCircum, '6'},       {Qt::Key_Ampersand, '7'},
    {Qt::Key_Asterisk, '8'},
}};

constexpr std::array<std::pair<int, int>, 6> kKeypadKeys{{
    {Qt::Key_Asterisk, vk::kMultiply}, {Qt::Key_Plus, vk::kAdd},      {Qt::Key_Minus, vk::kSubtract},
    {Qt::Key_Period, vk::kDecimal},    {Qt::Key_Slash, vk::kDivide},  {Qt::Key_Comma, vk::kDecimal},
}};

int Lookup(const auto& table, int qt_key) {
  for (const auto& [qt, code] : table) {
    if (qt == qt_key) return code;
  }
  return 0;
}

}  // namespace

int VirtualKeyOf(int qt_key, Qt::KeyboardModifiers modifiers) {
  if (qt_key >= Qt::Key_A && qt_key <= Qt::Key_Z) return vk::kA + (qt_key - Qt::Key_A);
  // Digits (main row and numpad alike) give '0' .. '9'.
  if (qt_key >= Qt::Key_0 && qt_key <= Qt::Key_9) return vk::k0 + (qt_key - Qt::Key_0);
  if (qt_key >= Qt::Key_F1 && qt_key <= Qt::Key_F24) return vk::kF1 + (qt_key - Qt::Key_F1);
  if (qt_key == Qt::Key_ParenLeft) return '9';
  if (qt_key == Qt::Key_ParenRight) return '0';
  if (modifiers.testFlag(Qt::KeypadModifier)) {
    if (const int code = Lookup(kKeypadKeys, qt_key); code != 0) return code;
  }
  return Lookup(kNamedKeys, qt_key);
}

int VirtualKeyOf(const QKeyEvent& event) {
  return VirtualKeyOf(event.key(), event.modifiers());
}

int CommandCodeOf(const QKeyEvent& event) {
  const int key = VirtualKeyOf(event);
  return key == 0 ? 0 : vk::CommandCode(key);
}

int CommandModifierOf(Qt::KeyboardModifiers modifiers) {
  return modifiers.testFlag(Qt::ControlModifier) ? vk::kModifierCtrl : 0;
}

int QtKeyOf(int virtual_key) {
  if (virtual_key >= vk::kA && virtual_key <= vk::kZ) return Qt::Key_A + (virtual_key - vk::kA);
  if (virtual_key >= vk::k0 && virtual_key <= vk::k9) return Qt::Key_0 + (virtual_key - vk::k0);
  if (virtual_key >= vk::kF1 && virtual_key <= vk::kF1 + 23) return Qt::Key_F1 + (virtual_key - vk::kF1);
  for (const auto& [qt, code] : kNamedKeys) {
    if (code == virtual_key) return qt;
  }
  return 0;
}

}  // namespace zidezo::app
