#pragma once

#include <QObject>

#include <functional>

class QKeyEvent;
class QLineEdit;

// A text box's key filter: a typed character the box does not keep is dropped
// silently. Keys that type nothing (arrows, Delete, Tab) and the editing shortcuts
// pass. A pasted or dropped text with a character the box does not keep, or that would
// make the text longer than the box holds, is refused whole with a beep, never cut.
class KeyFilter : public QObject {
    Q_OBJECT
public:
    using Keeps = std::function<bool(char32_t)>;

    // Installs the filter on the box; it lives as long as the box. `maxLength` 0 sets no
    // limit. A longer text put in by the program (a stored value) is shown whole.
    static KeyFilter* install(QLineEdit* box, Keeps keeps, int maxLength = 0);

    // Only the refusal of pasted, dropped or over-long text, for a box whose keys are
    // filtered by its own window.
    static void refuseInput(QLineEdit* box, Keeps keeps, int maxLength = 0);

    // Whether the filter drops this key press.
    static bool drops(const QKeyEvent* event, const Keeps& keeps);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    KeyFilter(QLineEdit* box, Keeps keeps, int maxLength);

    Keeps m_keeps;
};
