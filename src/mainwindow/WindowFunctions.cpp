#include "mainwindow/WindowFunctions.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>
#include <QWidget>

void SetOnTop(QWidget* window, bool on)
{
    if (!window)
        return;
    if (window->testAttribute(Qt::WA_WState_Created)
        && window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == on) {
        window->show();
        return;
    }
    // Changing the flag recreates the native window: keep its place and show it again.
    const QPoint position = window->pos();
    const bool wasPlaced = window->testAttribute(Qt::WA_Moved) || window->isVisible();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (wasPlaced)
        window->move(position);
    window->show();
}

void ShellOpen(const QString& target, QWidget* /*owner*/)
{
    const bool isAddress = target.contains(QLatin1String("://"));
    const QUrl url = isAddress ? QUrl(target) : QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath());
    QDesktopServices::openUrl(url);
}
