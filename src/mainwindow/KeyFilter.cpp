#include "mainwindow/KeyFilter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>

namespace {

// Accepts a text only when the box keeps every character of it and it fits. The box
// lets edits through as long as its text is not acceptable, so a stored text the filter
// would not have let in can still be corrected.
class KeptCharacters : public QValidator {
public:
    KeptCharacters(QObject* parent, KeyFilter::Keeps keeps, int maxLength)
        : QValidator(parent)
        , m_keeps(std::move(keeps))
        , m_maxLength(maxLength)
    {
    }

    State validate(QString& input, int& /*pos*/) const override
    {
        if (m_maxLength > 0 && input.size() > m_maxLength)
            return Invalid;
        for (const char32_t c : input.toUcs4()) {
            if (!m_keeps(c))
                return Invalid;
        }
        return Acceptable;
    }

private:
    KeyFilter::Keeps m_keeps;
    int m_maxLength;
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

KeyFilter::KeyFilter(QLineEdit* box, Keeps keeps, int maxLength)
    : QObject(box)
    , m_keeps(std::move(keeps))
{
    refuseInput(box, m_keeps, maxLength);
    box->installEventFilter(this);
}

KeyFilter* KeyFilter::install(QLineEdit* box, Keeps keeps, int maxLength)
{
    return new KeyFilter(box, std::move(keeps), maxLength);
}

void KeyFilter::refuseInput(QLineEdit* box, Keeps keeps, int maxLength)
{
    // The box's own length limit would cut a paste silently; the validator refuses it whole.
    box->setMaxLength(32767);
    box->setValidator(new KeptCharacters(box, std::move(keeps), maxLength));
    QObject::connect(box, &QLineEdit::inputRejected, box, [] { QApplication::beep(); });
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
