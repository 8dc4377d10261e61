#pragma once

#include <QObject>

#include <functional>

class QKeyEvent;
class QLineEdit;

// A text box's key filter: a typed character the box does not keep is dropped
// silently. Keys that type nothing (arrows, Delete, Tab) and the editing shortcuts
// pass. A pasted or dropped text with a character the box does not keep is refused
// whole, since the filter alone would let it in.
class KeyFilter : public QObject {
    Q_OBJECT
public:
    using Keeps = std::function<bool(char32_t)>;

    // Installs the filter on the box; it lives as long as the box.
    static KeyFilter* install(QLineEdit* box, Keeps keeps);

    // Whether the filter drops this key press.
    static bool drops(const QKeyEvent* event, const Keeps& keeps);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    KeyFilter(QLineEdit* box, Keeps keeps);

    Keeps m_keeps;
};
