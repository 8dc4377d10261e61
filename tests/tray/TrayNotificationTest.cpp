#include "tray/TrayNotification.h"

#include <gtest/gtest.h>

namespace {

using K = TrayEventKind;

TEST(TrayNotification, DecodesEveryCodeOfTheTable)
{
    const std::pair<std::int32_t, TrayEvent> table[] = {
        {0x0200, {K::MouseMove, 0}},
        {0x0201, {K::MouseDown, 1}},
        {0x0202, {K::MouseUp, 1}},
        {0x0203, {K::DoubleClick, 1}},
        {0x0204, {K::MouseDown, 2}},
        {0x0205, {K::MouseUp, 2}},
        {0x0206, {K::DoubleClick, 2}},
        {0x0402, {K::BalloonShow, 0}},
        {0x0403, {K::BalloonHide, 0}},
        {0x0404, {K::BalloonTimeOut, 0}},
        {0x0405, {K::BalloonClicked, 0}},
    };
    for (const auto& [code, expected] : table)
        EXPECT_EQ(TrayNotification::decode(code), expected) << "code " << code;
}

TEST(TrayNotification, OtherCodesRaiseNothing)
{
    // The middle button, the version-3 selection codes, the context-menu message,
    // the neighbours of the table's ranges and values outside a word.
    for (const std::int32_t code : {0x0207, 0x0208, 0x0209, 0x0400, 0x0401, 0x007B, 0x01FF, 0x0406, 0, -1, 0x10201})
        EXPECT_EQ(TrayNotification::decode(code), TrayEvent {}) << "code " << code;
}

TEST(TrayNotification, ActivationsBecomeTheShellsCodes)
{
    using T = TrayNotification;
    // A right click ends in the right button's release, which opens the menu.
    EXPECT_EQ(T::codesForActivation(QSystemTrayIcon::Context),
        (std::vector<std::int32_t> {T::RightDownCode, T::RightUpCode}));
    EXPECT_EQ(
        T::codesForActivation(QSystemTrayIcon::Trigger), (std::vector<std::int32_t> {T::LeftDownCode, T::LeftUpCode}));
    EXPECT_EQ(T::codesForActivation(QSystemTrayIcon::DoubleClick),
        (std::vector<std::int32_t> {T::LeftDoubleClickCode, T::LeftUpCode}));
    for (const std::int32_t code : T::codesForActivation(QSystemTrayIcon::MiddleClick))
        EXPECT_EQ(T::decode(code), TrayEvent {});
    EXPECT_TRUE(T::codesForActivation(QSystemTrayIcon::Unknown).empty());
}

} // namespace
