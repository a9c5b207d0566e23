#pragma once
// A long step that must not freeze the window: it runs on a thread of its own while
// this thread keeps processing window events.
#include <chrono>
#include <functional>

namespace tabulizer {

// Runs `job` on a worker thread and calls `meanwhile` on this thread, at least every
// `interval`, until the job has finished; then rethrows the job's exception, if any.
// Should `meanwhile` throw, the job (which cannot be interrupted) is waited for first,
// and the exception of `meanwhile` goes on.
void RunBeside(const std::function<void()>& job, const std::function<void()>& meanwhile,
               std::chrono::milliseconds interval);

}  // namespace tabulizer
