#include "mainwindow/KeyFilter.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>

namespace {

// Accepts a text only when the box keeps every character of it. The box lets edits
// through as long as its text is not acceptable, so a stored text the filter would
// not have let in can still be corrected.
class KeptCharacters : public QValidator {
public:
    KeptCharacters(QObject* parent, KeyFilter::Keeps keeps)
        : QValidator(parent)
        , m_keeps(std::move(keeps))
    {
    }

    State validate(QString& input, int& /*pos*/) const override
    {
        for (const char32_t c : input.toUcs4()) {
            if (!m_keeps(c))
                return Invalid;
        }
        return Acceptable;
    }

private:
    KeyFilter::Keeps m_keeps;
};

bool isEditingShortcut(const QKeyEvent* event)
{
    for (const QKeySequence::StandardKey key : {QKeySequence::Copy, QKeySequence::Cut, QKeySequence::Paste,
             QKeySequence::Undo, QKeySequence::Redo, QKeySequence::SelectAll}) {
        if (event->matches(key))
            return true;
    }
    return false;
}

} // namespace

KeyFilter::KeyFilter(QLineEdit* box, Keeps keeps)
    : QObject(box)
    , m_keeps(std::move(keeps))
{
    box->setValidator(new KeptCharacters(box, m_keeps));
    box->installEventFilter(this);
}

KeyFilter* KeyFilter::install(QLineEdit* box, Keeps keeps)
{
    return new KeyFilter(box, std::move(keeps));
}

bool KeyFilter::drops(const QKeyEvent* event, const Keeps& keeps)
{
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return false;
    default:
        break;
    }
    if (isEditingShortcut(event))
        return false;
    const QString text = event->text();
    if (text.isEmpty())
        return false;
    for (const char32_t c : text.toUcs4()) {
        if (!keeps(c))
            return true;
    }
    return false;
}

bool KeyFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress)
        return drops(static_cast<QKeyEvent*>(event), m_keeps);
    return QObject::eventFilter(watched, event);
}
