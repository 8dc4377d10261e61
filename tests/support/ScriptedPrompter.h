#pragma once

#include "core/Prompter.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

// A prompter for tests: every message is recorded; each one must have been expected,
// in order, with the answer to give. A message nobody expected, or an expectation left
// over when the prompter goes away, fails the test.
class ScriptedPrompter : public Prompter {
public:
    ~ScriptedPrompter() override
    {
        for (const Message& e : m_expected)
            ADD_FAILURE() << "expected message never shown: \"" << e.title << "\"";
    }

    // Expects a message with this title (and, when given, this exact text).
    ScriptedPrompter& expect(std::string title, MsgAnswer answer = MsgAnswer::Ok, std::string text = {})
    {
        m_expected.push_back({std::move(title), std::move(text)});
        m_answers.push_back(answer);
        return *this;
    }

    MsgAnswer ask(const Message& message) override
    {
        m_messages.push_back(message);
        if (onAsk)
            onAsk(message);
        if (m_expected.empty()) {
            ADD_FAILURE() << "unexpected message: \"" << message.title << "\": " << message.text;
            return message.buttons == MsgButtons::YesNo ? MsgAnswer::No
                : message.buttons == MsgButtons::Ok     ? MsgAnswer::Ok
                                                        : MsgAnswer::Cancel;
        }
        EXPECT_EQ(message.title, m_expected.front().title);
        if (!m_expected.front().text.empty()) {
            EXPECT_EQ(message.text, m_expected.front().text);
        }
        const MsgAnswer answer = m_answers.front();
        m_expected.pop_front();
        m_answers.pop_front();
        return answer;
    }

    const std::vector<Message>& messages() const { return m_messages; }

    // Runs as each message is shown, to look at the world at that moment.
    std::function<void(const Message&)> onAsk;

private:
    std::deque<Message> m_expected; // title and text
    std::deque<MsgAnswer> m_answers;
    std::vector<Message> m_messages;
};
