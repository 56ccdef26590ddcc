// Windows: a console program gets no SIGHUP or SIGTERM from the system, and
// its Ctrl+C is delivered on a thread of its own. The console's events
// stand in for the signals: Ctrl+C is SIGINT, Ctrl+Break is SIGBREAK, and
// the console window closed (or the user logging off, or the system shutting
// down) is SIGHUP's counterpart, noted as SIGTERM. Outside a Deferral the
// event does what it always does, and ends the program. Inside one it is
// noted, the group under way is finished, and the program then ends with
// 128 + the signal's number. After a close Windows ends the program once
// the handler returns (and after about 5 s in any case): the handler holds
// until the group has ended.
#include "interrupts/signals.h"

#include <windows.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <io.h>

namespace interrupts {

namespace {

std::atomic<int> deferrals = 0;
std::atomic<int> noted = 0;
std::atomic<int> wakeFd = -1;
std::atomic<bool> catching = false;

int signalOf(DWORD event)
{
    switch (event) {
    case CTRL_C_EVENT: return SIGINT;
    case CTRL_BREAK_EVENT: return SIGBREAK;
    default: return SIGTERM;  // CTRL_CLOSE_EVENT, CTRL_LOGOFF_EVENT, CTRL_SHUTDOWN_EVENT
    }
}

BOOL WINAPI onConsoleEvent(DWORD event)
{
    if (!catching) return FALSE;
    if (deferrals == 0) return FALSE;  // nothing is half done: the default ends the program
    int none = 0;
    noted.compare_exchange_strong(none, signalOf(event));
    if (const int fd = wakeFd; fd >= 0) {
        const char byte = 1;
        [[maybe_unused]] const auto written = _write(fd, &byte, 1);
    }
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) return TRUE;
    // A close ends the program as this returns: wait for the group to end;
    // the front end then tells what it did and ends the program itself.
    while (deferrals > 0) Sleep(20);
    Sleep(INFINITE);
    return TRUE;
}

}  // namespace

SignalCatcher::SignalCatcher()
{
    catching = true;
    SetConsoleCtrlHandler(onConsoleEvent, TRUE);
}

SignalCatcher::~SignalCatcher()
{
    SetConsoleCtrlHandler(onConsoleEvent, FALSE);
    catching = false;
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

// A write to a closed pipe fails on Windows without a signal: nothing to hold.
Deferral::Deferral()
{
    ++deferrals;
}

Deferral::~Deferral()
{
    --deferrals;
}

const char* signalName(int signal)
{
    switch (signal) {
    case SIGINT: return "SIGINT";
    case SIGTERM: return "SIGTERM";
    case SIGBREAK: return "SIGBREAK";
    default: return "a signal";
    }
}

void endBySignal(int signal)
{
    std::fflush(nullptr);
    std::_Exit(128 + signal);
}

}  // namespace interrupts
