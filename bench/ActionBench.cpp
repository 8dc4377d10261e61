// Times whole user actions on a data file of 10,000 consumables and 10,000 expense
// categories, each against one parse plus one durable replace of the same file, measured
// in the same run: the program's actions must cost about what storing the file once does.
// An action runs as in the program: one context for the session, one action per event.
#include "BenchSupport.h"

#include "core/MemoryPolicy.h"
#include "domain/AppContext.h"
#include "domain/AppSettings.h"
#include "domain/ConsumablePanel.h"
#include "domain/Consumables.h"
#include "domain/ExpenseEditor.h"
#include "domain/FuelEntry.h"
#include "domain/StartupRegistry.h"
#include "domain/Statistics.h"

#include <cstdio>

namespace {

class NoStartupEntry : public StartupRegistry {
public:
    void setRunValue(const std::string&, const std::string&) override { }
    void deleteRunValue(const std::string&) override { }
};

void ratio(const char* name, double action, const bench::Baseline& baseline)
{
    std::printf("ratio %s %.2f target 2  (action %.0f us; parse %.0f us + durable replace %.0f us)\n", name,
        action / (baseline.parseMicros + baseline.writeMicros), action, baseline.parseMicros, baseline.writeMicros);
}

} // namespace

int main()
{
    MemoryPolicy::keepFreedMemoryForReuse();
    const int items = 10000;
    const int runs = 31;
    const std::string folder = bench::tempFolder();
    const std::string path = folder + "/cardata.dat";
    const std::string bytes = bench::dataFileWith(items, items);
    bench::writeDurably(path, bytes);
    std::size_t sink = 0;

    bench::SilentPrompter prompter;
    NoStartupEntry noEntry;
    AppContext ctx(folder, folder + "/wheelbook", "", prompter);
    ctx.setStartupRegistry(&noEntry);
    AppSettings settings(ctx, noEntry);
    const SettingsForm form = settings.LoadSettings("").form;
    int counter = 0;

    // Each action and its baseline are measured in turns, so both see the same machine.
    bench::Baseline baseline;
    auto measure = [&](const std::function<void()>& action) {
        baseline = bench::measureBaseline(folder, path, bytes, runs, sink);
        return bench::medianMicros(runs, [&] {
            const AppContext::Action whole(ctx);
            action();
        });
    };

    // "&Analyze now!": the reading, the status rows, the statistics.
    const double analyze = measure([&] {
        const AnalyzeNowResult result = AnalyzeNow(ctx, std::to_string(25000 + ++counter), "Km", "USD");
        sink += result.status ? result.status->size() : 0;
    });
    ratio("analyze_10000", analyze, baseline);

    // "Update Fuel Info": the settings, three totals, the expense list.
    const double fuel = measure([&] {
        FuelInput input {"40", "60.5", "25000"};
        const FuelUpdate update
            = FuelEntry(ctx).UpdateFuelInfo(input, [&] { return settings.SaveSettings(form, false).saved; });
        sink += update.list.rows.size();
    });
    ratio("fuel_update_10000", fuel, baseline);

    // A consumable saved after Edit: the item, both lists again.
    const double consumable = measure([&] {
        ConsumablePanel panel(ctx);
        ConsumablePanelState state;
        state.addCaption = "Add";
        state.addEnabled = false;
        state.editCaption = "Cancel";
        state.saveEnabled = true;
        state.boxesLocked = false;
        state.itemName = " ITEM 05000";
        state.lastChanged = std::to_string(1000 + ++counter % 1000);
        state.changeAfter = "5000";
        const ConsumablePanelOutcome outcome = panel.clickSave(state, "25000", "Km");
        sink += outcome.lists.consumables ? outcome.lists.consumables->size() : 0;
    });
    ratio("consumable_save_10000", consumable, baseline);

    // An expense added to a category: the amount, the list, the statistics.
    const double expense = measure([&] {
        ExpenseEditor editor(ctx);
        MiscSaveInput input {"exp", " CATEGORY 05000", "1.5", "USD", 0};
        const MiscSaveResult result = editor.save(input);
        sink += result.list.rows.size();
        sink += ShowStatistics(ctx, "25000", "Km", "USD").totalExpense.size();
    });
    ratio("expense_add_10000", expense, baseline);

    std::filesystem::remove_all(folder);
    return sink == 42 ? 1 : 0;
}
