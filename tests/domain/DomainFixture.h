#pragma once

#include "domain/AppContext.h"

#include "ScriptedPrompter.h"
#include "TempDir.h"

#include <ctime>
#include <gtest/gtest.h>
#include <tuple>
#include <vector>

using Look = std::pair<MsgButtons, MsgIcon>;
inline const Look Info {MsgButtons::Ok, MsgIcon::Information};
inline const Look Warning {MsgButtons::Ok, MsgIcon::Exclamation};
inline const Look Critical {MsgButtons::Ok, MsgIcon::Critical};
inline const Look Plain {MsgButtons::Ok, MsgIcon::None};
inline const Look Question {MsgButtons::YesNo, MsgIcon::Question};

inline const std::string kMissingFileText
    = "Wheelbook Data File Missing. Please re-install the application to solve this problem.";

// The text with every "\n" made the data file's "\r\n", so that files and their bytes read as lines.
inline std::string crlf(std::string text)
{
    for (auto at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 2))
        text.replace(at, 1, "\r\n");
    return text;
}

// The fixtures' clock, and what log entries are dated by it in whatever zone the tests run.
inline const std::string kNow = "2026-05-28 12:34";
inline std::time_t localTime(int year, int month, int day, int hour, int minute)
{
    std::tm local {};
    std::tie(local.tm_year, local.tm_mon, local.tm_mday, local.tm_hour, local.tm_min, local.tm_isdst)
        = std::tuple(year - 1900, month - 1, day, hour, minute, -1);
    return std::mktime(&local);
}

// A data file in a temporary application folder, and a prompter whose messages must each
// have been expected, whole: title, text, buttons and icon.
class DomainFixture : public ::testing::Test {
protected:
    DomainFixture()
    {
        ctx.setClock([] { return localTime(2026, 5, 28, 12, 34); });
    }
    void TearDown() override
    {
        std::vector<Look> looks;
        for (const Message& message : prompter.messages())
            looks.emplace_back(message.buttons, message.icon);
        EXPECT_EQ(looks, expectedLooks);
    }
    // An empty text is not compared.
    void expect(std::string title, std::string text, Look look = Info, MsgAnswer answer = MsgAnswer::Ok)
    {
        prompter.expect(std::move(title), answer, std::move(text));
        expectedLooks.push_back(look);
    }
    void writeData(const std::string& text) { dir.write("cardata.dat", crlf(text)); }
    std::string data() const { return dir.read("cardata.dat"); }
    std::string stored(const char* section, const char* key) { return ctx.dataFile().ReadINI(section, key, "-"); }

    TempDir dir;
    ScriptedPrompter prompter;
    std::vector<Look> expectedLooks;
    AppContext ctx {dir.path(), "/opt/Wheel Book/wheelbook", "", prompter};
};
