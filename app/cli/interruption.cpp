#include "interruption.h"

#include <atomic>
#include <csignal>

namespace folix {

namespace {

constexpr int kCaught[] = {SIGINT, SIGTERM};

std::atomic<int> noted{0};
struct sigaction previous[std::size(kCaught)];
bool installed[std::size(kCaught)] = {};

extern "C" void noteSignal(int signal)
{
    int none = 0;
    if (noted.compare_exchange_strong(none, signal)) return;
    // Asked again: the user wants out now.
    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    ::sigaction(signal, &byDefault, nullptr);
    ::raise(signal);
}

}  // namespace

InterruptionCatcher::InterruptionCatcher()
{
    static_assert(std::atomic<int>::is_always_lock_free);
    struct sigaction catching {};
    catching.sa_handler = noteSignal;
    ::sigemptyset(&catching.sa_mask);
    // No SA_RESTART: a read waiting for input returns, and the batch sees the note.
    catching.sa_flags = 0;
    for (std::size_t i = 0; i < std::size(kCaught); ++i) {
        if (::sigaction(kCaught[i], nullptr, &previous[i]) != 0 || previous[i].sa_handler == SIG_IGN) continue;
        installed[i] = ::sigaction(kCaught[i], &catching, nullptr) == 0;
    }
}

InterruptionCatcher::~InterruptionCatcher()
{
    for (std::size_t i = 0; i < std::size(kCaught); ++i) {
        if (installed[i]) ::sigaction(kCaught[i], &previous[i], nullptr);
        installed[i] = false;
    }
}

int interruptionSignal() { return noted.load(); }

int interruptedExitStatus() { return 128 + interruptionSignal(); }

void endAsInterrupted()
{
    const int signal = interruptionSignal();
    if (signal == 0) return;
    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    ::sigaction(signal, &byDefault, nullptr);
    sigset_t only;
    ::sigemptyset(&only);
    ::sigaddset(&only, signal);
    ::sigprocmask(SIG_UNBLOCK, &only, nullptr);
    ::raise(signal);
}

}  // namespace folix
