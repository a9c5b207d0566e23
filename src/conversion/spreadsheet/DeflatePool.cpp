#include "conversion/spreadsheet/DeflatePool.h"

#include <libdeflate.h>
#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>
#include <zlib.h>

#include <cerrno>
#include <charconv>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>

#include "common/Failure.h"
#include "common/SystemReason.h"

namespace tabulizer::sheet {
namespace {

// Workers only run zlib over buffers made ready for them: a small stack is plenty,
// and keeps a process under an address-space limit from losing 8 MB per thread.
constexpr std::size_t kWorkerStack = 256 * 1024;
constexpr int kMaxThreads = 64;
constexpr int kWorkerNice = 5;  // added to the process's own

constexpr int kLevel = 6;  // zlib's default level, as spreadsheet packages are
// A page's sheet is deflated by libdeflate at its fastest level: on 47 MB of sheet XML
// it takes 0.13 s of CPU for 9.65 MB, where its level 6 takes 0.38 s for 8.46 MB and
// zlib's level 1 0.26 s for 10.19 MB. The pages are deflated while the report is read,
// on the cores the converting thread leaves; the less they take, the less they take
// from it, and from the other runs of a batch.
constexpr int kWholeLevel = 1;

// What a thread deflates with: zlib for entries of several blocks (it primes a
// block with the one before and flushes to a byte boundary); libdeflate for an
// entry of one block, the sheet of a page.
struct Deflater {
    z_stream zs{};
    libdeflate_compressor* whole = nullptr;

    bool Make() {
        zs = z_stream{};
        // Raw deflate (no zlib wrapper).
        if (deflateInit2(&zs, kLevel, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) return false;
        whole = libdeflate_alloc_compressor(kWholeLevel);
        if (!whole) deflateEnd(&zs);
        return whole != nullptr;
    }
    void Free() {
        deflateEnd(&zs);
        libdeflate_free_compressor(whole);
    }
};

// Deflates one block; touches nothing but the block, so that it runs on any
// thread. The output buffer is sized beforehand: nothing is allocated here.
void Deflate(Deflater& deflater, DeflateBlock& block) {
    const auto* input = reinterpret_cast<const Bytef*>(block.input.data());
    // libdeflate's checksum: the same value as zlib's, in a fraction of its time.
    block.crc = libdeflate_crc32(0, block.input.data(), block.input.size());
    if (block.last && block.dictionary.empty()) {
        const std::size_t size = libdeflate_deflate_compress(deflater.whole, block.input.data(), block.input.size(),
                                                             block.output.data(), block.output.size());
        block.failed = size == 0;
        block.output.resize(size);
        return;
    }
    z_stream& zs = deflater.zs;
    bool ok = deflateReset(&zs) == Z_OK;
    if (ok && !block.dictionary.empty())
        ok = deflateSetDictionary(&zs, reinterpret_cast<const Bytef*>(block.dictionary.data()),
                                  static_cast<uInt>(block.dictionary.size())) == Z_OK;
    zs.next_in = const_cast<Bytef*>(input);
    zs.avail_in = static_cast<uInt>(block.input.size());
    zs.next_out = block.output.data();
    zs.avail_out = static_cast<uInt>(block.output.size());
    const int flush = block.last ? Z_FINISH : Z_SYNC_FLUSH;
    const int result = ok ? deflate(&zs, flush) : Z_STREAM_ERROR;
    // Everything taken in and, for the last block, the stream ended.
    block.failed = zs.avail_in != 0 || (block.last ? result != Z_STREAM_END : result != Z_OK);
    block.output.resize(block.output.size() - zs.avail_out);
}

// The bound of a finished stream, and room for the flush marker and the empty
// final block of a stream of nothing.
std::size_t OutputBound(std::size_t input) {
    return std::max(input + input / 1000 + 64 + 5 * (input / 16000 + 1), libdeflate_deflate_compress_bound(nullptr, input));
}

int CountCores() {
    cpu_set_t set;
    if (sched_getaffinity(0, sizeof set, &set) == 0) return CPU_COUNT(&set);
    return 1;
}

}  // namespace

int DeflateThreads() {
    if (const char* told = std::getenv(kThreadsVariable)) {
        int threads = 0;
        const char* end = told + std::strlen(told);
        auto [stop, ec] = std::from_chars(told, end, threads);
        if (ec == std::errc() && stop == end && threads >= 1) return std::min(threads, kMaxThreads);
    }
    return std::max(1, std::min(CountCores(), kMaxThreads));
}

struct DeflatePool::Impl {
    struct Worker {
        DeflatePool::Impl* pool;
        Deflater deflater;
        pthread_t thread{};
    };

    std::mutex mutex;
    std::condition_variable work;
    std::condition_variable done;
    std::deque<DeflateBlock*> queue;
    bool stopping = false;
    Deflater own;  // the caller's, when no worker runs
    std::deque<Worker> workers;

    static void* Run(void* arg) {
        auto* worker = static_cast<Worker*>(arg);
        // Pages are deflated while the report is still read: a worker sharing a core
        // with the converting thread, which the run waits for, leaves it the core.
        errno = 0;
        const int nice = getpriority(PRIO_PROCESS, 0);
        if (errno == 0) setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), std::min(nice + kWorkerNice, 19));
        worker->pool->Serve(worker->deflater);
        return nullptr;
    }

    void Serve(Deflater& deflater) {
        std::unique_lock lock(mutex);
        for (;;) {
            work.wait(lock, [this] { return stopping || !queue.empty(); });
            if (stopping) return;
            DeflateBlock* block = queue.front();
            queue.pop_front();
            lock.unlock();
            Deflate(deflater, *block);
            lock.lock();
            block->done = true;
            done.notify_all();
        }
    }

    // A worker is added while its stream and thread can be made; the caller's
    // stream serves when none could.
    void AddWorker() {
        Worker& worker = workers.emplace_back();
        worker.pool = this;
        pthread_attr_t attr;
        bool started = false;
        if (worker.deflater.Make()) {
            if (pthread_attr_init(&attr) == 0) {
                pthread_attr_setstacksize(&attr, kWorkerStack);
                started = pthread_create(&worker.thread, &attr, &Run, &worker) == 0;
                pthread_attr_destroy(&attr);
            }
            if (!started) worker.deflater.Free();
        }
        if (!started) {
            workers.pop_back();
            throw std::bad_alloc();
        }
    }
};

DeflatePool::DeflatePool(int threads) : impl_(std::make_unique<Impl>()) {
    if (!impl_->own.Make()) throw Failure(kOutOfMemory, "cannot start compressing", SystemReason(ENOMEM));
    try {
        for (int i = 0; threads > 1 && i < threads; ++i) impl_->AddWorker();
    } catch (const std::bad_alloc&) {
        // Fewer workers, or none: the output is the same, only slower.
    }
}

DeflatePool::~DeflatePool() {
    {
        std::lock_guard lock(impl_->mutex);
        impl_->stopping = true;
    }
    impl_->work.notify_all();
    for (Impl::Worker& worker : impl_->workers) {
        pthread_join(worker.thread, nullptr);
        worker.deflater.Free();
    }
    impl_->own.Free();
}

int DeflatePool::Workers() const { return static_cast<int>(impl_->workers.size()); }

void DeflatePool::Start(DeflateBlock& block) {
    block.done = false;
    block.failed = false;
    block.output.resize(OutputBound(block.input.size()));
    if (impl_->workers.empty()) {
        Deflate(impl_->own, block);
        block.done = true;
        return;
    }
    {
        std::lock_guard lock(impl_->mutex);
        impl_->queue.push_back(&block);
    }
    impl_->work.notify_one();
}

void DeflatePool::Wait(DeflateBlock& block) {
    if (impl_->workers.empty()) return;
    std::unique_lock lock(impl_->mutex);
    impl_->done.wait(lock, [&block] { return block.done; });
}

bool DeflatePool::Done(DeflateBlock& block) {
    if (impl_->workers.empty()) return block.done;
    std::lock_guard lock(impl_->mutex);
    return block.done;
}

}  // namespace tabulizer::sheet
