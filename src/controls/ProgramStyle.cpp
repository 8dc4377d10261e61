#include "controls/ProgramStyle.h"

#include "controls/Artwork.h"

#include <QApplication>
#include <QGroupBox>
#include <QLinearGradient>
#include <QPaintEngine>
#include <QPainter>
#include <QPixmapCache>
#include <QStyleFactory>
#include <QStyleOption>
#include <qdrawutil.h>

#include <algorithm>

namespace {

// A fill of up to this many spans (a span: a run of pixels in one row) stays on the
// painting thread; the pool takes 96 or more.
constexpr int kSpans = 95;

// The colours Fusion derives from the palette.
QColor buttonColour(const QPalette& palette)
{
    QColor colour = palette.button().color();
    const int grey = qGray(colour.rgb());
    colour = colour.lighter(100 + std::max(1, (180 - grey) / 6));
    colour.setHsv(colour.hue(), static_cast<int>(colour.saturation() * 0.75), colour.value());
    return colour;
}

QColor outlineColour(const QPalette& palette)
{
    if (palette.window().style() == Qt::TexturePattern)
        return {0, 0, 0, 160};
    return palette.window().color().darker(140);
}

QColor tabFrameColour(const QPalette& palette)
{
    if (palette.window().style() == Qt::TexturePattern)
        return {255, 255, 255, 8};
    return buttonColour(palette).lighter(104);
}

const QColor kInnerContrast(255, 255, 255, 30);

QColor mergedColours(const QColor& a, const QColor& b, int factor)
{
    QColor merged = a;
    merged.setRed(a.red() * factor / 100 + b.red() * (100 - factor) / 100);
    merged.setGreen(a.green() * factor / 100 + b.green() * (100 - factor) / 100);
    merged.setBlue(a.blue() * factor / 100 + b.blue() * (100 - factor) / 100);
    return merged;
}

// Only a raster painter that at most moves what it paints: there the pixels below are
// exactly Fusion's.
bool plainRaster(const QPainter* painter)
{
    return painter->paintEngine() && painter->paintEngine()->type() == QPaintEngine::Raster
        && painter->deviceTransform().type() <= QTransform::TxTranslate;
}

// The most pieces a row of the region has: a widget's painted region leaves out the
// opaque widgets inside it, so a row crossing one is painted as two spans.
int mostPiecesInARow(const QRegion& region)
{
    int most = 1;
    int bandTop = 0;
    int inBand = 0;
    for (const QRect& rect : region) { // sorted in bands of rows, left to right within a band
        inBand = rect.top() == bandTop ? inBand + 1 : 1;
        bandTop = rect.top();
        most = std::max(most, inBand);
    }
    return most;
}

// How many rows one fill may take, for what the painter paints on.
int rowsPerRun(const QPainter* painter)
{
    int pieces = mostPiecesInARow(painter->paintEngine()->systemClip());
    if (painter->hasClipping())
        pieces += mostPiecesInARow(painter->clipRegion());
    return std::max(1, kSpans / pieces);
}

void fillInRuns(QPainter* painter, const QRect& area, const QBrush& brush)
{
    const int rows = rowsPerRun(painter);
    for (int y = area.top(); y <= area.bottom(); y += rows)
        painter->fillRect(QRect(area.left(), y, area.width(), std::min(rows, area.bottom() - y + 1)), brush);
}

// A line of one pixel from one end to the other, both included, as a pen draws it.
void line(QPainter* painter, QPoint from, QPoint to, const QColor& colour)
{
    fillInRuns(painter, QRect(from, to).normalized(), colour);
}

// The outline a one-pixel pen draws for the rectangle: its width and height plus one.
void outline(QPainter* painter, const QRect& rect, const QColor& colour)
{
    const int left = rect.left();
    const int top = rect.top();
    const int right = rect.left() + rect.width();
    const int bottom = rect.top() + rect.height();
    line(painter, {left, top}, {right, top}, colour);
    if (bottom > top) {
        line(painter, {left, bottom}, {right, bottom}, colour);
        if (bottom > top + 1) {
            line(painter, {left, top + 1}, {left, bottom - 1}, colour);
            if (right > left)
                line(painter, {right, top + 1}, {right, bottom - 1}, colour);
        }
    }
}

// A picture of Qt's own style resources.
QPixmap stylePicture(const QString& name)
{
    return Artwork::png(QStringLiteral(":/qt-project.org/styles/commonstyle/images/") + name);
}

} // namespace

ProgramStyle::ProgramStyle(QStyle* style)
    : QProxyStyle(style)
    , m_fusion(baseStyle()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0)
{
}

void ProgramStyle::install()
{
    const QString name = QApplication::style()->name();
    if (QStyle* style = QStyleFactory::create(name))
        QApplication::setStyle(new ProgramStyle(style));
}

void ProgramStyle::drawPrimitive(
    PrimitiveElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget) const
{
    if (m_fusion && option && plainRaster(painter)) {
        if (element == PE_FrameTabWidget && drawTabWidgetFrame(option, painter))
            return;
        if (element == PE_FrameGroupBox && drawGroupBoxFrame(option, painter, widget))
            return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void ProgramStyle::drawControl(
    ControlElement element, const QStyleOption* option, QPainter* painter, const QWidget* widget) const
{
    if (m_fusion && option && element == CE_HeaderSection && plainRaster(painter) && drawHeaderSection(option, painter))
        return;
    QProxyStyle::drawControl(element, option, painter, widget);
}

QIcon ProgramStyle::standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const
{
    // Every menu bar asks for it when it is made, whether or not it ever overflows.
    if (m_fusion && icon == SP_ToolBarHorizontalExtensionButton) {
        const bool rightToLeft
            = (option && option->direction == Qt::RightToLeft) || (!option && QGuiApplication::isRightToLeft());
        QIcon extension;
        for (const int size : {8, 16, 32}) {
            const QPixmap picture = stylePicture(QStringLiteral("toolbar-ext-h-%1%2.png")
                                                     .arg(rightToLeft ? QStringLiteral("rtl-") : QString())
                                                     .arg(size));
            if (picture.isNull())
                return QProxyStyle::standardIcon(icon, option, widget);
            extension.addPixmap(picture);
        }
        return extension;
    }
    return QProxyStyle::standardIcon(icon, option, widget);
}

bool ProgramStyle::drawTabWidgetFrame(const QStyleOption* option, QPainter* painter) const
{
    // Too small for two outlines: what Fusion's pen makes of it is left to Fusion.
    if (option->rect.width() < 5 || option->rect.height() < 5)
        return false;
    painter->save();
    fillInRuns(painter, option->rect.adjusted(0, 0, -1, -1), tabFrameColour(option->palette));
    if (const auto* frame = qstyleoption_cast<const QStyleOptionTabWidgetFrame*>(option)) {
        QRect rect = option->rect.adjusted(0, 0, -1, -1);
        if (frame->shape != QTabBar::RoundedSouth) {
            rect.adjust(0, 0, 0, -1);
            line(painter, option->rect.bottomLeft(), option->rect.bottomRight(), QColor(0, 0, 0, 15));
        }
        outline(painter, rect, outlineColour(option->palette));
        outline(painter, rect.adjusted(1, 1, -1, -1), kInnerContrast);
    }
    painter->restore();
    return true;
}

bool ProgramStyle::drawGroupBoxFrame(const QStyleOption* option, QPainter* painter, const QWidget* widget) const
{
    static const QPixmap picture = stylePicture(QStringLiteral("fusion_groupbox.png"));
    if (picture.isNull())
        return false;
    constexpr int kTopMargin = 3;
    int top = kTopMargin;
    const auto* box = qobject_cast<const QGroupBox*>(widget);
    if (!box || box->isCheckable() || !box->title().isEmpty())
        top += std::max(baseStyle()->pixelMetric(PM_ExclusiveIndicatorHeight), option->fontMetrics.height());
    const QRect frame = option->rect.adjusted(0, top, 0, 0);
    // Fusion's own drawing of the picture, stretched over the whole frame, a run of rows at a time.
    const int rows = rowsPerRun(painter);
    for (int y = frame.top(); y <= frame.bottom(); y += rows) {
        painter->save();
        painter->setClipRect(QRect(frame.left(), y, frame.width(), rows), Qt::IntersectClip);
        qDrawBorderPixmap(painter, frame, QMargins(6, 6, 6, 6), picture);
        painter->restore();
    }
    return true;
}

bool ProgramStyle::drawHeaderSection(const QStyleOption* option, QPainter* painter) const
{
    const auto* header = qstyleoption_cast<const QStyleOptionHeader*>(option);
    if (!header || qApp->devicePixelRatio() != 1.0)
        return false;
    const auto* headerV2 = qstyleoption_cast<const QStyleOptionHeaderV2*>(option);
    const bool dragTarget = headerV2 && headerV2->isSectionDragTarget;
    const QRect rect = option->rect;
    const QString key = QStringLiteral("wheelbook-header-%1-%2-%3-%4x%5-%6-%7-%8")
                            .arg(uint(option->state))
                            .arg(int(option->direction))
                            .arg(option->palette.cacheKey())
                            .arg(rect.width())
                            .arg(rect.height())
                            .arg(int(header->position))
                            .arg(int(header->orientation))
                            .arg(int(dragTarget));
    QPixmap cache;
    if (!QPixmapCache::find(key, &cache)) {
        cache = QPixmap(rect.size());
        cache.fill(Qt::transparent);
        const QRect area(0, 0, rect.width(), rect.height());
        QPainter cachePainter(&cache);
        QColor start = buttonColour(option->palette).lighter(104);
        QColor stop = buttonColour(option->palette).darker(102);
        if (dragTarget) {
            stop = start.darker(130);
            start = start.darker(130);
        }
        QLinearGradient gradient(area.topLeft(), area.bottomLeft());
        if (option->palette.window().gradient()) {
            gradient.setStops(option->palette.window().gradient()->stops());
        } else {
            gradient.setColorAt(0, start);
            gradient.setColorAt(0.5, mergedColours(start, stop, 60));
            gradient.setColorAt(0.501, mergedColours(start, stop, 40));
            gradient.setColorAt(0.92, stop);
            gradient.setColorAt(1, stop.darker(104));
        }
        fillInRuns(&cachePainter, area, gradient);
        line(&cachePainter, area.topLeft(), area.topRight(), kInnerContrast);
        line(&cachePainter, area.bottomLeft(), area.bottomRight(), outlineColour(option->palette));
        if (header->orientation == Qt::Horizontal && header->position != QStyleOptionHeader::End
            && header->position != QStyleOptionHeader::OnlyOneSection) {
            line(&cachePainter, area.topRight(), area.bottomRight() + QPoint(0, -1), QColor(0, 0, 0, 40));
            line(&cachePainter, area.topRight() + QPoint(-1, 0), area.bottomRight() + QPoint(-1, -1), kInnerContrast);
        } else if (header->orientation == Qt::Vertical) {
            line(&cachePainter, area.topRight(), area.bottomRight(), outlineColour(option->palette));
        }
        cachePainter.end();
        QPixmapCache::insert(key, cache);
    }
    painter->save();
    painter->drawPixmap(rect.topLeft(), cache);
    painter->restore();
    return true;
}
