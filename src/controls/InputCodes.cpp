#include "controls/InputCodes.h"

#include <utility>

namespace InputCodes {

std::int16_t buttonCode(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return LeftButton;
    case Qt::RightButton:
        return RightButton;
    case Qt::MiddleButton:
        return MiddleButton;
    default:
        return 0;
    }
}

std::int16_t buttonsCode(Qt::MouseButtons buttons)
{
    std::int16_t code = 0;
    for (const Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        if (buttons.testFlag(button))
            code = static_cast<std::int16_t>(code | buttonCode(button));
    }
    return code;
}

std::int16_t shiftCode(Qt::KeyboardModifiers modifiers)
{
    std::int16_t code = 0;
    if (modifiers.testFlag(Qt::ShiftModifier))
        code |= 1;
    if (modifiers.testFlag(Qt::ControlModifier))
        code |= 2;
    if (modifiers.testFlag(Qt::AltModifier))
        code |= 4;
    return code;
}

std::int16_t keyCode(const QKeyEvent& event)
{
    const int key = event.key();
    const bool keypad = event.modifiers().testFlag(Qt::KeypadModifier);
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return static_cast<std::int16_t>(keypad ? 96 + (key - Qt::Key_0) : key);
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return static_cast<std::int16_t>(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return static_cast<std::int16_t>(112 + (key - Qt::Key_F1));

    static constexpr std::pair<int, std::int16_t> table[] = {
        {Qt::Key_Backspace, 8},
        {Qt::Key_Tab, 9},
        {Qt::Key_Backtab, 9},
        {Qt::Key_Clear, 12},
        {Qt::Key_Return, VkEnter},
        {Qt::Key_Enter, VkEnter},
        {Qt::Key_Shift, 16},
        {Qt::Key_Control, 17},
        {Qt::Key_Alt, 18},
        {Qt::Key_Pause, 19},
        {Qt::Key_CapsLock, 20},
        {Qt::Key_Escape, 27},
        {Qt::Key_Space, VkSpace},
        {Qt::Key_PageUp, 33},
        {Qt::Key_PageDown, 34},
        {Qt::Key_End, 35},
        {Qt::Key_Home, 36},
        {Qt::Key_Left, VkLeft},
        {Qt::Key_Up, VkUp},
        {Qt::Key_Right, VkRight},
        {Qt::Key_Down, VkDown},
        {Qt::Key_Print, 44},
        {Qt::Key_Insert, 45},
        {Qt::Key_Delete, 46},
        {Qt::Key_Asterisk, 106},
        {Qt::Key_Plus, 107},
        {Qt::Key_NumLock, 144},
        {Qt::Key_ScrollLock, 145},
        {Qt::Key_Semicolon, 186},
        {Qt::Key_Equal, 187},
        {Qt::Key_Comma, 188},
        {Qt::Key_Minus, 189},
        {Qt::Key_Period, 190},
        {Qt::Key_Slash, 191},
        {Qt::Key_QuoteLeft, 192},
        {Qt::Key_BracketLeft, 219},
        {Qt::Key_Backslash, 220},
        {Qt::Key_BracketRight, 221},
        {Qt::Key_Apostrophe, 222},
    };
    if (keypad) {
        // The keypad's own keys have numbers of their own.
        switch (key) {
        case Qt::Key_Minus:
            return 109;
        case Qt::Key_Period:
        case Qt::Key_Comma:
            return 110;
        case Qt::Key_Slash:
            return 111;
        default:
            break;
        }
    }
    for (const auto& [qtKey, code] : table) {
        if (qtKey == key)
            return code;
    }
    return 0;
}

std::int16_t keyAscii(const QKeyEvent& event)
{
    const QString text = event.text();
    if (text.isEmpty())
        return 0;
    return static_cast<std::int16_t>(text.at(0).unicode());
}

} // namespace InputCodes
