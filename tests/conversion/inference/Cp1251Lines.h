#pragma once
// Report lines written in the tests in UTF-8, as the inference reads them: CP1251.
#include <string>
#include <vector>

#include "common/Cp1251.h"

namespace tabulizer::inference {

inline std::vector<std::string> Cp1251(const std::vector<std::string>& utf8) {
    std::vector<std::string> lines;
    for (const auto& line : utf8) lines.push_back(Utf8ToCp1251(line));
    return lines;
}

}  // namespace tabulizer::inference
