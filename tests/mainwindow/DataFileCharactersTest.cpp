// Names beyond ASCII through every list operation, in a data file of either encoding:
// UTF-8, or Windows-1252 as the program's files were made on its first platform.
#include "PageTest.h"

namespace {

// A data file's text, in Windows-1252 bytes when `latin`.
std::string encoded(bool latin, std::string data)
{
    if (latin) {
        for (const auto& [utf8, cp1252] : {std::pair {"Ö", "\xD6"}, {"ß", "\xDF"}, {"ç", "\xE7"}, {"ü", "\xFC"}})
            for (std::size_t at; (at = data.find(utf8)) != std::string::npos;)
                data.replace(at, 2, cp1252);
    }
    return data;
}

const std::string kHead = "[init]\r\nmiles=1000\r\n[app]\r\nmiles=2500\r\nunit=1\r\ncur=USD\r\nicur=0\r\n";

class DataFileCharactersTest : public PageTest, public ::testing::WithParamInterface<bool> { };

} // namespace

TEST_P(DataFileCharactersTest, EveryListOperationKeepsTheBytesOfWhatTheUserDidNotChange)
{
    const bool latin = GetParam();
    open(1,
        encoded(latin,
            kHead
                + "cost=350\r\n[misc]\r\nfuel=200\r\nStraße=150\r\n[consumables]\r\nÖl=1500#1000\r\nFaçade=0#"
                  "15000\r\n"));
    EXPECT_EQ(linesOf(list("lstConsumables")), QStringList({u" ÖL | 1500 | 1000"_s, u" FAÇADE | 0 | 15000"_s}));
    EXPECT_EQ(linesOf(list("lstStatus")).first(), u" ÖL | [ÖL] change needed! ( 0 Km ago.)"_s);
    EXPECT_EQ(linesOf(list("lstMisc")), QStringList({u" FUEL | 200 USD"_s, u" STRAßE | 150 USD"_s}));

    // Edit and save: the row text finds its key whatever the case of its letters.
    doubleClick("lstConsumables", u" ÖL"_s);
    click(button("btnConsumableEdit"));
    type("txtChangeAfter", u"2000"_s);
    click(button("btnConsumableSave"));
    // A new name of the user's own, and a delete.
    click(button("btnConsumableAdd"));
    box("txtItemName")->insert(u"Bremsflüssigkeit"_s); // as an input method types it
    type("txtLastChanged", u"2000"_s);
    type("txtChangeAfter", u"40000"_s);
    click(button("btnConsumableSave"));
    doubleClick("lstConsumables", u" FAÇADE"_s);
    f.prompter.expect("Are you sure?", MsgAnswer::Yes);
    click(button("btnConsumableDel"));

    // An expense added to the category its row names.
    f.main().tabMain()->setCurrentIndex(2);
    doubleClick("lstMisc", u" STRAßE"_s);
    EXPECT_EQ(release("mnuMiscAddExp"), u"Add Expense to  STRAßE+ / Edit Category+ / - / Add new Category ...+"_s);
    QTest::keyClicks(box("txtExpences"), u"10"_s);
    click(button("btnMiscSave"));

    EXPECT_EQ(f.dataFile(),
        encoded(latin,
            kHead
                + "cost=360\r\n[misc]\r\nfuel=200\r\nStraße=160\r\n[consumables]\r\nÖl=1500#2000\r\n"
                  "Bremsflüssigkeit=2000#40000\r\n[service log]\r\n1="
                + kNow + "#1500#2000#Öl\r\n2=" + kNow + "#2000#40000#Bremsflüssigkeit\r\n[expense log]\r\n1=" + kNow
                + "#add#10#Straße\r\n"));
    EXPECT_EQ(linesOf(list("lstMisc")).last(), u" STRAßE | 160 USD"_s);
}

INSTANTIATE_TEST_SUITE_P(Utf8AndWindows1252, DataFileCharactersTest, ::testing::Bool());
