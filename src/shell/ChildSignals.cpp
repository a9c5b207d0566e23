#include "shell/ChildSignals.h"

#include <unistd.h>

#include <cstdlib>

namespace tabulizer {
namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
constexpr int kMaxChildren = 1024;

// Read by the handler: written only while the signals are held.
volatile sig_atomic_t children[kMaxChildren];
volatile sig_atomic_t caught = 0;
struct sigaction previous[NSIG];
bool installed[NSIG];

void Forward(int signal) {
    caught = signal;
    for (int i = 0; i < kMaxChildren; ++i)
        if (children[i] > 0) ::kill(static_cast<pid_t>(children[i]), signal);
}

sigset_t Held() {
    sigset_t set;
    sigemptyset(&set);
    for (int signal : kSignals) sigaddset(&set, signal);
    return set;
}

void Restore() {
    for (int signal : kSignals)
        if (installed[signal]) sigaction(signal, &previous[signal], nullptr);
}

}  // namespace

ChildSignals::ChildSignals() {
    caught = 0;
    for (auto& child : children) child = 0;
    struct sigaction action {};
    action.sa_handler = Forward;
    action.sa_mask = Held();
    action.sa_flags = 0;  // no SA_RESTART: waiting for a child returns to look at `caught`
    for (int signal : kSignals) {
        sigaction(signal, nullptr, &previous[signal]);
        installed[signal] = previous[signal].sa_handler != SIG_IGN;
        if (installed[signal]) sigaction(signal, &action, nullptr);
    }
}

ChildSignals::~ChildSignals() { Restore(); }

pid_t ChildSignals::Fork() {
    sigset_t held = Held(), before;
    sigprocmask(SIG_BLOCK, &held, &before);
    pid_t pid = fork();
    if (pid == 0) {
        Restore();
        sigprocmask(SIG_SETMASK, &before, nullptr);
        return 0;
    }
    if (pid > 0)
        for (auto& child : children)
            if (child == 0) {
                child = pid;
                break;
            }
    sigprocmask(SIG_SETMASK, &before, nullptr);
    return pid;
}

void ChildSignals::Ended(pid_t pid) {
    sigset_t held = Held(), before;
    sigprocmask(SIG_BLOCK, &held, &before);
    for (auto& child : children)
        if (child == pid) child = 0;
    sigprocmask(SIG_SETMASK, &before, nullptr);
}

int ChildSignals::Caught() const { return caught; }

void ChildSignals::EndByCaught() {
    const int signal = caught;
    Restore();
    ::raise(signal);
    std::_Exit(128 + signal);  // a handler of ours cannot be there; only if the signal is held
}

}  // namespace tabulizer
