#pragma once

#include <QProxyStyle>

// The program's style: the desktop's own, with three of Fusion's frames and one of its
// icons made here, pixel for pixel as Fusion makes them (tests/controls/ProgramStyleTest).
//
// Why: Qt 6.4's raster painter hands any fill of 96 spans or more to its thread pool.
// Fusion draws the tab widget's frame, the group boxes' frames and the list headers with
// such fills, so the first paint of the main window started two threads and waited for
// them, which cost more than the painting itself. Fusion also reads the group-box
// picture and the menu bar's extension icon with readers that load every image plugin
// installed. Here the same pixels are filled in runs too short for the pool, from
// pictures read as PNG alone; the first paint stays on one thread and loads no plugin.
//
// Anything painted through a scaling or rotating painter, and every style other than
// Fusion, is left to the style itself.
class ProgramStyle : public QProxyStyle {
public:
    // Takes ownership of the style it refines.
    explicit ProgramStyle(QStyle* style);

    // The application's style refined: call once, before the first window is made.
    static void install();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
        const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
        const QWidget* widget = nullptr) const override;
    QIcon standardIcon(
        StandardPixmap icon, const QStyleOption* option = nullptr, const QWidget* widget = nullptr) const override;

private:
    bool drawTabWidgetFrame(const QStyleOption* option, QPainter* painter) const;
    bool drawGroupBoxFrame(const QStyleOption* option, QPainter* painter, const QWidget* widget) const;
    bool drawHeaderSection(const QStyleOption* option, QPainter* painter) const;

    bool m_fusion = false;
};
