#pragma once

#include "controls/XPButton.h"

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QImage>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

// A window holding one XPButton (80 x 25, "&Save") between two text boxes, shown
// and active. The pointer and the mouse buttons are driven the way the platform
// drives them: moving the pointer makes the window system deliver the moves, the
// enter and the leave notifications, and presses and releases go through the
// window, so the button sees what it would see from a user.
class XPButtonFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_window = std::make_unique<QWidget>();
        m_window->setObjectName(QStringLiteral("frmTest"));
        QPalette palette = m_window->palette();
        palette.setColor(QPalette::Window, QColor(236, 233, 216));
        palette.setColor(QPalette::WindowText, QColor(0, 0, 0));
        m_window->setPalette(palette);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(11);
        m_window->setFont(font);
        m_window->setGeometry(100, 100, 300, 120);

        txtBefore = new QLineEdit(m_window.get());
        txtBefore->setObjectName(QStringLiteral("txtBefore"));
        txtBefore->setGeometry(20, 60, 80, 22);
        button = new XPButton(m_window.get());
        button->setObjectName(QStringLiteral("btnSave"));
        button->SetCaption(QStringLiteral("&Save"));
        button->setGeometry(20, 20, 80, 25);
        txtAfter = new QLineEdit(m_window.get());
        txtAfter->setObjectName(QStringLiteral("txtAfter"));
        txtAfter->setGeometry(120, 60, 80, 22);
        QWidget::setTabOrder(txtBefore, button);
        QWidget::setTabOrder(button, txtAfter);

        QCursor::setPos(10, 10);
        m_window->show();
        m_window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
        txtBefore->setFocus();
        QCoreApplication::processEvents();
    }

    void TearDown() override
    {
        // Leave no button held for the next test.
        for (const Qt::MouseButton held : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
            if (QGuiApplication::mouseButtons().testFlag(held))
                QTest::mouseRelease(windowHandle(), held, {}, QPoint(250, 100));
        }
        // QTest records a modifier as still held after its own release; a plain key
        // release sets the recorded modifiers back to none.
        QTest::keyRelease(m_window.get(), Qt::Key_F24);
        m_window.reset();
        QCursor::setPos(10, 10);
        QCoreApplication::processEvents();
    }

    QWindow* windowHandle() const { return m_window->windowHandle(); }

    // Points in the button's own coordinates.
    static constexpr QPoint Inside {30, 12};
    static constexpr QPoint Outside {150, 12};

    void pointerTo(QPoint local)
    {
        QCursor::setPos(button->mapToGlobal(local));
        QCoreApplication::processEvents();
    }
    void press(Qt::MouseButton which, QPoint local = Inside)
    {
        pointerTo(local);
        QTest::mousePress(windowHandle(), which, {}, button->mapTo(m_window.get(), local));
    }
    void release(Qt::MouseButton which, QPoint local = Inside)
    {
        pointerTo(local);
        QTest::mouseRelease(windowHandle(), which, {}, button->mapTo(m_window.get(), local));
    }

    QTimer* hoverTimer() const { return button->findChild<QTimer*>(QStringLiteral("HoverTimer")); }

    // Waits until the pointer poll has seen the pointer gone and stopped.
    bool waitForHoverTimerOff()
    {
        QElapsedTimer waited;
        waited.start();
        while (hoverTimer()->isActive() && waited.elapsed() < 5000)
            QTest::qWait(5);
        return !hoverTimer()->isActive();
    }

    // The button as drawn, on a magenta ground where the button does not paint.
    QImage render() const
    {
        QImage image(button->size(), QImage::Format_RGB32);
        image.fill(QColor(255, 0, 255));
        button->render(&image);
        return image;
    }

    // A large bold caption, "HIT", whose strokes have pixels in the pure caption colour.
    void useBigCaption()
    {
        QFont big(QStringLiteral("DejaVu Sans"));
        big.setPixelSize(16);
        big.setBold(true);
        button->setFont(big);
        button->SetCaption(QStringLiteral("HIT"));
    }

    std::unique_ptr<QWidget> m_window;
    QLineEdit* txtBefore = nullptr;
    XPButton* button = nullptr;
    QLineEdit* txtAfter = nullptr;
};

// A pixel as "r, g, b", so a failing comparison shows both colours.
inline std::string rgbAt(const QImage& image, int x, int y)
{
    const QColor colour = image.pixelColor(x, y);
    return std::to_string(colour.red()) + ", " + std::to_string(colour.green()) + ", " + std::to_string(colour.blue());
}

inline std::string rgb(int red, int green, int blue)
{
    return std::to_string(red) + ", " + std::to_string(green) + ", " + std::to_string(blue);
}

inline bool hasPixel(const QImage& image, const std::string& colour)
{
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (rgbAt(image, x, y) == colour)
                return true;
        }
    }
    return false;
}
