#pragma once
// The program from start to end, over whatever opens the adapter.

#include "device/bus_walk.h"

#include <QString>
#include <functional>
#include <memory>

class Transport;

struct AdapterAccess {
    OpenStatus status = OpenStatus::NotFound;
    std::unique_ptr<Transport> transport;  // set when status is Opened
};

struct ProgramOptions {
    QString titleSuffix;                     // " (demo)" for the demo program
    std::function<void(int)> onPause;        // hears of each pause
};

// Opens the adapter before any window exists; without one it shows a single
// message and returns. Otherwise it builds the windows and runs the message
// loop until the main window closes. Always returns 0.
int runProgram(const char* programName, const std::function<AdapterAccess()>& openAdapter,
               const ProgramOptions& options);

inline constexpr const char* NotFoundText = "Does not find the DV Brisel (Relavox)";
inline constexpr const char* NoPermissionText =
    "The DV Brisel (Relavox) was found, but it cannot be opened: "
    "no permission to use the USB device.\n\n"
    "See \"Access to the adapter\" in the README.";
