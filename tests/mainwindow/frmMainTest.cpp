#include "AppFixture.h"

#include "app/frmSplash.h"
#include "mainwindow/FuelPage.h"
#include "mainwindow/MainPage.h"
#include "mainwindow/SettingsPage.h"

#include <QComboBox>
#include <QLabel>
#include <QMenuBar>

#include <gtest/gtest.h>

namespace {

void settle()
{
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

} // namespace

TEST(MainWindow, TheSetUpReadsTheReadingCurrencyAndFuelTotalFromTheDataFile)
{
    AppFixture f;
    frmMain& main
        = f.open("[init]\r\nmiles=1000\r\n[app]\r\nmiles=2500\r\nicur=9\r\n[fuel]\r\ntotal=45.5\r\n[consumables]\r\n");
    EXPECT_EQ(main.windowTitle(), QStringLiteral("Wheelbook 2.0.0"));
    EXPECT_EQ(main.centralWidget()->size(), QSize(584, 425));
    EXPECT_EQ(f.find<QLineEdit>("txtMiles")->text(), QStringLiteral("2500"));
    EXPECT_EQ(f.find<QLabel>("lblFuelFilledMiles")->text(), QStringLiteral("2500"));
    EXPECT_EQ(f.find<QLabel>("lblFuelTotal")->text(), QStringLiteral("45.5 Litters"));
    auto* cmbCur = f.find<QComboBox>("cmbCur");
    EXPECT_EQ(cmbCur->count(), 142);
    EXPECT_EQ(cmbCur->currentIndex(), 9);
    EXPECT_EQ(cmbCur->currentText(), QStringLiteral("EUR"));
    EXPECT_EQ(main.tabMain()->count(), 5);
    EXPECT_EQ(main.tabMain()->currentIndex(), 0);
    EXPECT_EQ(main.tabMain()->tabText(2), QStringLiteral("Car E&xpenses"));
}

TEST(MainWindow, DefaultsApplyWithoutTheKeys)
{
    AppFixture f;
    f.open("[init]\r\nmiles=1000\r\n[consumables]\r\n");
    EXPECT_EQ(f.find<QLineEdit>("txtMiles")->text(), QStringLiteral("0"));
    EXPECT_EQ(f.find<QLabel>("lblFuelTotal")->text(), QStringLiteral("0 Litters"));
}

TEST(MainWindow, AStoredCurrencyIndexOutsideTheListSelectsNothing)
{
    for (const char* icur : {"142", "-1"}) {
        AppFixture f;
        f.open(std::string("[init]\r\nmiles=1\r\n[app]\r\nicur=") + icur + "\r\n[consumables]\r\n");
        EXPECT_EQ(f.find<QComboBox>("cmbCur")->currentIndex(), -1) << icur;
    }
    // Not a number at all: reported, and the settings' default stands.
    AppFixture f;
    f.prompter.expect("Invalid Settings!");
    f.open("[init]\r\nmiles=1\r\n[app]\r\nicur=abc\r\n[consumables]\r\n");
    EXPECT_EQ(f.find<QComboBox>("cmbCur")->currentIndex(), 97);
}

TEST(MainWindow, BuildsTheTrayMenuAndGreetsWithTheBalloon)
{
    AppFixture f;
    frmMain& main = f.open(kSampleData);
    frmSysTray* tray = main.oSysTray();
    ASSERT_NE(tray, nullptr);
    const QStringList keys = {QStringLiteral("show"), QStringLiteral("line1"), QStringLiteral("help"),
        QStringLiteral("line4"), QStringLiteral("visit"), QStringLiteral("line2"), QStringLiteral("about"),
        QStringLiteral("line3"), QStringLiteral("close")};
    ASSERT_EQ(tray->MenuItemCount(), 9);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(tray->MenuItemKey(i), keys[i]);
    EXPECT_EQ(tray->MenuItemCaption(0), QStringLiteral("Show"));
    EXPECT_EQ(tray->MenuItemCaption(8), QStringLiteral("Close"));
    EXPECT_EQ(tray->DefaultMenuIndex(), 0);
    EXPECT_EQ(tray->ToolTip(), QStringLiteral("Wheelbook 2.0.0"));
    EXPECT_EQ(tray->BalloonTitle(), QStringLiteral("Wheelbook!"));
    EXPECT_EQ(tray->BalloonMessage(),
        QStringLiteral("Wheelbook is minimized to System Tray. Double-click to launch it "
                       "or Right-click to see different menu options."));
    auto* webLink = main.findChild<QAction*>(QStringLiteral("mnuWebLink"));
    ASSERT_NE(webLink, nullptr);
    EXPECT_EQ(webLink->text(), QStringLiteral("Visit Website"));
}

TEST(MainWindow, ShowAndHideFromTheTrayRelabelItemZero)
{
    AppFixture f;
    frmMain& main = f.open(kSampleData);
    frmSysTray* tray = main.oSysTray();
    // After an ordinary start the window is shown while item 0 still reads "Show".
    emit tray->MenuClick(0, QStringLiteral("show"));
    EXPECT_TRUE(main.isVisible());
    EXPECT_EQ(tray->MenuItemCaption(0), QStringLiteral("Hide"));
    emit tray->MenuClick(0, QStringLiteral("show"));
    EXPECT_FALSE(main.isVisible());
    EXPECT_EQ(tray->MenuItemCaption(0), QStringLiteral("Show"));
    emit tray->SysTrayDoubleClick(2);
    EXPECT_TRUE(main.isVisible());
    EXPECT_EQ(tray->MenuItemCaption(0), QStringLiteral("Hide"));
}

TEST(MainWindow, MinimisingHidesToTheTray)
{
    AppFixture f;
    frmMain& main = f.open(kSampleData);
    main.findChild<QAction*>(QStringLiteral("mnuFileSysTray"))->trigger();
    EXPECT_FALSE(main.isVisible());
    EXPECT_EQ(main.oSysTray()->MenuItemCaption(0), QStringLiteral("Show"));
    emit main.oSysTray()->SysTrayDoubleClick(1);
    main.showMinimized();
    settle();
    EXPECT_FALSE(main.isVisible());
}

TEST(MainWindow, WithoutANotificationAreaTheWindowIsNeverHidden)
{
    AppFixture f;
    f.tray = {false, false};
    frmMain& main = f.open(kSampleData);
    main.findChild<QAction*>(QStringLiteral("mnuFileSysTray"))->trigger();
    settle();
    EXPECT_TRUE(main.isVisible());
    EXPECT_TRUE(main.isMinimized());
}

TEST(MainWindow, CloseAsksFirstAndTheCloseBoxDoesNot)
{
    AppFixture f;
    frmMain& main = f.open(kSampleData);
    f.prompter.expect("Close Application now?", MsgAnswer::No, "Are you sure you want to exit Wheelbook?");
    main.findChild<QAction*>(QStringLiteral("mnuFileClose"))->trigger();
    settle();
    ASSERT_NE(f.forms->mainForm(), nullptr);
    EXPECT_TRUE(main.isVisible());
    EXPECT_FALSE(f.forms->hasEnded());

    f.prompter.expect("Close Application now?", MsgAnswer::Yes);
    emit main.oSysTray()->MenuClick(8, QStringLiteral("close"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.forms->hasEnded(); }, 2000));
    EXPECT_EQ(f.forms->mainForm(), nullptr);

    AppFixture g;
    frmMain& other = g.open(kSampleData);
    other.close(); // the close box: no question
    EXPECT_TRUE(QTest::qWaitFor([&] { return g.forms->hasEnded(); }, 2000));
}

TEST(MainWindow, AMissingHelpFileIsReported)
{
    AppFixture f;
    frmMain& main = f.open(kSampleData);
    f.prompter.expect("Help File is Missing!", MsgAnswer::Ok,
        "Reference.chm not found in Application Folder. Please re-install Wheelbook to solve this "
        "problem.");
    main.findChild<QAction*>(QStringLiteral("mnuHelpFile"))->trigger();
    EXPECT_EQ(f.prompter.messages().back().icon, MsgIcon::Information);
}

TEST(MainWindow, AboutShowsTheSplashOverAnUnchangedMainWindow)
{
    AppFixture f;
    frmMain& main = f.open(kSampleData);
    f.forms->setSplashIntervalMs(20);
    main.tabMain()->setCurrentIndex(3);
    main.findChild<QAction*>(QStringLiteral("mnuHelpAbout"))->trigger();
    auto splashes = QApplication::topLevelWidgets();
    frmSplash* about = nullptr;
    for (QWidget* w : splashes) {
        if (auto* s = qobject_cast<frmSplash*>(w); s && s->isVisible())
            about = s;
    }
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(about->No_FrmMain());
    QPointer<frmSplash> watch(about);
    EXPECT_TRUE(QTest::qWaitFor([&] { return watch.isNull(); }, 2000));
    EXPECT_TRUE(main.isVisible());
    EXPECT_EQ(main.tabMain()->currentIndex(), 3);
    EXPECT_FALSE(f.forms->hasEnded());
}
