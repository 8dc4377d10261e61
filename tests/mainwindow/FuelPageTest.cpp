#include "PageTest.h"

namespace {

class FuelPageTest : public PageTest {
protected:
    void SetUp() override { open(3); }

    QWidget* label() { return f.find("lblFuelTotal"); }
    QLineEdit* editor() { return box("txtFuelTotal"); }
    bool editorClosed() { return editor()->isHidden() && editor()->text().isEmpty() && label()->isVisible(); }

    QString statistics()
    {
        return state({"lblFuelTotal", "lblTotalExpense", "lblTotalDistance", "lblFuelCostPerKm", "lblFuelAvgPer100"});
    }
};

} // namespace

TEST_F(FuelPageTest, AFillUpIsRefusedWithoutTheQuantityAndOtherwiseAddedExactly)
{
    EXPECT_EQ(statistics(), u"100 Litters 350  USD 1500 Km 0.2333 USD 6.67 Litters"_s);
    type("txtFuelCost", u"75.5"_s);
    f.prompter.expect("Required Data Missing!", MsgAnswer::Ok, "Please specify how much Fuel you filled in Car.");
    click(button("btnFuelAnalyze"));
    EXPECT_EQ(f.dataFile(), kSampleData);

    type("txtFuelFilled", u"5.2"_s);
    click(button("btnFuelAnalyze"));
    EXPECT_EQ(f.dataFile(),
        edited(kSampleData, {{"cost=350", "cost=426"}, {"total=100", "total=105.2"}, {"fuel=200", "fuel=275.5"}})
            + "[fuel log]\r\n1=" + kNow + "#2500#5.2#75.5\r\n");
    EXPECT_EQ(statistics(), u"105.2 Litters 350  USD 1500 Km 0.28 7.01 Litters"_s);
    EXPECT_EQ(linesOf(list("lstMisc")), QStringList({u" FUEL | 275.5 USD"_s, u" INSURANCE | 150 USD"_s}));
}

TEST_F(FuelPageTest, ADoubleClickOpensTheTotalsEditorWhichEnterStoresAndEscapeOrLeavingDrops)
{
    QTest::mouseDClick(label(), Qt::LeftButton);
    QTest::keyClick(editor(), Qt::Key_Escape);
    EXPECT_TRUE(editorClosed());
    QTest::mouseDClick(label(), Qt::LeftButton);
    box("txtFuelFilled")->setFocus(Qt::MouseFocusReason);
    EXPECT_TRUE(editorClosed());

    QTest::mouseDClick(label(), Qt::LeftButton);
    EXPECT_TRUE(label()->isHidden() && editor()->isVisible() && editor()->hasFocus());
    EXPECT_EQ(editor()->geometry(), label()->geometry());
    EXPECT_EQ(editor()->selectedText(), u"100"_s);
    QTest::keyClicks(editor(), u"1a2-0.5x"_s);
    EXPECT_EQ(editor()->text(), u"120.5"_s);
    f.prompter.expect("Are you sure?", MsgAnswer::Yes, "Are you sure you want to change Total Fuel value to 120.5 ?");
    QTest::keyClick(editor(), Qt::Key_Return);
    EXPECT_TRUE(editorClosed());
    EXPECT_EQ(f.dataFile(), edited(kSampleData, {{"total=100", "total=120.5"}}));
    EXPECT_EQ(statistics(), u"120.5 Litters 350  USD 1500 Km 0.2333 USD 8.03 Litters"_s);
}

TEST_F(FuelPageTest, HoldingTheRightButtonAndClickingTheLeftOpensTheExpenses)
{
    QWidget* figure = f.find("lblFuelCostPerKm");
    QTest::mouseClick(figure, Qt::LeftButton);
    EXPECT_EQ(f.main().tabMain()->currentIndex(), 3);
    QTest::mousePress(figure, Qt::RightButton);
    QTest::mouseClick(figure, Qt::LeftButton);
    EXPECT_EQ(f.main().tabMain()->currentIndex(), 2);
    QTest::mouseRelease(figure, Qt::RightButton);
}
