// Start-up time of the real program (startup_real: splash interval 0, ends after the
// filled main window's first paint) against a bare main window with one label
// (startup_bare), as the ratio of their wall times from process start to exit.
// Both run from a temporary application folder beside a data file of N consumables and
// N expense categories, in alternating pairs; the ratio is the median of the pairs'.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr int kPairs = 21;

const std::array kConsumables {"Engine Oil", "Oil Filter", "Air Filter", "Cabin Air Filter", "Fuel Filter",
    "Spark Plugs", "Timing Belt", "Auxiliary Belt", "Front Brake Pads", "Rear Brake Pads", "Brake Discs", "Brake Fluid",
    "Coolant", "Gearbox Oil", "Power Steering Fluid", "Wiper Blades", "Front Tyres", "Rear Tyres", "Battery",
    "Clutch Kit", "Shock Absorbers", "Wheel Bearings", "Headlight Bulbs", "Water Pump"};
const std::array kExpenses {"Insurance", "Road Tax", "Parking", "Car Wash", "Tolls", "Servicing", "Repairs",
    "Roadworthiness Test", "Breakdown Cover", "Accessories", "Parking Fines", "Valeting", "Garage Rent", "Windscreen",
    "Car Loan Interest", "Congestion Charge"};

// The i-th of the names, with a running number once every name has been used.
template <typename Names> std::string nameAt(const Names& names, int i)
{
    const int size = static_cast<int>(names.size());
    std::string name = names[static_cast<std::size_t>(i % size)];
    if (i >= size) {
        name += ' ';
        name += std::to_string(i / size + 1);
    }
    return name;
}

// A data file as a user with n consumables and n expense categories keeps it; about a
// third of the consumables are due.
std::string dataFile(int n)
{
    std::string bytes = "[init]\r\nmiles=1000\r\n[app]\r\nmiles=25000\r\nunit=1\r\ncur=USD\r\nicur=0\r\ncost=0\r\n"
                        "startup=0\r\nsystray=0\r\nontop=0\r\n[fuel]\r\ntotal=1200.5\r\n[misc]\r\nfuel=1800.25\r\n";
    char amount[32];
    for (int i = 0; i < n; ++i) {
        std::snprintf(amount, sizeof amount, "%d.%02d", 20 + (i * 37) % 900, (i * 13) % 100);
        bytes += nameAt(kExpenses, i) + "=" + amount + "\r\n";
    }
    bytes += "[consumables]\r\n";
    for (int i = 0; i < n; ++i) {
        const int lastChanged = 1000 + (i * 997) % 20000;
        const int changeAfter = 5000 * (1 + i % 6);
        bytes
            += nameAt(kConsumables, i) + "=" + std::to_string(lastChanged) + "#" + std::to_string(changeAfter) + "\r\n";
    }
    return bytes;
}

// Runs the program to its end; its wall time in milliseconds from the start of the process.
double runMillis(const std::string& program)
{
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ) != 0) {
        std::fprintf(stderr, "cannot start %s\n", program.c_str());
        std::exit(1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    const auto stop = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s did not end after its first paint (status %d)\n", program.c_str(), status);
        std::exit(1);
    }
    return std::chrono::duration<double, std::milli>(stop - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

struct Target {
    int n;
    const char* target;
};

} // namespace

int main()
{
    // Windows are drawn off screen, and the programs keep their start-at-log-in file to themselves.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    char pattern[] = "/tmp/wheelbook-startup-XXXXXX";
    if (!mkdtemp(pattern))
        return 1;
    const fs::path root = pattern;
    setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);

    for (const Target& size : {Target {10, "1.5"}, Target {1000, "2"}, Target {10000, "3"}}) {
        // The application folder: both programs beside the data file.
        const fs::path folder = root / ("app-" + std::to_string(size.n));
        fs::create_directories(folder);
        const std::string real = (folder / "wheelbook").string();
        const std::string bare = (folder / "bare").string();
        fs::copy_file(WHEELBOOK_STARTUP_REAL, real);
        fs::copy_file(WHEELBOOK_STARTUP_BARE, bare);
        std::ofstream(folder / "cardata.dat", std::ios::binary) << dataFile(size.n);

        // One pair unmeasured, for the disk and font caches; then pairs in alternating order.
        runMillis(bare);
        runMillis(real);
        std::vector<double> bareTimes;
        std::vector<double> realTimes;
        std::vector<double> ratios;
        for (int pair = 0; pair < kPairs; ++pair) {
            double bareTime = 0;
            double realTime = 0;
            if (pair % 2) {
                realTime = runMillis(real);
                bareTime = runMillis(bare);
            } else {
                bareTime = runMillis(bare);
                realTime = runMillis(real);
            }
            bareTimes.push_back(bareTime);
            realTimes.push_back(realTime);
            ratios.push_back(realTime / bareTime);
        }
        std::printf("ratio startup_%d %.2f target %s\n", size.n, median(ratios), size.target);
        std::printf("  startup_%d: real %.1f ms, bare %.1f ms (medians of %d pairs); ratios %.2f-%.2f\n", size.n,
            median(realTimes), median(bareTimes), kPairs, *std::min_element(ratios.begin(), ratios.end()),
            *std::max_element(ratios.begin(), ratios.end()));
        std::fflush(stdout);
    }
    fs::remove_all(root);
    return 0;
}
