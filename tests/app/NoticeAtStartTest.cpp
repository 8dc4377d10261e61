// The notice at start on a session bus of its own (the test runs under dbus-run-session),
// with a stand-in for the desktop's notification service in this process.
#include "AppFixture.h"

#include "tray/TrayNotification.h"

#include <QDBusConnection>
#include <QDBusMessage>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

const QString kService = u"org.freedesktop.Notifications"_s;
const QString kPath = u"/org/freedesktop/Notifications"_s;

class FakeNotifications : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    QList<QVariantList> calls;
public slots:
    uint Notify(const QString& appName, uint replacesId, const QString& appIcon, const QString& summary,
        const QString& body, const QStringList& actions, const QVariantMap& hints, int expireTimeout)
    {
        calls.append({appName, replacesId, appIcon, summary, body, actions, hints, expireTimeout});
        return 41;
    }
};

const std::string kDue = "[init]\r\nmiles=5000\r\n[app]\r\nmiles=5200\r\n[consumables]\r\nEngine Oil=3970#1000\r\n"
                         "Brake Fluid=3000#100000\r\n[consumable dates]\r\nBrake Fluid=2024-05-01#24\r\n";
const QString kTitle = u"Wheelbook: maintenance due"_s;
const QString kBody = u"BRAKE FLUID: change needed (due since 2026-05-01)\nENGINE OIL: change needed (230 Km ago)"_s;

} // namespace

TEST(PrivateBus, TheNoticeAtStartGoesToTheDesktopElseToTheTrayBalloonOnceADay)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    // A desktop's own service holds the name on a bus that is not the test's.
    if (!bus.isConnected() || !bus.registerService(kService))
        GTEST_SKIP() << "no session bus of the test's own";
    FakeNotifications service;
    bus.registerObject(kPath, &service, QDBusConnection::ExportAllSlots);
    const std::string told = "[init]\r\nmiles=5000\r\n[app]\r\nmiles=5200\r\nlastremind=2026-05-28\r\n"
        + kDue.substr(kDue.find("[consumables]"));

    // Without the service: the tray icon's balloon, after the start-up balloon.
    bus.unregisterService(kService);
    AppFixture s("/s");
    s.writeDataFile(kDue);
    s.start();
    frmSysTray* tray = s.main().oSysTray();
    ASSERT_TRUE(QTest::qWaitFor([&] { return tray->BalloonTitle() == kTitle; }, 5000));
    EXPECT_EQ(tray->BalloonMessage(), kBody);
    EXPECT_EQ(s.dataFile(), told);
    s.main().tabMain()->setCurrentIndex(2);
    tray->HandleNotification(TrayNotification::BalloonClickedCode);
    EXPECT_TRUE(s.main().isVisible());
    EXPECT_EQ(s.main().tabMain()->currentIndex(), 0);

    // With it (and the day's notice forgotten), the notification, and its activation.
    ASSERT_TRUE(bus.registerService(kService));
    s.writeDataFile(kDue);
    s.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !service.calls.isEmpty(); }, 5000));
    EXPECT_EQ(service.calls,
        QList<QVariantList>({{u"Wheelbook"_s, 0u, u"wheelbook"_s, kTitle, kBody, QStringList({u"default"_s, u"Show"_s}),
            QVariantMap(), -1}}));
    s.main().tabMain()->setCurrentIndex(2);
    QApplication::processEvents(); // the service's answer, with the notification's id
    bus.send(QDBusMessage::createSignal(kPath, kService, u"ActionInvoked"_s) << 41u << u"default"_s);
    EXPECT_TRUE(QTest::qWaitFor([&] { return s.main().isVisible(); }, 5000));
    EXPECT_EQ(s.main().tabMain()->currentIndex(), 0);

    // A second start the same day tells nothing.
    s.start();
    QTest::qWait(100);
    EXPECT_EQ(service.calls.size(), 1);
    EXPECT_EQ(s.dataFile(), told);
    bus.unregisterService(kService);
}

#include "NoticeAtStartTest.moc"
