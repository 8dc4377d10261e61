#include "mainwindow/Widgets.h"

#include "controls/UiFont.h"

#include <QEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>

namespace Widgets {

Button* button(QWidget* parent, const char* name, const QString& caption, const QString& toolTip)
{
    auto* b = new Button(parent);
    b->setObjectName(QLatin1String(name));
    b->SetCaption(caption);
    b->setToolTip(toolTip);
    useUiFont(b);
    b->setFixedHeight(25);
    return b;
}

void onClick(Button* button, const std::function<void()>& handler)
{
    QObject::connect(button, &Button::Click, button, [handler] { handler(); });
}

QString caption(const Button* button)
{
    return button->Caption();
}

void setCaption(Button* button, const QString& caption)
{
    button->SetCaption(caption);
}

QGroupBox* frame(QWidget* parent, const char* name, const QString& caption)
{
    auto* box = new QGroupBox(caption, parent);
    box->setObjectName(QLatin1String(name));
    useUiFont(box);
    return box;
}

QLabel* label(QWidget* parent, const char* name, const QString& text)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    useUiFont(l);
    return l;
}

QLineEdit* textBox(QWidget* parent, const char* name, const QString& toolTip)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    box->setToolTip(toolTip);
    useUiFont(box);
    return box;
}

QTreeWidget* listView(QWidget* parent, const char* name, const QStringList& columns)
{
    auto* list = new QTreeWidget(parent);
    list->setObjectName(QLatin1String(name));
    useUiFont(list);
    list->setColumnCount(static_cast<int>(columns.size()));
    list->setHeaderLabels(columns);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setAllColumnsShowFocus(true);
    list->setIconSize(QSize(16, 16));
    list->header()->setStretchLastSection(false);
    list->header()->setSectionsMovable(false);
    return list;
}

namespace {

// Keeps a list's columns at fixed fractions of its width as the list is laid out.
class ColumnFractions : public QObject {
public:
    ColumnFractions(QTreeWidget* list, QList<double> fractions)
        : QObject(list)
        , m_list(list)
        , m_viewport(list->viewport())
        , m_fractions(std::move(fractions))
    {
        // The viewport's own resize: the list's comes before the viewport has its new width.
        m_viewport->installEventFilter(this);
        list->installEventFilter(this);
        apply();
    }

    void apply()
    {
        const int width = m_viewport->width();
        for (int i = 0; i < m_fractions.size(); ++i)
            m_list->setColumnWidth(i, static_cast<int>(width * m_fractions[i]));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        // Pointers compared only: while the list is destroyed its viewport still has events.
        if ((event->type() == QEvent::Show && watched == m_list)
            || (event->type() == QEvent::Resize && watched == m_viewport))
            apply();
        return false;
    }

private:
    QTreeWidget* m_list;
    QWidget* m_viewport;
    QList<double> m_fractions;
};

} // namespace

void setColumnFractions(QTreeWidget* list, const QList<double>& fractions)
{
    // Set once per list: the filter lives as long as the list.
    if (list->property("columnFractions").toBool())
        return;
    list->setProperty("columnFractions", true);
    new ColumnFractions(list, fractions);
}

} // namespace Widgets
