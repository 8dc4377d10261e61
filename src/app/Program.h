#pragma once

// The program as started from the command line.
namespace Program {
int run(int argc, char** argv);
}
