#include "app/frmSplash.h"

#include "app/Forms.h"
#include "controls/Artwork.h"
#include "controls/UiFont.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScreen>

namespace {

// The picture, read when it is first painted: a splash that closes at once costs no image.
class SplashPicture : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent* /*event*/) override
    {
        if (m_picture.isNull())
            m_picture = Artwork::splash();
        QPainter(this).drawPixmap(0, 0, m_picture);
    }

private:
    QPixmap m_picture;
};

} // namespace

frmSplash::frmSplash(Forms& forms)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , m_forms(forms)
{
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QStringLiteral("Wheelbook"));
    setFixedSize(341, 281);
    setFocusPolicy(Qt::StrongFocus);

    auto* picture = new SplashPicture(this);
    picture->setObjectName(QStringLiteral("imgSplash"));
    picture->setGeometry(0, 0, 341, 261);

    auto* notice = new QLabel(this);
    notice->setObjectName(QStringLiteral("lblNotice"));
    notice->setGeometry(0, 261, 341, 20);
    notice->setAlignment(Qt::AlignCenter);
    notice->setFont(uiFont(7.5));
    notice->setAutoFillBackground(true);
    QPalette colours = notice->palette();
    colours.setColor(QPalette::Window, QColor(0x18, 0x2e, 0x54));
    colours.setColor(QPalette::WindowText, QColor(0xdc, 0xe6, 0xf5));
    notice->setPalette(colours);
    notice->setText(QStringLiteral("Private and offline: your data stays in cardata.dat"));

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(341 / 2, 281 / 2));
    }

    m_timer.setObjectName(QStringLiteral("tmrSplash"));
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &frmSplash::tmrSplashTimer);
}

void frmSplash::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_started) {
        // The load: the timer starts once.
        m_started = true;
        m_timer.setInterval(m_forms.splashIntervalMs());
        m_timer.start();
        activateWindow();
        setFocus();
    }
}

void frmSplash::tmrSplashTimer()
{
    m_timer.stop();
    if (!m_noFrmMain)
        m_forms.startMain(false);
    close();
}

void frmSplash::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        m_timer.stop();
        close();
        return;
    }
    QWidget::keyReleaseEvent(event);
}
