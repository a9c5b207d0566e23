// libFuzzer target: a project derived from fuzzed numbers and a fuzzed document,
// converted into a real workbook.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "RunCheck.h"

namespace {

// One folder per process, emptied for every input and removed at exit.
struct RunFolder {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("tabulizer-fuzz-run-" + std::to_string(::getpid()));
    ~RunFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

// TABULIZER_FUZZ_VERBOSE=1 prints how each run ended, to review which failures
// a clean description still meets.
bool Verbose() {
    static const bool verbose = std::getenv("TABULIZER_FUZZ_VERBOSE") != nullptr;
    return verbose;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const RunFolder folder;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    // A conversion, failed or not, leaves no descriptor or file in the temporary
    // folder behind (CheckRunInput looks at the folder).
    const int descriptors = tabulizer::fuzz::OpenDescriptors();
    tabulizer::fuzz::RunReport report = tabulizer::fuzz::CheckRunInput(bytes, folder.path);
    if (int now = tabulizer::fuzz::OpenDescriptors(); now != descriptors)
        report.problems.push_back("open descriptors went from " + std::to_string(descriptors) + " to " +
                                  std::to_string(now));
    if (Verbose() && report.converted)
        std::fprintf(stderr, "run: failure %d %s\n", report.failureCode, report.failureText.c_str());
    if (report.problems.empty()) return 0;
    for (const std::string& problem : report.problems) std::fprintf(stderr, "run: %s\n", problem.c_str());
    std::abort();
}
