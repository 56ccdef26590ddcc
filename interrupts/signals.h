#pragma once
// SIGINT, SIGTERM and SIGHUP (an ssh session that drops sends the last) while
// the adapter or a file is half written. Outside a Deferral they end the
// program at once, as they always did: nothing is half done then. Inside
// one they are only noted, so that the group under way is finished (its
// writes, its pause and its read-back) and a file is put in place whole or
// not at all; the program then tells what it did and ends by the signal
// (endBySignal), so that a calling shell sees the signal as from any other
// program. A second signal of the same kind is noted as the first was.

#include "interrupts/stop_request.h"

#include <memory>

namespace interrupts {

// While one lives, the signals are noted and a closed pipe does not end the
// program (its writes fail instead, and are reported as failed output).
class Deferral {
public:
    Deferral();
    ~Deferral();
    Deferral(const Deferral&) = delete;
    Deferral& operator=(const Deferral&) = delete;
};

// Takes SIGINT, SIGTERM and SIGHUP as above for as long as it lives; made
// by a front end (brisel-ctl's run, the desktop program), one at a time. A
// signal the caller chose to ignore (nohup) stays ignored. When it goes,
// the signals get back the actions they had, and nothing it noted stays:
// a later catcher starts clean. A process that never makes one (a test)
// keeps the default actions.
class SignalCatcher {
public:
    SignalCatcher();
    ~SignalCatcher();
    SignalCatcher(const SignalCatcher&) = delete;
    SignalCatcher& operator=(const SignalCatcher&) = delete;

    // From now on, as long as the catcher lives, a signal is only noted: the
    // work under way is finished and reported whatever arrives, and the
    // program then ends by the signal noted.
    void holdFromNowOn();
    // Besides noting a signal, writes one byte to `fd` (a pipe whose reader,
    // an event loop, ends the program as it ends on a window close).
    void wakeOnSignal(int fd);
    // The first signal noted, or 0.
    int caught() const;
    // What a job is given: it holds the signals from its first write on, and
    // asks caught() between its groups.
    StopRequest stopRequest();

private:
    std::unique_ptr<Deferral> held_;
};

// The signal's name: "SIGTERM".
const char* signalName(int signal);

// Restores the signal's default action and raises it again.
[[noreturn]] void endBySignal(int signal);

}  // namespace interrupts
