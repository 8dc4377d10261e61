#include "PageTest.h"

#include "mainwindow/frmRestore.h"

#include <filesystem>

namespace {

const std::string kBackup = "[init]\r\nmiles=1000\r\n[app]\r\nmiles=1800\r\nunit=1\r\ncost=50\r\n[misc]\r\nfuel=50\r\n["
                            "consumables]\r\nOil=1500#1000\r\n";

class RestoreDialog : public PageTest { };

} // namespace

TEST_F(RestoreDialog, ListsTheBackUpsAndPutsTheChosenOneInPlaceOfTheDataFile)
{
    open(2);
    std::filesystem::create_directory(f.dir.file("backups"));
    const std::string unreadable = "miles=1800\r\n[app]\r\n";
    f.dir.write("backups/cardata-2026-05-21.dat", unreadable);
    f.dir.write("backups/cardata-2026-05-20.dat", kBackup);
    f.dir.write("backups/cardata-2026-05-19-081500-before-restore.dat", kSampleData);
    f.main().findChild<QAction*>(u"mnuLogRestore"_s)->trigger();
    auto* dialog = f.main().findChild<frmRestore*>();
    ASSERT_TRUE(dialog && dialog->isVisible());
    auto size = [](const std::string& bytes) { return QString::number(bytes.size()) + u" bytes"_s; };
    EXPECT_EQ(linesOf(dialog->lstBackups()),
        QStringList({u"2026-05-21 | "_s + size(unreadable) + u" | unreadable | "_s,
            u"2026-05-20 | "_s + size(kBackup) + u" | 1 | 1"_s,
            u"2026-05-19 08:15:00 (before a restore) | "_s + size(kSampleData) + u" | 2 | 2"_s}));

    // The unreadable one is chosen: neither the button nor Enter restores it.
    EXPECT_FALSE(button("btnRestore")->isEnabled());
    QTest::keyClick(dialog->lstBackups(), Qt::Key_Return);
    EXPECT_EQ(f.dataFile(), kSampleData);

    dialog->lstBackups()->setCurrentItem(dialog->lstBackups()->topLevelItem(1));
    f.prompter.expect("Restore a Back-up", MsgAnswer::Yes,
        "Restore the data of 2026-05-20? The present data is kept as a back-up too.");
    click(button("btnRestore"));
    EXPECT_EQ(f.prompter.messages().back().icon, MsgIcon::Question);
    EXPECT_EQ(f.dataFile(), kBackup);
    EXPECT_EQ(f.dir.read("backups/cardata-2026-05-28-123400-before-restore.dat"), kSampleData);
    EXPECT_EQ(state({"txtMiles", "lblFuelFilledMiles"}), u"open '1800' 1800"_s);
    EXPECT_EQ(linesOf(list("lstStatus")), QStringList({u" OIL | Ok. Change needed after 700 Km."_s}));
    EXPECT_EQ(linesOf(list("lstMisc")), QStringList({u" FUEL | 50 USD"_s}));
    EXPECT_EQ(f.main().tabMain()->currentIndex(), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !f.main().findChild<frmRestore*>(); }, 2000));
}
