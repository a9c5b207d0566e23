#pragma once
// The bytes of a file, for tests that compare what the program wrote.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace tabulizer::test {

inline std::string ReadFile(const std::filesystem::path& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

}  // namespace tabulizer::test
