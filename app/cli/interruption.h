#pragma once

namespace folix {

// Ctrl+C (SIGINT) and SIGTERM while a batch runs. The first is only noted, so
// that the batch can end after a whole row with every file it was writing
// complete; a second ends the process at once, as the signal does by default.
// A signal the process was started ignoring stays ignored.
class InterruptionCatcher {
public:
    InterruptionCatcher();
    InterruptionCatcher(const InterruptionCatcher&) = delete;
    InterruptionCatcher& operator=(const InterruptionCatcher&) = delete;
    ~InterruptionCatcher();  // the previous handlers come back; a signal noted stays noted
};

// The signal noted, 0 while there is none.
int interruptionSignal();

inline bool interrupted() { return interruptionSignal() != 0; }

// The exit status a shell shows for a process that the signal ended: 128 + its number.
int interruptedExitStatus();

// Ends the process as the noted signal would have, so that the shell that
// started it sees a process ended by that signal; returns when none was noted.
void endAsInterrupted();

}  // namespace folix
