#pragma once

#include <QColor>

namespace zidezo::app {

// Stored colours are 24-bit blue-green-red values (0x0000FF is red).
inline QColor ColourOf(int bgr) {
  return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

inline int BgrOf(const QColor& colour) {
  return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

}  // namespace zidezo::app
