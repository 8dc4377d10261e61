#pragma once

#include "controls/XPButtonLook.h"
#include "controls/XPButtonPropertySet.h"

#include <QChar>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <optional>

class QTimer;

// The program's own push button: drawn by itself in the XP style (normal, hover,
// focused, pressed and disabled looks, corners cut from its region), clicking on a
// left-button release over it, on Space or Enter and on the access key of its
// caption, and moving the focus on the arrow keys. Its events are the signals
// below, raised synchronously from inside the input that caused them, with the
// platform's codes (see InputCodes.h).
//
// Enabled is the widget's enabled state and Font its font; ForeColor is its text
// colour (the palette's WindowText), inherited from the window that holds it until
// set. Until a caption is set, the button is captioned "Command" followed by its
// object name from the ninth character on, as a newly placed button is.
class XPButton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(quint32 ForeColor READ ForeColor WRITE SetForeColor)
    Q_PROPERTY(quint32 ForeHover READ ForeHover WRITE SetForeHover)

public:
    // How long the pointer poll waits between looks, in milliseconds.
    static constexpr int HoverInterval = 1;

    explicit XPButton(QWidget* parent = nullptr);

    QString Caption() const { return m_caption; }
    void SetCaption(const QString& caption);
    // Colours as 0x00BBGGRR.
    quint32 ForeColor() const;
    void SetForeColor(quint32 colour);
    quint32 ForeHover() const;
    // Takes effect at the next repaint; setting it repaints nothing.
    void SetForeHover(quint32 colour);

    // The access key the caption gives, in lower case; a null character for none.
    QChar AccessKey() const { return m_accessKey; }
    // Whether the pointer is over this button's own area (not over a cut corner, a
    // window in front or a hidden or disabled button).
    bool IsMouseOver() const;

    // What the last repaint request chose to show.
    XPButtonLook Look() const { return m_look; }

    // The values a holding window stores for the button, defaults left out.
    XPButtonPropertySet WriteProperties() const;
    // Restores stored values; a missing one takes its default.
    void ReadProperties(const XPButtonPropertySet& set);

    QSize sizeHint() const override;

signals:
    void Click();
    void MouseDown(std::int16_t Button, std::int16_t Shift, float X, float Y);
    void MouseMove(std::int16_t Button, std::int16_t Shift, float X, float Y);
    void MouseUp(std::int16_t Button, std::int16_t Shift, float X, float Y);
    void KeyPress(std::int16_t KeyAscii);
    void KeyDown(std::int16_t KeyCode, std::int16_t Shift);
    void KeyUp(std::int16_t KeyCode, std::int16_t Shift);
    void MouseOver();
    void MouseOut();

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    // Repaint requests: 0 asks for the look of the state, 1 for the pressed look.
    void DrawButton(int state);
    void SetAccessKeys();
    void SetButtonRegion();
    void HoverTimerTick();
    void pressWith(std::int16_t button, std::int16_t shift, float x, float y);
    void clickWithPressButton();
    bool isOverRegion(const QPoint& pos) const;
    void followObjectName();
    QColor holdingWindowText() const;
    QFont holdingWindowFont() const;

    QString m_caption;
    bool m_captionSet = false;
    std::optional<quint32> m_foreHover;
    QChar m_accessKey;
    int m_accessKeyId = 0;

    bool m_hover = false;
    std::int16_t m_hoverSeen = 0;
    bool m_focus = false;
    std::int16_t m_pressButton = 0;
    std::int16_t m_lastKey = 0;
    // The release that ends a double-click is not a click of its own.
    bool m_releaseEndsDoubleClick = false;
    QTimer* m_hoverTimer = nullptr;

    // What the last repaint request chose; painting draws from it.
    XPButtonLook m_look = XPButtonLook::Normal;
    QColor m_captionColour;
};
