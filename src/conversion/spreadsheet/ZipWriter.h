#pragma once
// A .zip archive written front to back, as an .xlsx package is: each entry deflated
// while it is written, its local header completed when it ends, the central
// directory at the close. The plain format's 32-bit sizes and offsets are kept to
// (no ZIP64): an archive that would pass 4 GB is refused. Entries are deflated in
// blocks on the pool's threads while the caller goes on; the file is written on
// the caller's thread, in order, with a bounded number of blocks in flight.
#include <cstdint>
#include <cstdio>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "conversion/spreadsheet/DeflatePool.h"

namespace tabulizer::sheet {

// An entry deflated by one writer, to be copied whole into another archive.
struct DeflatedEntry {
    std::uint32_t crc = 0;
    std::uint64_t compressed = 0;
    std::uint64_t size = 0;
    std::uint64_t data = 0;  // where its deflated bytes start in the first writer's file
};

// Fills `into` with `size` bytes found at `offset` of where an entry was deflated.
using ReadDeflated = std::function<void(std::uint64_t offset, char* into, std::size_t size)>;

class ZipWriter {
public:
    // `file` is open for writing at its start; it stays the caller's to close.
    explicit ZipWriter(std::FILE* file, int threads = DeflateThreads());
    ~ZipWriter();
    ZipWriter(const ZipWriter&) = delete;
    ZipWriter& operator=(const ZipWriter&) = delete;

    // Begins an entry; its number, from 0, in the order of Begin and Copy.
    std::size_t Begin(std::string name);
    // The entry's first bytes, stored uncompressed so that Rewrite can change them
    // in place until End: for what is known only once the rest is written. Right
    // after Begin; at most 65535 bytes.
    void Reserve(std::string_view data);
    // The reserved bytes, changed; of the same length.
    void Rewrite(std::string_view data);
    void Write(std::string_view data);
    void End();
    // Writes the central directory; the archive is complete once the file is closed.
    void Finish();

    // Writes out every entry ended so far (waiting for their blocks) and the file's buffer.
    void Flush();
    // Entry `entry` as written out by Flush.
    DeflatedEntry Deflated(std::size_t entry) const;
    // An entry deflated before (Deflated of another writer), after the entries before it.
    void Copy(std::string name, const DeflatedEntry& deflated, const ReadDeflated& read);

    // Failures throw Failure(1004) with the system's reason as detail.

private:
    struct Entry {
        std::string name;
        std::uint32_t crc = 0;
        std::uint64_t compressed = 0;
        std::uint64_t size = 0;
        std::uint64_t offset = 0;
        std::string reserved;  // the entry's reserved first bytes, stored
        bool ended = false;    // all of it is queued
        bool sized = false;    // its local header went out with the sizes and checksum
    };

    // Output waiting for what comes before it in the file.
    struct Pending {
        enum Kind { kLocalHeader, kStored, kBlock, kSizes } kind;
        std::size_t entry;
        DeflateBlock block;
    };

    void StartBlock(bool last);
    void Drain(std::size_t keep);
    bool FrontEntryDeflated(std::size_t keep);
    void Account(Entry& entry, const Pending& pending) const;
    void PutPending(Pending& pending);
    void Put(const void* data, std::size_t size);
    void PutLocalHeader(const Entry& entry);
    void PutCentralHeader(const Entry& entry);
    void PutStored(std::string_view data);

    std::FILE* file_;
    std::uint64_t at_ = 0;  // bytes written so far
    std::vector<Entry> entries_;
    std::string buffer_;    // the current entry's bytes not yet in a block
    std::string window_;    // the current entry's last bytes before buffer_
    std::size_t inFlight_ = 0;  // blocks in pending_
    std::size_t maxInFlight_;
    std::deque<Pending> pending_;
    DeflatePool pool_;  // after pending_: its workers stop before the blocks go
};

}  // namespace tabulizer::sheet
