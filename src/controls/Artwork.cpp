#include "controls/Artwork.h"

#include "controls/UiFont.h"

#include <QImageReader>
#include <QPainter>
#include <QString>

// Outside any namespace, as the resource's initialiser is declared there.
static void initImages()
{
    // The resource lives in a static library: naming it here links it into the program.
    static const bool done = [] {
        Q_INIT_RESOURCE(images);
        return true;
    }();
    (void)done;
}

QPixmap Artwork::png(const QString& resourcePath)
{
    QImageReader reader(resourcePath, "png");
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

namespace {

QPixmap image(const QString& name)
{
    initImages();
    return Artwork::png(QStringLiteral(":/images/") + name);
}

} // namespace

QPixmap Artwork::splash()
{
    QPixmap pixmap = image(QStringLiteral("splash.png"));
    // The version is written on the picture here, so that the picture need not change with it.
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(uiFont(8));
    p.setPen(QColor(220, 230, 245));
    p.drawText(QRectF(20, 86, 300, 18), Qt::AlignLeft | Qt::AlignVCenter,
        QStringLiteral("Version %1.%2.%3")
            .arg(WHEELBOOK_VERSION_MAJOR)
            .arg(WHEELBOOK_VERSION_MINOR)
            .arg(WHEELBOOK_VERSION_PATCH));
    return pixmap;
}

QPixmap Artwork::banner()
{
    return image(QStringLiteral("banner.png"));
}

QIcon Artwork::appIcon()
{
    // The sizes a window and the tray ask for; the larger ones beside them in
    // data/images are for the installation. Read here as PNG: an icon given file names
    // reads them at once anyway, through a reader that loads every image plugin.
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64})
        icon.addPixmap(image(QStringLiteral("icon-%1.png").arg(size)));
    return icon;
}

QIcon Artwork::listIcon(int index)
{
    // 1 a gauge (status), 2 a coin, 4 an oil drop; every other index a tag.
    const int picture = index >= 1 && index <= 4 ? index : 3;
    return QIcon(image(QStringLiteral("list-%1.png").arg(picture)));
}
