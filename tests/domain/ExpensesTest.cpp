#include "domain/ExpenseEditor.h"
#include "domain/ExpenseList.h"

#include "DomainFixture.h"

#include <sstream>
#include <tuple>

namespace {
const std::string kMisc = "[app]\nicur=9\ncur=EUR\n[misc]\nfuel=40\ninsurance=161.5\nsmall=0.2\n";

// The editor's controls on one line: the action, btnMiscEdit's caption, 1/0 for Save, Delete, the list, txtCatName
// and txtExpences read-only and select-all, the two boxes, the focus (0 none, 1 name, 2 amount) and cmbCur's
// selection; "-" for a control left as it is.
std::string controls(const MiscEditorView& v)
{
    std::ostringstream s;
    s << v.action.value_or("-") << ' ' << v.editCaption << ' ' << v.saveEnabled << v.deleteEnabled << v.listEnabled
      << v.catNameReadOnly << v.expencesReadOnly << v.selectAllExpences << " '" << v.catName.value_or("-") << "' '"
      << v.expences.value_or("-") << "' " << static_cast<int>(v.focus) << ' '
      << (v.currencyIndex ? std::to_string(*v.currencyIndex) : "-");
    return s.str();
}

using ExpenseListTest = DomainFixture;

class ExpenseEditorTest : public DomainFixture {
protected:
    ExpenseEditorTest() { writeData(kMisc); }
    MiscSaveResult save(std::string action, std::string name, std::string amount)
    {
        return editor.save({std::move(action), std::move(name), std::move(amount), "GBP", 123});
    }
    ExpenseEditor editor {ctx};
};
} // namespace

TEST_F(ExpenseListTest, ListsEveryCategoryAndStoresTheExactSumRoundedOnceOrLeavesItAlone)
{
    writeData("[app]\nicur=13\n[misc]\nfuel=40.5\nOil=20.5\n");
    const MiscListFill fill = ExpenseList(ctx).LoadMiscList();
    EXPECT_FALSE(fill.keepList);
    EXPECT_EQ(fill.rows, (std::vector<ListRow> {{" FUEL", {"40.5 USD"}, 3}, {" OIL", {"20.5 USD"}, 3}}));
    EXPECT_EQ(fill.tag, "13");
    EXPECT_EQ(data(), crlf("[app]\nicur=13\ncost=61\n[misc]\nfuel=40.5\nOil=20.5\n"));
    // Rounded once at the end, ties to even, and kept beyond 16 bits.
    for (const auto& [misc, cost] :
        {std::pair {"a=2.5\nb=0.5\n", "3"}, {"a=2\nb=0.5\n", "2"}, {"insurance=30000\nrepairs=5000.25\n", "35000"}}) {
        writeData(std::string("[misc]\n") + misc);
        EXPECT_EQ(ExpenseList(ctx).LoadMiscList().tag, "1"); // "icur" missing
        EXPECT_EQ(stored("app", "cost"), cost) << misc;
    }
    // An empty section, a bad category or no file leaves the total alone.
    writeData("[app]\ncost=7\ncur=EUR\n[misc]\n");
    const MiscListFill empty = ExpenseList(ctx).LoadMiscList();
    EXPECT_EQ(std::tie(empty.keepList, empty.rows, empty.tag),
        std::make_tuple(false, std::vector<ListRow>(), std::optional<std::string>()));
    EXPECT_EQ(data(), crlf("[app]\ncost=7\ncur=EUR\n[misc]\n"));
    writeData("[app]\ncost=7\ncur=EUR\n[misc]\nfuel=10\nparking=1.2.3\n");
    expect("Invalid Expense Value!",
        "These expense categories do not hold an amount Wheelbook can add up:\r\n\r\nPARKING: \"1.2.3\"\r\n\r\n"
        "The total of expenses is left as it was. Correct them with Edit Category.",
        Warning);
    EXPECT_EQ(ExpenseList(ctx).LoadMiscList().rows,
        (std::vector<ListRow> {{" FUEL", {"10 EUR"}, 3}, {" PARKING", {"1.2.3 EUR"}, 3}}));
    EXPECT_EQ(data(), crlf("[app]\ncost=7\ncur=EUR\n[misc]\nfuel=10\nparking=1.2.3\n"));
    std::remove(dir.file("cardata.dat").c_str());
    expect("Missing Data File ...", kMissingFileText, Critical);
    EXPECT_TRUE(ExpenseList(ctx).LoadMiscList().keepList);
}

TEST_F(ExpenseEditorTest, EachMenuItemSetsItsMode)
{
    EXPECT_EQ(controls(*editor.startEdit(MiscMenuItem::AddCategory, std::nullopt)), "new &Cancel 100000 '' '0' 1 9");
    // The boxes keep the chosen category; the fuel category keeps its name.
    EXPECT_EQ(controls(*editor.startEdit(MiscMenuItem::AddExpense, " OIL")), "exp &Cancel 100101 '-' '-' 2 9");
    EXPECT_EQ(controls(*editor.startEdit(MiscMenuItem::EditCategory, " OIL")), "edt &Cancel 100000 '-' '-' 1 9");
    EXPECT_EQ(controls(*editor.startEdit(MiscMenuItem::EditCategory, " FUEL")), "edt &Cancel 100100 '-' '-' 2 9");
    EXPECT_FALSE(editor.startEdit(MiscMenuItem::EditCategory, std::nullopt));
    writeData("[misc]\n"); // no "icur": entry 1
    EXPECT_EQ(editor.startEdit(MiscMenuItem::AddCategory, std::nullopt)->currencyIndex, 1);
}

TEST_F(ExpenseEditorTest, ANewCategoryIsStoredAsTypedAndExpensesAreAddedExactlyWithTheCurrency)
{
    const MiscSaveResult result = save("new", "Parking", "0150");
    ASSERT_TRUE(result.done);
    const std::string log = "[expense log]\n1=" + kNow + "#new#150#Parking\n";
    EXPECT_EQ(data(),
        crlf("[app]\nicur=9\ncur=EUR\ncost=352\n[misc]\nfuel=40\ninsurance=161.5\nsmall=0.2\nParking=0150\n" + log));
    EXPECT_EQ(controls(result.view), "- &Add 011110 '' '' 0 -");
    EXPECT_EQ(result.list.rows.back(), (ListRow {" PARKING", {"0150 EUR"}, 3}));
    EXPECT_TRUE(save("exp", " INSURANCE", "10").done && save("exp", " SMALL", "0.1").done);
    EXPECT_TRUE(save("exp", " NEWONE", "5").done);
    EXPECT_EQ(data(),
        crlf("[app]\nicur=123\ncur=GBP\ncost=367\n[misc]\nfuel=40\ninsurance=171.5\nsmall=0.3\nParking=0150\n"
             "NEWONE=5\n"
            + log + "2=" + kNow + "#add#10#insurance\n3=" + kNow + "#add#0.1#small\n4=" + kNow + "#add#5#NEWONE\n"));
}

TEST_F(ExpenseEditorTest, WithoutAModeNothingIsStoredAndBadInputIsRefused)
{
    const MiscSaveResult idle = save("", "Parking", "5");
    EXPECT_TRUE(idle.done);
    EXPECT_EQ(controls(idle.view), "- &Add 011110 '' '' 0 -");
    EXPECT_EQ(data(), crlf("[app]\nicur=9\ncur=EUR\ncost=202\n[misc]\nfuel=40\ninsurance=161.5\nsmall=0.2\n"));
    writeData(kMisc + "bad=abc\n");
    expect("Required Data Missing!", "Please specify Category Name.");
    EXPECT_FALSE(save("new", "  ", "5").done);
    expect("Required Data Missing!", "Please specify Expences for Parking.");
    EXPECT_FALSE(save("new", "Parking", "").done);
    for (const auto& [name, reason] :
        {std::pair {"a=b", "it contains the character \"=\"."}, {" [tax", "it begins with \"[\"."},
            {";note", "it begins with \";\"."}, {"two\r\nlines", "it holds a line break."}}) {
        for (const char* action : {"new", "edt"}) {
            expect("Wrong Category Name!",
                std::string("The category name \"") + name + "\" cannot be saved: " + reason
                    + " Please choose another name.");
            EXPECT_FALSE(save(action, name, "5").done) << name;
        }
    }
    expect("Wrong Value specified!",
        "The expense value \"1.2.3\" for  SMALL is not a number. Please correct it; nothing was saved.");
    EXPECT_FALSE(save("exp", " SMALL", "1.2.3").done);
    expect("Invalid Expense Value!",
        "The expense category BAD holds \"abc\", which is not an amount Wheelbook can add to. "
        "Correct it with Edit Category first. Nothing was saved.",
        Warning);
    EXPECT_FALSE(save("exp", " BAD", "5").done);
    EXPECT_EQ(data(), crlf(kMisc + "bad=abc\n"));
}

TEST_F(ExpenseEditorTest, EditingAndDeletingAskFirstAndDeletingNeverTouchesFuel)
{
    EXPECT_FALSE(editor.remove(" FUEL").deleted);
    EXPECT_FALSE(editor.remove(std::nullopt).deleted);
    const std::string question = "Are you sure you want to Delete  INSURANCE from Miscellaneous Items Database?";
    expect("Are you sure?", question, Question, MsgAnswer::No);
    EXPECT_FALSE(editor.remove(" INSURANCE").deleted);
    EXPECT_EQ(data(), crlf(kMisc));
    expect("Are you sure?", question, Question, MsgAnswer::Yes);
    const MiscDeleteResult result = editor.remove(" INSURANCE");
    EXPECT_TRUE(result.deleted);
    EXPECT_EQ(data(),
        crlf("[app]\nicur=9\ncur=EUR\ncost=40\n[misc]\nfuel=40\nsmall=0.2\n[expense log]\n1=" + kNow
            + "#delete#161.5#insurance\n"));
    EXPECT_EQ(result.list.rows, (std::vector<ListRow> {{" FUEL", {"40 EUR"}, 3}, {" SMALL", {"0.2 EUR"}, 3}}));
    writeData(kMisc);
    expect("Are you sure?", "Are you sure you want to Save Changes to  INSURANCE?", Question, MsgAnswer::No);
    EXPECT_FALSE(save("edt", " INSURANCE", "300").done);
    EXPECT_EQ(data(), crlf(kMisc));
    expect("Are you sure?", "Are you sure you want to Save Changes to CAR INSURANCE?", Question, MsgAnswer::Yes);
    ASSERT_TRUE(save("edt", "CAR INSURANCE", "300").done);
    EXPECT_EQ(data(),
        crlf("[app]\nicur=123\ncur=GBP\ncost=502\n[misc]\nfuel=40\ninsurance=161.5\nsmall=0.2\nCAR INSURANCE=300\n"
             "[expense log]\n1="
            + kNow + "#edit#300#CAR INSURANCE\n"));
}
