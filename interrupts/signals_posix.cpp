#include "interrupts/signals.h"

#include <array>
#include <csignal>
#include <cstdlib>

#include <unistd.h>

namespace interrupts {

namespace {

constexpr std::array<int, 3> Caught{SIGINT, SIGTERM, SIGHUP};

volatile std::sig_atomic_t deferrals = 0;
volatile std::sig_atomic_t noted = 0;
volatile std::sig_atomic_t wakeFd = -1;
struct sigaction pipeBefore {};
// The actions the signals had before the catcher took them.
std::array<struct sigaction, Caught.size()> before{};

void onSignal(int signal)
{
    if (deferrals > 0) {
        if (noted == 0) noted = signal;
        if (wakeFd >= 0) {
            const char byte = 1;
            [[maybe_unused]] const auto written = write(wakeFd, &byte, 1);
        }
        return;
    }
    // Nothing is half done: the signal does what it always did. It is
    // blocked while this handler runs and is taken as it returns.
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

}  // namespace

SignalCatcher::SignalCatcher()
{
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    // Every caught signal waits while the handler notes another.
    for (int signal : Caught) sigaddset(&action.sa_mask, signal);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < Caught.size(); ++i) {
        sigaction(Caught[i], nullptr, &before[i]);
        if (before[i].sa_handler != SIG_IGN) sigaction(Caught[i], &action, nullptr);
    }
}

SignalCatcher::~SignalCatcher()
{
    for (std::size_t i = 0; i < Caught.size(); ++i) sigaction(Caught[i], &before[i], nullptr);
    held_.reset();
    wakeFd = -1;
    noted = 0;
}

void SignalCatcher::wakeOnSignal(int fd)
{
    wakeFd = fd;
}

int SignalCatcher::caught() const
{
    return noted;
}

Deferral::Deferral()
{
    deferrals = deferrals + 1;
    if (deferrals > 1) return;
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(SIGPIPE, &ignore, &pipeBefore);
}

Deferral::~Deferral()
{
    deferrals = deferrals - 1;
    if (deferrals == 0) sigaction(SIGPIPE, &pipeBefore, nullptr);
}

const char* signalName(int signal)
{
    switch (signal) {
    case SIGINT: return "SIGINT";
    case SIGTERM: return "SIGTERM";
    case SIGHUP: return "SIGHUP";
    default: return "a signal";
    }
}

void endBySignal(int signal)
{
    std::signal(signal, SIG_DFL);
    sigset_t only;
    sigemptyset(&only);
    sigaddset(&only, signal);
    sigprocmask(SIG_UNBLOCK, &only, nullptr);
    std::raise(signal);
    std::_Exit(128 + signal);  // not reached: the default action ends the program
}

}  // namespace interrupts
