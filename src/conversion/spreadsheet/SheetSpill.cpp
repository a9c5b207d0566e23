// The file holds each sheet as one record, in this process's own byte order: its
// name, widest row, selection, merged areas, widths, text arena, then its rows as
// the raw cells they hold.
#include "conversion/spreadsheet/SheetSpill.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <type_traits>
#include <utility>

#include "common/Failure.h"
#include "common/SystemReason.h"
#include "conversion/spreadsheet/Sheet.h"
#include "conversion/spreadsheet/SheetXml.h"
#include "conversion/spreadsheet/UnnamedFile.h"
#include "conversion/spreadsheet/XlsxPackage.h"
#include "conversion/spreadsheet/ZipWriter.h"

namespace tabulizer::sheet {
namespace {

static_assert(std::is_trivially_copyable_v<Cell> && std::is_trivially_copyable_v<CellRange>);

// A record above this is not kept in the buffer between sheets.
constexpr std::size_t kKeptBuffer = 4u << 20;
// The buffer of the file of deflated parts: a few pages' worth.
constexpr std::size_t kPartBuffer = 256u << 10;

[[noreturn]] void SpillFailed(const char* what, const char* failed, int error) {
    throw Failure(error == ENOMEM ? kOutOfMemory : kDeviceIoError, what,
                  std::string("Не удалось ") + failed + " временный файл готовых листов: " + SystemReason(error));
}

// pread or pwrite of a whole record, resumed after interruptions and short
// transfers; 0, or the error (a transfer of nothing counts as a full disk or an
// early end of the file).
template <typename Transfer, typename Bytes>
int Whole(Transfer transfer, int fd, Bytes* data, const SpillRef& where) {
    for (std::size_t done = 0; done < where.size;) {
        ssize_t n = transfer(fd, data + done, where.size - done, static_cast<off_t>(where.offset + done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        if (n == 0) return std::is_const_v<Bytes> ? ENOSPC : EIO;
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

template <typename T>
void Put(std::string& out, const T& value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

void PutBytes(std::string& out, const void* data, std::size_t size) {
    Put(out, static_cast<std::uint64_t>(size));
    if (size) out.append(static_cast<const char*>(data), size);
}

// Reads a record back; the record is this process's own, so running past its end
// means the file was damaged under it.
class Reader {
public:
    explicit Reader(const std::string& record) : at_(record.data()), end_(at_ + record.size()) {}

    template <typename T>
    T Get() {
        T value;
        std::memcpy(&value, Take(sizeof value), sizeof value);
        return value;
    }
    // The next byte run, as PutBytes wrote it.
    std::pair<const char*, std::size_t> Bytes() {
        auto size = static_cast<std::size_t>(Get<std::uint64_t>());
        return {Take(size), size};
    }

private:
    const char* Take(std::size_t size) {
        if (static_cast<std::size_t>(end_ - at_) < size)
            throw Failure(kDeviceIoError, "a sheet put aside reads back damaged");
        const char* taken = at_;
        at_ += size;
        return taken;
    }

    const char* at_;
    const char* end_;
};

}  // namespace

SheetSpill::~SheetSpill() {
    DropParts();
    if (fd_ >= 0) ::close(fd_);
}

void Sheet::Encode(std::string& out) const {
    PutBytes(out, name_.data(), name_.size());
    Put(out, widest_);
    Put(out, selection);
    const std::vector<CellRange> areas = merges.All();
    PutBytes(out, areas.data(), areas.size() * sizeof(CellRange));
    Put(out, static_cast<std::uint64_t>(widths.size()));
    for (const auto& [column, width] : widths) {
        Put(out, column);
        Put(out, width);
    }
    PutBytes(out, arena_.data(), arena_.size());
    Put(out, static_cast<std::uint64_t>(rows_.size()));
    for (const auto& cells : rows_) PutBytes(out, cells.data(), cells.size() * sizeof(Cell));
}

std::unique_ptr<Sheet> Sheet::Decode(const std::string& record) {
    Reader in(record);
    auto [name, nameSize] = in.Bytes();
    auto sheet = std::make_unique<Sheet>(std::string(name, nameSize));
    sheet->widest_ = in.Get<int>();
    sheet->selection = in.Get<CellRange>();
    auto [areas, areasSize] = in.Bytes();
    for (std::size_t i = 0; i < areasSize / sizeof(CellRange); ++i) {
        CellRange area;
        std::memcpy(&area, areas + i * sizeof area, sizeof area);
        sheet->merges.Merge(area);  // the areas never intersect: each is taken as it is
    }
    for (auto n = in.Get<std::uint64_t>(); n > 0; --n) {
        int column = in.Get<int>();
        sheet->widths[column] = in.Get<double>();
    }
    auto [arena, arenaSize] = in.Bytes();
    sheet->arena_.assign(arena, arenaSize);
    sheet->rows_.resize(static_cast<std::size_t>(in.Get<std::uint64_t>()));
    for (auto& cells : sheet->rows_) {
        auto [data, size] = in.Bytes();
        cells.resize(size / sizeof(Cell));
        if (!cells.empty()) std::memcpy(cells.data(), data, cells.size() * sizeof(Cell));
    }
    return sheet;
}

SpillRef SheetSpill::Store(const Sheet& sheet, CellFormats& formats) {
    if (fd_ < 0) {
        fd_ = OpenUnnamedFile(nullptr);
        if (fd_ < 0) SpillFailed("cannot create the file of finished sheets", "создать", errno);
    }
    buffer_.clear();
    sheet.Encode(buffer_);
    SpillRef where{end_, buffer_.size()};
    if (int error = Whole(::pwrite, fd_, std::as_const(buffer_).data(), where))
        SpillFailed("cannot put a finished sheet aside", "записать", error);
    end_ += where.size;
    if (buffer_.capacity() > kKeptBuffer) std::string().swap(buffer_);
    DeflatePart(sheet, formats, where);
    return where;
}

// The part goes to the deflate workers as it is written; the converting thread goes
// on with the next page while they deflate it.
void SheetSpill::DeflatePart(const Sheet& sheet, CellFormats& formats, SpillRef& where) {
    if (partsFailed_) return;
    if (!partFile_) {
        const int fd = OpenUnnamedFile(nullptr);
        if (fd >= 0 && !(partFile_ = ::fdopen(fd, "w+b"))) ::close(fd);
        if (!partFile_) return DropParts();
        std::setvbuf(partFile_, nullptr, _IOFBF, kPartBuffer);
    }
    try {
        if (!parts_) parts_ = std::make_unique<ZipWriter>(partFile_);
        const std::size_t entry = parts_->Begin({});
        WriteHeldSheet(*parts_, formats, sheet, false);
        parts_->End();
        where.part = entry + 1;
    } catch (const std::exception&) {
        DropParts();
    }
}

void SheetSpill::DropParts() {
    parts_.reset();
    if (partFile_) std::fclose(partFile_);
    partFile_ = nullptr;
    partsFailed_ = true;
}

void SheetSpill::FinishParts() {
    if (!parts_) return;
    try {
        parts_->Flush();
    } catch (const std::exception&) {
        DropParts();
    }
}

void SheetSpill::CopyPart(const SpillRef& where, const std::string& utf8Name, XlsxPackage& package) const {
    const int fd = ::fileno(partFile_);
    package.CopySheet(utf8Name, parts_->Deflated(where.part - 1), [fd](std::uint64_t offset, char* into, std::size_t size) {
        if (int error = Whole(::pread, fd, into, SpillRef{offset, size, 0}))
            SpillFailed("cannot read a finished sheet back", "прочитать", error);
    });
}

std::unique_ptr<Sheet> SheetSpill::Load(const SpillRef& where) const {
    std::string record(where.size, '\0');
    if (int error = Whole(::pread, fd_, record.data(), where))
        SpillFailed("cannot read a finished sheet back", "прочитать", error);
    return Sheet::Decode(record);
}

}  // namespace tabulizer::sheet
