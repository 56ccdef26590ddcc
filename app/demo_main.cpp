// brisel-setting-demo: the program over the built-in emulated adapter, with
// every optional feature present. Each request and pause is printed.

#include "app/run.h"
#include "emulator/emulator.h"

#include <cstdio>

int main(int, char**)
{
    emu::Emulator adapter;
    adapter.setListener([](const emu::LogEntry& entry) {
        std::printf("%s\n", emu::describe(entry).c_str());
        std::fflush(stdout);
    });
    return runProgram("brisel-setting-demo", [&adapter] { return emu::openEmulated(adapter); },
                      {QStringLiteral(" (demo)"), [&adapter](int ms) { adapter.recordPause(ms); }});
}
