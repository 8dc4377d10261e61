#pragma once

// The looks of the XP-style button. Hover wins over focus; pressed has neither.
enum class XPButtonLook { Normal, Hover, Focus, Pressed, Disabled };
