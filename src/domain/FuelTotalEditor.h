#pragma once

#include "domain/Statistics.h"

#include <optional>
#include <string>
#include <string_view>

class AppContext;

// The in-place editor of the fuel total: txtFuelTotal laid over lblFuelTotal. It is
// either closed (the label shown) or open over the label; Esc, Enter (whatever the
// answer) and losing the focus all close it, emptied.
class FuelTotalEditor {
public:
    static constexpr char32_t EnterKey = 13;
    static constexpr char32_t EscapeKey = 27;

    // What the statistics need besides the data file, as the window shows it.
    struct StatisticsView {
        std::string readingCaption; // lblFuelFilledMiles
        std::string unitName; // cmbUnit
        std::string currency; // cmbCur
    };

    // What the window shows once the editor closed.
    struct Closing {
        std::optional<std::string> fuelTotalCaption; // lblFuelTotal's new caption, when it changes
        std::optional<StatisticsCaptions> statistics; // the new figures, when they change
    };

    // The keys txtFuelTotal keeps: digits, backspace, ".", Enter and Esc.
    static bool keepsKey(char32_t key);

    // The double-click on lblFuelTotal: opens the editor and gives its text, the
    // caption up to its first blank (the number without " Litters").
    std::string open(std::string_view labelCaption);
    bool isOpen() const { return m_open; }

    // Esc: the edit is dropped.
    Closing escape();
    // Enter with the editor's text: a blank text or one that is not a number is refused
    // with a message; otherwise the user is asked, and Yes stores the text as typed.
    Closing enter(AppContext& ctx, std::string_view text, const StatisticsView& view);
    // The editor lost the focus: an unconfirmed edit is dropped.
    Closing focusLost();

private:
    bool m_open = false;
};
