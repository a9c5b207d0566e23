#include "common/SaveSignals.h"

#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <climits>
#include <cstring>
#include <mutex>

namespace tabulizer {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP, SIGPIPE, SIGXFSZ};
constexpr int kSlots = 8;  // saves running at the same time, in threads of one process

// A handler may only read what was prepared before it ran: the paths are copied
// into fixed buffers before a slot is marked used, and cleared only after.
struct Slot {
    std::atomic<bool> used{false};
    bool folder = false;
    char path[PATH_MAX] = {};
};
Slot slots[kSlots];
struct sigaction previous[NSIG];

std::mutex installMutex;
int guards = 0;

void RemoveAndReraise(int signal) {
    for (Slot& slot : slots)
        if (slot.used.load() && !slot.folder) ::unlink(slot.path);
    for (Slot& slot : slots)
        if (slot.used.load() && slot.folder) ::rmdir(slot.path);
    // The program ends as the signal would have ended it (or as the handler that was
    // there before decides).
    sigaction(signal, &previous[signal], nullptr);
    raise(signal);
}

void Install() {
    struct sigaction action {};
    action.sa_handler = RemoveAndReraise;
    sigemptyset(&action.sa_mask);
    for (int signal : kSignals) sigaddset(&action.sa_mask, signal);
    for (int signal : kSignals) {
        sigaction(signal, nullptr, &previous[signal]);
        // A signal the program was told to ignore (nohup) stays ignored.
        if (previous[signal].sa_handler != SIG_IGN) sigaction(signal, &action, nullptr);
    }
}

void Restore() {
    for (int signal : kSignals) sigaction(signal, &previous[signal], nullptr);
}

}  // namespace

TemporaryFileGuard::TemporaryFileGuard(const std::string& path, Kind kind) : slot_(-1) {
    std::lock_guard lock(installMutex);
    if (path.size() >= PATH_MAX) return;
    for (int i = 0; i < kSlots; ++i) {
        if (slots[i].used.load()) continue;
        std::memcpy(slots[i].path, path.c_str(), path.size() + 1);
        slots[i].folder = kind == Kind::Folder;
        slots[i].used.store(true);
        slot_ = i;
        break;
    }
    if (slot_ >= 0 && guards++ == 0) Install();
}

TemporaryFileGuard::~TemporaryFileGuard() {
    if (slot_ < 0) return;
    std::lock_guard lock(installMutex);
    slots[slot_].used.store(false);
    if (--guards == 0) Restore();
}

EndingSignalsHeld::EndingSignalsHeld() {
    sigset_t held;
    sigemptyset(&held);
    for (int signal : kSignals) sigaddset(&held, signal);
    pthread_sigmask(SIG_BLOCK, &held, &before_);
}

EndingSignalsHeld::~EndingSignalsHeld() { pthread_sigmask(SIG_SETMASK, &before_, nullptr); }

}  // namespace tabulizer
