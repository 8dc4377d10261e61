#pragma once

#include "controls/GdiPainter.h"
#include "controls/XPButtonLook.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>

class QPainter;

// Paints one look of the XP-style button from scratch. Coordinates follow the
// button's drawing box: L = 0, T = 0, R = width - 1 (the last column) and
// B = height (one past the last row).
class XPButtonPainter {
public:
    XPButtonPainter(QPainter& painter, QSize size, QColor background);

    // The whole button, in the fixed order: background and highlight, border, caption.
    void paint(XPButtonLook look, const QString& caption, const QFont& font, QColor captionColour);

    void DrawNormal();
    void DrawHover();
    void DrawFocus();
    void DrawPressed();
    void DrawDisabled();
    void DrawBorder();
    void DrawCaption(const QString& caption, const QFont& font, QColor colour);

    // Where a caption goes: the full width, and vertically the height its wrapped
    // lines take, centred as one block (halves rounded to the even pixel).
    static QRect captionRect(const QString& caption, const QFont& font, QSize size);
    // How the caption is laid out: wrapped at word breaks, centred, "&" marking the
    // underlined character and "&&" standing for one ampersand.
    static constexpr int CaptionFlags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic;

    static const QColor DisabledCaption;

private:
    GdiPainter m_gdi;
    QPainter& m_painter;
    QColor m_background;
    int L;
    int T;
    int R;
    int B;
};
