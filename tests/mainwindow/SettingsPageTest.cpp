#include "PageTest.h"

#include <filesystem>

namespace {

class SettingsPageTest : public PageTest {
protected:
    void SetUp() override { open(4); }

    QString controls()
    {
        return state({"cmbUnit", "cmbCur", "chkStartup", "chkMinSystray", "chkOnTop", "txtInitMiles"});
    }
};

} // namespace

TEST_F(SettingsPageTest, ApplyStoresWhatTheControlsShowAndOpensTheFuelTab)
{
    EXPECT_EQ(controls(), u"Km(1) USD(0) [ ] [ ] [ ] open '1000'"_s);
    combo("cmbUnit")->setCurrentIndex(0);
    combo("cmbCur")->setCurrentIndex(13); // a later entry of a repeated code is stored as itself
    f.find<QCheckBox>("chkStartup")->click();
    f.find<QCheckBox>("chkOnTop")->click();
    type("txtInitMiles", u"1500"_s);
    click(button("btnDone"));

    EXPECT_EQ(f.dataFile(),
        edited(kSampleData,
            {{"miles=1000", "miles=1500"}, {"unit=1\r\ncur=USD\r\nicur=0", "unit=0\r\ncur=USD\r\nicur=13"},
                {"startup=0\r\nsystray=0\r\nontop=0", "startup=1\r\nsystray=0\r\nontop=1"}}));
    EXPECT_EQ(f.main().tabMain()->currentIndex(), 3);
    EXPECT_TRUE(f.main().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    const QList<QLabel*> units = f.main().findChildren<QLabel*>(u"lblDisplayUnit"_s);
    EXPECT_EQ(units.size(), 5);
    for (const QLabel* unit : units)
        EXPECT_EQ(unit->text(), u"Miles"_s);
    EXPECT_EQ(state({"lblAvgPer100", "lblCostPerKm", "lblFuelCur", "lblMiscCur"}),
        u"Average Fuel usage per 100 Miles : Operating cost per mile/km :  USD USD"_s);

    // A message the action shows after its writes comes once they are stored, never before.
    std::filesystem::remove(f.dir.file("autostart/Wheelbook.desktop"));
    std::filesystem::create_directory(f.dir.file("autostart/Wheelbook.desktop")); // the entry cannot be written
    std::string fileWhenShown;
    f.prompter.onAsk = [&](const Message&) { fileWhenShown = f.dataFile(); };
    f.prompter.expect("Start at Log-in Not Updated!");
    f.find<QCheckBox>("chkMinSystray")->click();
    click(button("btnDone"));
    EXPECT_EQ(fileWhenShown,
        edited(kSampleData,
            {{"miles=1000", "miles=1500"}, {"unit=1\r\ncur=USD\r\nicur=0", "unit=0\r\ncur=USD\r\nicur=13"},
                {"startup=0\r\nsystray=0\r\nontop=0", "startup=1\r\nsystray=1\r\nontop=1"}}));
}

TEST_F(SettingsPageTest, TheCurrencyTypesAheadAndStoresAsTypedABlankReadingIsRefusedAndCancelReloads)
{
    QLineEdit* edit = combo("cmbCur")->lineEdit();
    // The box hands keys on to its line edit; both are watched.
    const std::tuple<QWidget*, Qt::Key, QString> steps[]
        = {{combo("cmbCur"), Qt::Key_Escape, u" -1 "_s}, {combo("cmbCur"), Qt::Key_E, u"EUR 9 UR"_s},
            {combo("cmbCur"), Qt::Key_G, u"EGP 48 P"_s}, {combo("cmbCur"), Qt::Key_Backspace, u"EUR 9 UR"_s},
            {edit, Qt::Key_W, u"EUR 9 UR"_s}, // no code begins with "ew": a beep, and the box stays
            {edit, Qt::Key_Return, u"EUR 9 EUR"_s}, {combo("cmbCur"), Qt::Key_Period, u" -1 "_s}};
    for (const auto& [target, key, shown] : steps) {
        QTest::keyClick(target, key);
        EXPECT_EQ(u"%1 %2 %3"_s.arg(edit->text()).arg(combo("cmbCur")->currentIndex()).arg(edit->selectedText()), shown)
            << int(key);
    }

    edit->insert(u"ABC"_s); // as pasted
    click(button("btnDone"));
    const std::string stored = edited(kSampleData, {{"cur=USD\r\nicur=0", "cur=ABC\r\nicur=-1"}});
    EXPECT_EQ(f.dataFile(), stored);
    EXPECT_EQ(state({"lblMiscCur"}), u"ABC"_s);

    combo("cmbUnit")->setCurrentIndex(0);
    f.find<QCheckBox>("chkOnTop")->click();
    f.find<QCheckBox>("chkMinSystray")->click();
    box("txtInitMiles")->clear();
    f.prompter.expect("Required Data Missing!", MsgAnswer::Ok,
        "Initial Car-Run can't be an empty field. Please specify some value ...");
    click(button("btnDone"));
    EXPECT_EQ(f.main().tabMain()->currentIndex(), 3); // where the apply before went
    EXPECT_EQ(f.dataFile(), stored);

    box("txtMiles")->setText(u"3000"_s); // typed, not stored: the status is judged against it
    click(button("btnCancel"));
    EXPECT_EQ(controls(), u"Km(1) (-1) [ ] [ ] [ ] open '1000'"_s);
    EXPECT_EQ(f.main().tabMain()->currentIndex(), 0);
    EXPECT_EQ(linesOf(list("lstStatus")).first(), u" OIL | [OIL] change needed! ( 500 Km ago.)"_s);
}
