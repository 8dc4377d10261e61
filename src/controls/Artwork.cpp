#include "controls/Artwork.h"

#include "controls/UiFont.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

const QColor kNavy(24, 46, 84);
const QColor kSky(70, 130, 200);
const QColor kAccent(214, 60, 40);

// A side view of a small car, scaled to the rectangle.
void drawCar(QPainter& p, const QRectF& r, const QColor& body)
{
    const qreal w = r.width();
    const qreal h = r.height();
    auto pt = [&](qreal x, qreal y) { return QPointF(r.left() + x * w, r.top() + y * h); };
    QPainterPath shape;
    shape.moveTo(pt(0.02, 0.78));
    shape.lineTo(pt(0.02, 0.55));
    shape.quadTo(pt(0.04, 0.45), pt(0.16, 0.42));
    shape.lineTo(pt(0.30, 0.40));
    shape.quadTo(pt(0.38, 0.12), pt(0.52, 0.10));
    shape.lineTo(pt(0.70, 0.10));
    shape.quadTo(pt(0.80, 0.12), pt(0.88, 0.40));
    shape.quadTo(pt(0.98, 0.44), pt(0.98, 0.58));
    shape.lineTo(pt(0.98, 0.78));
    shape.closeSubpath();
    QLinearGradient paint(r.topLeft(), r.bottomLeft());
    paint.setColorAt(0.0, body.lighter(150));
    paint.setColorAt(1.0, body.darker(130));
    p.setPen(QPen(body.darker(180), qMax<qreal>(1.0, w / 160)));
    p.setBrush(paint);
    p.drawPath(shape);

    // Windows.
    QPainterPath glass;
    glass.moveTo(pt(0.35, 0.40));
    glass.quadTo(pt(0.41, 0.18), pt(0.52, 0.17));
    glass.lineTo(pt(0.60, 0.17));
    glass.lineTo(pt(0.60, 0.40));
    glass.closeSubpath();
    glass.moveTo(pt(0.63, 0.17));
    glass.lineTo(pt(0.70, 0.17));
    glass.quadTo(pt(0.77, 0.20), pt(0.82, 0.40));
    glass.lineTo(pt(0.63, 0.40));
    glass.closeSubpath();
    p.setBrush(QColor(200, 225, 245));
    p.setPen(Qt::NoPen);
    p.drawPath(glass);

    // Wheels.
    for (qreal cx : {0.24, 0.78}) {
        const QPointF c = pt(cx, 0.78);
        const qreal radius = h * 0.20;
        p.setBrush(QColor(30, 30, 30));
        p.drawEllipse(c, radius, radius);
        p.setBrush(QColor(190, 190, 190));
        p.drawEllipse(c, radius * 0.5, radius * 0.5);
    }
}

// An open-ended spanner, centred on c.
void drawSpanner(QPainter& p, QPointF c, qreal size, qreal angle, const QColor& colour)
{
    p.save();
    p.translate(c);
    p.rotate(angle);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(-size * 0.5, -size * 0.06, size, size * 0.12), size * 0.05, size * 0.05);
    QPainterPath head;
    head.addEllipse(QPointF(size * 0.5, 0), size * 0.16, size * 0.16);
    QPainterPath jaw;
    jaw.addRect(QRectF(size * 0.52, -size * 0.06, size * 0.2, size * 0.12));
    p.drawPath(head.subtracted(jaw));
    p.restore();
}

} // namespace

QPixmap Artwork::splash()
{
    QPixmap pixmap(341, 261);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 261);
    sky.setColorAt(0.0, kNavy);
    sky.setColorAt(0.65, kSky);
    sky.setColorAt(1.0, QColor(235, 240, 245));
    p.fillRect(pixmap.rect(), sky);

    // A road running into the distance.
    QPainterPath road;
    road.moveTo(0, 261);
    road.lineTo(150, 170);
    road.lineTo(191, 170);
    road.lineTo(341, 261);
    road.closeSubpath();
    p.fillPath(road, QColor(70, 74, 82));
    p.setPen(QPen(QColor(240, 220, 120), 3, Qt::DashLine));
    p.drawLine(QPointF(170.5, 172), QPointF(170.5, 261));

    drawCar(p, QRectF(96, 150, 150, 80), kAccent);
    drawSpanner(p, QPointF(296, 128), 56, -35, QColor(230, 232, 238));

    p.setPen(Qt::white);
    QFont title = uiFont(26, true);
    p.setFont(title);
    p.drawText(QRectF(18, 22, 300, 44), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Wheelbook"));
    p.setFont(uiFont(9));
    p.setPen(QColor(220, 230, 245));
    p.drawText(QRectF(20, 66, 300, 20), Qt::AlignLeft | Qt::AlignVCenter,
        QStringLiteral("Maintenance and running costs of your car"));
    p.setFont(uiFont(8));
    p.drawText(QRectF(20, 86, 300, 18), Qt::AlignLeft | Qt::AlignVCenter,
        QStringLiteral("Version %1.%2.%3")
            .arg(WHEELBOOK_VERSION_MAJOR)
            .arg(WHEELBOOK_VERSION_MINOR)
            .arg(WHEELBOOK_VERSION_PATCH));
    return pixmap;
}

QPixmap Artwork::banner()
{
    QPixmap pixmap(584, 79);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient band(0, 0, 584, 0);
    band.setColorAt(0.0, kNavy);
    band.setColorAt(1.0, kSky);
    p.fillRect(pixmap.rect(), band);
    p.fillRect(QRect(0, 75, 584, 4), kAccent);
    drawCar(p, QRectF(14, 10, 100, 56), kAccent);
    p.setPen(Qt::white);
    p.setFont(uiFont(20, true));
    p.drawText(QRectF(130, 8, 440, 36), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Wheelbook"));
    p.setFont(uiFont(9));
    p.setPen(QColor(220, 230, 245));
    p.drawText(QRectF(132, 42, 440, 24), Qt::AlignLeft | Qt::AlignVCenter,
        QStringLiteral("Your car's maintenance schedule, fuel and running costs"));
    drawSpanner(p, QPointF(540, 38), 46, -35, QColor(230, 232, 238));
    return pixmap;
}

QIcon Artwork::appIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(kNavy);
        p.drawRoundedRect(QRectF(0, 0, size, size), size * 0.18, size * 0.18);
        drawCar(p, QRectF(size * 0.06, size * 0.25, size * 0.88, size * 0.55), kAccent);
        icon.addPixmap(pixmap);
    }
    return icon;
}

QPixmap Artwork::listIcon(int index)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    switch (index) {
    case 1: // status: a gauge
        p.setPen(QPen(kNavy, 1.5));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        p.setPen(QPen(kAccent, 1.8));
        p.drawLine(QPointF(8, 8), QPointF(12, 4.5));
        break;
    case 4: // an oil drop
    {
        QPainterPath drop;
        drop.moveTo(8, 1.5);
        drop.cubicTo(13, 8, 13, 14.5, 8, 14.5);
        drop.cubicTo(3, 14.5, 3, 8, 8, 1.5);
        p.setPen(QPen(QColor(120, 80, 10), 1));
        p.setBrush(QColor(230, 170, 40));
        p.drawPath(drop);
        break;
    }
    case 2: // spare: a coin
        p.setPen(QPen(QColor(120, 100, 20), 1));
        p.setBrush(QColor(240, 200, 60));
        p.drawEllipse(QRectF(2, 2, 12, 12));
        p.setPen(QPen(QColor(120, 100, 20), 1.2));
        p.drawLine(QPointF(8, 4.5), QPointF(8, 11.5));
        break;
    default: // an entry of the consumables or expenses lists: a tag
    {
        QPainterPath tag;
        tag.moveTo(1.5, 8);
        tag.lineTo(6, 3);
        tag.lineTo(14.5, 3);
        tag.lineTo(14.5, 13);
        tag.lineTo(6, 13);
        tag.closeSubpath();
        p.setPen(QPen(kNavy, 1));
        p.setBrush(QColor(120, 170, 225));
        p.drawPath(tag);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(6.5, 8), 1.5, 1.5);
        break;
    }
    }
    return pixmap;
}
