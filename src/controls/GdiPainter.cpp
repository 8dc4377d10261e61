#include "controls/GdiPainter.h"

#include <QPainter>

#include <algorithm>
#include <cstdlib>

GdiPainter::GdiPainter(QPainter& painter, int width, int height)
    : m_painter(painter)
    , m_width(width)
    , m_height(height)
{
}

void GdiPainter::fill(const QColor& colour)
{
    paint(QRect(0, 0, m_width, m_height), colour);
}

void GdiPainter::frame(const QColor& colour)
{
    paint(QRect(0, 0, m_width, 1), colour);
    paint(QRect(0, m_height - 1, m_width, 1), colour);
    paint(QRect(0, 0, 1, m_height), colour);
    paint(QRect(m_width - 1, 0, 1, m_height), colour);
}

void GdiPainter::pixel(int x, int y, const QColor& colour)
{
    paint(QRect(x, y, 1, 1), colour);
}

void GdiPainter::line(int x1, int y1, int x2, int y2, const QColor& colour, int penWidth)
{
    Q_ASSERT(x1 == x2 || y1 == y2);
    if (penWidth <= 1) {
        if (x1 == x2 && y1 == y2)
            return;
        if (y1 == y2)
            paint(QRect(QPoint(std::min(x1, x2 + 1), y1), QPoint(std::max(x1, x2 - 1), y1)), colour);
        else
            paint(QRect(QPoint(x1, std::min(y1, y2 + 1)), QPoint(x1, std::max(y1, y2 - 1))), colour);
        return;
    }
    // The body runs from the start up to the end point; the caps round off both ends.
    const int before = penWidth / 2;
    if (y1 == y2 && x1 != x2)
        paint(QRect(std::min(x1, x2), y1 - before, std::abs(x2 - x1), penWidth), colour);
    else if (x1 == x2 && y1 != y2)
        paint(QRect(x1 - before, std::min(y1, y2), penWidth, std::abs(y2 - y1)), colour);
    roundCap(x1, y1, penWidth, colour);
    roundCap(x2, y2, penWidth, colour);
}

QColor GdiPainter::fromColorRef(quint32 colorRef)
{
    return QColor(static_cast<int>(colorRef & 0xFF), static_cast<int>((colorRef >> 8) & 0xFF),
        static_cast<int>((colorRef >> 16) & 0xFF));
}

quint32 GdiPainter::toColorRef(const QColor& colour)
{
    return static_cast<quint32>(colour.red()) | (static_cast<quint32>(colour.green()) << 8)
        | (static_cast<quint32>(colour.blue()) << 16);
}

void GdiPainter::paint(const QRect& pixels, const QColor& colour)
{
    const QRect clipped = pixels.intersected(QRect(0, 0, m_width, m_height));
    if (!clipped.isEmpty())
        m_painter.fillRect(clipped, colour);
}

// A disc as wide as the pen around the pen's centre at (x, y): a 2-pixel cap is a
// 2 x 2 square, a 4-pixel one a 4 x 4 square without its corner pixels.
void GdiPainter::roundCap(int x, int y, int penWidth, const QColor& colour)
{
    const int before = penWidth / 2;
    const double centreX = x - before + penWidth / 2.0;
    const double centreY = y - before + penWidth / 2.0;
    const double radiusSquared = penWidth * penWidth / 4.0;
    for (int py = y - before; py < y - before + penWidth; ++py) {
        for (int px = x - before; px < x - before + penWidth; ++px) {
            const double dx = px + 0.5 - centreX;
            const double dy = py + 0.5 - centreY;
            if (dx * dx + dy * dy < radiusSquared)
                pixel(px, py, colour);
        }
    }
}
