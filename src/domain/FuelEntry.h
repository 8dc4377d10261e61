#pragma once

#include "domain/ExpenseList.h"

#include <functional>
#include <string>
#include <vector>

class AppContext;

// What "Update Fuel Info" reads from the window.
struct FuelInput {
    std::string filled; // txtFuelFilled
    std::string cost; // txtFuelCost
    std::string reading; // lblFuelFilledMiles's caption: the confirmed reading
};

// What a completed update shows. A refused update (a message was shown) changes
// nothing on the window.
struct FuelUpdate {
    bool done = false;
    std::string avgPer100; // lblFuelAvgPer100, e.g. "7.12 Litters"
    std::string costPerKm; // lblFuelCostPerKm, 2 decimals and nothing after
    std::string fuelTotal; // lblFuelTotal, the stored total + " Litters"
    MiscListFill list; // lstMisc, refilled at the end
};

// A fill-up on the "&Fuel and Statistics" tab: the quantity joins the fuel total, the
// cost joins the category "fuel", the expense total is stored, and the average use
// per 100 distance units and the cost per unit are shown. Amounts are added exactly.
class FuelEntry {
public:
    explicit FuelEntry(AppContext& ctx);

    // Every input and stored value is checked before anything is stored; a bad one
    // is named in a message and nothing is stored. Then, in this order: the settings
    // are saved through saveSettings (the page's own "Apply && Save" without its
    // blank check: it stores the "&Settings" tab with AppSettings::SaveSettings and
    // applies the result, lstMisc, AnalyzeConsumables and tab 3 included, and answers
    // whether the settings were stored; no stops the update with nothing of the fuel
    // stored); the fuel total, the category "fuel" and "cost" are written; the list
    // is refilled. The figures come from the list's rows as they stood before the call.
    FuelUpdate UpdateFuelInfo(const FuelInput& input, const std::function<bool()>& saveSettings);

    // txtFuelFilled and txtFuelCost keep the digits, backspace and ".".
    static bool fuelBoxKeeps(int key);

private:
    AppContext& m_ctx;
};
