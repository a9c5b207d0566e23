#include "conversion/RunBeside.h"

#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

namespace tabulizer {
namespace {

// What the worker tells the waiting thread.
struct Outcome {
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    std::exception_ptr failure;
};

}  // namespace

void RunBeside(const std::function<void()>& job, const std::function<void()>& meanwhile,
               std::chrono::milliseconds interval) {
    Outcome outcome;
    std::thread worker([&job, &outcome] {
        std::exception_ptr failure;
        try {
            job();
        } catch (...) {
            failure = std::current_exception();
        }
        std::lock_guard lock(outcome.mutex);
        outcome.failure = failure;
        outcome.done = true;
        outcome.finished.notify_all();
    });
    try {
        for (;;) {
            {
                std::unique_lock lock(outcome.mutex);
                if (outcome.finished.wait_for(lock, interval, [&outcome] { return outcome.done; })) break;
            }
            meanwhile();
        }
    } catch (...) {
        worker.join();
        throw;
    }
    worker.join();
    if (outcome.failure) std::rethrow_exception(outcome.failure);
}

}  // namespace tabulizer
