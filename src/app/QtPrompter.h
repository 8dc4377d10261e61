#pragma once

#include "core/Prompter.h"

class QWidget;

// Shows each message as a real, modal QMessageBox with its title, text, buttons and icon.
class QtPrompter : public Prompter {
public:
    MsgAnswer ask(const Message& message) override;
};
