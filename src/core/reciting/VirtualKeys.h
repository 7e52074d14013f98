#pragma once

// The Windows virtual-key codes. The stored shortcut tips and the reciting commands are written in
// these codes, so they stay the same on every platform: a command is kCommandBase + key.
namespace zidezo::vk {

inline constexpr int kBack = 0x08;
inline constexpr int kTab = 0x09;
inline constexpr int kReturn = 0x0D;
inline constexpr int kShift = 0x10;
inline constexpr int kControl = 0x11;
inline constexpr int kMenu = 0x12;  // Alt
inline constexpr int kPause = 0x13;
inline constexpr int kCapital = 0x14;
inline constexpr int kEscape = 0x1B;
inline constexpr int kSpace = 0x20;
inline constexpr int kPrior = 0x21;  // Page Up
inline constexpr int kNext = 0x22;   // Page Down
inline constexpr int kEnd = 0x23;
inline constexpr int kHome = 0x24;
inline constexpr int kLeft = 0x25;
inline constexpr int kUp = 0x26;
inline constexpr int kRight = 0x27;
inline constexpr int kDown = 0x28;
inline constexpr int kInsert = 0x2D;
inline constexpr int kDelete = 0x2E;
inline constexpr int k0 = 0x30;  // '0' .. '9' are 0x30 .. 0x39
inline constexpr int k9 = 0x39;
inline constexpr int kA = 0x41;  // 'A' .. 'Z' are 0x41 .. 0x5A
inline constexpr int kC = 0x43;
inline constexpr int kZ = 0x5A;
inline constexpr int kNumpad0 = 0x60;
inline constexpr int kMultiply = 0x6A;
inline constexpr int kAdd = 0x6B;
inline constexpr int kSubtract = 0x6D;
inline constexpr int kDecimal = 0x6E;
inline constexpr int kDivide = 0x6F;
inline constexpr int kF1 = 0x70;  // F1 .. F12 are 0x70 .. 0x7B
inline constexpr int kF5 = 0x74;
inline constexpr int kF6 = 0x75;
inline constexpr int kF7 = 0x76;
inline constexpr int kF8 = 0x77;
inline constexpr int kF9 = 0x78;
inline constexpr int kF12 = 0x7B;
inline constexpr int kOem1 = 0xBA;       // ";" and ":"
inline constexpr int kOemPlus = 0xBB;    // "=" and "+"
inline constexpr int kOemComma = 0xBC;   // "," and "<"
inline constexpr int kOemMinus = 0xBD;   // "-" and "_"
inline constexpr int kOemPeriod = 0xBE;  // "." and ">"
inline constexpr int kOem2 = 0xBF;       // "/" and "?"
inline constexpr int kOem3 = 0xC0;       // "`" and "~"
inline constexpr int kOem4 = 0xDB;       // "[" and "{"
inline constexpr int kOem5 = 0xDC;       // "\" and "|"
inline constexpr int kOem6 = 0xDD;       // "]" and "}"
inline constexpr int kOem7 = 0xDE;       // "'" and '"'

// Command codes of the reciting engine.
inline constexpr int kCommandBase = 10000;
inline constexpr int kModifierCtrl = 4;

constexpr int CommandCode(int virtual_key) { return kCommandBase + virtual_key; }

}  // namespace zidezo::vk
