#include "DomainFixture.h"

#include <filesystem>

namespace {

class BackupsTest : public DomainFixture {
protected:
    void SetUp() override
    {
        ctx.backups().setClock([this] { return m_now; });
        writeData("[app]\nmiles=1\n");
    }
    void write(const char* miles)
    {
        const AppContext::Action action(ctx);
        ctx.dataFile().WriteINI("app", "miles", miles);
    }
    void nextDay() { m_now += 24 * 3600; }
    std::vector<std::string> backups()
    {
        std::vector<std::string> names;
        for (const DailyBackups::Backup& backup : ctx.backups().list())
            names.push_back(std::filesystem::path(backup.path).filename().string());
        return names;
    }

private:
    std::time_t m_now = 1780000000; // 2026-05-28, midday here and in most zones
};

} // namespace

TEST_F(BackupsTest, TheFirstChangeOfADayKeepsTheFileAsItWasAndThirtyDaysAreKept)
{
    write("2");
    write("3");
    ASSERT_EQ(backups().size(), 1u) << "one back-up a day";
    EXPECT_EQ(readFileBytes(ctx.backups().list().front().path), crlf("[app]\nmiles=1\n"));
    EXPECT_EQ(data(), crlf("[app]\nmiles=3\n"));
    const std::string first = backups().front();
    for (int day = 2; day <= 30; ++day) {
        nextDay();
        write(std::to_string(day * 10).c_str());
    }
    EXPECT_EQ(backups().size(), 30u);
    EXPECT_EQ(backups().back(), first);
    nextDay();
    write("310"); // the 31st day: the oldest goes
    EXPECT_EQ(backups().size(), 30u);
    EXPECT_NE(backups().back(), first);
    EXPECT_EQ(readFileBytes(ctx.backups().list().front().path), crlf("[app]\nmiles=300\n"));
}

TEST_F(BackupsTest, ADataFileThatIsALinkIsKeptByItsBytesNotByTheLink)
{
    namespace fs = std::filesystem;
    const std::string real = dir.file("elsewhere/cardata.dat");
    fs::create_directory(dir.file("elsewhere"));
    fs::rename(dir.file("cardata.dat"), real);
    fs::create_symlink(real, dir.file("cardata.dat"));
    write("2");
    const std::string backup = ctx.backups().list().front().path;
    EXPECT_FALSE(fs::is_symlink(backup));
    EXPECT_EQ(readFileBytes(backup), crlf("[app]\nmiles=1\n"));
    EXPECT_EQ(readFileBytes(real), crlf("[app]\nmiles=2\n"));
}

TEST_F(BackupsTest, ABackUpThatCannotBeMadeIsReportedOnceAndTheChangeIsStored)
{
    dir.write("backups", "not a folder");
    expect("Back-up Not Made!",
        "Wheelbook could not make today's back-up of its data file in " + dir.file("backups") + ": "
            + std::make_error_code(std::errc::file_exists).message() + "\r\n\r\nYour change is stored all the same.",
        Warning);
    write("2");
    EXPECT_EQ(data(), crlf("[app]\nmiles=2\n"));
    nextDay();
    write("3"); // once a run
    EXPECT_EQ(data(), crlf("[app]\nmiles=3\n"));
}

TEST_F(BackupsTest, ARestoreKeepsThePresentFileAndPutsTheBackUpInItsPlace)
{
    write("2");
    nextDay();
    write("3");
    const auto all = ctx.backups().list();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(ctx.backups().restore(all.back()), std::nullopt);
    EXPECT_EQ(data(), crlf("[app]\nmiles=1\n"));
    const auto after = ctx.backups().list();
    ASSERT_EQ(after.size(), 3u);
    EXPECT_FALSE(after.front().time.empty());
    EXPECT_EQ(readFileBytes(after.front().path), crlf("[app]\nmiles=3\n"));
    EXPECT_EQ(stored("app", "miles"), "1") << "the store reads the restored file";
}
