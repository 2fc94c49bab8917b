#include "child_process.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <system_error>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace folix {

namespace {

using Clock = std::chrono::steady_clock;

// With a pidfd the wait wakes the moment the child ends; the tick only
// paces the watcher and the cancel flag. Each wake-up costs a context
// switch, which on a busy machine is worth more than finer pacing.
constexpr std::chrono::milliseconds kTick{50};
constexpr std::chrono::milliseconds kTickWithoutPidfd{5};

int openPidfd(pid_t pid)
{
#ifdef SYS_pidfd_open
    return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
#else
    (void)pid;
    return -1;
#endif
}

// The child's spawn settings: its own process group, no blocked or ignored
// signals inherited (an ignored SIGPIPE or SIGINT would survive the exec),
// no descriptor but the three standard ones.
class SpawnSettings {
public:
    explicit SpawnSettings(const ChildLaunch& launch)
    {
        ::posix_spawnattr_init(&attributes_);
        ::posix_spawn_file_actions_init(&actions_);
        sigset_t none, all;
        sigemptyset(&none);
        sigfillset(&all);
        ::posix_spawnattr_setflags(&attributes_,
                                   POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
        ::posix_spawnattr_setpgroup(&attributes_, 0);
        ::posix_spawnattr_setsigmask(&attributes_, &none);
        ::posix_spawnattr_setsigdefault(&attributes_, &all);
        ::posix_spawn_file_actions_addopen(&actions_, 0, launch.input.c_str(), O_RDONLY, 0);
        ::posix_spawn_file_actions_addopen(&actions_, 1, "/dev/null", O_WRONLY, 0);
        ::posix_spawn_file_actions_adddup2(&actions_, 1, 2);
        ::posix_spawn_file_actions_addclosefrom_np(&actions_, 3);
        ::posix_spawn_file_actions_addchdir_np(&actions_, launch.folder.c_str());
    }
    SpawnSettings(const SpawnSettings&) = delete;
    SpawnSettings& operator=(const SpawnSettings&) = delete;
    ~SpawnSettings()
    {
        ::posix_spawn_file_actions_destroy(&actions_);
        ::posix_spawnattr_destroy(&attributes_);
    }

    const posix_spawnattr_t* attributes() const { return &attributes_; }
    const posix_spawn_file_actions_t* actions() const { return &actions_; }

private:
    posix_spawnattr_t attributes_;
    posix_spawn_file_actions_t actions_;
};

}  // namespace

ChildProcess::ChildProcess(const ChildLaunch& launch)
{
    const SpawnSettings settings(launch);
    std::vector<char*> argv = {const_cast<char*>(launch.program.c_str()), nullptr};
    std::vector<char*> envp;
    for (const auto& entry : launch.environment) envp.push_back(const_cast<char*>(entry.c_str()));
    envp.push_back(nullptr);
    const int error = ::posix_spawn(&pid_, launch.program.c_str(), settings.actions(), settings.attributes(),
                                    argv.data(), envp.data());
    if (error != 0) throw std::system_error(error, std::generic_category(), "cannot start " + launch.program);
    pidfd_ = openPidfd(pid_);
}

ChildProcess::~ChildProcess()
{
    end();
    if (pidfd_ >= 0) ::close(pidfd_);
}

void ChildProcess::end()
{
    if (reaped_) return;
    ::kill(-pid_, SIGKILL);
    while (::waitpid(pid_, &status_, 0) < 0 && errno == EINTR) {
    }
    reaped_ = true;
}

ChildEnd ChildProcess::wait(Clock::time_point deadline, const std::atomic<bool>* cancel,
                            const std::function<bool()>& watch)
{
    const auto tick = pidfd_ >= 0 ? kTick : kTickWithoutPidfd;
    for (;;) {
        siginfo_t info{};
        const int waited = ::waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT);
        // ECHILD: reaped behind our back (SIGCHLD ignored by the host); the
        // status is lost, which reads as a kill.
        if ((waited == 0 && info.si_pid == pid_) || (waited < 0 && errno == ECHILD)) {
            end();
            if (WIFEXITED(status_)) return {ChildEnd::Kind::Exited, WEXITSTATUS(status_)};
            return {ChildEnd::Kind::Signalled, WIFSIGNALED(status_) ? WTERMSIG(status_) : SIGKILL};
        }
        if (cancel && cancel->load()) {
            end();
            return {ChildEnd::Kind::Cancelled, 0};
        }
        const auto now = Clock::now();
        if (now >= deadline) {
            end();
            return {ChildEnd::Kind::TimedOut, 0};
        }
        if (watch && !watch()) {
            end();
            return {ChildEnd::Kind::Dismissed, 0};
        }
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - now);
        pollfd child{pidfd_, POLLIN, 0};
        ::poll(&child, pidfd_ >= 0 ? 1 : 0, static_cast<int>(std::min(left, tick).count()));
    }
}

std::string childEndText(const ChildEnd& end)
{
    switch (end.kind) {
    case ChildEnd::Kind::Exited:
        return "ended with status " + std::to_string(end.code);
    case ChildEnd::Kind::Signalled: {
        const char* abbreviation = ::sigabbrev_np(end.code);
        const char* description = ::sigdescr_np(end.code);
        return "ended on signal " + (abbreviation ? "SIG" + std::string(abbreviation) : std::to_string(end.code)) +
               (description ? " (" + std::string(description) + ")" : "");
    }
    case ChildEnd::Kind::TimedOut:
        return "timed out";
    case ChildEnd::Kind::Cancelled:
        return "was cancelled";
    case ChildEnd::Kind::Dismissed:
        break;
    }
    return "was stopped";
}

}  // namespace folix
