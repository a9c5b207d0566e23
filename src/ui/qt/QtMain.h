#pragma once
// Runs a program with the Qt front end. Returns the exit status.
#include <functional>

namespace tabulizer::qt {

class QtHost;

// Makes the application and its host, then calls `program`, which makes its
// windows on the host, runs the host and returns its status; the windows go
// before the host and the host before the application.
int RunWindows(int argc, char** argv, const std::function<int(QtHost&)>& program);

}  // namespace tabulizer::qt
