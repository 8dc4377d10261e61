// Times the data file's access patterns against one plain read and parse of the same file:
// the list fill (the key list, then one read per key, each after setting the file again)
// and one write.
#include "BenchSupport.h"

#include "core/Prompter.h"
#include "datafile/ProfileStore.h"
#include "datafile/mINIFunctions.h"

#include <cstdio>

namespace {

void measure(int items)
{
    const std::string folder = bench::tempFolder();
    const std::string path = folder + "/cardata.dat";
    const std::string bytes = bench::dataFileWith(items);
    bench::writeDurably(path, bytes);
    const int runs = items > 1000 ? 15 : 101;

    std::size_t sink = 0;
    const auto [parse, plainWrite] = bench::measureBaseline(folder, path, bytes, runs, sink);

    std::size_t keysRead = 0;
    const double listFill = bench::medianMicros(runs, [&] {
        bench::SilentPrompter prompter;
        ProfileStore store;
        mINIFunctions ini(prompter, store);
        ProfileStore::Snapshot snapshot(store);
        ini.SetINIFile(path, 50000);
        const auto names = splitKeyList(ini.ReadINIKeys("consumables"));
        keysRead = names.size();
        for (const auto& name : names) {
            ini.SetINIFile(path, 50000);
            sink += ini.ReadINI("consumables", name, "").size();
        }
    });

    bench::SilentPrompter prompter;
    ProfileStore store;
    mINIFunctions ini(prompter, store);
    int reading = 30000;
    const double oneWrite = bench::medianMicros(runs, [&] {
        // A fresh store each time: the write must read the file as it is on disk.
        store.clearCache();
        ini.SetINIFile(path, 50000);
        ini.WriteINI("app", "miles", std::to_string(++reading));
    });

    std::printf("%6d consumables (%zu bytes; %zu keys listed within the 50000-character buffer)\n", items, bytes.size(),
        keysRead);
    std::printf("  one read and parse           %10.1f us\n", parse);
    std::printf("  one full durable write       %10.1f us\n", plainWrite);
    std::printf("  list fill (keys + one read each) %6.1f us  ratio to one parse: %.2f (target <= 5)\n", listFill,
        listFill / parse);
    std::printf("  one WriteINI                 %10.1f us  ratio to parse + full write: %.2f (target <= 3)\n", oneWrite,
        oneWrite / (parse + plainWrite));
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
