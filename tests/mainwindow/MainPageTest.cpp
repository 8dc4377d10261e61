#include "AppFixture.h"

#include <QClipboard>
#include <QComboBox>
#include <QLabel>

#include <gtest/gtest.h>

namespace {

const char* const kData = "[init]\r\nmiles=1000\r\n[app]\r\nmiles=2500\r\nunit=1\r\nicur=9\r\ncost=350\r\n"
                          "[fuel]\r\ntotal=100\r\n[consumables]\r\nOil=100#5000\r\nAir Filter=0#15000\r\n";

// Opens the window with the distance unit shown as Km.
frmMain& openInKm(AppFixture& f, const std::string& data = kData)
{
    frmMain& main = f.open(data);
    f.find<QComboBox>("cmbUnit")->setCurrentText(QStringLiteral("Km"));
    return main;
}

void typeReading(AppFixture& f, const QString& keys)
{
    auto* txtMiles = f.find<QLineEdit>("txtMiles");
    txtMiles->clear();
    QTest::keyClicks(txtMiles, keys);
}

} // namespace

TEST(MainPage, AnalyzeNowStoresTheReadingAndShowsDueAndOkRows)
{
    AppFixture f;
    openInKm(f);
    typeReading(f, QStringLiteral("5100"));
    click(f.find("btnConfirm"));

    EXPECT_NE(f.dataFile().find("[app]\r\nmiles=5100\r\n"), std::string::npos);
    EXPECT_EQ(f.find<QLabel>("lblFuelFilledMiles")->text(), QStringLiteral("5100"));

    auto* lstStatus = f.find<QTreeWidget>("lstStatus");
    ASSERT_EQ(lstStatus->topLevelItemCount(), 2);
    EXPECT_EQ(rowsOf(lstStatus), (QStringList {QStringLiteral(" OIL"), QStringLiteral(" AIR FILTER")}));
    QTreeWidgetItem* due = lstStatus->topLevelItem(0);
    EXPECT_EQ(due->text(1), QStringLiteral("[OIL] change needed! ( 0 Km ago.)"));
    EXPECT_EQ(due->foreground(1).color(), QColor(255, 0, 0));
    EXPECT_TRUE(due->font(0).bold());
    EXPECT_TRUE(due->font(1).bold());
    EXPECT_FALSE(due->icon(0).isNull());
    QTreeWidgetItem* ok = lstStatus->topLevelItem(1);
    EXPECT_EQ(ok->text(1), QStringLiteral("Ok. Change needed after 9900 Km."));
    EXPECT_EQ(ok->foreground(1).color(), QColor(0, 0, 0));
    EXPECT_FALSE(ok->font(1).bold());

    // The statistics follow the new reading: 4100 Km since installation.
    EXPECT_EQ(f.find<QLabel>("lblTotalDistance")->text(), QStringLiteral("4100 Km"));
    EXPECT_EQ(f.find<QLabel>("lblTotalExpense")->text(), QStringLiteral("350  EUR"));
    EXPECT_EQ(f.find<QLabel>("lblFuelCostPerKm")->text(), QStringLiteral("0.0854 EUR"));
    EXPECT_EQ(f.find<QLabel>("lblFuelAvgPer100")->text(), QStringLiteral("2.44 Litters"));

    // Another unit changes only the word.
    f.find<QComboBox>("cmbUnit")->setCurrentText(QStringLiteral("Miles"));
    typeReading(f, QStringLiteral("5350"));
    click(f.find("btnConfirm"));
    EXPECT_EQ(lstStatus->topLevelItem(0)->text(1), QStringLiteral("[OIL] change needed! ( 250 Miles ago.)"));
    EXPECT_EQ(lstStatus->topLevelItem(1)->text(1), QStringLiteral("Ok. Change needed after 9650 Miles."));
}

TEST(MainPage, ABlankReadingIsRefusedAndTheFocusGoesBackToTheBox)
{
    AppFixture f;
    frmMain& main = openInKm(f);
    main.activateWindow();
    QApplication::setActiveWindow(&main);
    const std::string before = f.dataFile();
    const QStringList remarks = rowsOf(f.find<QTreeWidget>("lstStatus"), 1);
    auto* txtMiles = f.find<QLineEdit>("txtMiles");
    txtMiles->clear();
    f.find("btnConfirm")->setFocus();

    f.prompter.expect("Required Data Missing!", MsgAnswer::Ok, "Please specify current Km-reading of your Car.");
    click(f.find("btnConfirm"));
    EXPECT_EQ(f.prompter.messages().back().icon, MsgIcon::Information);
    EXPECT_TRUE(txtMiles->hasFocus());
    EXPECT_EQ(f.dataFile(), before);
    EXPECT_EQ(f.find<QLabel>("lblFuelFilledMiles")->text(), QStringLiteral("2500"));
    EXPECT_EQ(rowsOf(f.find<QTreeWidget>("lstStatus"), 1), remarks);
}

TEST(MainPage, TheReadingBoxTakesDigitsOnly)
{
    AppFixture f;
    openInKm(f);
    auto* txtMiles = f.find<QLineEdit>("txtMiles");
    typeReading(f, QStringLiteral("12a.-b 3,"));
    QTest::keyClick(txtMiles, Qt::Key_Return);
    EXPECT_EQ(txtMiles->text(), QStringLiteral("123"));
    QTest::keyClick(txtMiles, Qt::Key_Backspace);
    EXPECT_EQ(txtMiles->text(), QStringLiteral("12"));

    // A paste with anything but digits is refused whole; digits go in.
    QApplication::clipboard()->setText(QStringLiteral("4x"));
    txtMiles->paste();
    EXPECT_EQ(txtMiles->text(), QStringLiteral("12"));
    QApplication::clipboard()->setText(QStringLiteral("45"));
    txtMiles->paste();
    EXPECT_EQ(txtMiles->text(), QStringLiteral("1245"));
}

TEST(MainPage, NoStoredConsumablesLeaveTheStatusListAsItWas)
{
    AppFixture f;
    openInKm(f);
    f.dir.write("cardata.dat", "[init]\r\nmiles=1000\r\n[app]\r\nmiles=2500\r\n[consumables]\r\n");
    typeReading(f, QStringLiteral("3000"));
    click(f.find("btnConfirm"));
    EXPECT_EQ(rowsOf(f.find<QTreeWidget>("lstStatus")),
        (QStringList {QStringLiteral(" OIL"), QStringLiteral(" AIR FILTER")}));
    EXPECT_EQ(f.find<QLabel>("lblFuelFilledMiles")->text(), QStringLiteral("3000"));
}

TEST(MainPage, AMalformedEntryGetsItsRowAndTheOthersAreStillJudged)
{
    AppFixture f;
    openInKm(f, "[init]\r\nmiles=1000\r\n[app]\r\nmiles=2500\r\n[consumables]\r\nBelt=abc\r\nOil=100#5000\r\n");
    click(f.find("btnConfirm"));
    auto* lstStatus = f.find<QTreeWidget>("lstStatus");
    ASSERT_EQ(lstStatus->topLevelItemCount(), 2);
    EXPECT_EQ(lstStatus->topLevelItem(0)->text(1), QStringLiteral("The stored value \"abc\" is not valid."));
    EXPECT_EQ(lstStatus->topLevelItem(1)->text(1), QStringLiteral("Ok. Change needed after 2600 Km."));
}
