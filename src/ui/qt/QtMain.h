#pragma once
// Runs the program with its windows (no command-line project). Returns the exit status.
namespace tabulizer::qt {
int RunWindows(int argc, char** argv);
}
