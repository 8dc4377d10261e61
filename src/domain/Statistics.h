#pragma once

#include <string>
#include <string_view>

class AppContext;

// The four figures of the statistics, as the captions of their labels.
struct StatisticsCaptions {
    std::string totalExpense; // lblTotalExpense
    std::string totalDistance; // lblTotalDistance
    std::string fuelCostPerKm; // lblFuelCostPerKm
    std::string fuelAvgPer100; // lblFuelAvgPer100

    bool operator==(const StatisticsCaptions&) const = default;
};

// Recomputes the statistics from the stored totals and the confirmed reading (the
// caption of lblFuelFilledMiles). The stored amounts are taken exactly; a figure whose
// inputs are missing or not numbers shows 0.
StatisticsCaptions ShowStatistics(
    AppContext& ctx, std::string_view readingCaption, std::string_view unitName, std::string_view currency);
