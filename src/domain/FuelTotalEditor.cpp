#include "domain/FuelTotalEditor.h"

#include "core/Money.h"
#include "core/Prompter.h"
#include "datafile/mGeneralFunctions.h"
#include "domain/AppContext.h"

namespace {

// Digits with at most one point, as the key filter lets them be typed, and within the
// range of an amount: anything else would be stored and then misread as a total.
bool isFuelAmount(std::string_view text)
{
    int points = 0;
    int digits = 0;
    for (char c : text) {
        if (c == '.')
            ++points;
        else if (c >= '0' && c <= '9')
            ++digits;
        else
            return false;
    }
    return points <= 1 && digits > 0 && Money::fromText(text).has_value();
}

} // namespace

bool FuelTotalEditor::keepsKey(char32_t key)
{
    return (key >= U'0' && key <= U'9') || key == 8 || key == U'.' || key == EnterKey || key == EscapeKey;
}

std::string FuelTotalEditor::open(std::string_view labelCaption)
{
    m_open = true;
    return std::string(labelCaption.substr(0, labelCaption.find(' ')));
}

FuelTotalEditor::Closing FuelTotalEditor::escape()
{
    m_open = false;
    return {};
}

FuelTotalEditor::Closing FuelTotalEditor::focusLost()
{
    m_open = false;
    return {};
}

FuelTotalEditor::Closing FuelTotalEditor::enter(AppContext& ctx, std::string_view text, const StatisticsView& view)
{
    if (!m_open)
        return {};
    m_open = false;
    Prompter& prompter = ctx.prompter();
    if (IsBlank(text)) {
        prompter.ask({"Wrong Value specified!", "Total Fuel field can't be changed to an empty value ...",
            MsgButtons::Ok, MsgIcon::Information});
        return {};
    }
    if (!isFuelAmount(text)) {
        prompter.ask({"Wrong Value specified!",
            "Total Fuel field can't be changed to " + std::string(text) + ": please type a number such as 120.5 ...",
            MsgButtons::Ok, MsgIcon::Information});
        return {};
    }
    const MsgAnswer answer = prompter.ask(
        {"Are you sure?", "Are you sure you want to change Total Fuel value to " + std::string(text) + " ?",
            MsgButtons::YesNo, MsgIcon::Question});
    if (answer != MsgAnswer::Yes)
        return {};
    if (!ctx.dataFile().WriteINI("fuel", "total", text))
        return {};
    Closing closing;
    closing.fuelTotalCaption = ctx.dataFile().ReadINI("fuel", "total", "0") + " Litters";
    closing.statistics = ShowStatistics(ctx, view.readingCaption, view.unitName, view.currency);
    return closing;
}
