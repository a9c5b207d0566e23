// libFuzzer target: arbitrary bytes as a project file for the loader.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "LoaderCheck.h"

namespace {

// One project file per process in a folder of its own, rewritten for every input
// and removed at exit.
struct ProjectFile {
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("tabulizer-fuzz-loader-" + std::to_string(::getpid()));
    std::string path = (folder / "project.ini").string();
    ProjectFile() { std::filesystem::create_directories(folder); }
    ~ProjectFile() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
};

const std::string& ProjectPath() {
    static const ProjectFile file;
    return file.path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    tabulizer::fuzz::Problems problems = tabulizer::fuzz::CheckLoaderInput(bytes, ProjectPath());
    if (problems.empty()) return 0;
    for (const std::string& problem : problems) std::fprintf(stderr, "loader: %s\n", problem.c_str());
    std::abort();
}
