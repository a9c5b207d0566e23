#include "conversion/spreadsheet/ZipWriter.h"

#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <stdexcept>
#include <string>

#include "common/Failure.h"
#include "common/SystemReason.h"

namespace tabulizer::sheet {
namespace {

constexpr std::uint64_t kMax32 = std::numeric_limits<std::uint32_t>::max();
constexpr std::uint16_t kVersion = 20;      // 2.0: deflate
constexpr std::uint16_t kDeflated = 8;
constexpr std::uint16_t kDate1980 = 0x21;   // 1 January 1980, the format's first day
constexpr std::uint64_t kLocalHeaderSize = 30;  // before the entry's name

[[noreturn]] void WriteFailed(int error) {
    throw Failure(kCannotWrite, "cannot write the workbook", SystemReason(error ? error : EIO));
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

// Two blocks per worker keep every worker busy while the caller writes; the
// caller's own deflating needs none waiting.
ZipWriter::ZipWriter(std::FILE* file, int threads)
    : file_(file), pool_(threads) {
    maxInFlight_ = 2 * static_cast<std::size_t>(pool_.Workers());
}

ZipWriter::~ZipWriter() = default;

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

std::size_t ZipWriter::Begin(std::string name) {
    Entry entry;
    entry.name = std::move(name);
    entry.crc = static_cast<std::uint32_t>(crc32(0, nullptr, 0));
    entries_.push_back(std::move(entry));
    pending_.push_back({Pending::kLocalHeader, entries_.size() - 1, {}});
    buffer_.clear();
    window_.clear();
    return entries_.size() - 1;
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
    if (!buffer_.empty() || !entry.reserved.empty() || data.size() > 0xFFFF)
        throw std::logic_error("reserved zip entry bytes must come first and fit one stored block");
    entry.reserved = data;
    pending_.push_back({Pending::kStored, entries_.size() - 1, {}});
}

void ZipWriter::Rewrite(std::string_view data) {
    std::string& reserved = entries_.back().reserved;
    if (data.size() != reserved.size()) throw std::logic_error("rewritten zip entry bytes change their length");
    reserved = data;
}

// A block of the current entry goes to the pool, primed with the bytes before it.
void ZipWriter::StartBlock(bool last) {
    Pending& pending = pending_.emplace_back(Pending{Pending::kBlock, entries_.size() - 1, {}});
    DeflateBlock& block = pending.block;
    block.last = last;
    if (last) {
        block.dictionary.swap(window_);  // no block of the entry follows to be primed
    } else {
        block.dictionary = window_;
        if (buffer_.size() >= kDeflateWindow) {
            window_.assign(buffer_, buffer_.size() - kDeflateWindow, kDeflateWindow);
        } else {
            window_ += buffer_;
            if (window_.size() > kDeflateWindow) window_.erase(0, window_.size() - kDeflateWindow);
        }
    }
    block.input.swap(buffer_);
    buffer_.clear();
    ++inFlight_;
    pool_.Start(block);
}

// The checksum is of the deflated data alone; End puts the reserved bytes in front.
void ZipWriter::Write(std::string_view data) {
    // A block is cut only when more follows it: the cuts depend on the bytes alone.
    while (!data.empty()) {
        if (buffer_.size() == kDeflateBlock) {
            StartBlock(false);
            Drain(maxInFlight_);
        }
        const std::size_t take = std::min(kDeflateBlock - buffer_.size(), data.size());
        buffer_.append(data.substr(0, take));
        data.remove_prefix(take);
    }
}

void ZipWriter::End() {
    entries_.back().ended = true;
    StartBlock(true);
    pending_.push_back({Pending::kSizes, entries_.size() - 1, {}});
    Drain(maxInFlight_);
}

// Writes what waits in front, waiting for blocks only while more than `keep` are in
// flight. The local header of an entry queued whole waits for its blocks, so that it
// goes out complete: a page's sheet then costs no going back to its header (a flush
// and two seeks of the file).
void ZipWriter::Drain(std::size_t keep) {
    while (!pending_.empty()) {
        Pending& front = pending_.front();
        if (front.kind == Pending::kLocalHeader && entries_[front.entry].ended && !FrontEntryDeflated(keep)) return;
        if (front.kind == Pending::kBlock) {
            if (inFlight_ <= keep && !pool_.Done(front.block)) return;
            pool_.Wait(front.block);
            --inFlight_;
        }
        PutPending(front);
        pending_.pop_front();
    }
}

// Whether the blocks of the entry whose header is in front are all deflated;
// waits for them while more than `keep` blocks are in flight.
bool ZipWriter::FrontEntryDeflated(std::size_t keep) {
    const std::size_t entry = pending_.front().entry;
    for (Pending& pending : pending_) {
        if (pending.entry != entry) break;
        if (pending.kind != Pending::kBlock || pool_.Done(pending.block)) continue;
        if (inFlight_ <= keep) return false;
        pool_.Wait(pending.block);
    }
    return true;
}

// What one item adds to its entry's checksum and sizes; the checksum is of the
// deflated blocks until the end, which puts that of the reserved bytes in front.
void ZipWriter::Account(Entry& entry, const Pending& pending) const {
    switch (pending.kind) {
    case Pending::kLocalHeader:
        return;
    case Pending::kStored:
        entry.size += entry.reserved.size();
        entry.compressed += 5 + entry.reserved.size();
        return;
    case Pending::kBlock: {
        const DeflateBlock& block = pending.block;
        entry.crc = static_cast<std::uint32_t>(crc32_combine(entry.crc, block.crc, static_cast<z_off_t>(block.input.size())));
        entry.size += block.input.size();
        entry.compressed += block.output.size();
        return;
    }
    case Pending::kSizes:
        if (!entry.reserved.empty()) {
            const auto head = crc32(0, reinterpret_cast<const Bytef*>(entry.reserved.data()),
                                    static_cast<uInt>(entry.reserved.size()));
            entry.crc = static_cast<std::uint32_t>(
                crc32_combine(head, entry.crc, static_cast<z_off_t>(entry.size - entry.reserved.size())));
        }
        return;
    }
}

void ZipWriter::PutPending(Pending& pending) {
    Entry& entry = entries_[pending.entry];
    Account(entry, pending);
    switch (pending.kind) {
    case Pending::kLocalHeader:
        entry.offset = at_;
        if (entry.ended) {
            // Every item of the entry waits right behind its header, deflated.
            Entry whole = entry;
            for (const Pending& item : pending_)
                if (item.entry == pending.entry) Account(whole, item);
            PutLocalHeader(whole);
            entry.sized = true;
        } else {
            PutLocalHeader(entry);  // sizes and checksum filled in when the entry ends
        }
        return;
    case Pending::kStored:
        PutStored(entry.reserved);
        return;
    case Pending::kBlock: {
        const DeflateBlock& block = pending.block;
        if (block.failed) throw Failure(kCannotWrite, "cannot compress the workbook", SystemReason(EIO));
        Put(block.output.data(), block.output.size());
        return;
    }
    case Pending::kSizes: {
        if (entry.sized) {
            entry.reserved.clear();
            entry.reserved.shrink_to_fit();
            return;
        }
        // Back to the local header for the sizes and the reserved bytes as they are
        // now, then on at the end.
        const auto end = at_;
        errno = 0;
        if (std::fflush(file_) != 0 || fseeko(file_, static_cast<off_t>(entry.offset), SEEK_SET) != 0)
            WriteFailed(errno);
        at_ = entry.offset;
        PutLocalHeader(entry);
        if (!entry.reserved.empty()) PutStored(entry.reserved);  // right after the local header
        entry.reserved.clear();
        entry.reserved.shrink_to_fit();
        if (fseeko(file_, static_cast<off_t>(end), SEEK_SET) != 0) WriteFailed(errno);
        at_ = end;
        return;
    }
    }
}

void ZipWriter::PutCentralHeader(const Entry& e) {
    Header h;
    h.U32(0x02014b50).U16(kVersion).U16(kVersion).U16(0).U16(kDeflated).U16(0).U16(kDate1980);
    h.U32(e.crc).U32(e.compressed).U32(e.size);
    h.U16(static_cast<std::uint16_t>(e.name.size())).U16(0).U16(0).U16(0).U16(0).U32(0).U32(e.offset);
    h.Text(e.name);
    Put(h.Bytes().data(), h.Bytes().size());
}

void ZipWriter::Flush() {
    Drain(0);
    errno = 0;
    if (std::fflush(file_) != 0) WriteFailed(errno);
}

DeflatedEntry ZipWriter::Deflated(std::size_t entry) const {
    const Entry& e = entries_.at(entry);
    if (!pending_.empty()) throw std::logic_error("a zip entry is asked for before it was written out");
    return {e.crc, e.compressed, e.size, e.offset + kLocalHeaderSize + e.name.size()};
}

void ZipWriter::Copy(std::string name, const DeflatedEntry& deflated, const ReadDeflated& read) {
    Drain(0);
    Entry& entry = entries_.emplace_back();
    entry.name = std::move(name);
    entry.crc = deflated.crc;
    entry.compressed = deflated.compressed;
    entry.size = deflated.size;
    entry.offset = at_;
    entry.ended = entry.sized = true;
    PutLocalHeader(entry);
    std::string piece;
    for (std::uint64_t done = 0; done < deflated.compressed;) {
        piece.resize(static_cast<std::size_t>(std::min<std::uint64_t>(kDeflateBlock, deflated.compressed - done)));
        read(deflated.data + done, piece.data(), piece.size());
        Put(piece.data(), piece.size());
        done += piece.size();
    }
}

void ZipWriter::Finish() {
    Drain(0);
    if (entries_.size() > 0xFFFF) throw Failure(kCannotWrite, "too many parts for a zip archive");
    const std::uint64_t start = at_;
    for (const Entry& entry : entries_) PutCentralHeader(entry);
    const auto count = static_cast<std::uint16_t>(entries_.size());
    Header h;
    h.U32(0x06054b50).U16(0).U16(0).U16(count).U16(count).U32(at_ - start).U32(start).U16(0);
    Put(h.Bytes().data(), h.Bytes().size());
}

}  // namespace tabulizer::sheet
