#pragma once
// Many reports converted at once: each in a child process of this program (the
// same command with one report and its --output), at most `jobs` at a time. A
// child's messages are collected and shown whole when it ends, so that the
// messages of reports converted side by side never interleave.
#include <cstdio>
#include <string>
#include <vector>

#include "shell/ReportsCall.h"

namespace tabulizer {

// Converts every report of `call`; tells on `err` which failed and how many were
// converted. Returns 0 only when every report was saved, 1 otherwise.
int ConvertInChildren(const ReportsCall& call, std::FILE* err = stderr);

}  // namespace tabulizer
