#include "controls/XPButtonPainter.h"

#include "controls/ColourRamp.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

QColor rgb(int red, int green, int blue)
{
    return QColor(red, green, blue);
}

// n / 2 to the nearest whole number, a half going to the even neighbour.
int halfRoundedToEven(int n)
{
    const int floorHalf = n >= 0 ? n / 2 : -((-n + 1) / 2);
    if (n % 2 == 0)
        return floorHalf;
    return floorHalf % 2 == 0 ? floorHalf : floorHalf + 1;
}

} // namespace

const QColor XPButtonPainter::DisabledCaption = rgb(161, 161, 146);

XPButtonPainter::XPButtonPainter(QPainter& painter, QSize size, QColor background)
    : m_gdi(painter, size.width(), size.height())
    , m_painter(painter)
    , m_background(background)
    , L(0)
    , T(0)
    , R(size.width() - 1)
    , B(size.height())
{
}

void XPButtonPainter::paint(XPButtonLook look, const QString& caption, const QFont& font, QColor captionColour)
{
    switch (look) {
    case XPButtonLook::Disabled:
        DrawDisabled();
        break;
    case XPButtonLook::Pressed:
        DrawPressed();
        DrawBorder();
        break;
    case XPButtonLook::Hover:
        DrawNormal();
        DrawHover();
        DrawBorder();
        break;
    case XPButtonLook::Focus:
        DrawNormal();
        DrawFocus();
        DrawBorder();
        break;
    case XPButtonLook::Normal:
        DrawNormal();
        DrawBorder();
        break;
    }
    DrawCaption(caption, font, captionColour);
}

void XPButtonPainter::DrawNormal()
{
    m_gdi.fill(m_background);
    // 24 shades from near white down to light grey, then flat.
    ColourRamp ramp(rgb(255, 255, 253), {-1, -1, -1}, 230);
    for (int y = T + 3; y <= B - 3; ++y) {
        m_gdi.line(L, y, R, y, ramp.colour());
        ramp.advance();
    }
    m_gdi.line(L, B - 2, R, B - 2, rgb(214, 208, 197));
    m_gdi.line(L, B - 3, R, B - 3, rgb(226, 223, 214));
    m_gdi.line(L, B - 4, R, B - 4, rgb(236, 235, 230));
}

void XPButtonPainter::DrawHover()
{
    m_gdi.line(L + 2, T + 1, R - 1, T + 1, rgb(255, 240, 207));
    m_gdi.line(L + 1, T + 2, R, T + 2, rgb(253, 216, 137));
    ColourRamp outer(rgb(254, 223, 154), {-1, -3, -7}, 49);
    for (int y = T + 2; y <= B - 3; ++y) {
        m_gdi.line(L + 1, y, L + 1, y + 1, outer.colour());
        m_gdi.line(R - 1, y, R - 1, y + 1, outer.colour());
        outer.advance();
    }
    ColourRamp inner(rgb(252, 210, 121), {-1, -4, -8}, 57);
    for (int y = T + 3; y <= B - 3; ++y) {
        m_gdi.line(L + 2, y, L + 2, y + 1, inner.colour());
        m_gdi.line(R - 2, y, R - 2, y + 1, inner.colour());
        inner.advance();
    }
    m_gdi.line(L + 3, B - 3, R, B - 3, inner.colour());
    m_gdi.line(L + 2, B - 2, R - 1, B - 2, rgb(229, 151, 0));
}

void XPButtonPainter::DrawFocus()
{
    m_gdi.line(L + 2, T + 1, R - 1, T + 1, rgb(206, 231, 251));
    m_gdi.line(L + 1, T + 2, R, T + 2, rgb(188, 212, 246));
    ColourRamp bars(rgb(186, 211, 246), {-4, -3, -1}, 228);
    for (int y = T + 3; y <= B - 4; ++y) {
        m_gdi.line(L + 2, y, L + 2, y + 1, bars.colour(), 2);
        m_gdi.line(R - 1, y, R - 1, y + 1, bars.colour(), 2);
        bars.advance();
    }
    m_gdi.line(L + 1, B - 3, R - 1, B - 3, bars.colour());
    m_gdi.pixel(L + 2, B - 2, rgb(77, 125, 193));
    m_gdi.line(L + 3, B - 2, R - 2, B - 2, rgb(97, 125, 229));
    m_gdi.pixel(R - 2, B - 2, rgb(77, 125, 193));
}

void XPButtonPainter::DrawPressed()
{
    m_gdi.fill(m_background);
    // Bands 4 pixels high; only the first one is lighter.
    ColourRamp bands(rgb(226, 225, 218), {-1, -1, -1}, 218);
    for (int y = T + 3; y <= B - 2; y += 4) {
        m_gdi.line(L, y, R, y, bands.colour(), 4);
        bands.advance();
    }
    m_gdi.line(L, T + 1, R, T + 1, rgb(209, 204, 192));
    m_gdi.line(L, T + 2, R, T + 2, rgb(220, 216, 207));
    m_gdi.line(L, B - 3, R, B - 3, rgb(234, 233, 227));
    m_gdi.line(L, B - 2, R, B - 2, rgb(242, 241, 238));
}

void XPButtonPainter::DrawDisabled()
{
    m_gdi.fill(m_background);
    m_gdi.fill(rgb(245, 244, 234));
    m_gdi.frame(rgb(201, 199, 186));
    const QColor edge = rgb(216, 213, 199);
    const QColor inner = rgb(234, 233, 222);
    // Top left, top right, bottom left, bottom right.
    m_gdi.pixel(L, T + 1, edge);
    m_gdi.pixel(L + 1, T, edge);
    m_gdi.pixel(L + 1, T + 1, edge);
    m_gdi.pixel(L + 1, T + 2, inner);
    m_gdi.pixel(L + 2, T + 1, inner);

    m_gdi.pixel(R - 1, T, edge);
    m_gdi.pixel(R, T + 1, edge);
    m_gdi.pixel(R - 1, T + 1, edge);
    m_gdi.pixel(R - 2, T + 1, inner);
    m_gdi.pixel(R - 1, T + 2, inner);

    m_gdi.pixel(L, B - 2, edge);
    m_gdi.pixel(L + 1, B - 1, edge);
    m_gdi.pixel(L + 1, B - 2, edge);
    m_gdi.pixel(L + 1, B - 3, inner);
    m_gdi.pixel(L + 2, B - 2, inner);

    m_gdi.pixel(R, B - 2, edge);
    m_gdi.pixel(R - 1, B - 1, edge);
    m_gdi.pixel(R - 1, B - 2, edge);
    m_gdi.pixel(R - 1, B - 3, inner);
    m_gdi.pixel(R - 2, B - 2, inner);
}

void XPButtonPainter::DrawBorder()
{
    m_gdi.frame(rgb(0, 60, 116));
    const QColor light = rgb(122, 149, 168);
    const QColor dark = rgb(37, 87, 131);
    m_gdi.pixel(L, T + 1, light);
    m_gdi.pixel(L + 1, T, light);
    m_gdi.pixel(L + 1, T + 1, dark);

    m_gdi.pixel(R - 1, T, light);
    m_gdi.pixel(R, T + 1, light);
    m_gdi.pixel(R - 1, T + 1, dark);

    m_gdi.pixel(L, B - 2, light);
    m_gdi.pixel(L + 1, B - 1, light);
    m_gdi.pixel(L + 1, B - 2, dark);

    m_gdi.pixel(R, B - 2, light);
    m_gdi.pixel(R - 1, B - 1, light);
    m_gdi.pixel(R - 1, B - 2, dark);
}

void XPButtonPainter::DrawCaption(const QString& caption, const QFont& font, QColor colour)
{
    const QRect rect = captionRect(caption, font, QSize(m_gdi.width(), m_gdi.height()));
    m_painter.save();
    m_painter.setFont(font);
    m_painter.setPen(colour);
    m_painter.drawText(rect, CaptionFlags, caption);
    m_painter.restore();
}

QRect XPButtonPainter::captionRect(const QString& caption, const QFont& font, QSize size)
{
    const QFontMetrics metrics(font);
    const int textHeight = metrics.boundingRect(QRect(QPoint(0, 0), size), CaptionFlags, caption).height();
    const int top = halfRoundedToEven(size.height() - textHeight);
    const int bottom = halfRoundedToEven(size.height() + textHeight);
    return QRect(QPoint(0, top), QPoint(size.width() - 1, bottom - 1));
}
