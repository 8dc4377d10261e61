#pragma once

#include <QDate>
#include <QLineEdit>

#include <functional>

class QAction;
class QCalendarWidget;

// A date box that may be left empty: the date is typed as "YYYY-MM-DD" (the box shows
// that form while empty) or picked from a calendar that drops down from the arrow at its
// right, or with Alt+Down or F4. Its text is what was typed, checked by whoever reads it;
// read-only, it offers no calendar.
class DateBox : public QLineEdit {
    Q_OBJECT
public:
    // `today` is the calendar's last day and its first choice while the box is empty.
    DateBox(QWidget* parent, const char* name, const QString& toolTip, std::function<QDate()> today);

    // Drops the calendar down under the box, on the box's date or today.
    void showCalendar();
    // The calendar while it is dropped down; null otherwise.
    QCalendarWidget* calendar() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void pick(QDate date);

    std::function<QDate()> m_today;
    QAction* m_drop = nullptr;
    QCalendarWidget* m_calendar = nullptr;
};
