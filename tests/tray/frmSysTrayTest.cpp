#include "tray/frmSysTray.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr frmSysTray::Capabilities WithBalloons {true, true};
constexpr frmSysTray::Capabilities WithoutBalloons {true, false};
constexpr frmSysTray::Capabilities NoNotificationArea {false, false};

using Events = std::vector<std::string>;

// Every event the tray raises, in order, as "name argument".
class EventLog {
public:
    explicit EventLog(frmSysTray& tray)
    {
        QObject::connect(&tray, &frmSysTray::SysTrayMouseDown, [this](int b) { add("MouseDown", b); });
        QObject::connect(&tray, &frmSysTray::SysTrayMouseUp, [this](int b) { add("MouseUp", b); });
        QObject::connect(&tray, &frmSysTray::SysTrayMouseMove, [this] { add("MouseMove"); });
        QObject::connect(&tray, &frmSysTray::SysTrayDoubleClick, [this](int b) { add("DoubleClick", b); });
        QObject::connect(&tray, &frmSysTray::MenuClick,
            [this](int i, const QString& key) { add("MenuClick " + key.toStdString(), i); });
        QObject::connect(&tray, &frmSysTray::BalloonShow, [this] { add("BalloonShow"); });
        QObject::connect(&tray, &frmSysTray::BalloonHide, [this] { add("BalloonHide"); });
        QObject::connect(&tray, &frmSysTray::BalloonTimeOut, [this] { add("BalloonTimeOut"); });
        QObject::connect(&tray, &frmSysTray::BalloonClicked, [this] { add("BalloonClicked"); });
    }
    Events take() { return std::exchange(m_events, {}); }

private:
    void add(const std::string& name, int arg = -1)
    {
        m_events.push_back(arg < 0 ? name : name + " " + std::to_string(arg));
    }
    Events m_events;
};

// The nine items as the main window adds them, "Show" the default.
void addMainWindowItems(frmSysTray& tray)
{
    const char* items[][2] = {{"Show", "show"}, {"-", "line1"}, {"Help", "help"}, {"-", "line4"},
        {"Visit Website", "visit"}, {"-", "line2"}, {"About", "about"}, {"-", "line3"}, {"Close", "close"}};
    int expected = 0;
    for (const auto& [caption, key] : items) {
        ASSERT_EQ(tray.AddMenuItem(QString::fromLatin1(caption), QString::fromLatin1(key), expected == 0), expected);
        ++expected;
    }
}

// "caption=key" of every item, in index order.
QString menuText(const frmSysTray& tray)
{
    QStringList items;
    for (int i = 0; i < tray.MenuItemCount(); ++i)
        items << tray.MenuItemCaption(i) + u'=' + tray.MenuItemKey(i);
    return items.join(u',');
}

void clickItem(frmSysTray& tray, int index)
{
    tray.ShowMenu();
    QMenu* menu = tray.mnuPopup();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(tray.mnuSysTray(index)).center());
}

TEST(frmSysTrayMenu, ItemsAreNumberedFromZeroWithTheirKeysAndTheDefaultInBold)
{
    frmSysTray tray(WithBalloons);
    addMainWindowItems(tray);

    EXPECT_EQ(menuText(tray),
        QStringLiteral("Show=show,-=line1,Help=help,-=line4,Visit Website=visit,-=line2,"
                       "About=about,-=line3,Close=close"));
    EXPECT_EQ(tray.findChildren<QAction*>(QStringLiteral("mnuSysTray")).size(), 9);
    for (int i = 0; i < 9; ++i) {
        QAction* item = tray.mnuSysTray(i);
        EXPECT_EQ(item->data().toString(), tray.MenuItemKey(i));
        EXPECT_EQ(item->property("Index").toInt(), i);
        EXPECT_TRUE(item->isVisible());
        EXPECT_EQ(item->isSeparator(), i % 2 == 1) << i;
        EXPECT_EQ(item->font().bold(), i == 0) << i;
    }
    EXPECT_EQ(tray.mnuPopup()->defaultAction(), tray.mnuSysTray(0));
    EXPECT_EQ(tray.mnuPopup()->title(), QStringLiteral("&Popup"));

    // The owner relabels item 0; "-" would make it a separator.
    tray.SetMenuItemCaption(0, QStringLiteral("Hide"));
    EXPECT_EQ(tray.mnuSysTray(0)->text(), QStringLiteral("Hide"));
    tray.SetMenuItemCaption(0, QStringLiteral("-"));
    EXPECT_TRUE(tray.mnuSysTray(0)->isSeparator());
    tray.SetMenuItemCaption(0, QStringLiteral("Show"));
    EXPECT_FALSE(tray.mnuSysTray(0)->isSeparator());
}

TEST(frmSysTrayMenu, DefaultIndexTakesOnlyAnIndexThatNamesAnItem)
{
    frmSysTray tray(WithBalloons);
    addMainWindowItems(tray);

    tray.SetDefaultMenuIndex(8);
    EXPECT_EQ(tray.DefaultMenuIndex(), 8);
    EXPECT_TRUE(tray.mnuSysTray(8)->font().bold());
    EXPECT_FALSE(tray.mnuSysTray(0)->font().bold());

    for (const int invalid : {99, 9, -1}) {
        tray.SetDefaultMenuIndex(8);
        tray.SetDefaultMenuIndex(invalid);
        EXPECT_EQ(tray.DefaultMenuIndex(), 0) << invalid;
        EXPECT_EQ(tray.mnuPopup()->defaultAction(), tray.mnuSysTray(0));
    }
}

TEST(frmSysTrayMenu, ItemZeroExistsHiddenUntilTheFirstAdd)
{
    frmSysTray tray(WithBalloons);
    ASSERT_EQ(tray.MenuItemCount(), 1);
    EXPECT_FALSE(tray.mnuSysTray(0)->isVisible());

    tray.EnableMenuItem(0, false); // a valid index already
    tray.EnableMenuItem(1, false); // names nothing yet
    EXPECT_FALSE(tray.mnuSysTray(0)->isEnabled());
    EXPECT_EQ(tray.mnuSysTray(1), nullptr);

    EXPECT_EQ(tray.AddMenuItem(QStringLiteral("Show"), QStringLiteral("show")), 0);
    EXPECT_EQ(tray.AddMenuItem(QStringLiteral("Close"), QStringLiteral("close")), 1);
    EXPECT_TRUE(tray.mnuSysTray(0)->isVisible());
}

TEST(frmSysTrayMenu, RemovingAnItemMovesTheLaterOnesUpWithTheirState)
{
    frmSysTray tray(WithBalloons);
    for (const char* name : {"A", "B", "C", "D", "E"})
        tray.AddMenuItem(QString::fromLatin1(name), QString::fromLatin1(name).toLower());
    tray.EnableMenuItem(3, false);

    EXPECT_EQ(tray.RemoveMenuItem(2), 0);
    EXPECT_EQ(menuText(tray), QStringLiteral("A=a,B=b,D=d,E=e"));
    EXPECT_EQ(tray.mnuPopup()->actions().size(), 4);
    // "D" was disabled and stays so in its new place; "E" was not.
    EXPECT_FALSE(tray.mnuSysTray(2)->isEnabled());
    EXPECT_TRUE(tray.mnuSysTray(3)->isEnabled());

    for (const int invalid : {4, -1, 100})
        EXPECT_EQ(tray.RemoveMenuItem(invalid), 0);
    // Item 0 stays, without its caption but with its key.
    EXPECT_EQ(tray.RemoveMenuItem(0), 0);
    EXPECT_EQ(menuText(tray), QStringLiteral("=a,B=b,D=d,E=e"));
    EXPECT_TRUE(tray.mnuSysTray(0)->isVisible());

    EXPECT_EQ(tray.AddMenuItem(QStringLiteral("F"), QStringLiteral("f")), 4);
}

TEST(frmSysTrayMenu, RemovalLeavesTheDefaultIndexAndTheMenuStillPopsUp)
{
    frmSysTray tray(WithBalloons);
    addMainWindowItems(tray);
    tray.SetDefaultMenuIndex(8);
    tray.RemoveMenuItem(1);

    EXPECT_EQ(tray.DefaultMenuIndex(), 8);
    EXPECT_EQ(tray.mnuPopup()->defaultAction(), nullptr);
    tray.ShowMenu();
    EXPECT_TRUE(tray.mnuPopup()->isVisible());
    tray.mnuPopup()->hide();
}

TEST(frmSysTrayMenu, IndexesStopAtTheSixteenBitLimit)
{
    frmSysTray tray(WithBalloons);
    for (int i = 0; i <= frmSysTray::HighestMenuIndex; ++i)
        ASSERT_EQ(tray.AddMenuItem(QStringLiteral("x")), i);
    EXPECT_EQ(tray.AddMenuItem(QStringLiteral("one too many")), -1);
    EXPECT_EQ(tray.MenuItemCount(), frmSysTray::HighestMenuIndex + 1);
}

TEST(frmSysTrayMenu, ChoosingAnItemRaisesMenuClickWithItsIndexAndKey)
{
    frmSysTray tray(WithBalloons);
    addMainWindowItems(tray);
    EventLog log(tray);

    clickItem(tray, 2);
    EXPECT_EQ(log.take(), (Events {"MenuClick help 2"}));

    // After a removal the item at that place answers with its new key.
    tray.RemoveMenuItem(2);
    tray.mnuSysTray(2)->trigger();
    tray.mnuSysTray(7)->trigger();
    EXPECT_EQ(log.take(), (Events {"MenuClick line4 2", "MenuClick close 7"}));
}

TEST(frmSysTrayEvents, NotificationCodesRaiseTheirEvents)
{
    frmSysTray tray(WithBalloons);
    EventLog log(tray);
    for (const int code :
        {0x200, 0x201, 0x202, 0x203, 0x204, 0x205, 0x206, 0x207, 0x208, 0x7B, 0x400, 0x401, 0x402, 0x403, 0x404, 0x405})
        tray.HandleNotification(code);
    EXPECT_EQ(log.take(),
        (Events {"MouseMove", "MouseDown 1", "MouseUp 1", "DoubleClick 1", "MouseDown 2", "MouseUp 2", "DoubleClick 2",
            "BalloonShow", "BalloonHide", "BalloonTimeOut", "BalloonClicked"}));
}

TEST(frmSysTrayEvents, TrayActivationsReachTheOwnerAsButtonEvents)
{
    frmSysTray tray(WithBalloons);
    EventLog log(tray);
    auto* icon = tray.findChild<QSystemTrayIcon*>();
    ASSERT_NE(icon, nullptr);

    emit icon->activated(QSystemTrayIcon::Context);
    EXPECT_EQ(log.take(), (Events {"MouseDown 2", "MouseUp 2"}));
    emit icon->activated(QSystemTrayIcon::Trigger);
    EXPECT_EQ(log.take(), (Events {"MouseDown 1", "MouseUp 1"}));
    emit icon->activated(QSystemTrayIcon::DoubleClick);
    EXPECT_EQ(log.take(), (Events {"DoubleClick 1", "MouseUp 1"}));
    emit icon->activated(QSystemTrayIcon::MiddleClick);
    emit icon->activated(QSystemTrayIcon::Unknown);
    EXPECT_EQ(log.take(), Events {});
}

TEST(frmSysTrayEvents, TheOwnerMayUnloadTheTrayFromAnIconOrMenuHandler)
{
    auto* tray = new frmSysTray(WithBalloons);
    QPointer<QSystemTrayIcon> icon = tray->findChild<QSystemTrayIcon*>();
    QObject::connect(tray, &frmSysTray::SysTrayMouseDown, [&] { delete tray; });
    emit icon->activated(QSystemTrayIcon::Context);
    // No release comes from a tray that is gone; its icon is hidden at once and
    // freed once Qt has returned from it.
    ASSERT_FALSE(icon.isNull());
    EXPECT_FALSE(icon->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(icon.isNull());

    // "Close" from the tray menu ends with the owner unloading the tray.
    tray = new frmSysTray(WithBalloons);
    QPointer<frmSysTray> alive(tray);
    QPointer<QMenu> menu = tray->mnuPopup();
    addMainWindowItems(*tray);
    QObject::connect(tray, &frmSysTray::MenuClick, [&] { delete tray; });
    clickItem(*tray, 8);
    EXPECT_TRUE(alive.isNull());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(menu.isNull());
}

QString repeated(char c, int n)
{
    return QString(n, QChar::fromLatin1(c));
}

TEST(frmSysTrayTexts, TheTipIsCutTo127CharactersOr63WithoutBalloons)
{
    frmSysTray tray(WithBalloons);
    EXPECT_FALSE(tray.ToolTip().isEmpty()); // the program's description until the owner gives one
    tray.SetToolTip(QStringLiteral("Wheelbook 2.0.0"));
    EXPECT_EQ(tray.ToolTip(), QStringLiteral("Wheelbook 2.0.0"));
    tray.SetToolTip(repeated('t', 300));
    EXPECT_EQ(tray.ToolTip(), repeated('t', 127));
    EXPECT_EQ(tray.findChild<QSystemTrayIcon*>()->toolTip(), repeated('t', 127));
    // A character outside the basic plane at the limit is dropped whole, not halved.
    tray.SetToolTip(repeated('t', 126) + QString::fromUtf8("\xF0\x9F\x9A\x97"));
    EXPECT_EQ(tray.ToolTip(), repeated('t', 126));
    // An empty tip clears the old one rather than leaving it up.
    tray.SetToolTip(QString());
    EXPECT_EQ(tray.ToolTip(), QString());

    frmSysTray plain(WithoutBalloons);
    plain.SetToolTip(repeated('t', 300));
    EXPECT_EQ(plain.ToolTip(), repeated('t', 63));
}

TEST(frmSysTrayTexts, BalloonTextsAreCutAndItsEventsCome)
{
    frmSysTray tray(WithBalloons);
    EventLog log(tray);
    tray.ShowBalloonTip(repeated('m', 300), repeated('T', 100), 1, 60000);
    EXPECT_EQ(tray.BalloonMessage(), repeated('m', 255));
    EXPECT_EQ(tray.BalloonTitle(), repeated('T', 63));
    EXPECT_EQ(log.take(), Events {"BalloonShow"});

    // A new balloon replaces the one still up.
    tray.ShowBalloonTip(QStringLiteral("Wheelbook is minimized to System Tray."), QStringLiteral("Wheelbook!"), 1, 1);
    EXPECT_EQ(tray.BalloonTitle(), QStringLiteral("Wheelbook!"));
    EXPECT_EQ(log.take(), (Events {"BalloonHide", "BalloonShow"}));
    QSignalSpy timedOut(&tray, &frmSysTray::BalloonTimeOut);
    EXPECT_TRUE(timedOut.wait());
    EXPECT_EQ(log.take(), Events {"BalloonTimeOut"});

    tray.ShowBalloonTip(QStringLiteral("again"), QStringLiteral("Wheelbook!"), 1, 60000);
    emit tray.findChild<QSystemTrayIcon*>()->messageClicked();
    EXPECT_EQ(log.take(), (Events {"BalloonShow", "BalloonClicked"}));
}

TEST(frmSysTrayTexts, WithoutBalloonsNoBalloonIsShownAndNoBalloonEventComes)
{
    for (const auto& caps : {WithoutBalloons, NoNotificationArea}) {
        frmSysTray tray(caps);
        EventLog log(tray);
        tray.ShowBalloonTip(QStringLiteral("message"), QStringLiteral("title"), 1, 2000);
        emit tray.findChild<QSystemTrayIcon*>()->messageClicked();
        EXPECT_EQ(tray.BalloonMessage(), QString());
        EXPECT_EQ(log.take(), Events {});
    }
}

TEST(frmSysTrayLife, TheIconIsShownFromCreationUntilUnloadAndOnlyWithANotificationArea)
{
    auto tray = std::make_unique<frmSysTray>(WithBalloons);
    EXPECT_EQ(tray->objectName(), QStringLiteral("frmSysTray"));
    EXPECT_EQ(tray->windowTitle(), QStringLiteral("Sys Tray Interface"));
    EXPECT_FALSE(tray->isVisible());
    QPointer<QSystemTrayIcon> icon = tray->findChild<QSystemTrayIcon*>();
    EXPECT_TRUE(icon->isVisible());
    EXPECT_FALSE(icon->icon().isNull());

    const QIcon own = QIcon(QPixmap(16, 16));
    tray->SetIconHandle(own);
    EXPECT_EQ(tray->IconHandle().cacheKey(), own.cacheKey());
    EXPECT_EQ(icon->icon().cacheKey(), own.cacheKey());

    tray->Unload();
    EXPECT_FALSE(icon->isVisible());
    tray.reset();
    EXPECT_TRUE(icon.isNull());

    // Owned by a window that is shown, it still never shows itself.
    QWidget owner;
    auto* owned = new frmSysTray(WithBalloons, &owner);
    owner.show();
    EXPECT_FALSE(owned->isVisible());

    frmSysTray nowhere(NoNotificationArea);
    EXPECT_FALSE(nowhere.HasNotificationArea());
    EXPECT_FALSE(nowhere.findChild<QSystemTrayIcon*>()->isVisible());
}

} // namespace
