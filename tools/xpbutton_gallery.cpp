// Shows a row of XP-style buttons in their five looks (normal, hover, focused,
// pressed, disabled), each brought into its state the way a user would bring it,
// for people to look at. With "--save file.png" it saves the window enlarged four
// times and quits; "--height N" sets the buttons' height (25 by default).
#include "controls/XPButton.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QString savePath;
    int height = 25;
    const QStringList args = QApplication::arguments();
    for (qsizetype i = 1; i + 1 < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--save"))
            savePath = args.at(i + 1);
        else if (args.at(i) == QLatin1String("--height"))
            height = args.at(i + 1).toInt();
    }

    QWidget window;
    window.setObjectName(QStringLiteral("frmGallery"));
    window.setWindowTitle(QStringLiteral("XPButton looks"));
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor(236, 233, 216));
    palette.setColor(QPalette::WindowText, Qt::black);
    window.setPalette(palette);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(8.25);
    window.setFont(font);

    const char* looks[] = {"Normal", "Hover", "Focus", "Pressed", "Disabled"};
    XPButton* buttons[5] = {};
    for (int i = 0; i < 5; ++i) {
        auto* button = new XPButton(&window);
        button->setObjectName(QStringLiteral("btn") + QLatin1String(looks[i]));
        button->SetCaption(QLatin1Char('&') + QLatin1String(looks[i]));
        button->setGeometry(10 + i * 90, 10, 80, height);
        auto* label = new QLabel(QLatin1String(looks[i]), &window);
        label->setObjectName(QStringLiteral("lbl") + QLatin1String(looks[i]));
        label->setGeometry(10 + i * 90, 16 + height, 80, 16);
        label->setAlignment(Qt::AlignHCenter);
        buttons[i] = button;
    }
    window.resize(10 + 5 * 90, 42 + height);
    window.show();
    window.activateWindow();

    QTimer::singleShot(300, &window, [&] {
        buttons[4]->setEnabled(false);
        buttons[2]->setFocus();
        // Held down, never let go.
        const QPointF centre(buttons[3]->width() / 2.0, buttons[3]->height() / 2.0);
        QMouseEvent press(QEvent::MouseButtonPress, centre, buttons[3]->mapToGlobal(centre), Qt::LeftButton,
            Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(buttons[3], &press);
        QCursor::setPos(buttons[1]->mapToGlobal(QPoint(buttons[1]->width() / 2, height / 2)));
    });
    if (!savePath.isEmpty()) {
        QTimer::singleShot(900, &window, [&] {
            const QPixmap shot = window.grab();
            const QPixmap large = shot.scaled(shot.size() * 4, Qt::IgnoreAspectRatio, Qt::FastTransformation);
            if (!large.save(savePath)) {
                std::fprintf(stderr, "could not save %s\n", qPrintable(savePath));
                QApplication::exit(1);
                return;
            }
            for (const XPButton* button : buttons)
                std::printf("%s: look %d\n", qPrintable(button->objectName()), static_cast<int>(button->Look()));
            QApplication::quit();
        });
    }
    return QApplication::exec();
}
