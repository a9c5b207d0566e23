// libFuzzer target: the bytes are a report; the project inferred from it is
// written, loaded back and converted into a real workbook.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "InferCheck.h"

namespace {

// One folder per process, emptied for every input and removed at exit.
struct InferFolder {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("tabulizer-fuzz-infer-" + std::to_string(::getpid()));
    ~InferFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const InferFolder folder;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const int descriptors = tabulizer::fuzz::OpenDescriptors();
    tabulizer::fuzz::InferOutcome report = tabulizer::fuzz::CheckInferInput(bytes, folder.path);
    if (int now = tabulizer::fuzz::OpenDescriptors(); now != descriptors)
        report.problems.push_back("open descriptors went from " + std::to_string(descriptors) + " to " +
                                  std::to_string(now));
    if (report.problems.empty()) return 0;
    for (const std::string& problem : report.problems) std::fprintf(stderr, "infer: %s\n", problem.c_str());
    std::abort();
}
