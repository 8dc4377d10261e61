#include "ScriptedPrompter.h"

#include <gtest/gtest.h>

ScriptedPrompter::~ScriptedPrompter()
{
    for (const auto& e : m_expected)
        ADD_FAILURE() << "expected message never shown: \"" << e.title << "\"";
}

ScriptedPrompter& ScriptedPrompter::expect(std::string title, MsgAnswer answer, std::string text)
{
    m_expected.push_back({std::move(title), std::move(text), answer});
    return *this;
}

MsgAnswer ScriptedPrompter::ask(const Message& message)
{
    m_messages.push_back(message);
    if (m_expected.empty()) {
        ADD_FAILURE() << "unexpected message: \"" << message.title << "\": " << message.text;
        return message.buttons == MsgButtons::YesNo ? MsgAnswer::No
            : message.buttons == MsgButtons::Ok     ? MsgAnswer::Ok
                                                    : MsgAnswer::Cancel;
    }
    Expected e = m_expected.front();
    m_expected.pop_front();
    EXPECT_EQ(message.title, e.title);
    if (!e.text.empty()) {
        EXPECT_EQ(message.text, e.text);
    }
    return e.answer;
}

void ScriptedPrompter::clear()
{
    m_expected.clear();
    m_messages.clear();
}
