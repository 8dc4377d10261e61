#include "AppFixture.h"

#include "controls/XPButton.h"
#include "mainwindow/SettingsPage.h"
#include "registry/AutostartEntry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

#include <gtest/gtest.h>

#include <filesystem>

namespace {

const char* const kData = "[init]\r\nmiles=1000\r\n[app]\r\nmiles=2500\r\nunit=1\r\ncur=USD\r\nicur=0\r\n"
                          "startup=0\r\nsystray=0\r\nontop=0\r\n[consumables]\r\n";

class SettingsPageTest : public ::testing::Test {
protected:
    void open(const char* data = kData)
    {
        f.open(data);
        f.main().tabMain()->setCurrentIndex(4);
        QApplication::processEvents();
    }

    QCheckBox* check(const char* name) { return f.find<QCheckBox>(name); }
    // Clicks a check box on its indicator, as a user would.
    void tick(const char* name)
    {
        QCheckBox* box = check(name);
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    }
    QComboBox* cmbUnit() { return f.find<QComboBox>("cmbUnit"); }
    QComboBox* cmbCur() { return f.find<QComboBox>("cmbCur"); }
    QLineEdit* txtInitMiles() { return f.find<QLineEdit>("txtInitMiles"); }
    QString label(const char* name) { return f.find<QLabel>(name)->text(); }
    int tab() { return f.main().tabMain()->currentIndex(); }
    bool onTop() { return f.main().windowFlags().testFlag(Qt::WindowStaysOnTopHint); }

    QStringList unitLabels()
    {
        QStringList texts;
        for (const QLabel* l : f.main().findChildren<QLabel*>(QStringLiteral("lblDisplayUnit")))
            texts << l->text();
        return texts;
    }

    std::string autostartFile() { return f.dir.file("autostart") + "/" + AutostartEntry::fileNameFor("Wheelbook"); }
    // The command the log-in entry runs; nothing when there is no entry.
    std::optional<std::string> autostartCommand()
    {
        if (!std::filesystem::exists(autostartFile()))
            return std::nullopt;
        const auto value = AutostartEntry::parse(readFileBytes(autostartFile()));
        if (!value)
            return std::nullopt;
        // A text value's data ends with its terminating zero.
        std::string command = value->data;
        if (!command.empty() && command.back() == '\0')
            command.pop_back();
        return command;
    }
    std::string program() { return "\"" + f.dir.file("wheelbook") + "\""; }

    AppFixture f;
};

TEST_F(SettingsPageTest, WithoutSectionAppTheDefaultsShowAndTheEntryIsRemoved)
{
    f.startupRegistry.setRunValue("Wheelbook", "\"/old/place/wheelbook\"");
    ASSERT_TRUE(autostartCommand());
    f.open("[consumables]\r\n");

    EXPECT_EQ(cmbUnit()->currentText(), QStringLiteral("Km"));
    EXPECT_EQ(cmbCur()->currentIndex(), 97);
    EXPECT_EQ(cmbCur()->currentText(), QStringLiteral("RON"));
    EXPECT_TRUE(check("chkOnTop")->isChecked());
    EXPECT_FALSE(check("chkStartup")->isChecked());
    EXPECT_FALSE(check("chkMinSystray")->isChecked());
    EXPECT_TRUE(check("chkMinSystray")->isEnabled());
    EXPECT_EQ(txtInitMiles()->text(), QString());
    EXPECT_FALSE(autostartCommand());

    EXPECT_EQ(unitLabels(), QStringList(5, QStringLiteral("Km")));
    EXPECT_EQ(label("lblAvgPer100"), QStringLiteral("Average Fuel usage per 100 Km :"));
    EXPECT_EQ(label("lblCostPerKm"), QStringLiteral("Operating cost per mile/km"));
    EXPECT_EQ(label("lblFuelCur"), QStringLiteral("RON"));
    EXPECT_EQ(label("lblMiscCur"), QStringLiteral("RON"));
    EXPECT_EQ(tab(), 0);
    // The stored on-top choice waits for the next apply.
    EXPECT_FALSE(onTop());
}

TEST_F(SettingsPageTest, ApplyWritesEveryKeyInOrderAndShowsTheFuelTab)
{
    open("[init]\r\nmiles=1000\r\n[app]\r\n[consumables]\r\n");
    cmbUnit()->setCurrentIndex(0);
    cmbCur()->setCurrentIndex(9);
    check("chkOnTop")->setChecked(true);
    tick("chkStartup");
    tick("chkMinSystray");
    txtInitMiles()->selectAll();
    QTest::keyClicks(txtInitMiles(), QStringLiteral("1500"));
    click(f.find<XPButton>("btnDone"));

    EXPECT_EQ(f.dataFile(),
        "[init]\r\nmiles=1500\r\n[app]\r\nstartup=1\r\nsystray=1\r\nontop=1\r\nunit=0\r\ncur=EUR\r\nicur=9\r\n"
        "[consumables]\r\n");
    EXPECT_EQ(tab(), 3);
    EXPECT_TRUE(onTop());
    EXPECT_EQ(autostartCommand(), program() + " /s");
    EXPECT_EQ(unitLabels(), QStringList(5, QStringLiteral("Miles")));
    EXPECT_EQ(label("lblAvgPer100"), QStringLiteral("Average Fuel usage per 100 Miles :"));
    EXPECT_EQ(label("lblCostPerKm"), QStringLiteral("Operating cost per mile/km : "));
    EXPECT_EQ(label("lblFuelCur"), QStringLiteral("EUR"));
    EXPECT_EQ(label("lblMiscCur"), QStringLiteral("EUR"));

    tick("chkMinSystray");
    check("chkOnTop")->setChecked(false);
    click(f.find<XPButton>("btnDone"));
    EXPECT_EQ(autostartCommand(), program());
    EXPECT_FALSE(onTop());

    tick("chkStartup");
    click(f.find<XPButton>("btnDone"));
    EXPECT_FALSE(std::filesystem::exists(autostartFile()));
    // Removing an entry that is gone already is no failure.
    click(f.find<XPButton>("btnDone"));
    EXPECT_TRUE(f.main().settingsPage()->SaveSettings());
}

TEST_F(SettingsPageTest, LeaveItUnchangedReloadsTheStoredValuesAndShowsTheMainTab)
{
    open();
    const std::string before = f.dataFile();
    cmbUnit()->setCurrentIndex(0);
    cmbCur()->setCurrentIndex(9);
    check("chkOnTop")->setChecked(true);
    txtInitMiles()->setText(QStringLiteral("7"));
    click(f.find<XPButton>("btnCancel"));

    EXPECT_EQ(cmbUnit()->currentText(), QStringLiteral("Km"));
    EXPECT_EQ(cmbCur()->currentIndex(), 0);
    EXPECT_FALSE(check("chkOnTop")->isChecked());
    EXPECT_EQ(txtInitMiles()->text(), QStringLiteral("1000"));
    EXPECT_EQ(tab(), 0);
    EXPECT_EQ(f.dataFile(), before);

    // The cost per distance keeps its figure and takes the currency, unless it is blank.
    auto* costPerKm = f.find<QLabel>("lblFuelCostPerKm");
    costPerKm->setText(QStringLiteral("1.25 XYZ"));
    click(f.find<XPButton>("btnCancel"));
    EXPECT_EQ(costPerKm->text(), QStringLiteral("1.25 USD"));
    costPerKm->setText(QStringLiteral(" "));
    click(f.find<XPButton>("btnCancel"));
    EXPECT_EQ(costPerKm->text(), QStringLiteral(" "));
}

TEST_F(SettingsPageTest, ABlankReadingIsRefusedAndNothingStored)
{
    open();
    const std::string before = f.dataFile();
    cmbUnit()->setCurrentIndex(0);
    txtInitMiles()->clear();
    f.prompter.expect("Required Data Missing!", MsgAnswer::Ok,
        "Initial Car-Run can't be an empty field. Please specify some value ...");
    click(f.find<XPButton>("btnDone"));
    EXPECT_EQ(f.prompter.messages().back().icon, MsgIcon::Information);
    EXPECT_EQ(f.dataFile(), before);
    EXPECT_EQ(tab(), 4);
    EXPECT_EQ(label("lblAvgPer100"), QStringLiteral("Average Fuel usage per 100 Km :"));
}

TEST_F(SettingsPageTest, TheTrayBoxFollowsChangesOfTheStartBoxOnly)
{
    open();
    QCheckBox* tray = check("chkMinSystray");
    // Both start enabled and clear; a stored 0 changes nothing.
    EXPECT_TRUE(tray->isEnabled());
    tick("chkMinSystray");
    tick("chkStartup");
    EXPECT_TRUE(tray->isEnabled());
    tick("chkStartup");
    EXPECT_FALSE(tray->isEnabled());
    EXPECT_TRUE(tray->isChecked());

    // Loading a ticked start box is a change too, and it writes the entry.
    f.dir.write("cardata.dat", "[init]\r\nmiles=1000\r\n[app]\r\nstartup=1\r\nsystray=1\r\n[consumables]\r\n");
    click(f.find<XPButton>("btnCancel"));
    EXPECT_TRUE(tray->isEnabled());
    EXPECT_EQ(autostartCommand(), program() + " /s");
}

TEST_F(SettingsPageTest, TheInitialReadingTakesDigitsOnly)
{
    open();
    txtInitMiles()->clear();
    QTest::keyClicks(txtInitMiles(), QStringLiteral("12a.3-4 "));
    QTest::keyClick(txtInitMiles(), Qt::Key_Backspace);
    EXPECT_EQ(txtInitMiles()->text(), QStringLiteral("123"));
}

TEST_F(SettingsPageTest, TypingInTheCurrencyBoxChoosesTheFirstMatchingEntry)
{
    open();
    QComboBox* box = cmbCur();
    QLineEdit* edit = box->lineEdit();
    auto shows = [&](const char* text, int index, const char* selected) {
        EXPECT_EQ(edit->text(), QLatin1String(text));
        EXPECT_EQ(box->currentIndex(), index);
        EXPECT_EQ(edit->selectedText(), QLatin1String(selected));
    };
    QTest::keyClick(box, Qt::Key_Escape);
    shows("", -1, "");
    QTest::keyClick(box, Qt::Key_E);
    shows("EUR", 9, "UR");
    QTest::keyClick(box, Qt::Key_G);
    shows("EGP", 48, "P");
    QTest::keyClick(box, Qt::Key_Backspace);
    shows("EUR", 9, "UR");
    // No code begins with "ew": a beep, and the box stays.
    QTest::keyClick(edit, Qt::Key_W);
    shows("EUR", 9, "UR");
    QTest::keyClick(edit, Qt::Key_Escape);
    shows("", -1, "");
    QTest::keyClick(box, Qt::Key_Return);
    shows("USD", 0, "USD");
    QTest::keyClicks(box, QStringLiteral("gb"));
    shows("GBP", 1, "P");
    QTest::keyClick(box, Qt::Key_Period);
    shows("", -1, "");
}

TEST_F(SettingsPageTest, ACurrencyTextOutsideTheListIsStoredWithIndexMinusOne)
{
    open();
    cmbCur()->lineEdit()->selectAll();
    cmbCur()->lineEdit()->insert(QStringLiteral("ABC")); // as pasted
    click(f.find<XPButton>("btnDone"));
    EXPECT_NE(f.dataFile().find("cur=ABC\r\nicur=-1\r\n"), std::string::npos);
    EXPECT_EQ(label("lblMiscCur"), QStringLiteral("ABC"));

    click(f.find<XPButton>("btnCancel"));
    EXPECT_EQ(cmbCur()->currentIndex(), -1);
    EXPECT_EQ(cmbCur()->currentText(), QString());
    EXPECT_EQ(label("lblFuelCur"), QString());

    // A later entry of a repeated code is stored as itself.
    cmbCur()->setCurrentIndex(13);
    click(f.find<XPButton>("btnDone"));
    EXPECT_NE(f.dataFile().find("cur=USD\r\nicur=13\r\n"), std::string::npos);
}

TEST_F(SettingsPageTest, ARefusedEntryIsReportedAndTheProgramGoesOn)
{
    // A file where the autostart folder should be: the entry cannot be removed.
    f.dir.write("autostart", "");
    f.prompter.expect("Start at Log-in Not Updated!");
    open();
    EXPECT_NE(f.prompter.messages().back().text.find("Wheelbook"), std::string::npos);
    EXPECT_EQ(txtInitMiles()->text(), QStringLiteral("1000"));
    EXPECT_EQ(label("lblMiscCur"), QStringLiteral("USD"));
}

} // namespace
