#pragma once

#include "tray/frmSysTray.h"

// What the main window asks of the program around it. The start-up code implements
// it; the window never reaches into the start-up code itself.
class ProgramShell {
public:
    virtual ~ProgramShell() = default;

    // Ends the program at once.
    virtual void end() = 0;
    // The splash as the About box: it closes without opening a main window.
    virtual void showAbout() = 0;
    // Another instance of the program is running.
    virtual bool anotherInstanceRunning() = 0;
    // What the desktop's notification area offers.
    virtual frmSysTray::Capabilities trayCapabilities() const = 0;
};
