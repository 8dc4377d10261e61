#include "XPButtonFixture.h"

#include <QSignalSpy>

#include <utility>

namespace {

using Events = std::vector<std::string>;

// Every event the button raises, in order, as "Name arguments"; mouse positions as
// whole pixels.
class EventLog {
public:
    explicit EventLog(XPButton& button)
    {
        const auto mouse = [this](const char* name) {
            return [this, name](std::int16_t b, std::int16_t shift, float x, float y) {
                add(std::string(name) + " " + std::to_string(b) + " " + std::to_string(shift) + " "
                    + std::to_string(static_cast<int>(x)) + " " + std::to_string(static_cast<int>(y)));
            };
        };
        const auto key = [this](const char* name) {
            return [this, name](std::int16_t code, std::int16_t shift) {
                add(std::string(name) + " " + std::to_string(code) + " " + std::to_string(shift));
            };
        };
        QObject::connect(&button, &XPButton::Click, &m_context, [this] { add("Click"); });
        QObject::connect(&button, &XPButton::MouseDown, &m_context, mouse("MouseDown"));
        QObject::connect(&button, &XPButton::MouseMove, &m_context, mouse("MouseMove"));
        QObject::connect(&button, &XPButton::MouseUp, &m_context, mouse("MouseUp"));
        QObject::connect(&button, &XPButton::KeyPress, &m_context,
            [this](std::int16_t ascii) { add("KeyPress " + std::to_string(ascii)); });
        QObject::connect(&button, &XPButton::KeyDown, &m_context, key("KeyDown"));
        QObject::connect(&button, &XPButton::KeyUp, &m_context, key("KeyUp"));
        QObject::connect(&button, &XPButton::MouseOver, &m_context, [this] { add("MouseOver"); });
        QObject::connect(&button, &XPButton::MouseOut, &m_context, [this] { add("MouseOut"); });
    }
    Events take() { return std::exchange(m_events, {}); }

private:
    void add(std::string event) { m_events.push_back(std::move(event)); }
    // Ends the connections with the log.
    QObject m_context;
    Events m_events;
};

class XPButtonBehaviour : public XPButtonFixture {
protected:
    void SetUp() override
    {
        XPButtonFixture::SetUp();
        log = std::make_unique<EventLog>(*button);
    }
    void TearDown() override
    {
        XPButtonFixture::TearDown();
        log.reset();
    }

    static QWidget* focused() { return QApplication::focusWidget(); }
    void keyPress(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) { QTest::keyPress(focused(), key, modifiers); }
    void keyRelease(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) { QTest::keyRelease(focused(), key, modifiers); }

    // Brings the pointer over the button as a user would, in more than one move,
    // and forgets the events.
    void enter()
    {
        pointerTo(Inside - QPoint(1, 0));
        pointerTo(Inside);
        ASSERT_EQ(button->Look(), XPButtonLook::Hover);
        log->take();
    }

    std::unique_ptr<EventLog> log;
};

TEST_F(XPButtonBehaviour, PointerEnteringAndLeaving)
{
    pointerTo(Inside);
    EXPECT_EQ(log->take(), (Events {"MouseOver", "MouseMove 0 0 30 12"}));
    EXPECT_EQ(button->Look(), XPButtonLook::Hover);
    EXPECT_TRUE(hoverTimer()->isActive());
    EXPECT_EQ(hoverTimer()->interval(), 1);

    // Only the first two moves are reported while the pointer stays over the button.
    pointerTo(Inside + QPoint(1, 0));
    pointerTo(Inside + QPoint(2, 0));
    pointerTo(Inside + QPoint(3, 0));
    EXPECT_EQ(log->take(), (Events {"MouseMove 0 0 31 12"}));

    pointerTo(Outside);
    ASSERT_TRUE(waitForHoverTimerOff());
    EXPECT_EQ(log->take(), (Events {"MouseOut"}));
    EXPECT_EQ(button->Look(), XPButtonLook::Normal);

    // A cut corner is not the button.
    pointerTo(QPoint(0, 0));
    EXPECT_FALSE(button->IsMouseOver());
    EXPECT_EQ(log->take(), Events {});
}

TEST_F(XPButtonBehaviour, LeftClick)
{
    enter();
    XPButtonLook lookAtEvent = XPButtonLook::Disabled;
    const QObject context;
    QObject::connect(button, &XPButton::MouseDown, &context, [&] { lookAtEvent = button->Look(); });
    QObject::connect(button, &XPButton::MouseUp, &context, [&] { lookAtEvent = button->Look(); });

    press(Qt::LeftButton);
    EXPECT_EQ(log->take(), (Events {"MouseDown 1 0 30 12"}));
    EXPECT_EQ(lookAtEvent, XPButtonLook::Hover) << "MouseDown comes before the pressed look";
    EXPECT_EQ(button->Look(), XPButtonLook::Pressed);

    release(Qt::LeftButton);
    EXPECT_EQ(log->take(), (Events {"MouseUp 1 0 30 12", "Click"}));
    EXPECT_EQ(lookAtEvent, XPButtonLook::Pressed) << "MouseUp comes before the look is restored";
    EXPECT_EQ(button->Look(), XPButtonLook::Hover);
}

TEST_F(XPButtonBehaviour, ReleaseAwayFromTheButtonDoesNotClick)
{
    enter();
    press(Qt::LeftButton);
    release(Qt::LeftButton, Outside);
    const Events events = log->take();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back(), "MouseUp 1 0 150 12");
    EXPECT_EQ(std::count(events.begin(), events.end(), "Click"), 0);
}

TEST_F(XPButtonBehaviour, RightClickRaisesNoClickAndLeavesSpaceUnpressed)
{
    button->setFocus();
    enter();
    press(Qt::RightButton);
    EXPECT_NE(button->Look(), XPButtonLook::Pressed);
    release(Qt::RightButton);
    EXPECT_EQ(log->take(), (Events {"MouseDown 2 0 30 12", "MouseUp 2 0 30 12"}));

    // Space after a right click draws no pressed look, yet still clicks; from then
    // on the button presses again.
    keyPress(Qt::Key_Space);
    EXPECT_NE(button->Look(), XPButtonLook::Pressed);
    keyRelease(Qt::Key_Space);
    keyPress(Qt::Key_Space);
    EXPECT_EQ(button->Look(), XPButtonLook::Pressed);
    keyRelease(Qt::Key_Space);
    EXPECT_EQ(log->take(),
        (Events {"KeyDown 32 0", "KeyPress 32", "Click", "KeyUp 32 0", "KeyDown 32 0", "KeyPress 32", "Click",
            "KeyUp 32 0"}));
}

TEST_F(XPButtonBehaviour, DoubleClickClicksOnce)
{
    enter();
    pointerTo(Inside);
    QTest::mouseDClick(windowHandle(), Qt::LeftButton, {}, button->mapTo(m_window.get(), Inside));
    EXPECT_EQ(log->take(),
        (Events {"MouseDown 1 0 30 12", "MouseUp 1 0 30 12", "Click", "MouseDown 1 0 0 0", "MouseUp 1 0 30 12"}));
}

TEST_F(XPButtonBehaviour, EnterAndSpaceClickBetweenKeyDownAndKeyUp)
{
    button->setFocus();
    keyPress(Qt::Key_Return);
    EXPECT_EQ(button->Look(), XPButtonLook::Pressed);
    keyRelease(Qt::Key_Return);
    EXPECT_EQ(button->Look(), XPButtonLook::Focus);
    EXPECT_EQ(log->take(), (Events {"KeyDown 13 0", "KeyPress 13", "Click", "KeyUp 13 0"}));

    keyPress(Qt::Key_Space);
    keyRelease(Qt::Key_Space);
    EXPECT_EQ(log->take(), (Events {"KeyDown 32 0", "KeyPress 32", "Click", "KeyUp 32 0"}));

    // Other keys pass through as events only.
    keyPress(Qt::Key_A);
    keyRelease(Qt::Key_A);
    keyPress(Qt::Key_Escape);
    keyRelease(Qt::Key_Escape);
    EXPECT_EQ(log->take(),
        (Events {"KeyDown 65 0", "KeyPress 97", "KeyUp 65 0", "KeyDown 27 0", "KeyPress 27", "KeyUp 27 0"}));
    EXPECT_TRUE(m_window->isVisible());
}

TEST_F(XPButtonBehaviour, MismatchedOrRepeatedKeyReleasesDoNotClick)
{
    button->setFocus();
    keyPress(Qt::Key_Space);
    keyRelease(Qt::Key_Return);
    EXPECT_EQ(log->take(), (Events {"KeyDown 32 0", "KeyPress 32", "KeyUp 13 0"}));

    // One press clicks once: a second release without its press does not.
    keyPress(Qt::Key_Return);
    keyRelease(Qt::Key_Return);
    keyRelease(Qt::Key_Return);
    EXPECT_EQ(log->take(), (Events {"KeyDown 13 0", "KeyPress 13", "Click", "KeyUp 13 0", "KeyUp 13 0"}));

    // A key that went down before the focus left and came back does not click.
    keyPress(Qt::Key_Return);
    txtAfter->setFocus();
    button->setFocus();
    keyRelease(Qt::Key_Return);
    EXPECT_EQ(log->take(), (Events {"KeyDown 13 0", "KeyPress 13", "KeyUp 13 0"}));
}

TEST_F(XPButtonBehaviour, ArrowsMoveTheFocusBeforeKeyDown)
{
    std::vector<std::string> focusAtKeyDown;
    const QObject context;
    QObject::connect(
        button, &XPButton::KeyDown, &context, [&] { focusAtKeyDown.push_back(focused()->objectName().toStdString()); });

    for (const Qt::Key key : {Qt::Key_Right, Qt::Key_Left, Qt::Key_Up, Qt::Key_Down}) {
        button->setFocus();
        QTest::keyClick(button, key);
    }
    EXPECT_EQ(focusAtKeyDown, (std::vector<std::string> {"txtAfter", "txtAfter", "txtBefore", "txtBefore"}));
    const Events events = log->take();
    EXPECT_EQ(std::vector(events.begin(), events.begin() + 2), (Events {"KeyDown 39 0", "KeyUp 39 0"}));
}

TEST_F(XPButtonBehaviour, AccessKeyClicks)
{
    QTest::keyClick(focused(), Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(log->take(), (Events {"Click"}));
    EXPECT_EQ(focused(), txtBefore);

    button->SetCaption(QStringLiteral("Sa&ve"));
    QTest::keyClick(focused(), Qt::Key_S, Qt::AltModifier);
    QTest::keyClick(focused(), Qt::Key_V, Qt::AltModifier);
    EXPECT_EQ(log->take(), (Events {"Click"}));

    button->setEnabled(false);
    QTest::keyClick(focused(), Qt::Key_V, Qt::AltModifier);
    EXPECT_EQ(log->take(), Events {});
}

TEST_F(XPButtonBehaviour, AccessKeyOfTheCaption)
{
    const std::pair<const char*, QChar> cases[] = {
        {"&Save", QLatin1Char('s')},
        {"E&XIT", QLatin1Char('x')},
        {"Apply && Save", QChar()},
        {"A&&B&c", QLatin1Char('c')},
        {"&&&&x", QChar()},
        {"a&", QChar()},
        {"&", QChar()},
        {"&&", QChar()},
        {"&&x&", QChar()},
        {"Save", QChar()},
    };
    for (const auto& [caption, key] : cases) {
        button->SetCaption(QString::fromLatin1(caption));
        EXPECT_EQ(button->AccessKey(), key) << caption;
    }
}

TEST_F(XPButtonBehaviour, DisabledButtonRaisesNothingAndComesBackNormal)
{
    button->setEnabled(false);
    EXPECT_EQ(button->Look(), XPButtonLook::Disabled);
    pointerTo(Inside);
    press(Qt::LeftButton);
    release(Qt::LeftButton);
    QTest::keyClick(button, Qt::Key_Space);
    QTest::keyClick(focused(), Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(log->take(), Events {});
    EXPECT_FALSE(hoverTimer()->isActive());

    button->setEnabled(true);
    EXPECT_EQ(button->Look(), XPButtonLook::Normal);
    EXPECT_EQ(rgbAt(render(), 40, 3), rgb(255, 255, 253));
}

TEST_F(XPButtonBehaviour, DisablingWhileHoveredEndsTheHover)
{
    enter();
    button->setEnabled(false);
    ASSERT_TRUE(waitForHoverTimerOff());
    EXPECT_EQ(log->take(), (Events {"MouseOut"}));
    button->setEnabled(true);
    EXPECT_EQ(button->Look(), XPButtonLook::Normal);
}

TEST_F(XPButtonBehaviour, DraggedOutAndBackItClicksAndHoversAgainLater)
{
    useBigCaption();
    button->SetForeHover(0x0000FF);
    enter();
    press(Qt::LeftButton);
    pointerTo(Outside);
    EXPECT_NE(button->Look(), XPButtonLook::Pressed);
    ASSERT_TRUE(waitForHoverTimerOff());
    pointerTo(Inside);
    // Pressed again, with the caption in the hover colour.
    EXPECT_EQ(button->Look(), XPButtonLook::Pressed);
    EXPECT_TRUE(hasPixel(render(), rgb(255, 0, 0)));
    release(Qt::LeftButton);
    EXPECT_EQ(log->take(),
        (Events {"MouseDown 1 0 30 12", "MouseMove 1 0 150 12", "MouseOut", "MouseMove 1 0 30 12", "MouseUp 1 0 30 12",
            "Click"}));

    // Once the pointer has gone and comes back, the hover returns.
    pointerTo(Outside);
    pointerTo(Inside);
    EXPECT_EQ(log->take(), (Events {"MouseOver", "MouseMove 0 0 30 12"}));
    EXPECT_EQ(button->Look(), XPButtonLook::Hover);
}

TEST_F(XPButtonBehaviour, PressedLookComesBackEachTimeTheDragReturns)
{
    enter();
    press(Qt::LeftButton);
    for (int round = 0; round < 2; ++round) {
        pointerTo(Outside);
        EXPECT_NE(button->Look(), XPButtonLook::Pressed) << round;
        ASSERT_TRUE(waitForHoverTimerOff());
        pointerTo(Inside);
        EXPECT_EQ(button->Look(), XPButtonLook::Pressed) << round;
    }
    release(Qt::LeftButton);
}

TEST(XPButtonProperties, NewButtonIsCaptionedAfterItsName)
{
    QWidget window;
    XPButton button(&window);
    button.setObjectName(QStringLiteral("XPButton12"));
    EXPECT_EQ(button.Caption(), QStringLiteral("Command12"));
    button.setObjectName(QStringLiteral("XPButton1"));
    EXPECT_EQ(button.Caption(), QStringLiteral("Command1"));

    // Once set, the caption stays whatever the name.
    button.SetCaption(QStringLiteral("&Done"));
    button.setObjectName(QStringLiteral("XPButton2"));
    EXPECT_EQ(button.Caption(), QStringLiteral("&Done"));
    EXPECT_EQ(button.property("Caption").toString(), QStringLiteral("&Done"));
}

TEST(XPButtonProperties, StoredSetLeavesOutDefaultsAndRestoresThem)
{
    QWidget window;
    QPalette palette = window.palette();
    palette.setColor(QPalette::WindowText, QColor(0x11, 0x22, 0x33));
    window.setPalette(palette);
    XPButton button(&window);
    button.setObjectName(QStringLiteral("btnDone"));

    // A new button follows the window: its text colour, its font.
    EXPECT_EQ(button.ForeColor(), 0x332211u);
    EXPECT_EQ(button.ForeHover(), 0x332211u);
    button.SetCaption(QStringLiteral("btnDone"));
    XPButtonPropertySet stored = button.WriteProperties();
    EXPECT_FALSE(stored.Enabled || stored.Font || stored.Caption || stored.ForeHover);
    EXPECT_EQ(stored.ForeColor, 0x332211u) << "ForeColor is always stored";

    button.setEnabled(false);
    button.SetCaption(QStringLiteral("&Done"));
    button.setProperty("ForeColor", 0x0000FFu);
    button.setProperty("ForeHover", 0xFF0000u);
    stored = button.WriteProperties();
    EXPECT_EQ(stored.Enabled, false);
    EXPECT_EQ(stored.Caption, QStringLiteral("&Done"));
    EXPECT_EQ(stored.ForeColor, 0x0000FFu);
    EXPECT_EQ(stored.ForeHover, 0xFF0000u);

    XPButton again(&window);
    again.setObjectName(QStringLiteral("btnDone"));
    again.ReadProperties(stored);
    EXPECT_FALSE(again.isEnabled());
    EXPECT_EQ(again.Caption(), QStringLiteral("&Done"));
    EXPECT_EQ(again.AccessKey(), QLatin1Char('d'));
    EXPECT_EQ(again.ForeColor(), 0x0000FFu);
    EXPECT_EQ(again.ForeHover(), 0xFF0000u);

    // Missing values: the name as caption, the window's colour, and ForeHover as
    // the ForeColor just read.
    XPButtonPropertySet colourOnly;
    colourOnly.ForeColor = 0x00FF00u;
    again.ReadProperties(colourOnly);
    EXPECT_TRUE(again.isEnabled());
    EXPECT_EQ(again.Caption(), QStringLiteral("btnDone"));
    EXPECT_EQ(again.ForeHover(), 0x00FF00u);
    again.ReadProperties({});
    EXPECT_EQ(again.ForeColor(), 0x332211u);
    EXPECT_EQ(again.ForeHover(), 0x332211u);
}

} // namespace
