#pragma once

#include "AppFixture.h"

#include "controls/XPButton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QTimer>

#include <gtest/gtest.h>

#include <ostream>

using namespace Qt::StringLiterals;

// Failures show texts as text.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

// The main window over a data file of its own (the sample one unless a test brings another).
class PageTest : public ::testing::Test {
protected:
    // Opens the window on this tab as the active window: focus changes reach only that.
    frmMain& open(int tab, const std::string& data = kSampleData)
    {
        frmMain& main = f.open(data);
        main.tabMain()->setCurrentIndex(tab);
        main.activateWindow();
        QApplication::setActiveWindow(&main);
        QApplication::processEvents();
        return main;
    }

    QLineEdit* box(const char* name) { return f.find<QLineEdit>(name); }
    XPButton* button(const char* name) { return f.find<XPButton>(name); }
    QTreeWidget* list(const char* name) { return f.find<QTreeWidget>(name); }
    QComboBox* combo(const char* name) { return f.find<QComboBox>(name); }
    bool focused(const char* name) { return f.main().focusWidget() == f.find(name); }

    // These controls on one line: a box's lock and text, a label's text, a combo box's
    // text and index, a check box's tick; a button's caption or another control's name,
    // "+" when it is enabled.
    QString state(std::initializer_list<const char*> names)
    {
        QStringList parts;
        for (const char* name : names) {
            QWidget* w = f.find(name);
            if (auto* b = qobject_cast<QLineEdit*>(w))
                parts << (b->isReadOnly() ? u"locked '"_s : u"open '"_s) + b->text() + u'\'';
            else if (auto* l = qobject_cast<QLabel*>(w))
                parts << l->text();
            else if (auto* c = qobject_cast<QComboBox*>(w))
                parts << c->currentText() + u'(' + QString::number(c->currentIndex()) + u')';
            else if (auto* t = qobject_cast<QCheckBox*>(w))
                parts << (t->isChecked() ? u"[x]"_s : u"[ ]"_s);
            else
                parts << (qobject_cast<XPButton*>(w) ? qobject_cast<XPButton*>(w)->Caption() : w->objectName())
                        + (w->isEnabled() ? u'+' : u'-');
        }
        return parts.join(u' ');
    }

    // Double-clicks the row with this text, or below the rows, as a user would.
    void doubleClick(const char* name, const QString& row = {})
    {
        QTreeWidget* lst = list(name);
        const QPoint at = row.isEmpty() ? QPoint(20, lst->viewport()->height() - 5)
                                        : lst->visualItemRect(lst->findItems(row, Qt::MatchExactly).value(0)).center();
        QTest::mouseClick(lst->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(lst->viewport(), Qt::LeftButton, {}, at);
    }

    // Releases this mouse button over btnMiscEdit (none: presses Space and Enter on it).
    // While the pop-up it opens is shown, notes its items ("+" when enabled) and chooses
    // the named one, or closes it without a choice.
    QString release(const char* choose = nullptr, Qt::MouseButton mouse = Qt::LeftButton)
    {
        QMenu* menu = f.main().mnuPopupMiscAdd();
        QStringList items;
        const auto watch = QObject::connect(menu, &QMenu::aboutToShow, menu, [&] {
            QTimer::singleShot(0, menu, [&] {
                for (QAction* item : menu->actions())
                    items << (item->isSeparator() ? u"-"_s : item->text() + (item->isEnabled() ? u'+' : u'-'));
                menu->close();
                if (choose)
                    menu->findChild<QAction*>(QLatin1String(choose))->trigger();
            });
        });
        if (mouse == Qt::NoButton)
            QTest::keyClicks(button("btnMiscEdit"), u" \r"_s);
        else
            QTest::mouseClick(button("btnMiscEdit"), mouse);
        QObject::disconnect(watch);
        return items.join(u" / "_s);
    }

    // Types over the whole text of a box.
    void type(const char* name, const QString& keys)
    {
        box(name)->selectAll();
        QTest::keyClicks(box(name), keys);
    }

    // The data file with each of these texts replaced once.
    static std::string edited(std::string data, std::initializer_list<std::pair<std::string, std::string>> edits)
    {
        for (const auto& [from, to] : edits)
            data.replace(data.find(from), from.size(), to);
        return data;
    }

    // A list as the user reads it: a line per row, the columns joined by " | ".
    static QStringList linesOf(const QTreeWidget* list)
    {
        QStringList lines;
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            QStringList cells;
            for (int column = 0; column < list->columnCount(); ++column)
                cells << list->topLevelItem(i)->text(column);
            lines << cells.join(u" | "_s);
        }
        return lines;
    }

    AppFixture f;
};
