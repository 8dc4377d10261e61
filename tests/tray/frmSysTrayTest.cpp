#include "tray/frmSysTray.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr frmSysTray::Capabilities WithBalloons {true, true};
constexpr frmSysTray::Capabilities WithoutBalloons {true, false};
constexpr frmSysTray::Capabilities NoNotificationArea {false, true}; // balloons need an icon

using Events = std::vector<std::string>;

const auto iconOf = [](const frmSysTray& tray) { return tray.findChild<QSystemTrayIcon*>(); };

// Every event the tray raises, in order, as "Name arguments".
struct EventLog : QObject {
    explicit EventLog(frmSysTray& tray)
    {
        const auto logEach = [&](auto... raised) {
            (connect(&tray, raised, this,
                 [this, name = QMetaMethod::fromSignal(raised).name().toStdString()](const auto&... arguments) {
                     events.push_back((name + ... + (' ' + QVariant(arguments).toString().toStdString())));
                 }),
                ...);
        };
        logEach(&frmSysTray::SysTrayMouseDown, &frmSysTray::SysTrayMouseUp, &frmSysTray::SysTrayMouseMove,
            &frmSysTray::SysTrayDoubleClick, &frmSysTray::MenuClick, &frmSysTray::BalloonShow, &frmSysTray::BalloonHide,
            &frmSysTray::BalloonTimeOut, &frmSysTray::BalloonClicked);
    }
    Events take() { return std::exchange(events, {}); }
    Events events;
};

TEST(frmSysTray, NotificationCodesAndActivationsRaiseTheirEvents)
{
    frmSysTray tray(WithBalloons);
    EventLog log(tray);
    // The middle button, the selection codes, the menu message and the table's neighbours raise nothing.
    const std::pair<int, const char*> codes[] = {{0x200, "SysTrayMouseMove"}, {0x201, "SysTrayMouseDown 1"},
        {0x202, "SysTrayMouseUp 1"}, {0x203, "SysTrayDoubleClick 1"}, {0x204, "SysTrayMouseDown 2"},
        {0x205, "SysTrayMouseUp 2"}, {0x206, "SysTrayDoubleClick 2"}, {0x402, "BalloonShow"}, {0x403, "BalloonHide"},
        {0x404, "BalloonTimeOut"}, {0x405, "BalloonClicked"}, {0x207, ""}, {0x208, ""}, {0x209, ""}, {0x401, ""},
        {0x7B, ""}, {0x1FF, ""}, {0x406, ""}, {-1, ""}, {0x10201, ""}};
    for (const auto& [code, event] : codes)
        EXPECT_EQ((tray.HandleNotification(code), log.take()), *event ? Events {event} : Events {}) << code;
    // Qt reports a finished click: the owner sees the release it acts on (the right one opens the menu).
    const std::pair<QSystemTrayIcon::ActivationReason, Events> activations[]
        = {{QSystemTrayIcon::Context, {"SysTrayMouseDown 2", "SysTrayMouseUp 2"}},
            {QSystemTrayIcon::Trigger, {"SysTrayMouseDown 1", "SysTrayMouseUp 1"}},
            {QSystemTrayIcon::DoubleClick, {"SysTrayDoubleClick 1", "SysTrayMouseUp 1"}},
            {QSystemTrayIcon::MiddleClick, {}}, {QSystemTrayIcon::Unknown, {}}};
    for (const auto& [reason, events] : activations)
        EXPECT_EQ((emit iconOf(tray)->activated(reason), log.take()), events) << reason;
}

// Carries out "add CAPTION KEY [default]", "remove I", "disable I", "default I" or "caption I TEXT",
// then gives what it returned, the default index and each item as caption=key (a separator as
// "---"), marked * for the default (drawn bold), ! disabled, ~ hidden.
std::string apply(frmSysTray& tray, const std::string& step)
{
    std::string op, a, b, c;
    std::istringstream(step) >> op >> a >> b >> c;
    const int index = std::atoi(a.c_str());
    const std::map<std::string, std::function<int()>> ops {
        {"add", [&] { return tray.AddMenuItem(QString::fromStdString(a), QString::fromStdString(b), c == "default"); }},
        {"remove", [&] { return tray.RemoveMenuItem(index); }},
        {"disable", [&] { return tray.EnableMenuItem(index, false), 0; }},
        {"default", [&] { return tray.SetDefaultMenuIndex(index), 0; }},
        {"caption", [&] { return tray.SetMenuItemCaption(index, QString::fromStdString(b)), 0; }}};
    std::string menu = std::to_string(ops.at(op)());
    menu += ' ' + std::to_string(tray.DefaultMenuIndex()) + " |";
    for (int i = 0; i < tray.MenuItemCount(); ++i) {
        const QAction* item = tray.mnuSysTray(i);
        const bool isDefault = item == tray.mnuPopup()->defaultAction();
        menu += std::string(" ") + (isDefault != item->font().bold() ? "?" : "") + (isDefault ? "*" : "")
            + (item->isEnabled() ? "" : "!") + (item->isVisible() ? "" : "~")
            + (item->isSeparator() ? "---" : item->text().toStdString()) + '=' + tray.MenuItemKey(i).toStdString();
    }
    return menu;
}

TEST(frmSysTray, MenuItemsByIndex)
{
    frmSysTray tray(WithBalloons);
    EventLog log(tray);
    const std::pair<const char*, const char*> steps[]
        = {// Item 0 is there, hidden, before the first add; item 1 is not.
            {"disable 1", "0 0 | !~="}, {"add A a", "0 0 | *A=a"}, {"add - line", "1 0 | *A=a ---=line"},
            {"add C c default", "2 2 | A=a ---=line *C=c"}, {"add D d", "3 2 | A=a ---=line *C=c D=d"},
            {"add E e", "4 2 | A=a ---=line *C=c D=d E=e"}, {"disable 3", "0 2 | A=a ---=line *C=c !D=d E=e"},
            {"caption 0 -", "0 2 | ---=a ---=line *C=c !D=d E=e"}, {"caption 0 A", "0 2 | A=a ---=line *C=c !D=d E=e"},
            {"default 4", "0 4 | A=a ---=line C=c !D=d *E=e"},
            // Later items move up with their state; the default index stays, naming none now.
            {"remove 2", "0 4 | A=a ---=line !D=d E=e"}, {"remove 4", "0 4 | A=a ---=line !D=d E=e"},
            {"remove -1", "0 4 | A=a ---=line !D=d E=e"}, {"default 9", "0 0 | *A=a ---=line !D=d E=e"},
            {"default -1", "0 0 | *A=a ---=line !D=d E=e"},
            // Item 0 only loses its caption.
            {"remove 0", "0 0 | *=a ---=line !D=d E=e"}, {"add F f", "4 0 | *=a ---=line !D=d E=e F=f"}};
    for (const auto& [step, menu] : steps)
        EXPECT_EQ(apply(tray, step), menu) << step;
    tray.mnuSysTray(3)->trigger();
    EXPECT_EQ(log.take(), Events {"MenuClick 3 e"});

    for (int i = 5; i <= frmSysTray::HighestMenuIndex; ++i)
        ASSERT_EQ(tray.AddMenuItem(QStringLiteral("x")), i);
    EXPECT_EQ(tray.AddMenuItem(QStringLiteral("one too many")), -1) << "indexes are 16-bit";
}

TEST(frmSysTray, TheIconShowsFromCreationUntilUnloadEvenFromItsOwnHandlers)
{
    auto* tray = new frmSysTray(WithBalloons);
    QPointer<QSystemTrayIcon> icon = iconOf(*tray);
    EXPECT_TRUE(icon->isVisible());
    EXPECT_EQ(icon->toolTip(), QStringLiteral("Wheelbook - car maintenance schedule and running costs"));
    const QIcon own = QIcon(QPixmap(16, 16));
    tray->SetIconHandle(own);
    EXPECT_EQ(icon->icon().cacheKey(), own.cacheKey());
    tray->Unload();
    EXPECT_FALSE(icon->isVisible());
    delete tray;
    // The tray's own window never shows, even when its owner does.
    QWidget owner;
    auto* owned = new frmSysTray(WithBalloons, &owner);
    owner.show();
    EXPECT_FALSE(owned->isVisible());
    EXPECT_FALSE(iconOf(frmSysTray(NoNotificationArea))->isVisible());

    // Unloaded by the owner from an icon handler: no release follows, the icon hides at once
    // and goes once Qt has returned from it.
    tray = new frmSysTray(WithBalloons);
    icon = iconOf(*tray);
    QObject::connect(tray, &frmSysTray::SysTrayMouseDown, [&] { delete tray; });
    emit icon->activated(QSystemTrayIcon::Context);
    ASSERT_TRUE(icon && !icon->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(icon.isNull());

    // "Close" chosen from the tray menu ends with the owner unloading the tray.
    tray = new frmSysTray(WithBalloons);
    const QPointer<frmSysTray> alive(tray);
    const QPointer<QMenu> menu = tray->mnuPopup();
    apply(*tray, "add Close close");
    QObject::connect(tray, &frmSysTray::MenuClick, [&] { delete tray; });
    tray->ShowMenu();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(tray->mnuSysTray(0)).center());
    EXPECT_TRUE(alive.isNull());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(menu.isNull());
}

TEST(frmSysTray, TipsAndBalloons)
{
    frmSysTray tray(WithBalloons);
    frmSysTray plain(WithoutBalloons);
    const auto x = [](int n) { return QString(n, u'x'); };
    const QString car = QString::fromUtf8("\xF0\x9F\x9A\x97"); // two UTF-16 units
    const auto tip = [&](const QString& s) { return tray.SetToolTip(s), iconOf(tray)->toolTip(); };
    const auto plainTip = [&](const QString& s) { return plain.SetToolTip(s), plain.ToolTip(); };
    const auto message = [&](const QString& s) { return tray.ShowBalloonTip(s, x(1)), tray.BalloonMessage(); };
    const auto title = [&](const QString& s) { return tray.ShowBalloonTip(x(1), s), tray.BalloonTitle(); };
    // An empty text clears the one before; the shell reads up to a terminator.
    const std::tuple<std::function<QString(const QString&)>, QString, QString> cases[]
        = {{tip, x(300), x(127)}, {tip, x(126) + car, x(126)}, {tip, x(125) + car, x(125) + car}, {tip, {}, {}},
            {tip, QStringLiteral("ab\0cd"), QStringLiteral("ab")}, {plainTip, x(300), x(63)}, {message, x(300), x(255)},
            {message, x(254) + car, x(254)}, {title, x(100), x(63)}, {title, x(62) + car, x(62)}, {title, {}, {}}};
    for (const auto& [cut, input, expected] : cases)
        EXPECT_EQ(cut(input), expected) << input.size();

    // A new balloon takes the place of the one still up; only balloons shown raise their events.
    EventLog log(tray);
    tray.ShowBalloonTip(x(1), x(1), 1, 1);
    EXPECT_TRUE(QSignalSpy(&tray, &frmSysTray::BalloonTimeOut).wait());
    tray.ShowBalloonTip(x(1));
    emit iconOf(tray)->messageClicked();
    EXPECT_EQ(log.take(), (Events {"BalloonHide", "BalloonShow", "BalloonTimeOut", "BalloonShow", "BalloonClicked"}));
    frmSysTray noArea(NoNotificationArea);
    for (frmSysTray* without : {&plain, &noArea}) {
        EventLog none(*without);
        without->ShowBalloonTip(x(1), x(1), 1, 1);
        emit iconOf(*without)->messageClicked();
        EXPECT_EQ(std::pair(without->BalloonMessage(), none.take()), std::pair(QString(), Events {}));
    }
}

} // namespace
