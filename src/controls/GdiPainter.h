#pragma once

#include <QColor>
#include <QRect>

class QPainter;

// Draws on a QPainter by the platform's GDI rules, which the button's looks are
// measured in. Coordinates are whole pixels of a client area of the given size;
// nothing is antialiased and nothing outside the client area is touched.
//
// - A line covers its start point and stops before its end point.
// - A pen wider than one pixel is a geometric pen: across the line it covers
//   width / 2 pixels before the line's own pixel and the rest after it (a 2-pixel
//   pen at x covers x - 1 and x), and it has round caps of its width at both ends,
//   so unlike a 1-pixel pen it also covers the end point.
// - Only horizontal and vertical lines are needed, and only those are drawn.
class GdiPainter {
public:
    GdiPainter(QPainter& painter, int width, int height);

    int width() const { return m_width; }
    int height() const { return m_height; }

    // Paints the whole client area (clearing to the background and filling alike).
    void fill(const QColor& colour);
    // A 1-pixel border just inside the client area.
    void frame(const QColor& colour);
    void pixel(int x, int y, const QColor& colour);
    void line(int x1, int y1, int x2, int y2, const QColor& colour, int penWidth = 1);

    // Colours as the platform keeps them: 0x00BBGGRR, red in the low byte.
    static QColor fromColorRef(quint32 colorRef);
    static quint32 toColorRef(const QColor& colour);

private:
    void paint(const QRect& pixels, const QColor& colour);
    void roundCap(int x, int y, int penWidth, const QColor& colour);

    QPainter& m_painter;
    int m_width;
    int m_height;
};
