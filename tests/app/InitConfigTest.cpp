#include "AppFixture.h"

#include "controls/XPButton.h"

#include <QComboBox>
#include <QLineEdit>
#include <sys/stat.h>

#include <gtest/gtest.h>

namespace {

const std::string kRequiredText = "Wheelbook needs to know current reading of your Car-Run; without this value, "
                                  "application can not work. What you would like to do now?";

struct FirstRun {
    explicit FirstRun(std::string commandLine = {})
        : s(std::move(commandLine))
    {
        s.writeDataFile(kShipped);
        s.start(60000);
        dialog = s.forms->initConfigForm();
        reading = dialog->findChild<QLineEdit*>(QStringLiteral("txtInitMiles"));
        unit = dialog->findChild<QComboBox*>(QStringLiteral("cmbUnit"));
        done = dialog->findChild<XPButton*>(QStringLiteral("btnDone"));
    }

    void clickDone() { QTest::mouseClick(done, Qt::LeftButton, Qt::NoModifier, done->rect().center()); }

    AppFixture s;
    frmInitConfig* dialog = nullptr;
    QLineEdit* reading = nullptr;
    QComboBox* unit = nullptr;
    XPButton* done = nullptr;
};

} // namespace

TEST(FirstRunDialog, LooksAsDesigned)
{
    FirstRun f;
    ASSERT_NE(f.dialog, nullptr);
    EXPECT_EQ(f.dialog->windowTitle(), QStringLiteral("Application Configuration ..."));
    EXPECT_EQ(f.dialog->size(), QSize(352, 126));
    EXPECT_FALSE(f.dialog->windowFlags().testFlag(Qt::WindowCloseButtonHint));
    EXPECT_TRUE(f.dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(f.unit->count(), 2);
    EXPECT_EQ(f.unit->itemText(0), QStringLiteral("Miles"));
    EXPECT_EQ(f.unit->itemText(1), QStringLiteral("Km"));
    EXPECT_EQ(f.unit->currentText(), QStringLiteral("Miles"));
    EXPECT_EQ(f.done->Caption(), QStringLiteral("btnDone"));
}

TEST(FirstRunDialog, RefusesToClose)
{
    FirstRun f;
    EXPECT_FALSE(f.dialog->close());
    EXPECT_TRUE(f.dialog->isVisible());
    EXPECT_FALSE(f.s.ended());
}

TEST(FirstRunDialog, KeepsOnlyDigitsAndBackspace)
{
    FirstRun f;
    QTest::keyClicks(f.reading, QStringLiteral("1a2.-3 x"));
    EXPECT_EQ(f.reading->text(), QStringLiteral("123"));
    QTest::keyClick(f.reading, Qt::Key_Backspace);
    EXPECT_EQ(f.reading->text(), QStringLiteral("12"));
}

TEST(FirstRunDialog, AnEmptyReadingAsksToRetryOrCancel)
{
    FirstRun f;
    f.s.prompter.expect("Required Data Missing!", MsgAnswer::Retry, kRequiredText);
    f.clickDone();
    EXPECT_EQ(f.s.prompter.messages().back().buttons, MsgButtons::RetryCancel);
    EXPECT_EQ(f.s.prompter.messages().back().icon, MsgIcon::None);
    EXPECT_TRUE(f.dialog->isVisible());
    EXPECT_FALSE(f.s.ended());

    f.reading->setText(QStringLiteral("   "));
    f.s.prompter.expect("Required Data Missing!", MsgAnswer::Cancel);
    f.s.prompter.expect("Bye for now ...", MsgAnswer::Ok, "Wheelbook will Terminate now.");
    f.clickDone();
    EXPECT_TRUE(f.s.ended());
    EXPECT_EQ(f.s.dataFile(), kShipped);
}

TEST(FirstRunDialog, ZeroIsStoredOnlyAfterYes)
{
    FirstRun f;
    f.unit->setCurrentIndex(1);
    QTest::keyClicks(f.reading, QStringLiteral("000"));
    f.s.prompter.expect("Are you sure?", MsgAnswer::No,
        "Are you sure you want to Initialize Application with Zero Km as current Car-Run?");
    QTest::keyClick(f.reading, Qt::Key_Return);
    EXPECT_EQ(f.s.dataFile(), kShipped);
    EXPECT_TRUE(f.dialog->isVisible());

    f.s.prompter.expect("Are you sure?", MsgAnswer::Yes);
    f.clickDone();
    EXPECT_EQ(f.s.dataFile(), "[init]\r\nmiles=000\r\n[consumables]\r\n[app]\r\nmiles=000\r\nunit=1\r\n");
    EXPECT_NE(f.s.forms->splashForm(), nullptr);
}

TEST(FirstRunDialog, StoresTheReadingAndShowsTheSplash)
{
    FirstRun f;
    QTest::keyClicks(f.reading, QStringLiteral("800"));
    f.clickDone();
    EXPECT_EQ(f.s.dataFile(), "[init]\r\nmiles=800\r\n[consumables]\r\n[app]\r\nmiles=800\r\nunit=0\r\n");
    EXPECT_NE(f.s.forms->splashForm(), nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return f.s.forms->initConfigForm() == nullptr; }, 2000));
    EXPECT_EQ(f.s.forms->mainForm(), nullptr);
}

TEST(FirstRunDialog, WithSlashSGoesStraightToTheTray)
{
    FirstRun f("/s");
    QTest::keyClicks(f.reading, QStringLiteral("800"));
    f.clickDone();
    EXPECT_EQ(f.s.forms->splashForm(), nullptr);
    ASSERT_NE(f.s.forms->mainForm(), nullptr);
    EXPECT_FALSE(f.s.forms->mainForm()->isVisible());
    EXPECT_NE(f.s.forms->mainForm()->oSysTray(), nullptr);
}

TEST(FirstRunDialog, ARefusedWriteKeepsTheDialogOpen)
{
    FirstRun f;
    ::chmod(f.s.dir.file("cardata.dat").c_str(), 0444);
    QTest::keyClicks(f.reading, QStringLiteral("800"));
    f.s.prompter.expect("Data Not Saved!");
    f.clickDone();
    EXPECT_TRUE(f.dialog->isVisible());
    EXPECT_EQ(f.s.forms->splashForm(), nullptr);
    ::chmod(f.s.dir.file("cardata.dat").c_str(), 0644);
}
