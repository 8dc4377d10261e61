#pragma once

#include <string>

// A modal message box as the program asks it: title, text, buttons and icon.
// Domain code asks through this interface and never shows a window itself.
enum class MsgButtons { Ok, OkCancel, YesNo, RetryCancel };
enum class MsgIcon { None, Information, Question, Exclamation, Critical };
enum class MsgAnswer { Ok, Cancel, Yes, No, Retry };

struct Message {
    std::string title;
    std::string text;
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
};

class Prompter {
public:
    virtual ~Prompter() = default;
    virtual MsgAnswer ask(const Message& message) = 0;
};
