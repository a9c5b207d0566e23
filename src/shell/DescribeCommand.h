#pragma once
// `tabulizer --describe REPORT [--project OUT.ini] [--force]`: infers a project from
// the report alone, writes it ready for batch conversion and tells on standard
// error what was found and what could not be decided.
#include <cstdio>
#include <string>
#include <vector>

namespace tabulizer {

inline constexpr int kDescribeWritten = 0;
inline constexpr int kDescribeRefused = 1;    // no table, a report that cannot be read, an existing project
inline constexpr int kDescribeWrongCall = 2;

// `arguments` are those after "--describe".
int RunDescribe(const std::vector<std::string>& arguments, std::FILE* err = stderr);

}  // namespace tabulizer
