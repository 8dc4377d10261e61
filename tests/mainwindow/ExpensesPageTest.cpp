#include "AppFixture.h"

#include "controls/XPButton.h"
#include "mainwindow/ExpensesPage.h"
#include "mainwindow/ListRows.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace {

const char* const kData = "[init]\r\nmiles=1000\r\n[app]\r\nmiles=2500\r\nunit=1\r\ncur=USD\r\nicur=0\r\ncost=0\r\n"
                          "[fuel]\r\ntotal=100\r\n[misc]\r\nfuel=200\r\nInsurance=150\r\n[consumables]\r\n";

// The editor's controls as the user sees them.
struct Editor {
    QString editCaption;
    bool saveEnabled;
    bool deleteEnabled;
    bool listEnabled;
    bool nameLocked;
    bool amountLocked;
    QString name;
    QString amount;

    bool operator==(const Editor&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Editor& e)
{
    return out << "{" << e.editCaption.toStdString() << ", save " << e.saveEnabled << ", delete " << e.deleteEnabled
               << ", list " << e.listEnabled << ", locked " << e.nameLocked << e.amountLocked << ", \""
               << e.name.toStdString() << "\" \"" << e.amount.toStdString() << "\"}";
}

const Editor kBrowsing {QStringLiteral("&Add"), false, true, true, true, true, {}, {}};

// The pop-up menu as it was shown.
struct Popup {
    bool shown = false;
    bool addExpenseEnabled = false;
    bool editEnabled = false;
    bool addCategoryEnabled = false;
    QString addExpenseText;
};

class ExpensesPageTest : public ::testing::Test {
protected:
    void open(const char* data = kData)
    {
        f.open(data);
        f.main().tabMain()->setCurrentIndex(2);
        QApplication::processEvents();
    }

    XPButton* button(const char* name) { return f.find<XPButton>(name); }
    QLineEdit* box(const char* name) { return f.find<QLineEdit>(name); }
    QTreeWidget* list() { return f.find<QTreeWidget>("lstMisc"); }
    QAction* item(const char* name) { return f.main().mnuPopupMiscAdd()->findChild<QAction*>(QLatin1String(name)); }

    Editor editor()
    {
        return {button("btnMiscEdit")->Caption(), button("btnMiscSave")->isEnabled(),
            button("btnMiscDelete")->isEnabled(), list()->isEnabled(), box("txtCatName")->isReadOnly(),
            box("txtExpences")->isReadOnly(), box("txtCatName")->text(), box("txtExpences")->text()};
    }

    QPoint rowCentre(const QString& text)
    {
        const auto items = list()->findItems(text, Qt::MatchExactly);
        if (items.isEmpty())
            throw std::runtime_error("no row " + text.toStdString());
        return list()->visualItemRect(items.first()).center();
    }
    void clickRow(const QString& text) { QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, rowCentre(text)); }
    void doubleClickRow(const QString& text)
    {
        const QPoint at = rowCentre(text);
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, at);
    }

    // Releases a mouse button over btnMiscEdit; while the pop-up is open, records it and
    // chooses the named item (none: the menu is closed with Escape).
    Popup releaseOverEdit(const char* choose = nullptr, Qt::MouseButton mouse = Qt::LeftButton)
    {
        Popup seen;
        QMenu* menu = f.main().mnuPopupMiscAdd();
        std::function<void()> whenShown = [&] {
            if (!menu->isVisible()) {
                QTimer::singleShot(5, menu, whenShown);
                return;
            }
            seen.shown = true;
            seen.addExpenseEnabled = item("mnuMiscAddExp")->isEnabled();
            seen.editEnabled = item("mnuMiscEdit")->isEnabled();
            seen.addCategoryEnabled = item("mnuMiscAddCat")->isEnabled();
            seen.addExpenseText = item("mnuMiscAddExp")->text();
            if (choose)
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item(choose)).center());
            else
                QTest::keyClick(menu, Qt::Key_Escape);
        };
        QTimer::singleShot(0, menu, whenShown);
        QWidget* edit = button("btnMiscEdit");
        QTest::mouseClick(edit, mouse, {}, edit->rect().center());
        // Let a timer that found no menu run out before the next release.
        QTest::qWait(20);
        return seen;
    }

    void type(const char* name, const QString& text)
    {
        QLineEdit* b = box(name);
        b->selectAll();
        QTest::keyClicks(b, text);
    }

    AppFixture f;
};

TEST_F(ExpensesPageTest, TheListShowsEachCategoryWithItsAmountAndTheStoredCurrency)
{
    open("[init]\r\nmiles=1000\r\n[app]\r\ncur=EUR\r\nicur=9\r\n[misc]\r\nfuel=40.5\r\nOil=20.5\r\n[consumables]\r\n");
    ASSERT_EQ(ListRows::rowsOf(list()), (std::vector<ListRow> {{" FUEL", {"40.5 EUR"}, 3}, {" OIL", {"20.5 EUR"}, 3}}));
    const QTreeWidgetItem* oil = list()->topLevelItem(1);
    EXPECT_EQ(oil->foreground(0).color(), QColor(Qt::black));
    EXPECT_FALSE(oil->font(0).bold());
    EXPECT_FALSE(oil->icon(0).isNull());
    EXPECT_EQ(f.main().expensesPage()->miscTag(), QStringLiteral("9"));
    // The exact sum, rounded once: 61.
    EXPECT_NE(f.dataFile().find("cost=61\r\n"), std::string::npos);
    EXPECT_EQ(editor().saveEnabled, true); // at start, before any edit
}

TEST_F(ExpensesPageTest, DoubleClickFillsTheBoxesAndSelectsTheRememberedCurrency)
{
    open();
    auto* cmbCur = f.find<QComboBox>("cmbCur");
    cmbCur->setCurrentIndex(50);
    doubleClickRow(QStringLiteral(" INSURANCE"));
    EXPECT_EQ(box("txtCatName")->text(), QStringLiteral(" INSURANCE"));
    EXPECT_EQ(box("txtExpences")->text(), QStringLiteral("150"));
    EXPECT_EQ(cmbCur->currentIndex(), 0);
    // The boxes stay read-only until an edit starts.
    EXPECT_TRUE(box("txtCatName")->isReadOnly());
}

TEST_F(ExpensesPageTest, ThePopUpFollowsTheNameBox)
{
    open();
    const Popup empty = releaseOverEdit();
    ASSERT_TRUE(empty.shown);
    EXPECT_FALSE(empty.addExpenseEnabled);
    EXPECT_FALSE(empty.editEnabled);
    EXPECT_TRUE(empty.addCategoryEnabled);
    EXPECT_EQ(empty.addExpenseText, QStringLiteral("Add Expense to -category-"));

    doubleClickRow(QStringLiteral(" FUEL"));
    const Popup fuel = releaseOverEdit(nullptr, Qt::RightButton);
    ASSERT_TRUE(fuel.shown);
    EXPECT_FALSE(fuel.addExpenseEnabled);
    EXPECT_TRUE(fuel.editEnabled);
    EXPECT_EQ(fuel.addExpenseText, QStringLiteral("Add Expense to -category-"));

    doubleClickRow(QStringLiteral(" INSURANCE"));
    const Popup other = releaseOverEdit();
    EXPECT_TRUE(other.addExpenseEnabled);
    EXPECT_TRUE(other.editEnabled);
    EXPECT_EQ(other.addExpenseText, QStringLiteral("Add Expense to  INSURANCE"));
    // Closing the menu without a choice starts nothing.
    EXPECT_EQ(editor().editCaption, QStringLiteral("&Add"));
    EXPECT_EQ(f.main().Action(), QString());
}

TEST_F(ExpensesPageTest, TheKeyboardNeitherOpensThePopUpNorCancels)
{
    open();
    XPButton* edit = button("btnMiscEdit");
    bool popupShown = false;
    QMenu* menu = f.main().mnuPopupMiscAdd();
    QObject::connect(menu, &QMenu::aboutToShow, menu, [&] {
        popupShown = true;
        QTimer::singleShot(0, menu, &QMenu::close);
    });
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Space);
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_FALSE(popupShown);

    releaseOverEdit("mnuMiscAddCat");
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Space);
    EXPECT_EQ(edit->Caption(), QStringLiteral("&Cancel"));
    EXPECT_FALSE(list()->isEnabled());
}

TEST_F(ExpensesPageTest, ANewCategoryIsStoredAsTypedAndLeavesTheCurrencyAlone)
{
    open();
    f.find<QComboBox>("cmbCur")->setCurrentIndex(9);
    releaseOverEdit("mnuMiscAddCat");
    EXPECT_EQ(f.main().Action(), QStringLiteral("new"));
    EXPECT_EQ(
        editor(), (Editor {QStringLiteral("&Cancel"), true, false, false, false, false, {}, QStringLiteral("0")}));
    EXPECT_EQ(f.main().focusWidget(), box("txtCatName"));

    QTest::keyClicks(box("txtCatName"), QStringLiteral("Parking"));
    type("txtExpences", QStringLiteral("0150"));
    click(button("btnMiscSave"));
    EXPECT_EQ(editor(), kBrowsing);
    EXPECT_EQ(rowsOf(list()),
        (QStringList {QStringLiteral(" FUEL"), QStringLiteral(" INSURANCE"), QStringLiteral(" PARKING")}));
    EXPECT_EQ(list()->topLevelItem(2)->text(1), QStringLiteral("0150 USD"));
    EXPECT_EQ(f.dataFile(),
        "[init]\r\nmiles=1000\r\n[app]\r\nmiles=2500\r\nunit=1\r\ncur=USD\r\nicur=0\r\ncost=500\r\n"
        "[fuel]\r\ntotal=100\r\n[misc]\r\nfuel=200\r\nInsurance=150\r\nParking=0150\r\n[consumables]\r\n");
}

TEST_F(ExpensesPageTest, EnterInTheNameBoxSavesTheNewCategoryWithAmountZero)
{
    open();
    releaseOverEdit("mnuMiscAddCat");
    QTest::keyClicks(box("txtCatName"), QStringLiteral("Tolls"));
    QTest::keyClick(box("txtCatName"), Qt::Key_Return);
    EXPECT_EQ(editor(), kBrowsing);
    EXPECT_NE(f.dataFile().find("Tolls=0\r\n"), std::string::npos);
}

TEST_F(ExpensesPageTest, AnExpenseIsAddedExactlyAndTheCurrencyRewritten)
{
    open("[init]\r\nmiles=1000\r\n[app]\r\nicur=0\r\n[misc]\r\nfuel=200\r\nInsurance=161.5\r\n[consumables]\r\n");
    doubleClickRow(QStringLiteral(" INSURANCE"));
    releaseOverEdit("mnuMiscAddExp");
    EXPECT_EQ(f.main().Action(), QStringLiteral("exp"));
    EXPECT_EQ(editor(),
        (Editor {QStringLiteral("&Cancel"), true, false, false, true, false, QStringLiteral(" INSURANCE"),
            QStringLiteral("161.5")}));
    QLineEdit* amount = box("txtExpences");
    EXPECT_EQ(f.main().focusWidget(), amount);
    EXPECT_EQ(amount->selectedText(), QStringLiteral("161.5"));

    // Letters are dropped; the typed text replaces the selected total.
    QTest::keyClicks(amount, QStringLiteral("1a0b"));
    EXPECT_EQ(amount->text(), QStringLiteral("10"));
    f.find<QComboBox>("cmbCur")->setCurrentIndex(9);
    QTest::keyClick(amount, Qt::Key_Return);

    EXPECT_EQ(editor(), kBrowsing);
    EXPECT_EQ(f.dataFile(),
        "[init]\r\nmiles=1000\r\n[app]\r\nicur=9\r\ncost=372\r\ncur=EUR\r\n[misc]\r\nfuel=200\r\n"
        "Insurance=171.5\r\n[consumables]\r\n");
    EXPECT_EQ(list()->topLevelItem(1)->text(1), QStringLiteral("171.5 EUR"));
}

TEST_F(ExpensesPageTest, EditingAsksFirstAndNoKeepsTheEditOpen)
{
    open();
    doubleClickRow(QStringLiteral(" INSURANCE"));
    releaseOverEdit("mnuMiscEdit");
    EXPECT_EQ(f.main().Action(), QStringLiteral("edt"));
    EXPECT_EQ(editor(),
        (Editor {QStringLiteral("&Cancel"), true, false, false, false, false, QStringLiteral(" INSURANCE"),
            QStringLiteral("150")}));
    EXPECT_EQ(f.main().focusWidget(), box("txtCatName"));

    type("txtCatName", QStringLiteral(" CAR INSURANCE"));
    type("txtExpences", QStringLiteral("300"));
    const std::string before = f.dataFile();
    f.prompter.expect("Are you sure?", MsgAnswer::No, "Are you sure you want to Save Changes to  CAR INSURANCE?");
    click(button("btnMiscSave"));
    EXPECT_EQ(f.prompter.messages().back().buttons, MsgButtons::YesNo);
    EXPECT_EQ(f.prompter.messages().back().icon, MsgIcon::Question);
    EXPECT_EQ(editor().editCaption, QStringLiteral("&Cancel"));
    EXPECT_EQ(box("txtCatName")->text(), QStringLiteral(" CAR INSURANCE"));
    EXPECT_EQ(f.dataFile(), before);

    f.prompter.expect("Are you sure?", MsgAnswer::Yes);
    QTest::keyClick(box("txtExpences"), Qt::Key_Enter);
    EXPECT_EQ(editor(), kBrowsing);
    // The old category keeps its total beside the renamed one.
    EXPECT_EQ(rowsOf(list()),
        (QStringList {QStringLiteral(" FUEL"), QStringLiteral(" INSURANCE"), QStringLiteral(" CAR INSURANCE")}));
    EXPECT_EQ(rowsOf(list(), 1),
        (QStringList {QStringLiteral("200 USD"), QStringLiteral("150 USD"), QStringLiteral("300 USD")}));
}

TEST_F(ExpensesPageTest, TheFuelTotalCanBeCorrectedButNotRenamed)
{
    open();
    doubleClickRow(QStringLiteral(" FUEL"));
    releaseOverEdit("mnuMiscEdit");
    EXPECT_TRUE(box("txtCatName")->isReadOnly());
    EXPECT_FALSE(box("txtExpences")->isReadOnly());
    EXPECT_EQ(f.main().focusWidget(), box("txtExpences"));
    type("txtExpences", QStringLiteral("210.25"));
    f.prompter.expect("Are you sure?", MsgAnswer::Yes, "Are you sure you want to Save Changes to  FUEL?");
    click(button("btnMiscSave"));
    EXPECT_NE(f.dataFile().find("fuel=210.25\r\n"), std::string::npos);
}

TEST_F(ExpensesPageTest, MissingNameOrAmountKeepsTheEditOpen)
{
    open();
    releaseOverEdit("mnuMiscAddCat");
    f.prompter.expect("Required Data Missing!", MsgAnswer::Ok, "Please specify Category Name.");
    click(button("btnMiscSave"));
    QTest::keyClicks(box("txtCatName"), QStringLiteral("Parking"));
    box("txtExpences")->clear();
    f.prompter.expect("Required Data Missing!", MsgAnswer::Ok, "Please specify Expences for Parking.");
    QTest::keyClick(box("txtExpences"), Qt::Key_Return);
    EXPECT_EQ(editor().editCaption, QStringLiteral("&Cancel"));
    EXPECT_EQ(f.dataFile().find("Parking"), std::string::npos);
}

TEST_F(ExpensesPageTest, CancelWritesNothingAndReturnsToBrowsing)
{
    open();
    const std::string before = f.dataFile();
    for (const char* menuItem : {"mnuMiscAddCat", "mnuMiscAddExp", "mnuMiscEdit"}) {
        doubleClickRow(QStringLiteral(" INSURANCE"));
        releaseOverEdit(menuItem);
        ASSERT_EQ(editor().editCaption, QStringLiteral("&Cancel")) << menuItem;
        QTest::keyClicks(box("txtExpences"), QStringLiteral("5"));
        releaseOverEdit();
        EXPECT_EQ(editor(), kBrowsing) << menuItem;
    }
    EXPECT_EQ(f.dataFile(), before);
}

TEST_F(ExpensesPageTest, WithNoRowSelectedEditCategoryAndTheDoubleClickDoNothing)
{
    open();
    // Below the rows: nothing is selected.
    QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, QPoint(20, list()->viewport()->height() - 10));
    EXPECT_EQ(box("txtCatName")->text(), QString());

    doubleClickRow(QStringLiteral(" INSURANCE"));
    releaseOverEdit(); // closed without a choice; the refill drops the selection
    ASSERT_TRUE(list()->selectedItems().isEmpty());
    const Popup popup = releaseOverEdit("mnuMiscEdit");
    EXPECT_TRUE(popup.editEnabled);
    EXPECT_EQ(f.main().Action(), QString());
    EXPECT_EQ(editor().editCaption, QStringLiteral("&Add"));
    EXPECT_TRUE(list()->isEnabled());
}

TEST_F(ExpensesPageTest, DeleteAsksAndNoKeepsTheCategory)
{
    open();
    clickRow(QStringLiteral(" INSURANCE"));
    const std::string before = f.dataFile();
    f.prompter.expect("Are you sure?", MsgAnswer::No,
        "Are you sure you want to Delete  INSURANCE from Miscellaneous Items Database?");
    click(button("btnMiscDelete"));
    EXPECT_EQ(f.dataFile(), before);
    EXPECT_EQ(list()->topLevelItemCount(), 2);

    doubleClickRow(QStringLiteral(" INSURANCE"));
    f.prompter.expect("Are you sure?", MsgAnswer::Yes);
    click(button("btnMiscDelete"));
    EXPECT_EQ(rowsOf(list()), QStringList {QStringLiteral(" FUEL")});
    EXPECT_EQ(f.dataFile().find("Insurance"), std::string::npos);
    EXPECT_NE(f.dataFile().find("cost=200\r\n"), std::string::npos);
    EXPECT_TRUE(box("txtCatName")->text().isEmpty());
    EXPECT_TRUE(box("txtExpences")->text().isEmpty());
    EXPECT_TRUE(box("txtCatName")->isReadOnly());
    EXPECT_TRUE(box("txtExpences")->isReadOnly());
}

TEST_F(ExpensesPageTest, DeleteDoesNothingForFuelOrWithNoRowSelected)
{
    open();
    const std::string before = f.dataFile();
    click(button("btnMiscDelete")); // nothing selected: no question
    clickRow(QStringLiteral(" FUEL"));
    click(button("btnMiscDelete"));
    EXPECT_EQ(f.dataFile(), before);
    EXPECT_EQ(list()->topLevelItemCount(), 2);
}

} // namespace
