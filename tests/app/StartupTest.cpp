#include "AppFixture.h"

#include "app/frmInitConfig.h"
#include "app/frmSplash.h"
#include "controls/XPButton.h"

#include <QClipboard>
#include <QComboBox>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(Startup, WithoutAUsableDataFileShowsErrorInLoadingAndEnds)
{
    const std::string missing
        = "Wheelbook Data File found missing or invalid. Application can not work without Data File. Please "
          "re-install Wheelbook to resovle this issue. Application will terminate now ...";
    // Only a regular file counts: a device or a pipe is never read nor waited for, a huge file never loaded.
    const std::pair<std::function<void(const std::string&)>, std::string> cases[] = {
        {[](const std::string&) {}, missing},
        {[](const std::string& path) { ::symlink("/dev/zero", path.c_str()); }, missing},
        {[](const std::string& path) { ::mkfifo(path.c_str(), 0644); }, missing},
        {[](const std::string& path) { ::mkdir(path.c_str(), 0755); }, missing},
        {[](const std::string& path) {
             writeFileBytes(path, "[init]\r\nmiles=5\r\n");
             ::truncate(path.c_str(), 100 * 1024 * 1024);
         },
            "Wheelbook can not use its Data File {}: it is 100 MB large, and Wheelbook reads data files of at most "
            "64 MB. Application will terminate now ..."},
    };
    for (const auto& [make, text] : cases) {
        AppFixture s;
        const std::string path = s.dir.file("cardata.dat");
        make(path);
        std::string expected = text;
        if (const auto at = expected.find("{}"); at != std::string::npos)
            expected.replace(at, 2, path);
        s.prompter.expect("Error in Loading!", MsgAnswer::Ok, expected);
        s.start();
        EXPECT_FALSE(s.started);
        EXPECT_TRUE(s.ended());
        EXPECT_EQ(s.prompter.messages().at(0).icon, MsgIcon::Critical);
        EXPECT_EQ(s.forms->loadedCount(), 0);
    }
}

TEST(Startup, AStaleLockDoesNotBlockTheSplashWhichWaitsItsIntervalAndEscapeEndsTheProgram)
{
    AppFixture s;
    s.writeDataFile(kConfigured);
    // The lock file of a crashed instance: a process that no longer exists.
    s.dir.write("cardata.dat.lock", "999999\nwheelbook\n" + QSysInfo::machineHostName().toStdString() + "\n");
    Forms& forms = s.start(60000);
    ASSERT_TRUE(s.started && forms.splashForm() && forms.splashForm()->isVisible());
    EXPECT_EQ(forms.splashForm()->size(), QSize(341, 281));
    EXPECT_EQ(forms.splashForm()->tmrSplash().interval(), 60000);
    EXPECT_TRUE(forms.splashForm()->tmrSplash().isSingleShot());
    QTest::keyRelease(forms.splashForm(), Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return forms.splashForm() == nullptr; }));
    EXPECT_EQ(forms.mainForm(), nullptr);
    EXPECT_EQ(s.endedSpy->count(), 1);
}

TEST(Startup, OnlyExactlySlashSStartsHiddenAndClosingTheHiddenWindowEnds)
{
    for (const char* commandLine : {"/S", "/s x", " /s", "s"}) {
        AppFixture s(commandLine);
        s.writeDataFile(kConfigured);
        Forms& forms = s.start();
        EXPECT_TRUE(forms.splashForm() && !forms.mainForm()) << commandLine;
    }
    for (const bool notificationArea : {true, false}) {
        AppFixture s("/s");
        s.tray = {notificationArea, notificationArea};
        s.writeDataFile(kConfigured);
        Forms& forms = s.start();
        EXPECT_EQ(forms.splashForm(), nullptr);
        ASSERT_NE(forms.mainForm(), nullptr);
        // Nobody could reach a hidden window without a notification area: it starts minimised.
        EXPECT_EQ(forms.mainForm()->isVisible(), !notificationArea);
        EXPECT_EQ(forms.mainForm()->isMinimized(), !notificationArea);
        forms.mainForm()->close();
        EXPECT_TRUE(QTest::qWaitFor([&] { return s.ended(); }, 2000));
    }
}

TEST(Startup, AnyInitialReadingButABlankOneSkipsTheFirstRunDialog)
{
    const std::string missingSection = "Section, init, Not Found. ~(KeyExists)\r\nVerify spelling and capitilization "
                                       "is correct.  Case-sensative.";
    const std::pair<const char*, std::string> cases[] = {{"[init]\r\nother=1\r\n", ""}, {"[init]\r\nmiles=0\r\n", ""},
        {"[app]\r\nmiles=10\r\n", missingSection}, {"[Init]\r\nmiles=\r\n", missingSection}};
    for (const auto& [file, message] : cases) {
        AppFixture s;
        s.writeDataFile(file);
        if (!message.empty())
            s.prompter.expect("Section Not Found.", MsgAnswer::Ok, message);
        Forms& forms = s.start();
        EXPECT_TRUE(forms.splashForm() && !forms.initConfigForm()) << file;
    }
}

namespace {

// A start over the shipped data file, whose blank initial reading opens the first-run dialog.
struct FirstRun : AppFixture {
    explicit FirstRun(std::string commandLine = {})
        : AppFixture(std::move(commandLine))
    {
        writeDataFile(kShipped);
        start(60000);
    }
    frmInitConfig* dialog() { return forms->initConfigForm(); }
    template <typename T> T* control(const char* name) { return dialog()->findChild<T*>(QLatin1String(name)); }
    QLineEdit* reading() { return control<QLineEdit>("txtInitMiles"); }
    void done() { click(control<XPButton>("btnDone")); }
};

} // namespace

TEST(FirstRunDialog, OpensAloneOnTopTakesTypedDigitsOnlyAndCannotBeClosed)
{
    FirstRun f;
    ASSERT_TRUE(f.started && f.dialog() && f.dialog()->isVisible());
    EXPECT_TRUE(!f.forms->splashForm() && !f.forms->mainForm());
    EXPECT_EQ(f.dialog()->windowTitle(), u"Application Configuration ..."_s);
    EXPECT_EQ(f.dialog()->size(), QSize(352, 126));
    EXPECT_EQ(
        f.dialog()->windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint), Qt::WindowStaysOnTopHint);
    auto* unit = f.control<QComboBox>("cmbUnit");
    EXPECT_EQ(QStringList({unit->itemText(0), unit->itemText(1), unit->currentText()}).join(QLatin1Char('/')),
        u"Miles/Km/Miles"_s);
    EXPECT_EQ(unit->count(), 2);
    EXPECT_EQ(f.control<XPButton>("btnDone")->Caption(), u"btnDone"_s);

    QTest::keyClicks(f.reading(), u"1a2.-3 x4"_s);
    QTest::keyClick(f.reading(), Qt::Key_Backspace);
    QApplication::clipboard()->setText(u"45"_s);
    QTest::keyClick(f.reading(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(f.reading()->text(), u"123"_s);
    // Nor does a paste from the menu or a drop bring in what the keys could not.
    for (const QString& pasted : {u"45a"_s, u"-7"_s, u"4\n5"_s, u"1234567"_s}) {
        QApplication::clipboard()->setText(pasted);
        f.reading()->paste();
    }
    EXPECT_EQ(f.reading()->text(), u"123"_s);

    EXPECT_FALSE(f.dialog()->close());
    EXPECT_TRUE(f.dialog()->isVisible());
    EXPECT_FALSE(f.ended());
}

TEST(FirstRunDialog, AnEmptyReadingAsksToRetryOrCancelWhichEnds)
{
    FirstRun f;
    f.prompter.expect("Required Data Missing!", MsgAnswer::Retry,
        "Wheelbook needs to know current reading of your Car-Run; without this value, application can not work. "
        "What you would like to do now?");
    f.done();
    EXPECT_EQ(f.prompter.messages().back().buttons, MsgButtons::RetryCancel);
    EXPECT_EQ(f.prompter.messages().back().icon, MsgIcon::None);
    EXPECT_TRUE(f.dialog()->isVisible());

    f.reading()->setText(u"   "_s);
    f.prompter.expect("Required Data Missing!", MsgAnswer::Cancel);
    f.prompter.expect("Bye for now ...", MsgAnswer::Ok, "Wheelbook will Terminate now.");
    f.done();
    EXPECT_TRUE(f.ended());
    EXPECT_EQ(f.dataFile(), kShipped);
}

TEST(FirstRunDialog, ARefusedWriteKeepsItOpenZeroIsStoredOnlyAfterYesAndWithSlashSTheStartGoesOnToTheTray)
{
    FirstRun f("/s");
    ::chmod(f.dir.file("cardata.dat").c_str(), 0444);
    QTest::keyClicks(f.reading(), u"800"_s);
    f.prompter.expect("Data Not Saved!");
    f.done();
    EXPECT_TRUE(f.dialog()->isVisible());
    ::chmod(f.dir.file("cardata.dat").c_str(), 0644);

    // Whatever way a text got into the box, only digits are stored.
    f.reading()->setText(u"12\n34"_s);
    f.prompter.expect("Wrong Value specified!", MsgAnswer::Ok,
        "The reading \"12\n34\" is not a whole number of at most 9 digits. Please specify digits only.");
    f.done();
    EXPECT_EQ(f.dataFile(), kShipped);
    f.control<QComboBox>("cmbUnit")->setCurrentIndex(1);
    f.reading()->clear();
    QTest::keyClicks(f.reading(), u"000"_s);
    f.prompter.expect("Are you sure?", MsgAnswer::No,
        "Are you sure you want to Initialize Application with Zero Km as current Car-Run?");
    QTest::keyClick(f.reading(), Qt::Key_Return);
    EXPECT_EQ(f.dataFile(), kShipped);
    EXPECT_TRUE(f.dialog()->isVisible());

    f.prompter.expect("Are you sure?", MsgAnswer::Yes);
    f.done();
    EXPECT_EQ(f.dataFile(),
        "[init]\r\nmiles=000\r\n[consumables]\r\n[app]\r\nmiles=000\r\nunit=1\r\n[reading log]\r\n1=" + kNow
            + "#000\r\n");
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.dialog() == nullptr; }, 2000));
    EXPECT_EQ(f.forms->splashForm(), nullptr);
    ASSERT_NE(f.forms->mainForm(), nullptr);
    EXPECT_FALSE(f.forms->mainForm()->isVisible());
}
