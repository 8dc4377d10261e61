#include "XPButtonFixture.h"

#include <QFontMetrics>

#include <optional>
#include <utility>

namespace {

const std::string Background = rgb(236, 233, 216);
const std::string CutCorner = rgb(255, 0, 255);
const std::string Frame = rgb(0, 60, 116);
const std::string BorderLight = rgb(122, 149, 168);
const std::string BorderDark = rgb(37, 87, 131);

// Expects one colour along a row, from column `from` to column `to`, both included.
void expectRow(const QImage& image, int y, int from, int to, const std::string& colour)
{
    for (int x = from; x <= to; ++x)
        EXPECT_EQ(rgbAt(image, x, y), colour) << "at (" << x << ", " << y << ")";
}

void expectColumn(const QImage& image, int x, int from, int to, const std::string& colour)
{
    for (int y = from; y <= to; ++y)
        EXPECT_EQ(rgbAt(image, x, y), colour) << "at (" << x << ", " << y << ")";
}

// The border of every enabled look on a button of the given size, and the corner
// pixels left out of its region.
void expectBorder(const QImage& image)
{
    const int right = image.width() - 1;
    const int bottom = image.height() - 1;
    expectRow(image, 0, 2, right - 2, Frame);
    expectRow(image, bottom, 2, right - 2, Frame);
    expectColumn(image, 0, 2, bottom - 2, Frame);
    expectColumn(image, right, 2, bottom - 2, Frame);
    for (const auto& [x, y] : {std::pair {0, 1}, {1, 0}, {right - 1, 0}, {right, 1}, {0, bottom - 1}, {1, bottom},
             {right, bottom - 1}, {right - 1, bottom}})
        EXPECT_EQ(rgbAt(image, x, y), BorderLight) << "at (" << x << ", " << y << ")";
    for (const auto& [x, y] : {std::pair {1, 1}, {right - 1, 1}, {1, bottom - 1}, {right - 1, bottom - 1}})
        EXPECT_EQ(rgbAt(image, x, y), BorderDark) << "at (" << x << ", " << y << ")";
    for (const auto& [x, y] : {std::pair {0, 0}, {right, 0}, {0, bottom}, {right, bottom}})
        EXPECT_EQ(rgbAt(image, x, y), CutCorner) << "at (" << x << ", " << y << ")";
}

// The first and last rows that hold caption ink (dark pixels) inside the border.
std::optional<std::pair<int, int>> inkRows(const QImage& image)
{
    std::optional<std::pair<int, int>> rows;
    for (int y = 1; y < image.height() - 1; ++y) {
        for (int x = 3; x < image.width() - 3; ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() < 100 && c.green() < 100 && c.blue() < 100) {
                rows = rows ? std::pair {rows->first, y} : std::pair {y, y};
                break;
            }
        }
    }
    return rows;
}

int darkPixelsInRow(const QImage& image, int y)
{
    int count = 0;
    for (int x = 3; x < image.width() - 3; ++x) {
        const QColor c = image.pixelColor(x, y);
        count += c.red() < 100 && c.green() < 100 && c.blue() < 100;
    }
    return count;
}

using XPButtonDrawing = XPButtonFixture;

TEST_F(XPButtonDrawing, NormalLookRampsDownToTheClosingLinesAbove_theFrame)
{
    button->SetCaption(QString());
    const QImage image = render();
    ASSERT_EQ(image.size(), QSize(80, 25));

    expectRow(image, 1, 2, 77, Background);
    expectRow(image, 2, 1, 78, Background);
    expectRow(image, 3, 1, 78, rgb(255, 255, 253));
    expectRow(image, 4, 1, 78, rgb(254, 254, 252));
    expectRow(image, 12, 1, 78, rgb(246, 246, 244));
    expectRow(image, 20, 1, 78, rgb(238, 238, 236));
    expectRow(image, 21, 1, 78, rgb(236, 235, 230));
    expectRow(image, 22, 1, 78, rgb(226, 223, 214));
    expectRow(image, 23, 2, 77, rgb(214, 208, 197));
    expectBorder(image);
}

TEST_F(XPButtonDrawing, TallNormalLookTurnsFlatBelowTheTwentyFourRampRows)
{
    button->SetCaption(QString());
    button->resize(80, 40);
    const QImage image = render();

    expectRow(image, 26, 1, 78, rgb(232, 232, 230));
    for (int y = 27; y <= 35; ++y)
        expectRow(image, y, 1, 78, rgb(231, 231, 229));
    expectRow(image, 36, 1, 78, rgb(236, 235, 230));
    expectRow(image, 37, 1, 78, rgb(226, 223, 214));
    expectRow(image, 38, 2, 77, rgb(214, 208, 197));
    expectBorder(image);
}

TEST_F(XPButtonDrawing, CornerPixelsAreNotPartOfTheButton)
{
    const QPoint origin = button->pos();
    for (const QPoint corner : {QPoint(0, 0), QPoint(79, 0), QPoint(0, 24), QPoint(79, 24)}) {
        EXPECT_FALSE(button->mask().contains(corner));
        EXPECT_EQ(m_window->childAt(origin + corner), nullptr) << "a click there reaches the window behind";
    }
    EXPECT_EQ(m_window->childAt(origin + QPoint(1, 0)), button);
    EXPECT_EQ(m_window->childAt(origin + QPoint(78, 24)), button);
}

TEST_F(XPButtonDrawing, HoverLookHasOrangeLinesAndSideBars)
{
    button->SetCaption(QString());
    pointerTo(Inside);
    ASSERT_EQ(button->Look(), XPButtonLook::Hover);
    const QImage image = render();

    expectRow(image, 1, 2, 77, rgb(255, 240, 207));
    expectRow(image, 2, 2, 77, rgb(253, 216, 137));
    // Outer bars at columns 1 and 78 from row 2, inner ones at 2 and 77 from row 3.
    for (const int x : {1, 78}) {
        EXPECT_EQ(rgbAt(image, x, 2), rgb(254, 223, 154));
        EXPECT_EQ(rgbAt(image, x, 3), rgb(253, 220, 147));
        EXPECT_EQ(rgbAt(image, x, 10), rgb(246, 199, 98));
        EXPECT_EQ(rgbAt(image, x, 21), rgb(238, 175, 42));
    }
    for (const int x : {2, 77}) {
        EXPECT_EQ(rgbAt(image, x, 3), rgb(252, 210, 121));
        EXPECT_EQ(rgbAt(image, x, 10), rgb(245, 182, 65));
        EXPECT_EQ(rgbAt(image, x, 21), rgb(243, 174, 49));
    }
    EXPECT_EQ(rgbAt(image, 3, 3), rgb(255, 255, 253));
    EXPECT_EQ(rgbAt(image, 76, 10), rgb(248, 248, 246));
    // The closing line starts at column 3 and reaches the right-hand outer bar.
    EXPECT_EQ(rgbAt(image, 1, 22), rgb(238, 175, 42));
    expectRow(image, 22, 2, 78, rgb(243, 174, 49));
    expectRow(image, 23, 2, 77, rgb(229, 151, 0));
    expectBorder(image);
}

TEST_F(XPButtonDrawing, FocusLookHasBlueLinesAndTwoPixelSideBars)
{
    button->SetCaption(QString());
    button->setFocus();
    ASSERT_EQ(button->Look(), XPButtonLook::Focus);
    const QImage image = render();

    expectRow(image, 1, 2, 77, rgb(206, 231, 251));
    expectRow(image, 2, 3, 76, rgb(188, 212, 246));
    // The 2-pixel pen at columns 2 and 79 - 1 covers 1-2 and 77-78; its round caps
    // reach a row above the first bar line and a row below the last.
    for (const int x : {1, 2, 77, 78}) {
        EXPECT_EQ(rgbAt(image, x, 2), rgb(186, 211, 246)) << x;
        EXPECT_EQ(rgbAt(image, x, 3), rgb(182, 208, 245)) << x;
        EXPECT_EQ(rgbAt(image, x, 10), rgb(154, 187, 238)) << x;
        EXPECT_EQ(rgbAt(image, x, 21), rgb(114, 157, 228)) << x;
    }
    EXPECT_EQ(rgbAt(image, 3, 10), rgb(248, 248, 246));
    EXPECT_EQ(rgbAt(image, 76, 10), rgb(248, 248, 246));
    expectRow(image, 22, 1, 77, rgb(110, 154, 227));
    EXPECT_EQ(rgbAt(image, 78, 22), rgb(114, 157, 228));
    EXPECT_EQ(rgbAt(image, 2, 23), rgb(77, 125, 193));
    expectRow(image, 23, 3, 76, rgb(97, 125, 229));
    EXPECT_EQ(rgbAt(image, 77, 23), rgb(77, 125, 193));
    expectBorder(image);
}

TEST_F(XPButtonDrawing, HoverWinsOverFocus)
{
    button->setFocus();
    pointerTo(Inside);
    const QImage image = render();
    EXPECT_EQ(rgbAt(image, 40, 1), rgb(255, 240, 207));
    EXPECT_EQ(rgbAt(image, 1, 10), rgb(246, 199, 98));
}

TEST_F(XPButtonDrawing, PressedLookIsDarkerAtTheTopWithoutHighlight)
{
    button->SetCaption(QString());
    button->setFocus();
    press(Qt::LeftButton);
    ASSERT_EQ(button->Look(), XPButtonLook::Pressed);
    const QImage image = render();

    expectRow(image, 1, 2, 77, rgb(209, 204, 192));
    expectRow(image, 2, 1, 78, rgb(220, 216, 207));
    // Bands 4 pixels high from row 1: only the first is lighter.
    expectRow(image, 3, 1, 78, rgb(226, 225, 218));
    expectRow(image, 4, 1, 78, rgb(226, 225, 218));
    for (int y = 5; y <= 21; ++y)
        expectRow(image, y, 1, 78, rgb(225, 224, 217));
    expectRow(image, 22, 1, 78, rgb(234, 233, 227));
    expectRow(image, 23, 2, 77, rgb(242, 241, 238));
    expectBorder(image);
}

TEST_F(XPButtonDrawing, DisabledLookIgnoresHoverAndFocus)
{
    button->setFocus();
    pointerTo(Inside);
    button->setEnabled(false);
    const QImage image = render();

    EXPECT_EQ(rgbAt(image, 5, 12), rgb(245, 244, 234));
    EXPECT_EQ(rgbAt(image, 40, 1), rgb(245, 244, 234));
    expectRow(image, 0, 2, 77, rgb(201, 199, 186));
    expectRow(image, 24, 2, 77, rgb(201, 199, 186));
    expectColumn(image, 0, 2, 22, rgb(201, 199, 186));
    expectColumn(image, 79, 2, 22, rgb(201, 199, 186));
    const std::string edge = rgb(216, 213, 199);
    const std::string inner = rgb(234, 233, 222);
    for (const auto& [x, y] : {std::pair {0, 1}, {1, 0}, {1, 1}, {78, 0}, {79, 1}, {78, 1}, {0, 23}, {1, 24}, {1, 23},
             {79, 23}, {78, 24}, {78, 23}})
        EXPECT_EQ(rgbAt(image, x, y), edge) << "at (" << x << ", " << y << ")";
    for (const auto& [x, y] : {std::pair {1, 2}, {2, 1}, {77, 1}, {78, 2}, {1, 22}, {2, 23}, {78, 22}, {77, 23}})
        EXPECT_EQ(rgbAt(image, x, y), inner) << "at (" << x << ", " << y << ")";
    for (const auto& [x, y] : {std::pair {0, 0}, {79, 0}, {0, 24}, {79, 24}})
        EXPECT_EQ(rgbAt(image, x, y), CutCorner);
}

TEST_F(XPButtonDrawing, CaptionColourFollowsTheState)
{
    useBigCaption();
    button->SetForeColor(0x0000FF); // red
    button->SetForeHover(0xFF0000); // blue
    EXPECT_TRUE(hasPixel(render(), rgb(255, 0, 0)));
    pointerTo(Inside);
    EXPECT_TRUE(hasPixel(render(), rgb(0, 0, 255)));
    EXPECT_FALSE(hasPixel(render(), rgb(255, 0, 0)));

    // A new hover colour shows from the next repaint on, not at once.
    button->SetForeHover(0x00FF00);
    EXPECT_TRUE(hasPixel(render(), rgb(0, 0, 255)));
    button->SetCaption(QStringLiteral("HIT"));
    EXPECT_TRUE(hasPixel(render(), rgb(0, 255, 0)));

    button->setEnabled(false);
    EXPECT_TRUE(hasPixel(render(), rgb(161, 161, 146)));
    EXPECT_FALSE(hasPixel(render(), rgb(0, 255, 0)));
}

TEST_F(XPButtonDrawing, TwoLineCaptionIsCentredAsOneBlock)
{
    button->resize(80, 60);
    const int lineHeight = QFontMetrics(button->font()).height();

    button->SetCaption(QStringLiteral("Save"));
    const auto oneLine = inkRows(render());
    button->SetCaption(QStringLiteral("Save\nSave"));
    const auto twoLines = inkRows(render());
    ASSERT_TRUE(oneLine && twoLines);

    // Both lines together are centred: the first starts half a line higher than a
    // single line does, and the second ends half a line lower.
    EXPECT_NEAR(twoLines->first, oneLine->first - lineHeight / 2.0, 1.0);
    EXPECT_NEAR(twoLines->second, oneLine->second + lineHeight / 2.0, 1.0);
    EXPECT_NEAR((twoLines->first + twoLines->second) / 2.0, 30, 2.0);

    // Words wrap at the button's width the same way.
    button->resize(40, 60);
    button->SetCaption(QStringLiteral("Save Save"));
    const auto wrapped = inkRows(render());
    ASSERT_TRUE(wrapped);
    EXPECT_EQ(wrapped->first, twoLines->first);
    EXPECT_EQ(wrapped->second, twoLines->second);
}

TEST_F(XPButtonDrawing, AmpersandUnderlinesTheNextCharacter)
{
    button->SetCaption(QStringLiteral("Save"));
    const QImage plain = render();
    button->SetCaption(QStringLiteral("&Save"));
    const QImage marked = render();
    const auto plainInk = inkRows(plain);
    const auto markedInk = inkRows(marked);
    ASSERT_TRUE(plainInk && markedInk);

    // Same letters in the same place, and a short line under the first one.
    EXPECT_EQ(markedInk->first, plainInk->first);
    ASSERT_GT(markedInk->second, plainInk->second);
    const int underline = darkPixelsInRow(marked, markedInk->second);
    EXPECT_GT(underline, 2);
    EXPECT_LT(underline, QFontMetrics(button->font()).horizontalAdvance(QLatin1Char('S')) + 2);

    // A doubled ampersand is one ampersand, with nothing underlined.
    button->SetCaption(QStringLiteral("&&Save"));
    const auto doubled = inkRows(render());
    ASSERT_TRUE(doubled);
    EXPECT_LE(doubled->second, plainInk->second + 1);
}

} // namespace
