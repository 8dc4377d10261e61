#include "domain/ExpenseList.h"
#include "domain/CurrencyList.h"

#include "ExpensesFixture.h"

#include <set>

TEST(CurrencyList, Holds142EntriesInOrderWithTheirRepeats)
{
    const auto& list = CurrencyList::FillCurrencyList();
    ASSERT_EQ(list.size(), 142u);
    EXPECT_EQ(list[0], "USD");
    EXPECT_EQ(list[1], "GBP");
    EXPECT_EQ(list[97], "RON");
    EXPECT_EQ(list[98], "ROL");
    EXPECT_EQ(list[141], "XPD");
    EXPECT_EQ(std::set<std::string>(list.begin(), list.end()).size(), 99u);

    auto indexesOf = [&](const std::string& code) {
        std::vector<int> found;
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (list[i] == code)
                found.push_back(static_cast<int>(i));
        }
        return found;
    };
    EXPECT_EQ(indexesOf("USD"), (std::vector<int> {0, 13, 14, 124}));
    EXPECT_EQ(indexesOf("EUR"), (std::vector<int> {9, 50, 128, 134}));
    EXPECT_EQ(indexesOf("NLG"), (std::vector<int> {44, 45, 58, 59, 85}));
    EXPECT_EQ(indexesOf("XDR"), (std::vector<int> {63, 64, 108, 109, 135, 136}));
    EXPECT_EQ(indexesOf("CNY"), (std::vector<int> {30, 31, 32}));
}

TEST(CurrencyList, SelectsOnlyIndexesInsideTheList)
{
    EXPECT_EQ(CurrencyList::selectionOf("13"), 13);
    EXPECT_EQ(CurrencyList::selectionOf("0"), 0);
    EXPECT_EQ(CurrencyList::selectionOf("141"), 141);
    EXPECT_EQ(CurrencyList::selectionOf("142"), -1);
    EXPECT_EQ(CurrencyList::selectionOf("-1"), -1);
    EXPECT_EQ(CurrencyList::selectionOf("abc"), -1);
    EXPECT_EQ(CurrencyList::codeAt(13), "USD");
    EXPECT_EQ(CurrencyList::codeAt(-1), "");
    EXPECT_EQ(CurrencyList::codeAt(142), "");
}

using MiscListTest = ExpensesFixture;

TEST_F(MiscListTest, ListsEveryCategoryAndStoresTheExactSumRoundedOnce)
{
    writeData("[app]\nicur=13\n[misc]\nfuel=40.5\nOil=20.5\n");
    const MiscListFill fill = ExpenseList(ctx).LoadMiscList();

    ASSERT_FALSE(fill.keepList);
    ASSERT_EQ(fill.rows.size(), 2u);
    EXPECT_EQ(fill.rows[0], (ListRow {" FUEL", {"40.5 USD"}, 3}));
    EXPECT_EQ(fill.rows[1], (ListRow {" OIL", {"20.5 USD"}, 3}));
    EXPECT_EQ(fill.tag, "13");
    EXPECT_EQ(stored("app", "cost"), "61");
    EXPECT_NE(data().find("Oil=20.5"), std::string::npos); // the file keeps the name as typed
}

TEST_F(MiscListTest, RoundsTheGrandTotalTiesToEvenOnlyAtTheEnd)
{
    writeData("[app]\ncur=EUR\n[misc]\na=2.5\nb=0.5\n");
    ExpenseList(ctx).LoadMiscList();
    EXPECT_EQ(stored("app", "cost"), "3");

    writeData("[misc]\na=2\nb=0.5\n");
    const MiscListFill fill = ExpenseList(ctx).LoadMiscList();
    EXPECT_EQ(stored("app", "cost"), "2");
    EXPECT_EQ(fill.tag, "1"); // "icur" missing
}

TEST_F(MiscListTest, KeepsTotalsBeyondSixteenBits)
{
    writeData("[misc]\ninsurance=30000\nrepairs=5000.25\n");
    ExpenseList(ctx).LoadMiscList();
    EXPECT_EQ(stored("app", "cost"), "35000");
}

TEST_F(MiscListTest, AnEmptySectionEmptiesTheListAndKeepsTheTotal)
{
    writeData("[app]\ncost=99\n[misc]\n");
    const MiscListFill fill = ExpenseList(ctx).LoadMiscList();
    EXPECT_FALSE(fill.keepList);
    EXPECT_TRUE(fill.rows.empty());
    EXPECT_FALSE(fill.tag);
    EXPECT_EQ(stored("app", "cost"), "99");
}

TEST_F(MiscListTest, AMissingDataFileLeavesTheListAsItWas)
{
    prompter.expect("Missing Data File ...", MsgAnswer::Ok,
        "Wheelbook Data File Missing. Please re-install the application to solve this problem.");
    const MiscListFill fill = ExpenseList(ctx).LoadMiscList();
    EXPECT_TRUE(fill.keepList);
    EXPECT_EQ(prompter.messages().at(0).icon, MsgIcon::Critical);
}

TEST_F(MiscListTest, ABadCategoryIsShownAsStoredNamedAndLeavesTheTotalAlone)
{
    writeData("[app]\ncost=7\ncur=EUR\n[misc]\nfuel=10\nparking=1.2.3\n");
    prompter.expect("Invalid Expense Value!", MsgAnswer::Ok,
        "These expense categories do not hold an amount Wheelbook can add up:\r\n\r\nPARKING: \"1.2.3\"\r\n\r\n"
        "The total of expenses is left as it was. Correct them with Edit Category.");
    const MiscListFill fill = ExpenseList(ctx).LoadMiscList();
    ASSERT_EQ(fill.rows.size(), 2u);
    EXPECT_EQ(fill.rows[1].subItems, (std::vector<std::string> {"1.2.3 EUR"}));
    EXPECT_EQ(stored("app", "cost"), "7");
}

TEST(MiscListDoubleClick, FillsTheBoxesAndTheCurrencyFromTheSelectedRow)
{
    const ListRow oil {" OIL", {"20.5 USD"}, 3};
    const auto details = ExpenseList::detailsOf(&oil, "1");
    ASSERT_TRUE(details);
    EXPECT_EQ(details->catName, " OIL");
    EXPECT_EQ(details->expences, "20.5");
    EXPECT_EQ(details->currencyIndex, 1);

    const ListRow noCurrency {" OIL", {"20.5 "}, 3};
    EXPECT_EQ(ExpenseList::detailsOf(&noCurrency, "500")->expences, "20.5");
    EXPECT_EQ(ExpenseList::detailsOf(&noCurrency, "500")->currencyIndex, -1);

    EXPECT_FALSE(ExpenseList::detailsOf(nullptr, "1"));
}
