#include "tray/TrayNotification.h"

TrayEvent TrayNotification::decode(std::int32_t code)
{
    switch (code) {
    case MouseMoveCode:
        return {TrayEventKind::MouseMove, 0};
    case LeftDownCode:
        return {TrayEventKind::MouseDown, LeftButton};
    case LeftUpCode:
        return {TrayEventKind::MouseUp, LeftButton};
    case LeftDoubleClickCode:
        return {TrayEventKind::DoubleClick, LeftButton};
    case RightDownCode:
        return {TrayEventKind::MouseDown, RightButton};
    case RightUpCode:
        return {TrayEventKind::MouseUp, RightButton};
    case RightDoubleClickCode:
        return {TrayEventKind::DoubleClick, RightButton};
    case BalloonShowCode:
        return {TrayEventKind::BalloonShow, 0};
    case BalloonHideCode:
        return {TrayEventKind::BalloonHide, 0};
    case BalloonTimeOutCode:
        return {TrayEventKind::BalloonTimeOut, 0};
    case BalloonClickedCode:
        return {TrayEventKind::BalloonClicked, 0};
    default:
        return {};
    }
}

std::vector<std::int32_t> TrayNotification::codesForActivation(QSystemTrayIcon::ActivationReason reason)
{
    // Qt reports a finished click, so the press and the release arrive together;
    // the owner still sees the release it acts on (the right one opens the menu).
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        return {LeftDownCode, LeftUpCode};
    case QSystemTrayIcon::Context:
        return {RightDownCode, RightUpCode};
    case QSystemTrayIcon::DoubleClick:
        // The first click of the pair has already come as a Trigger.
        return {LeftDoubleClickCode, LeftUpCode};
    case QSystemTrayIcon::MiddleClick:
        return {MiddleDownCode, MiddleUpCode};
    case QSystemTrayIcon::Unknown:
        break;
    }
    return {};
}
