#pragma once
// brisel-ctl's command line.

#include <optional>
#include <string>
#include <vector>

struct Options {
    std::string command;            // detect, show, backup, restore, diff, get, set
    std::vector<std::string> args;  // what follows the command

    bool help = false;
    bool version = false;
    bool trace = false;
    bool json = false;
    bool force = false;
    bool dryRun = false;
    bool skipMissing = false;
    bool noBackup = false;
    bool demo = false;
    std::optional<std::string> demoState;
    std::optional<std::string> device;     // "BUS:DEVICE"
    // --wait: how long to wait for the adapter; --wait alone waits as long as
    // it takes.
    std::optional<double> waitSeconds;
    bool waitForever = false;
};

// Parses argv; options may stand before or after the command.
// Throws CtlError with the usage status for anything it cannot take.
Options parseOptions(int argc, char** argv);

extern const char* const UsageText;
