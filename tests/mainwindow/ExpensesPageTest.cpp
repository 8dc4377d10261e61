#include "PageTest.h"

namespace {

const QString kBrowsing = u"&Add+ &Save- &Delete+ lstMisc+ locked '' locked ''"_s;

class ExpensesPageTest : public PageTest {
protected:
    void SetUp() override { open(2); }

    QString editor()
    {
        return state({"btnMiscEdit", "btnMiscSave", "btnMiscDelete", "lstMisc", "txtCatName", "txtExpences"});
    }
};

} // namespace

TEST_F(ExpensesPageTest, ADoubleClickFillsTheBoxesForThePopUpWhichOnlyAMouseReleaseOpensAndForDelete)
{
    EXPECT_EQ(release(nullptr, Qt::NoButton), QString());
    EXPECT_EQ(release(), u"Add Expense to -category-- / Edit Category- / - / Add new Category ...+"_s);
    combo("cmbCur")->setCurrentIndex(50);
    doubleClick("lstMisc"); // below the rows: nothing is selected
    EXPECT_EQ(editor(), u"&Add+ &Save+ &Delete+ lstMisc+ locked '' locked ''"_s); // Save is enabled at start
    doubleClick("lstMisc", u" INSURANCE"_s);
    EXPECT_EQ(editor(), u"&Add+ &Save+ &Delete+ lstMisc+ locked ' INSURANCE' locked '150'"_s);
    EXPECT_EQ(combo("cmbCur")->currentIndex(), 0);
    EXPECT_EQ(release(nullptr, Qt::RightButton),
        u"Add Expense to  INSURANCE+ / Edit Category+ / - / Add new Category ...+"_s);
    EXPECT_EQ(f.main().Action(), QString()); // closed without a choice

    // The pop-up's end dropped the selection; the same button, released again, cancels an edit.
    doubleClick("lstMisc", u" INSURANCE"_s);
    release("mnuMiscEdit");
    EXPECT_EQ(
        f.main().Action() + u' ' + editor(), u"edt &Cancel+ &Save+ &Delete- lstMisc- open ' INSURANCE' open '150'"_s);
    EXPECT_TRUE(focused("txtCatName"));
    type("txtCatName", u"Tax"_s);
    release();
    EXPECT_EQ(editor(), kBrowsing);

    // Delete empties and locks the boxes the double-click filled.
    doubleClick("lstMisc", u" INSURANCE"_s);
    f.prompter.expect("Are you sure?", MsgAnswer::Yes,
        "Are you sure you want to Delete  INSURANCE from Miscellaneous Items Database?");
    click(button("btnMiscDelete"));
    EXPECT_EQ(editor(), kBrowsing);
    EXPECT_EQ(f.dataFile(),
        edited(kSampleData, {{"cost=350", "cost=200"}, {"Insurance=150\r\n", ""}}) + "[expense log]\r\n1=" + kNow
            + "#delete#150#Insurance\r\n");
}

TEST_F(ExpensesPageTest, EnterSavesANewCategoryAndAnExpenseInTheChosenCurrency)
{
    release("mnuMiscAddCat");
    EXPECT_EQ(f.main().Action() + u' ' + editor(), u"new &Cancel+ &Save+ &Delete- lstMisc- open '' open '0'"_s);
    EXPECT_TRUE(focused("txtCatName"));
    f.prompter.expect("Required Data Missing!", MsgAnswer::Ok, "Please specify Category Name.");
    click(button("btnMiscSave"));
    EXPECT_EQ(button("btnMiscEdit")->Caption(), u"&Cancel"_s);
    EXPECT_EQ(f.dataFile(), kSampleData);

    QTest::keyClicks(box("txtCatName"), u"R&D"_s);
    type("txtExpences", u"0150"_s);
    QTest::keyClick(box("txtCatName"), Qt::Key_Return);
    EXPECT_EQ(editor(), kBrowsing);
    EXPECT_EQ(linesOf(list("lstMisc")).last(), u" R&D | 0150 USD"_s);

    doubleClick("lstMisc", u" R&D"_s);
    EXPECT_EQ(release("mnuMiscAddExp"), u"Add Expense to  R&&D+ / Edit Category+ / - / Add new Category ...+"_s);
    EXPECT_EQ(
        f.main().Action() + u' ' + editor(), u"exp &Cancel+ &Save+ &Delete- lstMisc- locked ' R&D' open '0150'"_s);
    EXPECT_TRUE(focused("txtExpences"));
    EXPECT_EQ(box("txtExpences")->selectedText(), u"0150"_s);
    QTest::keyClicks(box("txtExpences"), u"10.5"_s);
    combo("cmbCur")->setCurrentIndex(9);
    QTest::keyClick(box("txtExpences"), Qt::Key_Enter);
    EXPECT_EQ(editor(), kBrowsing);
    EXPECT_EQ(linesOf(list("lstMisc")).last(), u" R&D | 160.5 EUR"_s);
    EXPECT_EQ(f.dataFile(),
        edited(kSampleData,
            {{"cur=USD\r\nicur=0\r\ncost=350", "cur=EUR\r\nicur=9\r\ncost=510"},
                {"Insurance=150\r\n", "Insurance=150\r\nR&D=160.5\r\n"}})
            + "[expense log]\r\n1=" + kNow + "#new#150#R&D\r\n2=" + kNow + "#add#10.5#R&D\r\n");
}
