#pragma once
// SIGINT, SIGTERM and SIGHUP (an ssh session that drops sends the last) while
// the adapter or a file is half written. Outside a Deferral they end the
// program at once, as they always did: nothing is half done then. Inside
// one they are only noted, so that the group under way is finished (its
// writes, its pause and its read-back) and a file is put in place whole or
// not at all; the program then tells what it did and ends by the signal
// (endBySignal), so that a calling shell sees the signal as from any other
// program. A second signal of the same kind is noted as the first was.

namespace interrupts {

// Takes SIGINT, SIGTERM and SIGHUP as above. Called once, at the start of a
// program that writes to the adapter or to files; a program that never
// calls it (a test) keeps the default actions, and caught() stays 0.
void catchSignals();

// While one lives, the signals are noted and a closed pipe does not end the
// program (its writes fail instead, and are reported as failed output).
class Deferral {
public:
    Deferral();
    ~Deferral();
    Deferral(const Deferral&) = delete;
    Deferral& operator=(const Deferral&) = delete;
};

// From the first write to the adapter on, the command is finished and
// reported whatever arrives; its program then ends by the signal noted.
// Once called, it holds for the rest of the program.
void deferUntilTheEnd();

// Besides noting a signal, writes one byte to `fd` (a pipe whose reader,
// an event loop, ends the program as it ends on a window close).
void wakeOnSignal(int fd);

// The first signal noted, or 0.
int caught();

// The signal's name: "SIGTERM".
const char* signalName(int signal);

// Restores the signal's default action and raises it again.
[[noreturn]] void endBySignal(int signal);

}  // namespace interrupts
