#include "AppFixture.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace {

const std::string kErrorInLoading
    = "Wheelbook Data File found missing or invalid. Application can not work without Data File. Please "
      "re-install Wheelbook to resovle this issue. Application will terminate now ...";

void settle()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

} // namespace

TEST(Startup, WithoutTheDataFileShowsErrorInLoadingAndEnds)
{
    AppFixture s;
    s.prompter.expect("Error in Loading!", MsgAnswer::Ok, kErrorInLoading);
    s.start();
    EXPECT_FALSE(s.started);
    EXPECT_TRUE(s.ended());
    EXPECT_EQ(s.prompter.messages().at(0).icon, MsgIcon::Critical);
    EXPECT_EQ(s.forms->loadedCount(), 0);
}

TEST(Startup, ABlankInitialReadingOpensTheFirstRunDialog)
{
    AppFixture s;
    s.writeDataFile(kShipped);
    Forms& forms = s.start();
    ASSERT_TRUE(s.started);
    ASSERT_NE(forms.initConfigForm(), nullptr);
    EXPECT_TRUE(forms.initConfigForm()->isVisible());
    EXPECT_EQ(forms.splashForm(), nullptr);
    EXPECT_EQ(forms.mainForm(), nullptr);
}

TEST(Startup, AnOrdinaryStartShowsTheSplashThenTheMainWindow)
{
    AppFixture s;
    s.writeDataFile(kConfigured);
    Forms& forms = s.start();
    ASSERT_NE(forms.splashForm(), nullptr);
    EXPECT_TRUE(forms.splashForm()->isVisible());
    EXPECT_EQ(forms.splashForm()->size(), QSize(341, 281));
    EXPECT_EQ(forms.mainForm(), nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return forms.mainForm() != nullptr && forms.splashForm() == nullptr; }));
    EXPECT_TRUE(forms.mainForm()->isVisible());
    EXPECT_FALSE(s.ended());
}

TEST(Startup, TheSplashWaitsTwoSecondsByDefault)
{
    AppFixture s;
    s.writeDataFile(kConfigured);
    Forms& forms = s.start(2000);
    ASSERT_NE(forms.splashForm(), nullptr);
    EXPECT_EQ(forms.splashForm()->tmrSplash().interval(), 2000);
    EXPECT_TRUE(forms.splashForm()->tmrSplash().isSingleShot());
}

TEST(Startup, OnlyExactlySlashSStartsHiddenWithoutTheSplash)
{
    {
        AppFixture s("/s");
        s.writeDataFile(kConfigured);
        Forms& forms = s.start();
        EXPECT_EQ(forms.splashForm(), nullptr);
        ASSERT_NE(forms.mainForm(), nullptr);
        EXPECT_FALSE(forms.mainForm()->isVisible());
        EXPECT_FALSE(s.ended());
    }
    for (const char* commandLine : {"/S", "/s x", " /s", "s"}) {
        AppFixture s(commandLine);
        s.writeDataFile(kConfigured);
        Forms& forms = s.start();
        EXPECT_NE(forms.splashForm(), nullptr) << commandLine;
        EXPECT_EQ(forms.mainForm(), nullptr) << commandLine;
    }
}

TEST(Startup, SlashSWithoutANotificationAreaStartsMinimisedNotHidden)
{
    AppFixture s("/s");
    s.tray = {false, false};
    s.writeDataFile(kConfigured);
    Forms& forms = s.start();
    ASSERT_NE(forms.mainForm(), nullptr);
    EXPECT_TRUE(forms.mainForm()->isVisible());
    EXPECT_TRUE(forms.mainForm()->isMinimized());
}

TEST(Startup, EscapeOnTheSplashEndsTheProgramWithoutTheMainWindow)
{
    AppFixture s;
    s.writeDataFile(kConfigured);
    Forms& forms = s.start(60000);
    ASSERT_NE(forms.splashForm(), nullptr);
    QTest::keyRelease(forms.splashForm(), Qt::Key_Escape);
    settle();
    EXPECT_EQ(forms.splashForm(), nullptr);
    EXPECT_EQ(forms.mainForm(), nullptr);
    EXPECT_TRUE(s.ended());
    EXPECT_EQ(s.endedSpy->count(), 1);
}

TEST(Startup, AMissingInitSectionIsReportedThenStartsAsConfigured)
{
    AppFixture s;
    s.writeDataFile("[app]\r\nmiles=10\r\n");
    s.prompter.expect("Section Not Found.", MsgAnswer::Ok,
        "Section, init, Not Found. ~(KeyExists)\r\nVerify spelling and capitilization is correct.  "
        "Case-sensative.");
    Forms& forms = s.start();
    EXPECT_NE(forms.splashForm(), nullptr);
}

TEST(Startup, AMissingOrFilledInitialReadingPassesTheFirstRunTest)
{
    for (const char* file : {"[init]\r\nother=1\r\n", "[init]\r\nmiles=0\r\n", "[Init]\r\nmiles=\r\n"}) {
        AppFixture s;
        s.writeDataFile(file);
        if (std::string(file).find("[Init]") != std::string::npos)
            s.prompter.expect("Section Not Found.");
        Forms& forms = s.start();
        EXPECT_NE(forms.splashForm(), nullptr) << file;
        EXPECT_EQ(forms.initConfigForm(), nullptr) << file;
    }
}

TEST(Startup, ASecondInstanceEndsAtOnceWithoutAMessage)
{
    AppFixture first;
    first.writeDataFile(kConfigured);
    first.start();
    ASSERT_TRUE(first.started);

    AppFixture second;
    second.writeDataFile(kConfigured);
    second.context = std::make_unique<AppContext>(second.dir.path(), "", "", second.prompter);
    InstanceLock sameProgram(QString::fromStdString(first.dir.file("instance.lock")));
    Forms forms(*second.context, sameProgram);
    EXPECT_FALSE(forms.SubMain());
    EXPECT_TRUE(forms.hasEnded());
    EXPECT_EQ(forms.loadedCount(), 0);
}

TEST(Startup, AStaleLockOfACrashedInstanceDoesNotBlock)
{
    AppFixture s;
    s.writeDataFile(kConfigured);
    // The lock file of a process that no longer exists.
    s.dir.write("instance.lock", "999999\nwheelbook\n" + QSysInfo::machineHostName().toStdString() + "\n");
    s.start();
    EXPECT_TRUE(s.started);
    EXPECT_FALSE(s.ended());
}

TEST(Startup, TheProgramEndsWhenItsLastWindowIsUnloaded)
{
    AppFixture s("/s");
    s.writeDataFile(kConfigured);
    Forms& forms = s.start();
    ASSERT_NE(forms.mainForm(), nullptr);
    forms.mainForm()->close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return s.ended(); }, 2000));
}
