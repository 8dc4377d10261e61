#include "PageTest.h"

#include <QClipboard>

namespace {

class MainWindow : public PageTest {
protected:
    void trigger(const char* menuItem) { f.main().findChild<QAction*>(QLatin1String(menuItem))->trigger(); }
};

} // namespace

TEST_F(MainWindow, TheSetUpReadsTheReadingAndFuelTotalFromTheDataFileOrTheirDefaults)
{
    for (const auto& [data, shown] :
        {std::pair {"[app]\r\nmiles=2500\r\n[fuel]\r\ntotal=45.5\r\n", "open '2500' 2500 45.5 Litters"},
            std::pair {"", "open '0' 0 0 Litters"}}) {
        f.stop();
        open(0, std::string("[init]\r\nmiles=1000\r\n[consumables]\r\n") + data);
        EXPECT_EQ(state({"txtMiles", "lblFuelFilledMiles", "lblFuelTotal"}), QLatin1String(shown));
    }
    frmMain& main = f.main();
    QStringList tabs;
    for (int i = 0; i < main.tabMain()->count(); ++i)
        tabs << main.tabMain()->tabText(i);
    EXPECT_EQ(tabs.join(u'/'), u"&Main/&Consumables/Car E&xpenses/&Fuel and Statistics/&Settings"_s);
    EXPECT_EQ(main.windowTitle(), u"Wheelbook 2.0.0"_s);
    EXPECT_EQ(main.centralWidget()->size(), QSize(584, 425));
    EXPECT_EQ(main.findChild<QAction*>(u"mnuWebLink"_s)->text(), u"Visit Website"_s);
}

TEST_F(MainWindow, TheTrayAndTheMenusShowHideAndCloseTheWindow)
{
    frmMain& main = open(0);
    frmSysTray* tray = main.oSysTray();
    QStringList items;
    for (int i = 0; i < tray->MenuItemCount(); ++i)
        items << tray->MenuItemKey(i) + u'=' + tray->MenuItemCaption(i)
                + (i == tray->DefaultMenuIndex() ? u"*"_s : u""_s);
    EXPECT_EQ(items.join(u' '),
        u"show=Show* line1=- help=Help line4=- visit=Visit Website line2=- about=About line3=- close=Close"_s);
    EXPECT_EQ(tray->ToolTip() + u'/' + tray->BalloonTitle() + u'/' + tray->BalloonMessage(),
        u"Wheelbook 2.0.0/Wheelbook!/Wheelbook is minimized to System Tray. Double-click to launch it or Right-click "
        u"to see different menu options."_s);

    // After an ordinary start the window is shown while item 0 still reads "Show".
    auto shown = [&] { return (main.isVisible() ? u"shown "_s : u"hidden "_s) + tray->MenuItemCaption(0); };
    emit tray->MenuClick(0, u"show"_s);
    EXPECT_EQ(shown(), u"shown Hide"_s);
    emit tray->MenuClick(0, u"show"_s);
    EXPECT_EQ(shown(), u"hidden Show"_s);
    emit tray->SysTrayDoubleClick(2);
    EXPECT_EQ(shown(), u"shown Hide"_s);
    trigger("mnuFileSysTray");
    EXPECT_EQ(shown(), u"hidden Show"_s);
    emit tray->SysTrayDoubleClick(1);
    main.showMinimized();
    QTest::qWait(20);
    EXPECT_EQ(shown(), u"hidden Show"_s);

    f.prompter.expect("Help File is Missing!", MsgAnswer::Ok,
        "Reference.chm not found in Application Folder. Please re-install Wheelbook to solve this problem.");
    trigger("mnuHelpFile");
    EXPECT_EQ(f.prompter.messages().back().icon, MsgIcon::Information);
    // About is the splash over the window, and it closes without another main window.
    trigger("mnuHelpAbout");
    QWidget* about = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        about = w->objectName() == u"frmSplash"_s && w->isVisible() ? w : about;
    ASSERT_NE(about, nullptr);
    QTest::keyClick(about, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !about->isVisible(); }, 2000));
    EXPECT_EQ(f.forms->mainForm(), &main);
    f.prompter.expect("Close Application now?", MsgAnswer::No, "Are you sure you want to exit Wheelbook?");
    trigger("mnuFileClose");
    QTest::qWait(20);
    EXPECT_FALSE(f.ended());
    f.prompter.expect("Close Application now?", MsgAnswer::Yes);
    emit tray->MenuClick(8, u"close"_s);
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.ended(); }, 2000));

    // Without a notification area the window is minimised, never hidden; its close box asks nothing.
    f.stop();
    f.tray = {false, false};
    open(0);
    trigger("mnuFileSysTray");
    QTest::qWait(20);
    EXPECT_TRUE(f.main().isVisible() && f.main().isMinimized());
    f.main().close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.ended(); }, 2000));
}

TEST_F(MainWindow, EveryNumberBoxKeepsOnlyItsCharactersTypedOrPasted)
{
    open(0);
    const std::tuple<int, const char*, const char*> boxes[] = {{0, "txtMiles", "123"}, {1, "txtLastChanged", "123"},
        {1, "txtChangeAfter", "123"}, {2, "txtExpences", "1.23"}, {3, "txtFuelFilled", "1.23"},
        {3, "txtFuelCost", "1.23"}, {4, "txtInitMiles", "123"}};
    for (const auto& [page, name, kept] : boxes) {
        f.main().tabMain()->setCurrentIndex(page);
        QLineEdit* edit = box(name);
        edit->setReadOnly(false); // the filter is under test, not the page's lock
        edit->clear();
        QTest::keyClicks(edit, u"1a.2-3 ,x4"_s);
        QTest::keyClick(edit, Qt::Key_Backspace);
        // A paste with a character the box drops is refused whole.
        for (const QString& pasted : {u"5x"_s, u"56"_s}) {
            QApplication::clipboard()->setText(pasted);
            edit->paste();
        }
        EXPECT_EQ(edit->text(), QLatin1String(kept) + u"56"_s) << name;
    }
    // A reading box holds nine digits: a paste that does not fit is refused whole, never cut; a longer text put
    // there by other means is shown whole and refused when it would be stored.
    f.main().tabMain()->setCurrentIndex(0);
    QApplication::clipboard()->setText(u"1234567890"_s);
    box("txtMiles")->selectAll();
    box("txtMiles")->paste();
    EXPECT_EQ(box("txtMiles")->text(), u"12356"_s);
    box("txtMiles")->setText(u"1234567890"_s);
    EXPECT_EQ(box("txtMiles")->text(), u"1234567890"_s);
    f.prompter.expect("Wrong Value specified!", MsgAnswer::Ok,
        "The current reading \"1234567890\" is not a whole number of at most 9 digits. Please specify digits only; "
        "nothing was saved.");
    click(button("btnConfirm"));
    EXPECT_EQ(f.dataFile(), kSampleData);
}

TEST_F(MainWindow, TheMainPageAnalyzeNowRefusesABlankReadingAndOtherwiseStoresItAndShowsTheStatusAndFigures)
{
    open(0);
    box("txtMiles")->clear();
    button("btnConfirm")->setFocus();
    f.prompter.expect("Required Data Missing!", MsgAnswer::Ok, "Please specify current Km-reading of your Car.");
    click(button("btnConfirm"));
    EXPECT_TRUE(focused("txtMiles"));
    EXPECT_EQ(f.dataFile(), kSampleData);
    EXPECT_EQ(state({"lblFuelFilledMiles"}), u"2500"_s);

    // A file that cannot be stored keeps its content, and the window shows that content.
    ::chmod(f.dir.file("cardata.dat").c_str(), 0444);
    QTest::keyClicks(box("txtMiles"), u"5100"_s);
    f.prompter.expect("Data Not Saved!");
    click(button("btnConfirm"));
    EXPECT_EQ(state({"txtMiles", "lblFuelFilledMiles"}), u"open '2500' 2500"_s);
    ::chmod(f.dir.file("cardata.dat").c_str(), 0644);

    box("txtMiles")->clear();
    QTest::keyClicks(box("txtMiles"), u"5100"_s);
    click(button("btnConfirm"));
    EXPECT_EQ(
        f.dataFile(), edited(kSampleData, {{"miles=2500", "miles=5100"}}) + "[reading log]\r\n1=" + kNow + "#5100\r\n");
    EXPECT_EQ(linesOf(list("lstStatus")),
        QStringList(
            {u" OIL | [OIL] change needed! ( 2600 Km ago.)"_s, u" AIR FILTER | Ok. Change needed after 9900 Km."_s}));
    // A due item is red and bold, with its icon; the others black.
    const QTreeWidgetItem* due = list("lstStatus")->topLevelItem(0);
    EXPECT_TRUE(due->foreground(1).color() == Qt::red && due->font(1).bold() && !due->icon(0).isNull());
    EXPECT_TRUE(list("lstStatus")->topLevelItem(1)->foreground(1).color() == Qt::black);
    // The fuel page follows the new reading: 4100 Km since installation.
    EXPECT_EQ(
        state({"lblFuelFilledMiles", "lblTotalDistance", "lblTotalExpense", "lblFuelCostPerKm", "lblFuelAvgPer100"}),
        u"5100 4100 Km 350  USD 0.0854 USD 2.44 Litters"_s);
}
