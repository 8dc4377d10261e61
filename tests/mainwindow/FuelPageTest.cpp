#include "AppFixture.h"

#include <QComboBox>
#include <QLabel>

#include <gtest/gtest.h>

namespace {

const char* const kData
    = "[init]\r\nmiles=1000\r\n[app]\r\nmiles=2500\r\nunit=1\r\nicur=9\r\ncost=350\r\nstartup=0\r\n"
      "systray=0\r\nontop=0\r\n[fuel]\r\ntotal=45.5\r\n[misc]\r\nInsurance=350\r\n[consumables]\r\n";

class FuelPageTest : public ::testing::Test {
protected:
    void open(const std::string& data)
    {
        frmMain& main = f.open(data);
        f.find<QComboBox>("cmbUnit")->setCurrentText(QStringLiteral("Km"));
        main.tabMain()->setCurrentIndex(3);
        // Focus changes reach only the active window.
        main.activateWindow();
        QApplication::setActiveWindow(&main);
        QApplication::processEvents();
    }

    QLabel* label(const char* name) { return f.find<QLabel>(name); }
    QLineEdit* box(const char* name) { return f.find<QLineEdit>(name); }
    QLineEdit* editor() { return box("txtFuelTotal"); }

    void openEditor() { QTest::mouseDClick(label("lblFuelTotal"), Qt::LeftButton); }

    bool editorClosed()
    {
        return editor()->isHidden() && editor()->text().isEmpty() && label("lblFuelTotal")->isVisible();
    }

    void updateFuel(const QString& filled, const QString& cost)
    {
        box("txtFuelFilled")->clear();
        QTest::keyClicks(box("txtFuelFilled"), filled);
        box("txtFuelCost")->clear();
        QTest::keyClicks(box("txtFuelCost"), cost);
        click(f.find("btnFuelAnalyze"));
    }

    AppFixture f;
};

} // namespace

TEST_F(FuelPageTest, TheStatisticsAtStartUseTheExactStoredAmounts)
{
    open(kData);
    EXPECT_EQ(label("lblTotalExpense")->text(), QStringLiteral("350  EUR"));
    EXPECT_EQ(label("lblFuelCostPerKm")->text(), QStringLiteral("0.2333 EUR"));
    // 45.5 litres over 1500 Km, not 46.
    EXPECT_EQ(label("lblFuelAvgPer100")->text(), QStringLiteral("3.03 Litters"));
}

TEST_F(FuelPageTest, TheFuelTotalEditorOpensOverTheLabelWithTheNumberSelected)
{
    open(kData);
    openEditor();
    EXPECT_TRUE(label("lblFuelTotal")->isHidden());
    EXPECT_TRUE(editor()->isVisible());
    EXPECT_EQ(editor()->geometry(), label("lblFuelTotal")->geometry());
    EXPECT_EQ(editor()->text(), QStringLiteral("45.5"));
    EXPECT_EQ(editor()->selectedText(), QStringLiteral("45.5"));
    EXPECT_TRUE(editor()->hasFocus());

    QTest::keyClicks(editor(), QStringLiteral("1a2-0.5x"));
    EXPECT_EQ(editor()->text(), QStringLiteral("120.5"));
}

TEST_F(FuelPageTest, EscapeAndLeavingTheBoxDropTheEdit)
{
    open(kData);
    openEditor();
    QTest::keyClicks(editor(), QStringLiteral("99"));
    QTest::keyClick(editor(), Qt::Key_Escape);
    EXPECT_TRUE(editorClosed());

    openEditor();
    QTest::keyClicks(editor(), QStringLiteral("99"));
    box("txtFuelFilled")->setFocus(Qt::MouseFocusReason);
    EXPECT_TRUE(editorClosed());

    EXPECT_EQ(label("lblFuelTotal")->text(), QStringLiteral("45.5 Litters"));
    EXPECT_EQ(f.dataFile(), kData);
}

TEST_F(FuelPageTest, EnterWithABlankTotalIsRefused)
{
    open(kData);
    openEditor();
    QTest::keyClick(editor(), Qt::Key_Backspace);
    f.prompter.expect(
        "Wrong Value specified!", MsgAnswer::Ok, "Total Fuel field can't be changed to an empty value ...");
    QTest::keyClick(editor(), Qt::Key_Return);
    EXPECT_TRUE(editorClosed());
    EXPECT_EQ(f.dataFile(), kData);
}

TEST_F(FuelPageTest, EnterAsksAndOnlyYesStoresTheTotalAsTyped)
{
    open(kData);
    openEditor();
    QTest::keyClicks(editor(), QStringLiteral("120.5"));
    f.prompter.expect("Are you sure?", MsgAnswer::No, "Are you sure you want to change Total Fuel value to 120.5 ?");
    QTest::keyClick(editor(), Qt::Key_Return);
    EXPECT_TRUE(editorClosed());
    EXPECT_EQ(f.dataFile(), kData);

    openEditor();
    QTest::keyClicks(editor(), QStringLiteral("120.5"));
    f.prompter.expect("Are you sure?", MsgAnswer::Yes);
    QTest::keyClick(editor(), Qt::Key_Enter);
    EXPECT_EQ(f.prompter.messages().back().buttons, MsgButtons::YesNo);
    EXPECT_TRUE(editorClosed());
    EXPECT_NE(f.dataFile().find("[fuel]\r\ntotal=120.5\r\n"), std::string::npos);
    EXPECT_EQ(label("lblFuelTotal")->text(), QStringLiteral("120.5 Litters"));
    EXPECT_EQ(label("lblFuelAvgPer100")->text(), QStringLiteral("8.03 Litters"));
    EXPECT_EQ(label("lblTotalDistance")->text(), QStringLiteral("1500 Km"));
}

TEST_F(FuelPageTest, HoldingTheRightButtonAndClickingTheLeftOpensTheExpenses)
{
    open(kData);
    QLabel* figure = label("lblFuelCostPerKm");
    QTabWidget* tabs = f.main().tabMain();

    QTest::mouseClick(figure, Qt::LeftButton);
    QTest::mouseClick(figure, Qt::RightButton);
    QTest::mouseClick(figure, Qt::LeftButton);
    QTest::mousePress(figure, Qt::MiddleButton);
    QTest::mouseClick(figure, Qt::LeftButton);
    QTest::mouseRelease(figure, Qt::MiddleButton);
    EXPECT_EQ(tabs->currentIndex(), 3);

    QTest::mousePress(figure, Qt::RightButton);
    QTest::mousePress(figure, Qt::LeftButton);
    QTest::mouseRelease(figure, Qt::LeftButton);
    EXPECT_EQ(tabs->currentIndex(), 2);
    QTest::mouseRelease(figure, Qt::RightButton);
}

TEST_F(FuelPageTest, TheFuelBoxesTakeDigitsAndPoints)
{
    open(kData);
    QTest::keyClicks(box("txtFuelFilled"), QStringLiteral("4a0.-5"));
    QTest::keyClicks(box("txtFuelCost"), QStringLiteral("1.2.3e"));
    EXPECT_EQ(box("txtFuelFilled")->text(), QStringLiteral("40.5"));
    EXPECT_EQ(box("txtFuelCost")->text(), QStringLiteral("1.2.3"));
}

TEST_F(FuelPageTest, BlankFieldsAndBadValuesAreRefusedWithNothingStored)
{
    open(kData);
    f.prompter.expect("Required Data Missing!", MsgAnswer::Ok, "Please specify how much Fuel you filled in Car.");
    updateFuel({}, {});
    f.prompter.expect("Required Data Missing ...", MsgAnswer::Ok, "Please specify how much you paid for 40 Litters.");
    updateFuel(QStringLiteral("40"), {});
    f.prompter.expect("Wrong Value specified!", MsgAnswer::Ok,
        "The Cost of Fuel \"1.2.3\" is not a number. Please correct it; nothing was saved.");
    updateFuel(QStringLiteral("40"), QStringLiteral("1.2.3"));
    EXPECT_EQ(f.dataFile(), kData);
    EXPECT_EQ(label("lblFuelTotal")->text(), QStringLiteral("45.5 Litters"));
    EXPECT_EQ(f.main().tabMain()->currentIndex(), 3);
}

TEST_F(FuelPageTest, AMissingInitialReadingIsNamedAndNothingIsStored)
{
    open(kData);
    // The initial reading went missing after the window was set up.
    const std::string data = "[init]\r\n[app]\r\nmiles=2500\r\nunit=1\r\nicur=9\r\n[consumables]\r\n";
    f.dir.write("cardata.dat", data);
    f.prompter.expect("Required Data Missing!", MsgAnswer::Ok,
        "The Car-Run when Wheelbook was installed (\"\") is missing or not a whole number. Set it on the Settings "
        "tab first; nothing was saved.");
    updateFuel(QStringLiteral("40"), QStringLiteral("60"));
    EXPECT_EQ(f.dataFile(), data);
}

TEST_F(FuelPageTest, TheFirstFillUpAtTheInitialReadingShowsZeroFiguresButStoresTheTotals)
{
    open("[init]\r\nmiles=1000\r\n[app]\r\nmiles=1000\r\nunit=1\r\nicur=9\r\ncost=0\r\nstartup=0\r\nsystray=0\r\n"
         "ontop=0\r\n[fuel]\r\ntotal=0\r\n[misc]\r\n[consumables]\r\n");
    updateFuel(QStringLiteral("40"), QStringLiteral("60"));
    EXPECT_EQ(label("lblFuelAvgPer100")->text(), QStringLiteral("0 Litters"));
    EXPECT_EQ(label("lblFuelCostPerKm")->text(), QStringLiteral("0"));
    EXPECT_EQ(label("lblFuelTotal")->text(), QStringLiteral("40 Litters"));
    const std::string data = f.dataFile();
    EXPECT_NE(data.find("total=40\r\n"), std::string::npos) << data;
    EXPECT_NE(data.find("[misc]\r\nfuel=60\r\n"), std::string::npos) << data;
    EXPECT_NE(data.find("cost=60\r\n"), std::string::npos) << data;
    // The expense list is refilled at the end, the fuel category included.
    EXPECT_EQ(rowsOf(f.find<QTreeWidget>("lstMisc")), QStringList {QStringLiteral(" FUEL")});
    EXPECT_EQ(f.main().tabMain()->currentIndex(), 3);
    // The boxes keep what was typed.
    EXPECT_EQ(box("txtFuelFilled")->text(), QStringLiteral("40"));
}

TEST_F(FuelPageTest, FiftyLitresForSeventyFiveOverAThousandAverageFive)
{
    open("[init]\r\nmiles=1000\r\n[app]\r\nmiles=2000\r\nunit=1\r\nicur=9\r\ncost=0\r\nstartup=0\r\nsystray=0\r\n"
         "ontop=0\r\n[fuel]\r\ntotal=0\r\n[misc]\r\n[consumables]\r\n");
    updateFuel(QStringLiteral("50"), QStringLiteral("75"));
    EXPECT_EQ(label("lblFuelAvgPer100")->text(), QStringLiteral("5 Litters"));
    // 0.075 a Km, to 2 decimals with ties to even.
    EXPECT_EQ(label("lblFuelCostPerKm")->text(), QStringLiteral("0.08"));
    EXPECT_EQ(label("lblFuelTotal")->text(), QStringLiteral("50 Litters"));
    const std::string data = f.dataFile();
    EXPECT_NE(data.find("total=50\r\n"), std::string::npos) << data;
    EXPECT_NE(data.find("fuel=75\r\n"), std::string::npos) << data;
}

TEST_F(FuelPageTest, FillUpsAddTheExactAmounts)
{
    open("[init]\r\nmiles=1000\r\n[app]\r\nmiles=2000\r\nunit=1\r\nicur=9\r\ncost=0\r\nstartup=0\r\nsystray=0\r\n"
         "ontop=0\r\n[fuel]\r\ntotal=10.3\r\n[misc]\r\nfuel=0.25\r\n[consumables]\r\n");
    updateFuel(QStringLiteral("5.2"), QStringLiteral("75.5"));
    EXPECT_EQ(label("lblFuelTotal")->text(), QStringLiteral("15.5 Litters"));
    EXPECT_EQ(label("lblFuelAvgPer100")->text(), QStringLiteral("1.55 Litters"));
    const std::string data = f.dataFile();
    EXPECT_NE(data.find("total=15.5\r\n"), std::string::npos) << data;
    EXPECT_NE(data.find("fuel=75.75\r\n"), std::string::npos) << data;
    EXPECT_NE(data.find("cost=76\r\n"), std::string::npos) << data;
}
