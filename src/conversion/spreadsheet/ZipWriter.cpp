#include "conversion/spreadsheet/ZipWriter.h"

#include <cerrno>
#include <limits>
#include <stdexcept>
#include <string>

#include "common/Failure.h"
#include "common/SystemReason.h"

namespace tabulizer::sheet {
namespace {

constexpr std::size_t kOutChunk = 64 * 1024;
constexpr std::uint64_t kMax32 = std::numeric_limits<std::uint32_t>::max();
constexpr std::uint16_t kVersion = 20;      // 2.0: deflate
constexpr std::uint16_t kDeflated = 8;
constexpr std::uint16_t kDate1980 = 0x21;   // 1 January 1980, the format's first day

[[noreturn]] void WriteFailed(int error) {
    throw Failure(kCannotWrite, "cannot write the workbook", SystemReason(error ? error : EIO));
}

// Z_BUF_ERROR only says that a call could make no progress, which the loop allows.
void CheckDeflate(int result) {
    if (result == Z_OK || result == Z_STREAM_END || result == Z_BUF_ERROR) return;
    if (result == Z_MEM_ERROR) throw Failure(kOutOfMemory, "compressing ran out of memory", SystemReason(ENOMEM));
    throw Failure(kCannotWrite, "compressing failed (zlib " + std::to_string(result) + ")",
                  "сбой сжатия (zlib " + std::to_string(result) + ")");
}

// Little-endian fields of a header.
class Header {
public:
    Header& U16(std::uint16_t v) {
        bytes_ += static_cast<char>(v & 0xFF);
        bytes_ += static_cast<char>(v >> 8);
        return *this;
    }
    Header& U32(std::uint64_t v) {
        if (v > kMax32) throw Failure(kCannotWrite, "the workbook passes 4 GB", "книга или её лист больше 4 ГБ");
        return U16(static_cast<std::uint16_t>(v & 0xFFFF)).U16(static_cast<std::uint16_t>(v >> 16));
    }
    Header& Text(const std::string& text) {
        bytes_ += text;
        return *this;
    }
    const std::string& Bytes() const { return bytes_; }

private:
    std::string bytes_;
};

}  // namespace

ZipWriter::ZipWriter(std::FILE* file) : file_(file), out_(kOutChunk) {
    // Raw deflate (no zlib wrapper) at the default level, as spreadsheet packages are.
    if (deflateInit2(&zs_, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw Failure(kOutOfMemory, "cannot start compressing", SystemReason(ENOMEM));
}

ZipWriter::~ZipWriter() { deflateEnd(&zs_); }

void ZipWriter::Put(const void* data, std::size_t size) {
    errno = 0;
    if (size && std::fwrite(data, 1, size, file_) != size) WriteFailed(errno);
    at_ += size;
}

void ZipWriter::PutLocalHeader(const Entry& e) {
    Header h;
    h.U32(0x04034b50).U16(kVersion).U16(0).U16(kDeflated).U16(0).U16(kDate1980);
    h.U32(e.crc).U32(e.compressed).U32(e.size);
    h.U16(static_cast<std::uint16_t>(e.name.size())).U16(0).Text(e.name);
    Put(h.Bytes().data(), h.Bytes().size());
}

void ZipWriter::Begin(std::string name) {
    Entry entry;
    entry.name = std::move(name);
    entry.offset = at_;
    entry.crc = static_cast<std::uint32_t>(crc32(0, nullptr, 0));
    PutLocalHeader(entry);  // sizes and checksum filled in by End
    entries_.push_back(std::move(entry));
    reserved_.clear();
    CheckDeflate(deflateReset(&zs_));
}

// A stored block that is not the last: a zero byte (not final, type 0, padded to the
// byte), the length and its complement; the deflated blocks follow on the next byte.
void ZipWriter::PutStored(std::string_view data) {
    const auto size = static_cast<std::uint16_t>(data.size());
    const std::uint16_t complement = ~size;
    const unsigned char head[5] = {0, static_cast<unsigned char>(size & 0xFF), static_cast<unsigned char>(size >> 8),
                                   static_cast<unsigned char>(complement & 0xFF),
                                   static_cast<unsigned char>(complement >> 8)};
    Put(head, sizeof head);
    Put(data.data(), data.size());
}

void ZipWriter::Reserve(std::string_view data) {
    Entry& entry = entries_.back();
    if (entry.size > 0 || !reserved_.empty() || data.size() > 0xFFFF)
        throw std::logic_error("reserved zip entry bytes must come first and fit one stored block");
    PutStored(data);
    reserved_ = data;
    entry.size += data.size();
    entry.compressed += 5 + data.size();
}

void ZipWriter::Rewrite(std::string_view data) {
    if (data.size() != reserved_.size()) throw std::logic_error("rewritten zip entry bytes change their length");
    reserved_ = data;
}

void ZipWriter::Deflate(std::string_view data, int flush) {
    zs_.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    zs_.avail_in = static_cast<uInt>(data.size());
    do {
        zs_.next_out = out_.data();
        zs_.avail_out = static_cast<uInt>(out_.size());
        CheckDeflate(deflate(&zs_, flush));
        std::size_t produced = out_.size() - zs_.avail_out;
        Put(out_.data(), produced);
        entries_.back().compressed += produced;
    } while (zs_.avail_out == 0);
}

// The checksum is of the deflated data alone; End puts the reserved bytes in front.
void ZipWriter::Write(std::string_view data) {
    Entry& entry = entries_.back();
    // zlib counts in 32 bits: long data goes in pieces.
    constexpr std::size_t kPiece = 1u << 30;
    for (std::size_t at = 0; at < data.size(); at += kPiece) {
        std::string_view piece = data.substr(at, kPiece);
        entry.crc = static_cast<std::uint32_t>(
            crc32(entry.crc, reinterpret_cast<const Bytef*>(piece.data()), static_cast<uInt>(piece.size())));
        entry.size += piece.size();
        Deflate(piece, Z_NO_FLUSH);
    }
}

void ZipWriter::End() {
    Deflate({}, Z_FINISH);
    Entry& entry = entries_.back();
    if (!reserved_.empty()) {
        const auto head = crc32(0, reinterpret_cast<const Bytef*>(reserved_.data()), static_cast<uInt>(reserved_.size()));
        entry.crc = static_cast<std::uint32_t>(
            crc32_combine(head, entry.crc, static_cast<z_off_t>(entry.size - reserved_.size())));
    }
    // Back to the local header for the sizes, then on at the end.
    const auto end = at_;
    errno = 0;
    if (std::fflush(file_) != 0 || fseeko(file_, static_cast<off_t>(entry.offset), SEEK_SET) != 0) WriteFailed(errno);
    at_ = entry.offset;
    PutLocalHeader(entry);
    if (!reserved_.empty()) PutStored(reserved_);  // right after the local header
    if (fseeko(file_, static_cast<off_t>(end), SEEK_SET) != 0) WriteFailed(errno);
    at_ = end;
}

void ZipWriter::PutCentralHeader(const Entry& e) {
    Header h;
    h.U32(0x02014b50).U16(kVersion).U16(kVersion).U16(0).U16(kDeflated).U16(0).U16(kDate1980);
    h.U32(e.crc).U32(e.compressed).U32(e.size);
    h.U16(static_cast<std::uint16_t>(e.name.size())).U16(0).U16(0).U16(0).U16(0).U32(0).U32(e.offset);
    h.Text(e.name);
    Put(h.Bytes().data(), h.Bytes().size());
}

void ZipWriter::Finish() {
    if (entries_.size() > 0xFFFF) throw Failure(kCannotWrite, "too many parts for a zip archive");
    const std::uint64_t start = at_;
    for (const Entry& entry : entries_) PutCentralHeader(entry);
    const auto count = static_cast<std::uint16_t>(entries_.size());
    Header h;
    h.U32(0x06054b50).U16(0).U16(0).U16(count).U16(count).U32(at_ - start).U32(start).U16(0);
    Put(h.Bytes().data(), h.Bytes().size());
}

}  // namespace tabulizer::sheet
