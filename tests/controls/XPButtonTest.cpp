#include "controls/XPButton.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Events = std::vector<std::string>;

// Pixels from (x1, y1) to (x2, y2), all of one colour; mirrored left to right, or into all
// four corners, the same pixels on the other sides too.
enum Mirror { Once = 1, LeftRight = 2, Corners = 4 };
struct Area {
    int x1, y1, x2, y2;
    QRgb colour;
    Mirror mirror = Once;
};
using Areas = std::vector<Area>;

// The frame and rounded corners of every enabled look, and the corner pixels cut away.
const Areas Border {{2, 0, 40, 0, 0x003C74, Corners}, {0, 2, 0, 12, 0x003C74, Corners}, {0, 1, 0, 1, 0x7A95A8, Corners},
    {1, 0, 1, 0, 0x7A95A8, Corners}, {1, 1, 1, 1, 0x255783, Corners}, {0, 0, 0, 0, 0xFF00FF, Corners}};

// Each look without a caption, 25 pixels high ("Normal" 40: its ramp of 24 shades then stays flat).
const std::map<std::string, Areas> Looks {
    {"Normal",
        {{2, 1, 77, 1, 0xECE9D8}, {1, 2, 78, 2, 0xECE9D8}, {1, 3, 78, 3, 0xFFFFFD}, {1, 26, 78, 26, 0xE8E8E6},
            {1, 27, 78, 35, 0xE7E7E5}, {1, 36, 78, 36, 0xECEBE6}, {1, 37, 78, 37, 0xE2DFD6},
            {2, 38, 77, 38, 0xD6D0C5}}},
    {"Hover",
        {{2, 1, 77, 1, 0xFFF0CF}, {2, 2, 77, 2, 0xFDD889}, {1, 2, 1, 2, 0xFEDF9A, LeftRight},
            {1, 3, 1, 3, 0xFDDC93, LeftRight}, {1, 21, 1, 22, 0xEEAF2A}, {78, 21, 78, 21, 0xEEAF2A},
            {2, 3, 2, 3, 0xFCD279, LeftRight}, {2, 21, 2, 21, 0xF3AE31, LeftRight}, {3, 3, 3, 3, 0xFFFFFD},
            {76, 10, 76, 10, 0xF8F8F6}, {2, 22, 78, 22, 0xF3AE31}, {2, 23, 77, 23, 0xE59700}}},
    // Two-pixel side bars whose round caps reach a row beyond their ends.
    {"Focus",
        {{2, 1, 77, 1, 0xCEE7FB}, {3, 2, 76, 2, 0xBCD4F6}, {1, 2, 2, 2, 0xBAD3F6, LeftRight},
            {1, 3, 2, 3, 0xB6D0F5, LeftRight}, {1, 21, 2, 21, 0x729DE4, LeftRight}, {3, 10, 3, 10, 0xF8F8F6, LeftRight},
            {1, 22, 77, 22, 0x6E9AE3}, {78, 22, 78, 22, 0x729DE4}, {2, 23, 2, 23, 0x4D7DC1, LeftRight},
            {3, 23, 76, 23, 0x617DE5}}},
    // Bands four pixels high; only the first is lighter.
    {"Pressed",
        {{2, 1, 77, 1, 0xD1CCC0}, {1, 2, 78, 2, 0xDCD8CF}, {1, 3, 78, 4, 0xE2E1DA}, {1, 5, 78, 21, 0xE1E0D9},
            {1, 22, 78, 22, 0xEAE9E3}, {2, 23, 77, 23, 0xF2F1EE}}},
    {"Disabled",
        {{3, 1, 76, 23, 0xF5F4EA}, {1, 3, 2, 21, 0xF5F4EA, LeftRight}, {2, 0, 40, 0, 0xC9C7BA, Corners},
            {0, 2, 0, 12, 0xC9C7BA, Corners}, {0, 1, 1, 1, 0xD8D5C7, Corners}, {1, 0, 1, 0, 0xD8D5C7, Corners},
            {1, 2, 1, 2, 0xEAE9DE, Corners}, {2, 1, 2, 1, 0xEAE9DE, Corners}, {0, 0, 0, 0, 0xFF00FF, Corners}}},
};

// A shown, active window holding one XPButton (80 x 25, "&Save") between two text boxes.
// The pointer moves as a user's does, so the window system delivers moves, enters and leaves;
// buttons and keys go through the window. Every event the button raises is logged in order as
// "Name arguments", positions whole. run() plays space-separated steps:
//   in in1 in2 edge out corner: the pointer to there; enter: edge then in, forgetting the events
//   gone: until the pointer poll has seen the pointer gone; held: Space held (X11 repeats its
//   release and press); ldown lup rdown rup dclick; sp+ ret- a+ left+ down+ ... (a key down or
//   up); alt+s; focus; away (focus away and back); disable enable tall cap=TEXT big (a bold
//   12-point font) fore=BBGGRR hover=BBGGRR; kill=EVENT (its handler deletes the button);
//   look? focus? ink? (logs the look, the focused widget, the caption colours drawn);
//   draws=LOOK (expects the pixels of that look).
class XPButtonFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_window = std::make_unique<QWidget>();
        QPalette palette = m_window->palette();
        palette.setColor(QPalette::Window, QColor(236, 233, 216));
        m_window->setPalette(palette);
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(11);
        m_window->setFont(font);
        m_window->setGeometry(100, 100, 300, 120);
        txtBefore = new QLineEdit(m_window.get());
        txtBefore->setObjectName(QStringLiteral("txtBefore"));
        txtBefore->move(20, 60);
        button = new XPButton(m_window.get());
        button->setObjectName(QStringLiteral("btnSave"));
        button->SetCaption(QStringLiteral("&Save"));
        button->setGeometry(20, 20, 80, 25);
        txtAfter = new QLineEdit(m_window.get());
        txtAfter->setObjectName(QStringLiteral("txtAfter"));
        txtAfter->move(120, 60);

        const auto logEach = [this](auto... raised) {
            (QObject::connect(button, raised, m_window.get(),
                 [this, name = QMetaMethod::fromSignal(raised).name().toStdString()](auto... arguments) {
                     std::string event = name;
                     ((event += ' ' + std::to_string(static_cast<int>(arguments))), ...);
                     log(event);
                 }),
                ...);
        };
        logEach(&XPButton::MouseDown, &XPButton::MouseMove, &XPButton::MouseUp, &XPButton::KeyDown, &XPButton::KeyUp,
            &XPButton::KeyPress, &XPButton::Click, &XPButton::MouseOver, &XPButton::MouseOut);

        QCursor::setPos(10, 10);
        m_window->show();
        m_window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
        txtBefore->setFocus();
    }

    void TearDown() override
    {
        for (const Qt::MouseButton held : {Qt::LeftButton, Qt::RightButton})
            if (QGuiApplication::mouseButtons().testFlag(held))
                QTest::mouseRelease(m_window->windowHandle(), held, {}, QPoint(250, 100));
        // QTest keeps a modifier as held after its own release, until a plain key release.
        QTest::keyRelease(m_window.get(), Qt::Key_F24);
    }

    void run(const std::string& script)
    {
        std::istringstream steps(script);
        for (std::string s; button && steps >> s;)
            step(s);
    }

    void step(const std::string& s)
    {
        static const std::map<std::string, QPoint> points {{"in", {30, 12}}, {"in1", {31, 12}}, {"in2", {32, 12}},
            {"edge", {29, 12}}, {"out", {150, 12}}, {"corner", {0, 0}}};
        static const std::map<std::string, Qt::Key> keys {{"sp", Qt::Key_Space}, {"ret", Qt::Key_Return},
            {"a", Qt::Key_A}, {"right", Qt::Key_Right}, {"left", Qt::Key_Left}, {"up", Qt::Key_Up},
            {"down", Qt::Key_Down}};
        static const char* const looks[] = {"Normal", "Hover", "Focus", "Pressed", "Disabled"};
        static const std::map<QRgb, const char*> inks {
            {0xFF0000, "red"}, {0x00FF00, "green"}, {0x0000FF, "blue"}, {0xA1A192, "grey"}};
        QWindow* window = m_window->windowHandle();
        QWidget* focus = QApplication::focusWidget();
        const QPoint at = button->mapTo(m_window.get(), m_at);
        const std::map<std::string, std::function<void()>> actions {
            {"enter", [&] { run("edge in"), events.clear(); }},
            {"gone", [&] { EXPECT_TRUE(QTest::qWaitFor([&] { return !button->findChild<QTimer*>()->isActive(); })); }},
            {"ldown", [&] { QTest::mousePress(window, Qt::LeftButton, {}, at); }},
            {"lup", [&] { QTest::mouseRelease(window, Qt::LeftButton, {}, at); }},
            {"rdown", [&] { QTest::mousePress(window, Qt::RightButton, {}, at); }},
            {"rup", [&] { QTest::mouseRelease(window, Qt::RightButton, {}, at); }},
            {"dclick", [&] { QTest::mouseDClick(window, Qt::LeftButton, {}, at); }},
            {"held",
                [&] {
                    for (const bool press : {false, true})
                        QTest::simulateEvent(focus, press, Qt::Key_Space, {}, QStringLiteral(" "), true);
                }},
            {"focus", [&] { button->setFocus(); }},
            {"away", [&] { txtAfter->setFocus(), button->setFocus(); }},
            {"disable", [&] { button->setEnabled(false); }},
            {"enable", [&] { button->setEnabled(true); }},
            {"tall", [&] { button->resize(80, 40); }},
            {"big", [&] { button->setFont(QFont(QStringLiteral("DejaVu Sans"), 12, QFont::Bold)); }},
            {"look?", [&] { log(std::string("Look ") + looks[static_cast<int>(button->Look())]); }},
            {"focus?", [&] { log("Focus " + focus->objectName().toStdString()); }},
            {"ink?",
                [&] {
                    const QImage image = render();
                    const auto* pixels = reinterpret_cast<const QRgb*>(image.constBits());
                    const auto* end = pixels + image.width() * image.height();
                    std::string shown = "Ink";
                    for (const auto& [colour, name] : inks)
                        shown += std::find(pixels, end, qRgb(0, 0, 0) | colour) != end ? std::string(" ") + name : "";
                    log(shown);
                }},
        };
        const auto key = keys.find(s.substr(0, s.size() - 1));
        if (actions.count(s)) {
            actions.at(s)();
        } else if (points.count(s)) {
            m_at = points.at(s);
            // The move goes in at once, before the pointer poll can look.
            QCursor::setPos(button->mapToGlobal(m_at));
            QTest::mouseMove(window, button->mapTo(m_window.get(), m_at));
            QCoreApplication::processEvents();
        } else if (key != keys.end() && (s.back() == '+' || s.back() == '-')) {
            (s.back() == '+' ? QTest::keyPress(focus, key->second) : QTest::keyRelease(focus, key->second));
        } else if (s.rfind("alt+", 0) == 0) {
            QTest::keyClick(focus, Qt::Key(std::toupper(s.at(4))), Qt::AltModifier);
            QTest::keyRelease(m_window.get(), Qt::Key_F24);
        } else if (s.rfind("cap=", 0) == 0) {
            button->SetCaption(QString::fromStdString(s.substr(4)));
        } else if (s.rfind("fore=", 0) == 0 || s.rfind("hover=", 0) == 0) {
            button->setProperty(
                s[0] == 'f' ? "ForeColor" : "ForeHover", std::stoi(s.substr(s.find('=') + 1), nullptr, 16));
        } else if (s.rfind("kill=", 0) == 0) {
            m_killOn = s.substr(5);
        } else if (s.rfind("draws=", 0) == 0) {
            Areas areas = Looks.at(s.substr(6));
            if (s != "draws=Disabled")
                areas.insert(areas.end(), Border.begin(), Border.end());
            const QImage image = render();
            const int right = image.width() - 1, bottom = image.height() - 1;
            for (const Area& a : areas)
                for (int y = a.y1; y <= a.y2; ++y)
                    for (int x = a.x1; x <= a.x2; ++x)
                        for (int side = 0; side < a.mirror; ++side)
                            EXPECT_EQ(image.pixelColor(side & 1 ? right - x : x, side & 2 ? bottom - y : y).name(),
                                QColor(a.colour).name())
                                << s << " at " << x << ", " << y << " mirrored " << side;
        } else {
            FAIL() << "unknown step " << s;
        }
    }

    void log(const std::string& event)
    {
        events.push_back(event);
        if (event.substr(0, event.find(' ')) == m_killOn) {
            delete button;
            button = nullptr;
        }
    }

    // The button as drawn, on a magenta ground where it does not paint.
    QImage render() const
    {
        QImage image(button->size(), QImage::Format_RGB32);
        image.fill(QColor(255, 0, 255));
        button->render(&image);
        return image;
    }

    std::unique_ptr<QWidget> m_window;
    QLineEdit* txtBefore = nullptr;
    XPButton* button = nullptr;
    QLineEdit* txtAfter = nullptr;
    Events events;

private:
    QPoint m_at;
    std::string m_killOn;
};

struct Script {
    const char* name;
    const char* steps;
    Events expected;
};
const Script scripts[] = {
    // The pixels of each look; hover wins over focus, disabled over both.
    {"NormalLook", "cap= tall draws=Normal", {}},
    {"FocusHoverPressedLooks", "cap= focus draws=Focus enter draws=Hover ldown draws=Pressed", {"MouseDown 1 0 30 12"}},
    {"DisabledLook", "cap= focus enter disable draws=Disabled", {}},
    // Over the button only the first two moves are reported; a cut corner is not the button.
    {"HoverComesAndGoes", "in look? in1 in2 out gone look? corner",
        {"MouseOver", "MouseMove 0 0 30 12", "Look Hover", "MouseMove 0 0 31 12", "MouseOut", "Look Normal"}},
    // A release away from the button does not click.
    {"LeftClick", "enter ldown look? lup look? ldown out gone lup",
        {"MouseDown 1 0 30 12", "Look Pressed", "MouseUp 1 0 30 12", "Click", "Look Hover", "MouseDown 1 0 30 12",
            "MouseMove 1 0 150 12", "MouseOut", "MouseUp 1 0 150 12"}},
    // Pressed each time the drag comes back; let go over it, it clicks, and hovers the next time.
    {"DraggedOutAndBack", "enter ldown out gone in look? out gone in look? lup out in look?",
        {"MouseDown 1 0 30 12", "MouseMove 1 0 150 12", "MouseOut", "MouseMove 1 0 30 12", "Look Pressed",
            "MouseMove 1 0 150 12", "MouseMove 1 0 30 12", "Look Pressed", "MouseUp 1 0 30 12", "Click", "MouseOver",
            "MouseMove 0 0 30 12", "Look Hover"}},
    {"DoubleClickClicksOnce", "enter dclick",
        {"MouseDown 1 0 30 12", "MouseUp 1 0 30 12", "Click", "MouseDown 1 0 0 0", "MouseUp 1 0 30 12"}},
    // Space after a right click is not drawn pressed, yet clicks; then it presses again.
    {"RightClick", "focus enter rdown look? rup sp+ look? sp- sp+ look?",
        {"MouseDown 2 0 30 12", "Look Hover", "MouseUp 2 0 30 12", "KeyDown 32 0", "KeyPress 32", "Look Hover", "Click",
            "KeyUp 32 0", "KeyDown 32 0", "KeyPress 32", "Look Pressed"}},
    {"EnterAndSpaceClick", "focus ret+ look? ret- look? sp+ sp- a+ a-",
        {"KeyDown 13 0", "KeyPress 13", "Look Pressed", "Click", "KeyUp 13 0", "Look Focus", "KeyDown 32 0",
            "KeyPress 32", "Click", "KeyUp 32 0", "KeyDown 65 0", "KeyPress 97", "KeyUp 65 0"}},
    // Only the release of a key that went down on this button, while it kept the focus, clicks.
    {"KeyReleaseClicksOnlyAfterItsPress", "ret+ focus ret- sp+ ret- ret+ ret- ret- ret+ away ret-",
        {"KeyUp 13 0", "KeyDown 32 0", "KeyPress 32", "KeyUp 13 0", "KeyDown 13 0", "KeyPress 13", "Click",
            "KeyUp 13 0", "KeyUp 13 0", "KeyDown 13 0", "KeyPress 13", "KeyUp 13 0"}},
    {"HeldSpaceClicksOnce", "focus sp+ held sp-",
        {"KeyDown 32 0", "KeyPress 32", "KeyDown 32 0", "KeyPress 32", "Click", "KeyUp 32 0"}},
    {"ArrowsMoveTheFocus", "focus left+ focus? focus down+ focus?",
        {"KeyDown 37 0", "Focus txtAfter", "KeyDown 40 0", "Focus txtBefore"}},
    // Characters typed with Alt held are not the button's.
    {"AccessKeyClicksWithoutTheFocus", "alt+s focus? cap=Sa&ve alt+s alt+v focus alt+x disable alt+v",
        {"Click", "Focus txtBefore", "Click", "KeyDown 18 4", "KeyDown 88 4", "KeyUp 88 4", "KeyUp 18 0"}},
    // Disabling ends the hover; disabled, nothing reaches it.
    {"Disabled", "in disable gone ldown lup alt+s look? enable look?",
        {"MouseOver", "MouseMove 0 0 30 12", "MouseOut", "Look Disabled", "Look Normal"}},
    // A new hover colour shows from the next repaint on; dragged back, pressed in the hover colour.
    {"CaptionColour",
        "big cap=HIT fore=0000FF hover=FF0000 ink? in ink? hover=00FF00 ink? cap=HIT ink? ldown out gone ink? in ink? "
        "lup disable ink?",
        {"Ink red", "MouseOver", "MouseMove 0 0 30 12", "Ink blue", "Ink blue", "Ink green", "MouseDown 1 0 30 12",
            "MouseOut", "Ink red", "MouseMove 1 0 30 12", "Ink green", "MouseUp 1 0 30 12", "Click", "Ink grey"}},
    // A handler may delete the button.
    {"DeletedOnMouseOver", "kill=MouseOver in", {"MouseOver"}},
    {"DeletedOnMouseDown", "kill=MouseDown enter ldown", {"MouseDown 1 0 30 12"}},
    {"DeletedOnMouseUp", "kill=MouseUp enter ldown lup", {"MouseDown 1 0 30 12", "MouseUp 1 0 30 12"}},
    {"DeletedOnKeyDown", "kill=KeyDown focus sp+", {"KeyDown 32 0"}},
    {"DeletedOnKeyClick", "kill=Click focus sp+ sp-", {"KeyDown 32 0", "KeyPress 32", "Click"}},
};

class XPButtonScript : public XPButtonFixture, public ::testing::WithParamInterface<Script> { };

TEST_P(XPButtonScript, RaisesItsEvents)
{
    run(GetParam().steps);
    EXPECT_EQ(events, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    XPButton, XPButtonScript, ::testing::ValuesIn(scripts), [](const auto& p) { return p.param.name; });

using XPButtonCaption = XPButtonFixture;

TEST_F(XPButtonCaption, LinesAreCentredAsOneBlockAndAmpersandUnderlines)
{
    // The first and last rows with dark ink.
    const auto ink = [this](const char* caption, int width, int height) {
        button->resize(width, height);
        button->SetCaption(QString::fromLatin1(caption));
        const QImage image = render();
        std::pair rows {-1, -1};
        for (int y = 1; y < height - 1; ++y)
            for (int x = 3; x < width - 3; ++x)
                if (qGray(image.pixel(x, y)) < 100)
                    rows = {rows.first < 0 ? y : rows.first, y};
        return rows;
    };
    const auto [top2, bottom2] = ink("Save\nSave", 80, 60);
    EXPECT_NEAR(top2 + bottom2, 60, 3);
    EXPECT_EQ(ink("Save Save", 40, 60), ink("Save\nSave", 40, 60)) << "wraps at the word";

    // "&" underlines the next letter, below the same letters; "&&" is one ampersand.
    const auto [top, bottom] = ink("Save", 80, 25);
    EXPECT_EQ(ink("&Save", 80, 25).first, top);
    EXPECT_GT(ink("&Save", 80, 25).second, bottom);
    EXPECT_LE(ink("&&Save", 80, 25).second, bottom + 1);
}

// The values a window stores for the button: Enabled, font point size, Caption, ForeColor and
// ForeHover, "-" for one left out.
std::string stored(const XPButton& button)
{
    const XPButtonPropertySet s = button.WriteProperties();
    const QString none = QStringLiteral("-");
    const auto hex = [&](std::optional<quint32> colour) { return colour ? QString::number(*colour, 16) : none; };
    return QStringList {s.Enabled ? QString::number(*s.Enabled) : none,
        s.Font ? QString::number(s.Font->pointSize()) : none, s.Caption.value_or(none), hex(s.ForeColor),
        hex(s.ForeHover)}
        .join(u' ')
        .toStdString();
}

TEST(XPButtonProperties, CaptionAccessKeyAndStoredValues)
{
    QWidget window;
    QPalette palette = window.palette();
    palette.setColor(QPalette::WindowText, QColor(0x11, 0x22, 0x33));
    window.setPalette(palette);
    XPButton button(&window);
    // A new button is captioned after its name, until a caption is set.
    button.setObjectName(QStringLiteral("XPButton12"));
    EXPECT_EQ(button.Caption(), QStringLiteral("Command12"));
    const std::pair<const char*, QChar> keys[] = {{"&Save", u's'}, {"E&XIT", u'x'}, {"Apply && Save", {}},
        {"A&&B&c", u'c'}, {"&&&&x", {}}, {"a&", {}}, {"&", {}}, {"&&", {}}, {"&&x&", {}}, {"Save", {}}};
    for (const auto& [caption, key] : keys) {
        button.setProperty("Caption", QString::fromLatin1(caption));
        EXPECT_EQ(button.AccessKey(), key) << caption;
    }
    button.setObjectName(QStringLiteral("btnDone"));
    EXPECT_EQ(button.Caption(), QStringLiteral("Save"));

    // What equals its default (the name as caption, the window's colour and font) is left
    // out, except ForeColor.
    button.SetCaption(QStringLiteral("btnDone"));
    EXPECT_EQ(stored(button), "- - - 332211 -");
    button.setEnabled(false);
    button.setFont(QFont(QStringLiteral("Serif"), 20));
    button.SetCaption(QStringLiteral("&Done"));
    button.setProperty("ForeColor", 0x0000FFu);
    button.setProperty("ForeHover", 0xFF0000u);
    EXPECT_EQ(stored(button), "0 20 &Done ff ff0000");
    XPButton again(&window);
    again.setObjectName(QStringLiteral("btnDone"));
    again.ReadProperties(button.WriteProperties());
    EXPECT_EQ(stored(again), stored(button));

    // A missing ForeHover is the ForeColor just read; with nothing stored, the window's colour.
    again.ReadProperties({{}, {}, {}, 0x00FF00u, {}});
    EXPECT_EQ(stored(again), "- - - ff00 ff00");
    again.ReadProperties({});
    EXPECT_EQ(stored(again), "- - - 332211 -");
}

} // namespace
