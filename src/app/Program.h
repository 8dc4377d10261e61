#pragma once

#include <functional>

class Forms;
class Prompter;
class QString;

// The program as started from the command line.
namespace Program {

// With real message boxes.
int run(int argc, char** argv);

// With the given prompter; `trace` follows the windows as they load and unload, and
// `prepare` sees the program's windows before the entry procedure runs (the start-up
// benchmark shortens the splash and watches for the main window's first paint).
int run(int argc, char** argv, Prompter& prompter, const std::function<void(const QString&)>& trace = {},
    const std::function<void(Forms&)>& prepare = {});

} // namespace Program
