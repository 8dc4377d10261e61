#pragma once

#include "core/Prompter.h"

#include <deque>
#include <string>
#include <vector>

// A prompter for tests: every message is recorded; each one must have been
// expected, in order, with the answer to give. A message nobody expected, or an
// expectation left over when the prompter goes away, fails the test.
class ScriptedPrompter : public Prompter {
public:
    ~ScriptedPrompter() override;

    // Expects a message with this title (and, when given, this exact text).
    ScriptedPrompter& expect(std::string title, MsgAnswer answer = MsgAnswer::Ok, std::string text = {});

    MsgAnswer ask(const Message& message) override;

    const std::vector<Message>& messages() const { return m_messages; }
    std::size_t pending() const { return m_expected.size(); }
    void clear();

private:
    struct Expected {
        std::string title;
        std::string text;
        MsgAnswer answer;
    };
    std::deque<Expected> m_expected;
    std::vector<Message> m_messages;
};
