#pragma once

#include "domain/ExpenseList.h"

#include <optional>
#include <string>
#include <string_view>

class AppContext;
class StartupRegistry;

// The controls of the "&Settings" tab as the settings read and write them.
struct SettingsForm {
    int startup = 0; // chkStartup: 0 clear, 1 ticked
    int systray = 0; // chkMinSystray
    int onTop = 1; // chkOnTop
    int unitIndex = 1; // cmbUnit: 0 "Miles", 1 "Km", -1 nothing selected
    int currencyIndex = -1; // cmbCur's selection, -1 for none
    std::string currencyText; // cmbCur's text
    std::string initMiles; // txtInitMiles
    bool operator==(const SettingsForm&) const = default;
};

// The captions on other tabs that carry the unit and the currency.
struct SettingsCaptions {
    std::string displayUnit; // every element of lblDisplayUnit
    std::string avgPer100; // lblAvgPer100
    std::string costPerKm; // lblCostPerKm
    std::string currency; // lblFuelCur and lblMiscCur
    std::optional<std::string> fuelCostPerKm; // lblFuelCostPerKm, when it changes
};

// After LoadSettings the page fills the tab from `form`, sets the captions, applies
// `list` to lstMisc, runs AnalyzeConsumables and makes `tab` current. The on-top
// state of the window is left alone.
struct SettingsLoad {
    SettingsForm form;
    SettingsCaptions captions;
    MiscListFill list;
    int tab = 0;
};

// After a completed SaveSettings the page applies `onTop` to the main window, sets
// the captions, applies `list` to lstMisc, runs AnalyzeConsumables and makes `tab`
// current. A refused save (a message was shown) changes nothing on the window.
struct SettingsSave {
    bool saved = false;
    bool onTop = false;
    SettingsCaptions captions;
    MiscListFill list;
    int tab = 3;
};

// The user's preferences between the data file and the "&Settings" tab, and the
// start-at-log-in entry that mirrors "startup" at every start and every apply.
class AppSettings {
public:
    static constexpr int MainTab = 0;
    static constexpr int FuelTab = 3;

    AppSettings(AppContext& ctx, StartupRegistry& registry);

    // Puts the stored settings into the tab ("Leave it unchanged", and the window's
    // set-up). fuelCostPerKm is the present caption of lblFuelCostPerKm.
    SettingsLoad LoadSettings(std::string_view fuelCostPerKm);

    // Stores the tab ("Apply && Save", and the fuel update). A blank or non-numeric
    // initial reading is refused with a message and nothing is stored, so the data
    // file never loses the reading that marks the set-up as done.
    // `fillExpenseList` no: the caller fills the expense list itself before the action
    // ends (a fill-up does), so this fill (and the total it stores) would never be seen.
    SettingsSave SaveSettings(const SettingsForm& form, bool fillExpenseList = true);

    // The command the log-in entry runs: the program file quoted, and " /s" when the
    // program is to start in the notification area.
    std::string StartupCommand(int systray) const;

    // "Miles", "Km", or the empty text for no selection.
    static std::string unitName(int unitIndex);

    // chkMinSystray's enabled state after chkStartup went from oldState to newState;
    // nothing when the state did not change (the rule runs only on a change).
    static std::optional<bool> minSystrayEnabledOnChange(int oldState, int newState);

    // "Tell me at start when something is due" (chkRemindAtStart): `remind` in "app", on
    // unless it holds 0. The window stores the box when the user changes it; false when the
    // file refused it (that has been reported).
    static bool remindAtStart(AppContext& ctx);
    static bool setRemindAtStart(AppContext& ctx, bool remind);
    // The day of the last notice at start, `lastremind` in "app": "YYYY-MM-DD", or empty.
    static std::string lastRemind(AppContext& ctx);
    static bool setLastRemind(AppContext& ctx, std::string_view day);

private:
    void syncStartupEntry(int startup, const std::string& command);

    AppContext& m_ctx;
    StartupRegistry& m_registry;
};
