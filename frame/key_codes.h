#pragma once
// SPDX-License-Identifier: MIT
// Windows virtual-key codes, as the frame's KeyDown and KeyUp report a key.

#include <Qt>

namespace vantrel {

// The code of the physical key behind a Qt key: a shifted symbol gives its key's code (":" the
// ";" key's), and with the keypad modifier digits and operators give the keypad's own codes.
// Keys no PC keyboard has give 0.
short virtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

} // namespace vantrel
