#include "mainwindow/DateBox.h"

#include "controls/UiFont.h"
#include "domain/ReadingKeyFilter.h"
#include "mainwindow/KeyFilter.h"

#include <QAction>
#include <QCalendarWidget>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QStyleOption>

namespace {

const QString kFormat = QStringLiteral("yyyy-MM-dd");

// The arrow of a drop-down box, as the style draws it.
QIcon dropArrow(const QWidget* box)
{
    const qreal ratio = box->devicePixelRatioF();
    QPixmap pixmap(QSize(12, 12) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    QStyleOption option;
    option.initFrom(box);
    option.rect = QRect(0, 0, 12, 12);
    option.state |= QStyle::State_Enabled;
    box->style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &option, &painter, box);
    return QIcon(pixmap);
}

} // namespace

DateBox::DateBox(QWidget* parent, const char* name, const QString& toolTip, std::function<QDate()> today)
    : QLineEdit(parent)
    , m_today(std::move(today))
{
    setObjectName(QLatin1String(name));
    setToolTip(toolTip);
    useUiFont(this);
    setPlaceholderText(QStringLiteral("YYYY-MM-DD"));
    KeyFilter::install(
        this, [](char32_t key) { return keepsReadingKey(key) || key == U'-'; }, static_cast<int>(kFormat.size()));
    m_drop = addAction(dropArrow(this), QLineEdit::TrailingPosition);
    m_drop->setObjectName(objectName() + QStringLiteral("Drop"));
    m_drop->setToolTip(QStringLiteral("Pick the date from a calendar (Alt+Down)."));
    connect(m_drop, &QAction::triggered, this, &DateBox::showCalendar);
}

QCalendarWidget* DateBox::calendar() const
{
    return m_calendar && m_calendar->isVisible() ? m_calendar : nullptr;
}

void DateBox::showCalendar()
{
    if (isReadOnly())
        return;
    if (!m_calendar) {
        m_calendar = new QCalendarWidget(this);
        m_calendar->setWindowFlags(Qt::Popup);
        m_calendar->setObjectName(objectName() + QStringLiteral("Calendar"));
        m_calendar->setFont(font());
        m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
        connect(m_calendar, &QCalendarWidget::clicked, this, &DateBox::pick);
        connect(m_calendar, &QCalendarWidget::activated, this, &DateBox::pick);
    }
    const QDate today = m_today();
    const QDate typed = QDate::fromString(text(), kFormat);
    m_calendar->setMaximumDate(today);
    m_calendar->setSelectedDate(typed.isValid() ? typed : today);
    m_calendar->adjustSize();
    // Under the box, or above it where the screen ends.
    QPoint at = mapToGlobal(rect().bottomLeft());
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        if (at.y() + m_calendar->height() > area.bottom())
            at.setY(mapToGlobal(QPoint(0, 0)).y() - m_calendar->height());
        at.setX(std::min(at.x(), area.right() - m_calendar->width()));
    }
    m_calendar->move(at);
    m_calendar->show();
    m_calendar->setFocus();
}

void DateBox::pick(QDate date)
{
    m_calendar->close();
    setText(date.toString(kFormat));
    setFocus();
}

void DateBox::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Down && event->modifiers() == Qt::AltModifier)
        || (event->key() == Qt::Key_F4 && event->modifiers() == Qt::NoModifier)) {
        showCalendar();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void DateBox::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::ReadOnlyChange)
        m_drop->setEnabled(!isReadOnly());
}
