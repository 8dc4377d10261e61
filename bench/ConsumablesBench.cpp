// Times the domain side of "&Analyze now!" (the write, the status rows and the
// statistics) and of LoadConsumables against one plain read and parse of the same
// file. Every run starts from a cold store, as a fresh operation would.
#include "BenchSupport.h"

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

    int reading = 25000;
    const double analyzeNow = bench::medianMicros(runs, [&] {
        AppContext ctx(folder, folder + "/wheelbook", "", prompter);
        // A new reading each time, so the write really rewrites the file.
        const AnalyzeNowResult result = AnalyzeNow(ctx, std::to_string(++reading), "Km", "USD");
        sink += result.status ? result.status->size() : 0;
    });

    std::printf("%6d consumables (%zu bytes; %zu rows within the 50000-character key-list buffer)\n", items,
        bytes.size(), rows);
    std::printf("  one read and parse               %10.1f us\n", parse);
    std::printf("  one full durable write           %10.1f us\n", plainWrite);
    std::printf(
        "  LoadConsumables                  %10.1f us  ratio to one parse: %6.2f (target <= 10)\n", load, load / parse);
    std::printf(
        "  analysis rows and statistics     %10.1f us  ratio to one parse: %6.2f\n", analysis, analysis / parse);
    std::printf("  Analyze now (write, rows, stats) %10.1f us  ratio to one parse: %6.2f (target <= 10); "
                "to parse + durable write: %.2f\n",
        analyzeNow, analyzeNow / parse, analyzeNow / (parse + plainWrite));
    std::filesystem::remove_all(folder);
    if (sink == 42)
        std::printf(" \n");
}

} // namespace

int main()
{
    measure(100);
    measure(10000);
    return 0;
}
