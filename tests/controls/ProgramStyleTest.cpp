#include "controls/ProgramStyle.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QMainWindow>
#include <QMenuBar>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <set>

namespace {

// Both kept to the end of the process: a style outlives the widgets that used it.
QStyle* fusion()
{
    static QStyle* const style = QStyleFactory::create(QStringLiteral("Fusion"));
    return style;
}

ProgramStyle& programStyle()
{
    static auto* const style = new ProgramStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    return *style;
}

// What a style paints of one element, on a ground of its own, beyond which it must not paint;
// into a window's kind of image and, joined below it, a grab's.
template <typename Paint> QImage painted(QSize size, const Paint& paint)
{
    QImage both(size.width(), 2 * size.height(), QImage::Format_ARGB32_Premultiplied);
    for (const auto format : {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied}) {
        QImage image(size, format);
        image.fill(QColor(0x80, 0x90, 0xa0));
        QPainter painter(&image);
        paint(painter);
        painter.end();
        QPainter(&both).drawImage(0, format == QImage::Format_RGB32 ? 0 : size.height(), image);
    }
    return both;
}

// The palettes Fusion colours its frames from: the program's, and one with a textured window.
std::vector<QPalette> palettes()
{
    QPalette textured = QApplication::palette();
    QPixmap texture(4, 4);
    texture.fill(QColor(0x40, 0x50, 0x60));
    textured.setBrush(QPalette::Window, QBrush(texture));
    return {QApplication::palette(), textured};
}

// The plugins and threads the process has: painting must add none.
std::set<QString> imagePlugins()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    std::set<QString> plugins;
    if (maps.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : maps.readAll().split('\n')) {
            if (line.contains("/imageformats/"))
                plugins.insert(QString::fromUtf8(line.mid(line.indexOf('/'))));
        }
    }
    return plugins;
}

qsizetype threads()
{
    return QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size();
}

} // namespace

TEST(ProgramStyle, TabFramesAndHeaderSectionsAreFusionsPixels)
{
    for (const QPalette& palette : palettes()) {
        for (const QSize size : {QSize(4, 4), QSize(5, 5), QSize(7, 6), QSize(120, 97), QSize(584, 346)}) {
            for (const QTabBar::Shape shape : {QTabBar::RoundedNorth, QTabBar::RoundedSouth}) {
                QStyleOptionTabWidgetFrame frame;
                frame.rect = QRect(QPoint(3, 2), size);
                frame.palette = palette;
                frame.shape = shape;
                const auto paint = [&frame](QStyle* style) {
                    return painted(frame.rect.size() + QSize(8, 8),
                        [&](QPainter& p) { style->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &p); });
                };
                EXPECT_TRUE(paint(fusion()) == paint(&programStyle())) << size.width() << "x" << size.height();
            }
        }
        for (const QSize size : {QSize(160, 22), QSize(380, 21), QSize(40, 130)}) {
            for (const auto orientation : {Qt::Horizontal, Qt::Vertical}) {
                for (const auto position : {QStyleOptionHeader::Beginning, QStyleOptionHeader::Middle,
                         QStyleOptionHeader::End, QStyleOptionHeader::OnlyOneSection}) {
                    for (const bool dragTarget : {false, true}) {
                        QStyleOptionHeaderV2 header;
                        header.rect = QRect(QPoint(2, 3), size);
                        header.palette = palette;
                        header.orientation = orientation;
                        header.position = position;
                        header.isSectionDragTarget = dragTarget;
                        header.state = QStyle::State_Enabled | QStyle::State_Raised;
                        const auto paint = [&header](QStyle* style) {
                            return painted(header.rect.size() + QSize(6, 6),
                                [&](QPainter& p) { style->drawControl(QStyle::CE_HeaderSection, &header, &p); });
                        };
                        EXPECT_TRUE(paint(fusion()) == paint(&programStyle()))
                            << size.width() << "x" << size.height() << " " << position;
                    }
                }
            }
        }
    }
}

TEST(ProgramStyle, GroupBoxFramesAreFusionsPixels)
{
    // Into a window's kind of image and a grab's: each blends the picture its own way.
    const auto rendered = [](QGroupBox& box, QStyle* style, QImage::Format format) {
        box.setStyle(style);
        QImage image(box.size(), format);
        image.fill(QColor(0x80, 0x90, 0xa0));
        box.render(&image);
        return image;
    };
    // 12 wide has no middle; 57 high with a title leaves the picture's own height, unstretched.
    for (const QSize size : {QSize(12, 40), QSize(90, 57), QSize(90, 60), QSize(560, 300)}) {
        for (const int kind : {0, 1, 2}) {
            QGroupBox box(kind == 0 ? QString() : QStringLiteral("Current Miles"));
            box.setCheckable(kind == 2);
            box.resize(size);
            for (const auto format : {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied}) {
                EXPECT_TRUE(rendered(box, fusion(), format) == rendered(box, &programStyle(), format))
                    << size.width() << "x" << size.height() << " " << kind << " " << format;
            }
        }
    }
}

TEST(ProgramStyle, PaintsAWindowOnOneThreadWithoutImagePlugins)
{
    // As the program starts: the application's style refined, then a window of the main
    // window's kinds, with a menu bar, tabs, a framed group and a list.
    ProgramStyle::install();
    QMainWindow window;
    window.menuBar()->addMenu(QStringLiteral("&File"));
    auto* tabs = new QTabWidget(&window);
    auto* page = new QWidget;
    auto* group = new QGroupBox(QStringLiteral("Status"), page);
    auto* list = new QTreeWidget(group);
    list->setHeaderLabels({QStringLiteral("Item"), QStringLiteral("Status")});
    (new QVBoxLayout(group))->addWidget(list);
    (new QVBoxLayout(page))->addWidget(group);
    tabs->addTab(page, QStringLiteral("&Main"));
    window.setCentralWidget(tabs);
    window.resize(584, 445);

    const auto pluginsBefore = imagePlugins();
    const qsizetype threadsBefore = threads();
    const QImage image = window.grab().toImage();
    EXPECT_FALSE(image.isNull());
    EXPECT_EQ(pluginsBefore, imagePlugins());
    EXPECT_EQ(threadsBefore, threads());
}
