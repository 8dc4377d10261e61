#include "domain/AppSettings.h"

#include "core/AsciiText.h"
#include "core/NumberedError.h"
#include "core/Numbers.h"
#include "core/Prompter.h"
#include "datafile/mGeneralFunctions.h"
#include "domain/AppContext.h"
#include "domain/CurrencyList.h"
#include "domain/ReadingKeyFilter.h"
#include "domain/StartupRegistry.h"

#include <exception>

namespace {

SettingsCaptions captionsFor(const std::string& unit, const std::string& currency)
{
    SettingsCaptions captions;
    captions.displayUnit = unit;
    captions.avgPer100 = "Average Fuel usage per 100 " + unit + " :";
    captions.currency = currency;
    return captions;
}

} // namespace

AppSettings::AppSettings(AppContext& ctx, StartupRegistry& registry)
    : m_ctx(ctx)
    , m_registry(registry)
{
}

SettingsLoad AppSettings::LoadSettings(std::string_view fuelCostPerKm)
{
    mINIFunctions& ini = m_ctx.dataFile();
    std::string badOnes;
    // A stored value that is not a whole number is reported and its default shown.
    auto whole = [&](const char* key, const char* defaultValue) {
        const std::string text = ini.ReadINI("app", key, defaultValue);
        if (const auto value = wholeNumber32(text))
            return *value;
        badOnes += std::string("\r\n") + key + " = \"" + text + "\"";
        return *wholeNumber32(defaultValue);
    };
    // A check box is 0 or 1; an index outside its list is reported like any other invalid
    // setting. -1 for the currency is a text typed over the list, which selects nothing.
    auto index = [&](const char* key, const char* defaultValue, int lowest, int count) {
        const int value = whole(key, defaultValue);
        if (value >= lowest && value < count)
            return value;
        badOnes += std::string("\r\n") + key + " = \"" + numberToText(value) + "\"";
        return *wholeNumber32(defaultValue);
    };
    SettingsLoad load;
    SettingsForm& form = load.form;
    form.startup = index("startup", "0", 0, 2);
    form.systray = index("systray", "0", 0, 2);
    form.onTop = index("ontop", "1", 0, 2);
    form.currencyIndex = index("icur", "97", -1, CurrencyList::Count);
    form.currencyText = CurrencyList::codeAt(form.currencyIndex);
    form.unitIndex = index("unit", "1", 0, 2);
    form.initMiles = ini.ReadINI("init", "miles", "");

    if (!badOnes.empty()) {
        m_ctx.prompter().ask({"Invalid Settings!",
            "These settings in the data file are not valid, so their defaults are shown instead:\r\n" + badOnes
                + "\r\n\r\nApply & Save stores the values shown.",
            MsgButtons::Ok, MsgIcon::Exclamation});
    }

    syncStartupEntry(form.startup, StartupCommand(form.systray));

    load.captions = captionsFor(unitName(form.unitIndex), form.currencyText);
    load.captions.costPerKm = "Operating cost per mile/km";
    if (!IsBlank(fuelCostPerKm)) {
        const std::string_view figure = fuelCostPerKm.substr(0, fuelCostPerKm.find(' '));
        load.captions.fuelCostPerKm = std::string(figure) + " " + form.currencyText;
    }

    load.list = ExpenseList(m_ctx).LoadMiscList();
    load.tab = MainTab;
    return load;
}

SettingsSave AppSettings::SaveSettings(const SettingsForm& form, bool fillExpenseList)
{
    SettingsSave result;
    Prompter& prompter = m_ctx.prompter();
    if (IsBlank(form.initMiles)) {
        prompter.ask(
            {"Required Data Missing!", "Initial Car-Run can't be an empty field. Please specify some value ...",
                MsgButtons::Ok, MsgIcon::Information});
        return result;
    }
    if (!isReadingText(form.initMiles)) {
        prompter.ask({"Wrong Value specified!",
            "Initial Car-Run \"" + form.initMiles + "\" is not a whole number of at most "
                + std::to_string(ReadingDigits) + " digits. Please specify digits only; nothing was saved.",
            MsgButtons::Ok, MsgIcon::Information});
        return result;
    }

    mINIFunctions& ini = m_ctx.dataFile();
    const bool written = ini.WriteINI("app", "startup", form.startup) && ini.WriteINI("app", "systray", form.systray)
        && ini.WriteINI("app", "ontop", form.onTop) && ini.WriteINI("app", "unit", form.unitIndex)
        && ini.WriteINI("app", "cur", form.currencyText) && ini.WriteINI("app", "icur", form.currencyIndex)
        && ini.WriteINI("init", "miles", form.initMiles);
    if (!written)
        return result;

    result.saved = true;
    result.onTop = form.onTop == 1;
    syncStartupEntry(form.startup, StartupCommand(form.systray));
    result.captions = captionsFor(unitName(form.unitIndex), form.currencyText);
    result.captions.costPerKm = "Operating cost per mile/km : ";
    if (fillExpenseList)
        result.list = ExpenseList(m_ctx).LoadMiscList();
    result.tab = FuelTab;
    return result;
}

std::string AppSettings::StartupCommand(int systray) const
{
    std::string command = "\"" + m_ctx.programPath() + "\"";
    if (systray == 1)
        command += " /s";
    return command;
}

void AppSettings::syncStartupEntry(int startup, const std::string& command)
{
    const std::string name = StartupRegistry::ValueName;
    try {
        if (startup == 1) {
            m_registry.setRunValue(name, command);
        } else {
            // One delete, and none of a value that is not there: no write at every start.
            m_registry.deleteRunValue(name);
        }
    } catch (const NumberedError& e) {
        m_ctx.prompter().ask({"Start at Log-in Not Updated!",
            "Wheelbook could not update its start at log-in entry \"" + name + "\":\r\n\r\nError "
                + numberToText(static_cast<std::int64_t>(e.number())) + " (" + e.source() + "): " + e.description()
                + "\r\n\r\nThe settings in the data file are not affected.",
            MsgButtons::Ok, MsgIcon::Exclamation});
    } catch (const std::exception& e) {
        m_ctx.prompter().ask({"Start at Log-in Not Updated!",
            "Wheelbook could not update its start at log-in entry \"" + name + "\":\r\n\r\n" + e.what()
                + "\r\n\r\nThe settings in the data file are not affected.",
            MsgButtons::Ok, MsgIcon::Exclamation});
    }
}

std::string AppSettings::unitName(int unitIndex)
{
    switch (unitIndex) {
    case 0:
        return "Miles";
    case 1:
        return "Km";
    default:
        return {};
    }
}

std::optional<bool> AppSettings::minSystrayEnabledOnChange(int oldState, int newState)
{
    if (oldState == newState)
        return std::nullopt;
    return newState != 0;
}

bool AppSettings::remindAtStart(AppContext& ctx)
{
    return wholeNumber32(ctx.dataFile().ReadINI("app", "remind", "1")) != 0;
}

bool AppSettings::setRemindAtStart(AppContext& ctx, bool remind)
{
    AppContext::Action action(ctx);
    return ctx.dataFile().WriteINI("app", "remind", remind ? 1 : 0) && action.finish();
}

std::string AppSettings::lastRemind(AppContext& ctx)
{
    return ctx.dataFile().ReadINI("app", "lastremind", "");
}

bool AppSettings::setLastRemind(AppContext& ctx, std::string_view day)
{
    AppContext::Action action(ctx);
    return ctx.dataFile().WriteINI("app", "lastremind", day) && action.finish();
}
