// The run of the flat table: the pages are read as for the paged workbook, but the
// information lines go straight into one table file, written as they come, and
// each page's sheet is dropped when the page ends.
#include <algorithm>
#include <climits>
#include <exception>
#include <filesystem>
#include <stdexcept>

#include "common/ReplaceFile.h"
#include "conversion/CellWriter.h"
#include "conversion/ConversionRun.h"
#include "conversion/FlatOutput.h"

namespace tabulizer {

// Lines that are no information are passed over: separators, fixed lines, empty
// lines; a line of blanks alone gives no row either.
void ConversionRun::FlatLine() {
    auto& flags = ctx_.flags;
    if (flags.IsSep || flags.IsFix) {
        flags.IsSep = flags.IsFix = false;
        return;
    }
    std::string& line = ctx_.reader.Current();
    if (!line.empty() && line[0] == '\f') line[0] = ' ';
    if (line.empty()) return;
    ctx_.flat->TakeLine();
    if (wait) wait();
    if (showProgress) showProgress(static_cast<int>(std::min<long>(ctx_.flat->Rows(), INT_MAX)),
                                  static_cast<int>(std::min<long>(ctx_.FlatPages - 1, INT_MAX)));
}

// The table is written into a temporary file beside the output and renamed over it
// at the end, so that a failed or cancelled run leaves the previous output as it was.
ConversionRun::Result ConversionRun::ExecuteFlat() {
    const bool handOver = ctx_.d.NoClose;
    const std::string path = handOver ? TemporaryWorkbookPath(ctx_.d.NameIn) : ctx_.d.NameOut;
    bool cancelled = false;
    std::exception_ptr stopped;  // the run's own failure, kept with its code
    try {
        ReplaceFile(path, [&](const std::string& temporary) {
            try {
                FlatOutput out(ctx_, temporary, path, ctx_.run.Csv);
                ctx_.flat = &out;
                cancelled = !AllPages();
                if (!cancelled) {
                    ctx_.reader.Close();
                    out.Close();
                }
                ctx_.flat = nullptr;
            } catch (...) {
                ctx_.flat = nullptr;
                stopped = std::current_exception();
            }
            if (stopped || cancelled) throw std::runtime_error("the flat table was not finished");
        });
    } catch (...) {
        if (handOver) {
            std::error_code ignored;
            std::filesystem::remove_all(std::filesystem::path(path).parent_path(), ignored);
        }
        if (stopped) std::rethrow_exception(stopped);
        if (cancelled) return Result::Cancelled;
        throw;
    }
    if (!handOver) return Result::Saved;
    if (!ctx_.host.OpenInDesktop(path))
        throw Failure(kPathAccessError, "cannot hand the workbook to the desktop: " + path);
    return Result::HandedOver;
}

}  // namespace tabulizer
