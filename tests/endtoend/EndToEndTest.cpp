// One user's first week with the program, in a process of its own: the first-run dialog, consumables, an
// expense, a fill-up and every setting, then a restart that finds everything as left.
#include "AppFixture.h"
#include "app/frmInitConfig.h"
#include "controls/XPButton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class Session : public AppFixture {
public:
    void type(const char* name, const QString& text)
    {
        auto* box = find<QLineEdit>(name);
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, text);
    }

    void tab(int index) { main().tabMain()->setCurrentIndex(index); }

    // Releases the mouse over btnMiscEdit and chooses an item of the pop-up it opens.
    void chooseFromExpensePopup(const char* item)
    {
        QMenu* menu = main().mnuPopupMiscAdd();
        QAction* action = menu->findChild<QAction*>(QLatin1String(item));
        std::function<void()> whenShown = [&] {
            if (!menu->isVisible()) {
                QTimer::singleShot(5, menu, whenShown);
                return;
            }
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
        };
        QTimer::singleShot(0, menu, whenShown);
        click(find("btnMiscEdit"));
        QTest::qWait(20);
    }
};

} // namespace

TEST(EndToEnd, EverythingEnteredIsThereAfterARestart)
{
    Session session;
    TempDir& dir = session.dir;
    session.writeDataFile(kShipped);

    {
        Session& first = session;
        first.start();
        ASSERT_TRUE(first.started);
        frmInitConfig* dialog = first.forms->initConfigForm();
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QComboBox*>(QStringLiteral("cmbUnit"))->setCurrentIndex(1);
        QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("txtInitMiles")), QStringLiteral("1000"));
        click(dialog->findChild<XPButton*>(QStringLiteral("btnDone")));
        frmMain& main = first.waitForMain();
        EXPECT_EQ(first.find<QLineEdit>("txtMiles")->text(), QStringLiteral("1000"));

        // A consumable.
        first.tab(1);
        click(first.find("btnConsumableAdd"));
        first.type("txtItemName", QStringLiteral("Engine Oil"));
        first.type("txtLastChanged", QStringLiteral("1000"));
        first.type("txtChangeAfter", QStringLiteral("5000"));
        click(first.find("btnConsumableSave"));
        EXPECT_EQ(rowsOf(first.find<QTreeWidget>("lstConsumables")), QStringList {QStringLiteral(" ENGINE OIL")});

        // The reading today.
        first.tab(0);
        first.type("txtMiles", QStringLiteral("3000"));
        click(first.find("btnConfirm"));
        EXPECT_EQ(rowsOf(first.find<QTreeWidget>("lstStatus"), 1),
            QStringList {QStringLiteral("Ok. Change needed after 3000 Km.")});

        // An expense category.
        first.tab(2);
        first.chooseFromExpensePopup("mnuMiscAddCat");
        first.type("txtCatName", QStringLiteral("Insurance"));
        first.type("txtExpences", QStringLiteral("400"));
        click(first.find("btnMiscSave"));
        EXPECT_EQ(rowsOf(first.find<QTreeWidget>("lstMisc")), QStringList {QStringLiteral(" INSURANCE")});

        // A fill-up.
        first.tab(3);
        first.type("txtFuelFilled", QStringLiteral("40"));
        first.type("txtFuelCost", QStringLiteral("60.5"));
        click(first.find("btnFuelAnalyze"));
        EXPECT_EQ(first.find<QLabel>("lblFuelTotal")->text(), QStringLiteral("40 Litters"));

        // Every setting.
        first.tab(4);
        first.find<QComboBox>("cmbUnit")->setCurrentIndex(0);
        first.find<QComboBox>("cmbCur")->setCurrentIndex(9);
        first.find<QCheckBox>("chkOnTop")->setChecked(false);
        first.find<QCheckBox>("chkStartup")->setChecked(true);
        first.find<QCheckBox>("chkMinSystray")->setChecked(true);
        first.type("txtInitMiles", QStringLiteral("900"));
        click(first.find("btnDone"));
        EXPECT_EQ(main.tabMain()->currentIndex(), 3);
        EXPECT_TRUE(QFile::exists(QString::fromStdString(dir.file("autostart/Wheelbook.desktop"))));

        main.close();
        EXPECT_TRUE(QTest::qWaitFor([&] { return first.forms->hasEnded(); }, 2000));
    }

    Session& second = session;
    second.start();
    ASSERT_TRUE(second.started);
    EXPECT_EQ(second.forms->initConfigForm(), nullptr);
    frmMain& main = second.waitForMain();
    EXPECT_EQ(main.tabMain()->currentIndex(), 0);
    EXPECT_EQ(second.find<QLineEdit>("txtMiles")->text(), QStringLiteral("3000"));
    EXPECT_EQ(rowsOf(second.find<QTreeWidget>("lstStatus"), 1),
        QStringList {QStringLiteral("Ok. Change needed after 3000 Miles.")});
    auto* consumables = second.find<QTreeWidget>("lstConsumables");
    ASSERT_EQ(consumables->topLevelItemCount(), 1);
    EXPECT_EQ(consumables->topLevelItem(0)->text(1), QStringLiteral("1000"));
    EXPECT_EQ(consumables->topLevelItem(0)->text(2), QStringLiteral("5000"));
    auto* misc = second.find<QTreeWidget>("lstMisc");
    EXPECT_EQ(rowsOf(misc), (QStringList {QStringLiteral(" INSURANCE"), QStringLiteral(" FUEL")}));
    EXPECT_EQ(rowsOf(misc, 1), (QStringList {QStringLiteral("400 EUR"), QStringLiteral("60.5 EUR")}));
    EXPECT_EQ(second.find<QLabel>("lblFuelTotal")->text(), QStringLiteral("40 Litters"));
    EXPECT_EQ(second.find<QLabel>("lblTotalExpense")->text(), QStringLiteral("460  EUR"));
    EXPECT_EQ(second.find<QLabel>("lblTotalDistance")->text(), QStringLiteral("2100 Miles"));
    EXPECT_EQ(second.find<QComboBox>("cmbUnit")->currentText(), QStringLiteral("Miles"));
    EXPECT_EQ(second.find<QComboBox>("cmbCur")->currentIndex(), 9);
    EXPECT_FALSE(second.find<QCheckBox>("chkOnTop")->isChecked());
    EXPECT_TRUE(second.find<QCheckBox>("chkStartup")->isChecked());
    EXPECT_TRUE(second.find<QCheckBox>("chkMinSystray")->isChecked());
    EXPECT_EQ(second.find<QLineEdit>("txtInitMiles")->text(), QStringLiteral("900"));
    EXPECT_TRUE(QFile::exists(QString::fromStdString(dir.file("autostart/Wheelbook.desktop"))));
}
