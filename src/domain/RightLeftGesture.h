#pragma once

// The gesture on lblFuelCostPerKm: while the right button is held down on the figure,
// a click of the left one opens the expenses tab. Other buttons and orders do nothing.
class RightLeftGesture {
public:
    enum class Button { Left, Right, Middle };

    // The tab it opens: "Car E&xpenses", counting from 0.
    static constexpr int ExpensesTab = 2;

    void mouseDown(Button button)
    {
        if (button == Button::Right)
            m_rightHeld = true;
    }

    // True when this release opens the expenses tab.
    bool mouseUp(Button button)
    {
        if (button == Button::Right) {
            m_rightHeld = false;
            return false;
        }
        return button == Button::Left && m_rightHeld;
    }

    bool rightHeld() const { return m_rightHeld; }

private:
    bool m_rightHeld = false;
};
