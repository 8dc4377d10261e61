#pragma once

#include <QColor>

// A colour that moves by a fixed step per component after each line drawn with
// it, for as long as its blue component is at least a floor; once the blue has
// dropped below the floor the colour stays put for the remaining lines.
class ColourRamp {
public:
    struct Step {
        int red;
        int green;
        int blue;
    };

    ColourRamp(QColor start, Step step, int blueFloor)
        : m_colour(start)
        , m_step(step)
        , m_blueFloor(blueFloor)
    {
    }

    QColor colour() const { return m_colour; }

    void advance()
    {
        if (m_colour.blue() >= m_blueFloor)
            m_colour.setRgb(
                m_colour.red() + m_step.red, m_colour.green() + m_step.green, m_colour.blue() + m_step.blue);
    }

private:
    QColor m_colour;
    Step m_step;
    int m_blueFloor;
};
