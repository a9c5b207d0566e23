#pragma once
// Deflating on every core the process may use. A zip entry is cut into blocks of
// a fixed size; each block is deflated on its own, primed with the 32 KiB before
// it, and ends on a byte boundary (a sync flush), so that the blocks' outputs in
// order make one deflate stream. The cuts depend only on the entry's bytes, hence
// the output is the same whether one thread deflates or many. An entry of one
// block (a page's sheet, mostly) is deflated whole, by libdeflate.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tabulizer::sheet {

// Set for a process by whoever starts several at once (the number of threads each
// may use, from 1); otherwise the cores the process may run on are counted.
inline constexpr const char* kThreadsVariable = "TABULIZER_THREADS";
int DeflateThreads();

inline constexpr std::size_t kDeflateBlock = 256 * 1024;
inline constexpr std::size_t kDeflateWindow = 32 * 1024;

struct DeflateBlock {
    std::string input;       // at most kDeflateBlock bytes of one entry
    std::string dictionary;  // up to kDeflateWindow bytes before them in the entry
    bool last = false;       // ends the entry's stream
    // Filled in by the pool.
    std::vector<unsigned char> output;
    std::uint32_t crc = 0;   // of the input alone
    bool failed = false;
    bool done = false;
};

class DeflatePool {
public:
    // `threads` <= 1 deflates on the caller's thread. Workers that cannot be
    // started are done without; failure 7 only when not even one stream can be made.
    explicit DeflatePool(int threads);
    ~DeflatePool();  // stops the workers; blocks not yet taken stay undone
    DeflatePool(const DeflatePool&) = delete;
    DeflatePool& operator=(const DeflatePool&) = delete;

    // The block stays the caller's and must outlive its deflating (or the pool).
    void Start(DeflateBlock& block);
    void Wait(DeflateBlock& block);
    bool Done(DeflateBlock& block);
    int Workers() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace tabulizer::sheet
