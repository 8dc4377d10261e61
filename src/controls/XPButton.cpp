#include "controls/XPButton.h"

#include "controls/InputCodes.h"
#include "controls/XPButtonPainter.h"

#include <QApplication>
#include <QCursor>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QRegion>
#include <QShortcutEvent>
#include <QTimer>

#include <algorithm>
#include <utility>

using InputCodes::LeftButton;
using InputCodes::RightButton;
using InputCodes::VkDown;
using InputCodes::VkEnter;
using InputCodes::VkLeft;
using InputCodes::VkRight;
using InputCodes::VkSpace;
using InputCodes::VkUp;

XPButton::XPButton(QWidget* parent)
    : QWidget(parent)
    , m_hoverTimer(new QTimer(this))
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_hoverTimer->setObjectName(QStringLiteral("HoverTimer"));
    m_hoverTimer->setInterval(HoverInterval);
    connect(m_hoverTimer, &QTimer::timeout, this, &XPButton::HoverTimerTick);
    connect(this, &QObject::objectNameChanged, this, &XPButton::followObjectName);
    followObjectName();
    resize(sizeHint());
    SetButtonRegion();
}

void XPButton::SetCaption(const QString& caption)
{
    m_captionSet = true;
    m_caption = caption;
    DrawButton(0);
    SetAccessKeys();
    updateGeometry();
}

quint32 XPButton::ForeColor() const
{
    return GdiPainter::toColorRef(palette().color(QPalette::WindowText));
}

void XPButton::SetForeColor(quint32 colour)
{
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, GdiPainter::fromColorRef(colour));
    setPalette(pal);
    DrawButton(0);
}

quint32 XPButton::ForeHover() const
{
    return m_foreHover ? *m_foreHover : GdiPainter::toColorRef(holdingWindowText());
}

void XPButton::SetForeHover(quint32 colour)
{
    m_foreHover = colour;
}

bool XPButton::IsMouseOver() const
{
    // As the platform's window-from-point, a hidden or disabled button is never
    // the one under the pointer.
    if (!isVisible() || !isEnabled())
        return false;
    return QApplication::widgetAt(QCursor::pos()) == this;
}

XPButtonPropertySet XPButton::WriteProperties() const
{
    XPButtonPropertySet set;
    if (!isEnabled())
        set.Enabled = false;
    if (font() != holdingWindowFont())
        set.Font = font();
    if (m_caption != objectName())
        set.Caption = m_caption;
    set.ForeColor = ForeColor();
    if (ForeHover() != GdiPainter::toColorRef(holdingWindowText()))
        set.ForeHover = ForeHover();
    return set;
}

void XPButton::ReadProperties(const XPButtonPropertySet& set)
{
    setEnabled(set.Enabled.value_or(true));
    // An empty font or palette inherits the holding window's again.
    setFont(set.Font.value_or(QFont()));
    SetCaption(set.Caption.value_or(objectName()));
    if (set.ForeColor)
        SetForeColor(*set.ForeColor);
    else
        setPalette(QPalette());
    m_foreHover = set.ForeHover.value_or(ForeColor());
}

QSize XPButton::sizeHint() const
{
    const QRect text = fontMetrics().boundingRect(QRect(0, 0, 1000, 1000), XPButtonPainter::CaptionFlags, m_caption);
    return QSize(std::max(75, text.width() + 16), std::max(23, text.height() + 10));
}

bool XPButton::event(QEvent* event)
{
    if (event->type() == QEvent::Shortcut) {
        const auto* shortcut = static_cast<QShortcutEvent*>(event);
        if (shortcut->shortcutId() == m_accessKeyId && isEnabled()) {
            if (shortcut->isAmbiguous()) {
                // Two buttons share the key: it only takes the focus, in turn.
                setFocus(Qt::ShortcutFocusReason);
            } else {
                m_pressButton = LeftButton;
                clickWithPressButton();
            }
        }
        return true;
    }
    return QWidget::event(event);
}

void XPButton::changeEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::EnabledChange:
    case QEvent::PaletteChange:
        DrawButton(0);
        break;
    case QEvent::FontChange:
        DrawButton(0);
        updateGeometry();
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}

void XPButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    XPButtonPainter(painter, size(), palette().color(backgroundRole()))
        .paint(m_look, m_caption, font(), m_captionColour);
}

void XPButton::resizeEvent(QResizeEvent*)
{
    SetButtonRegion();
    DrawButton(0);
}

void XPButton::showEvent(QShowEvent*)
{
    DrawButton(0);
}

void XPButton::focusInEvent(QFocusEvent*)
{
    m_focus = true;
    if (isEnabled()) {
        m_pressButton = LeftButton;
        DrawButton(0);
    }
}

void XPButton::focusOutEvent(QFocusEvent*)
{
    m_focus = false;
    // A key that went down while the button had the focus no longer clicks it.
    m_lastKey = 0;
    DrawButton(0);
}

void XPButton::mousePressEvent(QMouseEvent* event)
{
    pressWith(InputCodes::buttonCode(event->button()), InputCodes::shiftCode(event->modifiers()),
        static_cast<float>(event->position().x()), static_cast<float>(event->position().y()));
}

void XPButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        mousePressEvent(event);
        return;
    }
    // The second press of a double-click: pressed again, without a click to follow.
    // The press holds the mouse for this button until the release, as any press does.
    m_releaseEndsDoubleClick = true;
    if (m_pressButton == LeftButton)
        pressWith(LeftButton, 0, 0, 0);
}

void XPButton::mouseReleaseEvent(QMouseEvent* event)
{
    const bool endsDoubleClick = std::exchange(m_releaseEndsDoubleClick, false);
    const QPointer<XPButton> self(this);
    emit MouseUp(InputCodes::buttonCode(event->button()), InputCodes::shiftCode(event->modifiers()),
        static_cast<float>(event->position().x()), static_cast<float>(event->position().y()));
    if (!self)
        return;
    DrawButton(0);
    // The platform clicks when the release is over the button.
    if (!endsDoubleClick && isEnabled() && isOverRegion(event->position().toPoint()))
        clickWithPressButton();
}

void XPButton::mouseMoveEvent(QMouseEvent* event)
{
    const std::int16_t button = InputCodes::buttonsCode(event->buttons());
    const std::int16_t shift = InputCodes::shiftCode(event->modifiers());
    const auto x = static_cast<float>(event->position().x());
    const auto y = static_cast<float>(event->position().y());

    if (button >= RightButton) {
        emit MouseMove(button, shift, x, y);
        return;
    }
    if (!IsMouseOver()) {
        if (m_hoverSeen == 0)
            return;
        // Found outside: the next time over counts as coming over again.
        m_hoverSeen = 0;
        DrawButton(0);
        emit MouseMove(button, shift, x, y);
        return;
    }
    if (m_hoverSeen == 1)
        return;
    m_hoverSeen = 1;
    if (button == 0 && !m_hover) {
        m_hoverTimer->start();
        m_hover = true;
        m_hoverSeen = 0;
        DrawButton(0);
        const QPointer<XPButton> self(this);
        emit MouseOver();
        if (!self)
            return;
    } else if (button == LeftButton) {
        // Back over the button with the left button held: pressed, in the hover colour.
        m_hover = true;
        DrawButton(1);
        m_hover = false;
    }
    emit MouseMove(button, shift, x, y);
}

void XPButton::leaveEvent(QEvent* event)
{
    // Without a button held nothing tells the button the pointer has gone, once
    // the poll has stopped; the next move over it must count as coming over.
    if (QGuiApplication::mouseButtons() == Qt::NoButton && !IsMouseOver())
        m_hoverSeen = 0;
    QWidget::leaveEvent(event);
}

void XPButton::keyPressEvent(QKeyEvent* event)
{
    const std::int16_t code = InputCodes::keyCode(*event);
    const std::int16_t shift = InputCodes::shiftCode(event->modifiers());
    m_lastKey = code;
    if (code == VkSpace || code == VkEnter)
        DrawButton(1);
    else if (code == VkLeft || code == VkRight)
        focusNextPrevChild(true);
    else if (code == VkUp || code == VkDown)
        focusNextPrevChild(false);

    const QPointer<XPButton> self(this);
    emit KeyDown(code, shift);
    // Characters typed with Alt held go to the menus, not to the button.
    if (self && !event->text().isEmpty() && !event->modifiers().testFlag(Qt::AltModifier))
        emit KeyPress(InputCodes::keyAscii(*event));
    event->accept();
}

void XPButton::keyReleaseEvent(QKeyEvent* event)
{
    event->accept();
    // A held key repeats its key-down only; its one release comes when it is let go.
    if (event->isAutoRepeat())
        return;
    const std::int16_t code = InputCodes::keyCode(*event);
    const std::int16_t shift = InputCodes::shiftCode(event->modifiers());
    if ((code == VkSpace && m_lastKey == VkSpace) || (code == VkEnter && m_lastKey == VkEnter)) {
        // Once clicked, the key must go down again to click again.
        m_lastKey = 0;
        DrawButton(0);
        m_pressButton = LeftButton;
        const QPointer<XPButton> self(this);
        emit Click();
        if (!self)
            return;
    }
    emit KeyUp(code, shift);
}

void XPButton::DrawButton(int state)
{
    if (!isEnabled())
        m_look = XPButtonLook::Disabled;
    else if (state == 1 && m_pressButton == LeftButton)
        m_look = XPButtonLook::Pressed;
    else if (m_hover)
        m_look = XPButtonLook::Hover;
    else if (m_focus)
        m_look = XPButtonLook::Focus;
    else
        m_look = XPButtonLook::Normal;

    if (!isEnabled())
        m_captionColour = XPButtonPainter::DisabledCaption;
    else if (m_hover)
        m_captionColour = GdiPainter::fromColorRef(ForeHover());
    else
        m_captionColour = GdiPainter::fromColorRef(ForeColor());
    update();
}

void XPButton::SetAccessKeys()
{
    if (m_accessKeyId != 0) {
        releaseShortcut(m_accessKeyId);
        m_accessKeyId = 0;
    }
    m_accessKey = QChar();

    const QString& caption = m_caption;
    if (caption.size() < 2)
        return;
    const qsizetype first = caption.indexOf(QLatin1Char('&'));
    if (first < 0 || first == caption.size() - 1)
        return;
    if (caption.at(first + 1) != QLatin1Char('&')) {
        m_accessKey = caption.at(first + 1).toLower();
    } else {
        // A doubled ampersand first: one more chance further on.
        const qsizetype next = caption.indexOf(QLatin1Char('&'), first + 2);
        if (next < 0 || next == caption.size() - 1 || caption.at(next + 1) == QLatin1Char('&'))
            return;
        m_accessKey = caption.at(next + 1).toLower();
    }
    const QKeySequence sequence(QKeyCombination(Qt::AltModifier, Qt::Key(m_accessKey.toUpper().unicode())));
    m_accessKeyId = grabShortcut(sequence);
}

void XPButton::SetButtonRegion()
{
    const int w = width();
    const int h = height();
    QRegion region(0, 0, w, h);
    for (const QPoint& corner : {QPoint(0, 0), QPoint(0, h - 1), QPoint(w - 1, 0), QPoint(w - 1, h - 1)})
        region -= QRegion(corner.x(), corner.y(), 1, 1);
    setMask(region);
}

void XPButton::HoverTimerTick()
{
    if (IsMouseOver())
        return;
    m_hoverTimer->stop();
    m_hover = false;
    m_hoverSeen = 0;
    DrawButton(0);
    emit MouseOut();
}

void XPButton::pressWith(std::int16_t button, std::int16_t shift, float x, float y)
{
    if (!isEnabled())
        return;
    const QPointer<XPButton> self(this);
    emit MouseDown(button, shift, x, y);
    if (!self)
        return;
    m_pressButton = button;
    DrawButton(1);
}

void XPButton::clickWithPressButton()
{
    if (m_pressButton != LeftButton)
        return;
    DrawButton(0);
    emit Click();
}

bool XPButton::isOverRegion(const QPoint& pos) const
{
    return rect().contains(pos) && (mask().isEmpty() || mask().contains(pos));
}

void XPButton::followObjectName()
{
    if (m_captionSet)
        return;
    m_caption = QStringLiteral("Command") + objectName().mid(8);
    DrawButton(0);
    SetAccessKeys();
}

QColor XPButton::holdingWindowText() const
{
    return parentWidget() ? parentWidget()->palette().color(QPalette::WindowText)
                          : QApplication::palette(this).color(QPalette::WindowText);
}

QFont XPButton::holdingWindowFont() const
{
    return parentWidget() ? parentWidget()->font() : QApplication::font(this);
}
