#pragma once

#include "core/Prompter.h"

class QWidget;

// Shows each message as a real, modal QMessageBox with its title, text, buttons and icon.
//
// Unattended runs (WHEELBOOK_UNATTENDED set, for scripted starts of the real program)
// print the message to standard error instead and answer with its first button.
class QtPrompter : public Prompter {
public:
    QtPrompter();
    MsgAnswer ask(const Message& message) override;

private:
    bool m_unattended = false;
};
