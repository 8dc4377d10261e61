// Times LoadConsumables and the status rows with the statistics against one plain read
// and parse of the same file. Every run starts from a cold store, as a fresh start would.
#include "BenchSupport.h"

#include "core/MemoryPolicy.h"
#include "core/Prompter.h"
#include "datafile/ProfileStore.h"
#include "domain/AppContext.h"
#include "domain/Consumables.h"
#include "domain/Statistics.h"

#include <cstdio>

namespace {

void measure(int items)
{
    const std::string folder = bench::tempFolder();
    const std::string path = folder + "/cardata.dat";
    const std::string bytes = bench::dataFileWith(items);
    bench::writeDurably(path, bytes);
    const int runs = items > 1000 ? 15 : 101;
    bench::SilentPrompter prompter;

    std::size_t sink = 0;
    const auto [parse, plainWrite] = bench::measureBaseline(folder, path, bytes, runs, sink);

    std::size_t rows = 0;
    const double load = bench::medianMicros(runs, [&] {
        AppContext ctx(folder, folder + "/wheelbook", "", prompter);
        const auto list = LoadConsumables(ctx);
        rows = list ? list->rows.size() : 0;
    });

    const double analysis = bench::medianMicros(runs, [&] {
        AppContext ctx(folder, folder + "/wheelbook", "", prompter);
        const auto status = AnalyzeConsumables(ctx, "25000", "Km");
        sink += status ? status->size() : 0;
        sink += ShowStatistics(ctx, "25000", "Km", "USD").totalDistance.size();
    });

    std::printf("ratio load_consumables_%d %.2f target 10  (%zu rows: %.0f us; parse %.0f us)\n", items, load / parse,
        rows, load, parse);
    std::printf("ratio status_and_statistics_%d %.2f target 10  (%.0f us)\n", items, analysis / parse, analysis);
    std::filesystem::remove_all(folder);
    if (sink == 42)
        std::printf(" \n");
}

} // namespace

int main()
{
    MemoryPolicy::keepFreedMemoryForReuse();
    measure(100);
    measure(10000);
    return 0;
}
