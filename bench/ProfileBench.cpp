// Times the data file's access patterns against one plain read and parse of the same file:
// the list fill (the key list, then one read per key, each after setting the file again)
// and one write.
#include "BenchSupport.h"

#include "core/MemoryPolicy.h"
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
        store.begin(path); // one operation: the file is proven once
        ini.SetINIFile(path, 50000);
        const auto names = splitKeyList(ini.ReadINIKeys("consumables"));
        keysRead = names.size();
        for (const auto& name : names) {
            ini.SetINIFile(path, 50000);
            sink += ini.ReadINI("consumables", name, "").size();
        }
        store.end();
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

    std::printf("ratio list_fill_%d %.2f target 5  (%zu keys, %zu bytes: fill %.0f us, parse %.0f us)\n", items,
        listFill / parse, keysRead, bytes.size(), listFill, parse);
    std::printf("ratio write_%d %.2f target 3  (one WriteINI %.0f us; parse %.0f us + durable write %.0f us)\n", items,
        oneWrite / (parse + plainWrite), oneWrite, parse, plainWrite);
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
