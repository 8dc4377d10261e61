#pragma once

#include <QSystemTrayIcon>

#include <cstdint>
#include <vector>

// What a notification from the tray icon means to the owner of the icon.
enum class TrayEventKind {
    None,
    MouseMove,
    MouseDown,
    MouseUp,
    DoubleClick,
    BalloonShow,
    BalloonHide,
    BalloonTimeOut,
    BalloonClicked,
};

struct TrayEvent {
    TrayEventKind kind = TrayEventKind::None;
    int button = 0; // 1 left, 2 right; 0 where the event has no button

    bool operator==(const TrayEvent&) const = default;
};

// The tray icon's notification codes (the shell's mouse and balloon messages) and
// their decoding into events. Platform activations are first turned into the
// codes the shell would have sent, so every source goes through one table.
class TrayNotification {
public:
    static constexpr std::int32_t MouseMoveCode = 0x0200;
    static constexpr std::int32_t LeftDownCode = 0x0201;
    static constexpr std::int32_t LeftUpCode = 0x0202;
    static constexpr std::int32_t LeftDoubleClickCode = 0x0203;
    static constexpr std::int32_t RightDownCode = 0x0204;
    static constexpr std::int32_t RightUpCode = 0x0205;
    static constexpr std::int32_t RightDoubleClickCode = 0x0206;
    static constexpr std::int32_t MiddleDownCode = 0x0207;
    static constexpr std::int32_t MiddleUpCode = 0x0208;
    static constexpr std::int32_t BalloonShowCode = 0x0402;
    static constexpr std::int32_t BalloonHideCode = 0x0403;
    static constexpr std::int32_t BalloonTimeOutCode = 0x0404;
    static constexpr std::int32_t BalloonClickedCode = 0x0405;

    static constexpr int LeftButton = 1;
    static constexpr int RightButton = 2;

    // The event a code raises; codes outside the table raise nothing.
    static TrayEvent decode(std::int32_t code);

    // The codes the shell sends for what Qt reports as one activation.
    static std::vector<std::int32_t> codesForActivation(QSystemTrayIcon::ActivationReason reason);
};
