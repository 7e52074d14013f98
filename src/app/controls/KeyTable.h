#pragma once

#include <QKeyEvent>

namespace zidezo::app {

// Turns a Qt key into the Windows virtual-key code the reciting commands and stored tips use;
// 0 for keys without one. Numpad digits give the main digits' codes.
int VirtualKeyOf(int qt_key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
int VirtualKeyOf(const QKeyEvent& event);

// The command code of a key-down: 10000 + virtual key; 0 when the key has no code.
int CommandCodeOf(const QKeyEvent& event);
// The modifier set the reciting world takes: 4 while Ctrl is held (see vk::kModifierCtrl), else 0.
int CommandModifierOf(Qt::KeyboardModifiers modifiers);

// A Qt key for a virtual key (the inverse of VirtualKeyOf on the main keys), for synthetic events.
int QtKeyOf(int virtual_key);

}  // namespace zidezo::app
