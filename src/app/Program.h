#pragma once

#include <functional>

class Prompter;
class QString;

// The program as started from the command line.
namespace Program {

// With real message boxes.
int run(int argc, char** argv);

// With the given prompter; `trace` follows the windows as they load and unload.
int run(int argc, char** argv, Prompter& prompter, const std::function<void(const QString&)>& trace = {});

} // namespace Program
