#pragma once
// Running a command from a test: its standard output and exit status; and the
// independent read-back of a written workbook (readback.py, openpyxl).
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace tabulizer::test {

inline std::string Capture(const std::string& command, int& status) {
    std::string out;
    status = -1;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return out;
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    int raw = pclose(pipe);
    status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return out;
}

// What readback.py prints for the workbook at `path`.
inline std::string ReadBack(const std::string& path) {
    int status = -1;
    std::string out = Capture("'" TABULIZER_PYTHON "' '" TABULIZER_READBACK "' '" + path + "'", status);
    EXPECT_EQ(status, 0) << path;
    return out;
}

}  // namespace tabulizer::test
