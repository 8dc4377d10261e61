#pragma once

#include <QKeyEvent>
#include <QMouseEvent>

#include <cstdint>

// The button's events carry the platform's own codes, as its callers expect them:
// mouse buttons 1 left, 2 right, 4 middle; shift state 1 Shift, 2 Ctrl, 4 Alt;
// key codes as the virtual-key numbers (13 Enter, 32 Space, 37 to 40 the arrows,
// letters and digits as their upper-case character).
namespace InputCodes {

constexpr std::int16_t LeftButton = 1;
constexpr std::int16_t RightButton = 2;
constexpr std::int16_t MiddleButton = 4;

constexpr std::int16_t VkEnter = 13;
constexpr std::int16_t VkSpace = 32;
constexpr std::int16_t VkLeft = 37;
constexpr std::int16_t VkUp = 38;
constexpr std::int16_t VkRight = 39;
constexpr std::int16_t VkDown = 40;

// One button, or 0 for a button the platform has no code for.
std::int16_t buttonCode(Qt::MouseButton button);
// The buttons held, as the sum of their codes.
std::int16_t buttonsCode(Qt::MouseButtons buttons);
std::int16_t shiftCode(Qt::KeyboardModifiers modifiers);
// The virtual-key number of a key event; 0 for keys that have none.
std::int16_t keyCode(const QKeyEvent& event);
// The character code of a key event that types one; 0 when it types none.
std::int16_t keyAscii(const QKeyEvent& event);

} // namespace InputCodes
