#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <csignal>

#include <sys/types.h>

namespace folix {

// What a child process is started with: the program alone (no arguments),
// standard input from a file, standard output and error to /dev/null, a
// working folder and the whole environment.
struct ChildLaunch {
    std::string program;
    std::filesystem::path folder;
    std::filesystem::path input;
    std::vector<std::string> environment;  // NAME=value
};

// How a child's run ended.
struct ChildEnd {
    enum class Kind {
        Exited,     // code: its exit status
        Signalled,  // code: the signal
        TimedOut,   // killed at the deadline
        Cancelled,  // killed when the cancel flag was set
        Dismissed,  // killed when the watcher had what it needed
    };
    Kind kind = Kind::Exited;
    int code = 0;
};

// A child in a process group of its own, so that whatever it starts goes
// with it: every way of ending sends SIGKILL to the whole group before the
// child is reaped (a group whose leader is not yet reaped keeps its number).
class ChildProcess {
public:
    // Throws std::system_error when the program cannot be started.
    explicit ChildProcess(const ChildLaunch& launch);
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess();

    // Waits for the end, calling watch() every 50 ms or so while the
    // child runs; watch returns false to end it early. The cancel flag may
    // be null.
    ChildEnd wait(std::chrono::steady_clock::time_point deadline, const std::atomic<bool>* cancel,
                  const std::function<bool()>& watch);

private:
    void end();  // kills the group and reaps the child; its status is kept

    pid_t pid_ = -1;
    int pidfd_ = -1;
    int status_ = SIGKILL;  // a status word that reads as killed, until the child is reaped
    bool reaped_ = false;
};

// The text of a child's end, e.g. "ended on signal SIGFPE (Floating point
// exception)", "ended with status 2".
std::string childEndText(const ChildEnd& end);

}  // namespace folix
