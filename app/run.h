#pragma once
// The program from start to end, over whatever opens the adapter.

#include "device/adapter_connection.h"

#include <QString>
#include <functional>
#include <string>

struct ProgramOptions {
    const char* titleSuffix = "";      // " (demo)" for the demo program, translated when shown
    std::function<void(int)> onPause;  // hears of each pause
    // Lists the adapters on the bus for the adapter menu; without it there
    // is no such menu.
    std::function<AdapterWalk()> walkBus{};
    // The emulated adapter's demo file, as an absolute path; empty: none.
    std::string demoFile{};
};

// Opens the adapter before any window exists; without one it shows a single
// message and returns. Otherwise it builds the windows and runs the message
// loop until the main window closes. `openAdapter` is called again when the
// adapter was lost and the user asks for it. Always returns 0.
int runProgram(const char* programName, const AdapterOpener& openAdapter, const ProgramOptions& options);
