#pragma once
// `tabulizer --project P.ini [...] [REPORT...]`: converts the project's own report,
// one named report, or many reports at once, each in a process of its own.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace tabulizer {

inline constexpr int kReportsWrongCall = 2;

// `arguments` are all the program's arguments; `usage` is printed for --help.
int RunReports(const std::vector<std::string>& arguments, std::string_view usage);

}  // namespace tabulizer
