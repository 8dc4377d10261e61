#include "domain/Statistics.h"

#include "core/Money.h"
#include "core/Numbers.h"
#include "domain/AppContext.h"

#include <cstdint>
#include <optional>

namespace {

// A stored amount taken exactly; a missing or malformed one counts as 0.
Money storedAmount(mINIFunctions& ini, std::string_view section, std::string_view key, std::string_view fallback)
{
    return Money::fromText(ini.ReadINI(section, key, fallback)).value_or(Money());
}

// amount / (scale * distance) as a 4-decimal amount; 0 when it cannot be had.
Money perDistance(Money amount, double scale, std::int64_t distance)
{
    if (distance == 0)
        return Money();
    const double value = static_cast<double>(amount.units()) / (scale * static_cast<double>(distance));
    return Money::fromDouble(value).value_or(Money());
}

} // namespace

StatisticsCaptions ShowStatistics(
    AppContext& ctx, std::string_view readingCaption, std::string_view unitName, std::string_view currency)
{
    const AppContext::Action action(ctx);
    mINIFunctions& ini = ctx.dataFile();

    const std::optional<std::int32_t> reading = wholeNumber32(readingCaption);
    const Money fuelTotal = storedAmount(ini, "fuel", "total", "0");
    const std::optional<std::int32_t> initial = wholeNumber32(ini.ReadINI("init", "miles", ""));
    // Both readings fit 32 bits, so their difference always fits 64.
    const std::int64_t distance = reading && initial ? std::int64_t {*reading} - std::int64_t {*initial} : 0;

    // fuel * 100 / distance, with the fuel held as units of 1/10000.
    const Money average = fuelTotal > Money() ? perDistance(fuelTotal, 100.0, distance) : Money();

    const Money cost = storedAmount(ini, "app", "cost", "");
    const Money costPerDistance
        = cost > Money() ? perDistance(cost, static_cast<double>(Money::Scale), distance) : Money();

    StatisticsCaptions captions;
    captions.fuelAvgPer100 = average.rounded(2).toText() + " Litters";
    captions.totalDistance = numberToText(distance) + " " + std::string(unitName);
    captions.totalExpense = cost.toText() + "  " + std::string(currency);
    captions.fuelCostPerKm = costPerDistance.rounded(4).toText() + " " + std::string(currency);
    return captions;
}
