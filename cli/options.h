#pragma once
// brisel-ctl's command line.

#include "cli/exit_status.h"
#include "emulator/emulator.h"

#include <optional>
#include <string>
#include <vector>

struct Options {
    std::string command;            // detect, show, backup, restore, render, diff, get, set
    std::vector<std::string> args;  // what follows the command
    std::vector<std::string> sets;  // restore, render: --set KEY=VALUE, over the file's values

    bool help = false;
    bool version = false;
    bool trace = false;
    bool json = false;
    bool force = false;
    bool dryRun = false;
    bool skipMissing = false;
    bool noBackup = false;
    bool forgetRecord = false;
    bool otherAdapter = false;  // restore: a record or automatic backup may go onto another adapter
    bool demo = false;
    std::optional<std::string> demoState;   // start from this file, remember nothing
    std::optional<std::string> demoFile;    // the demo adapter's memory, if not the default
    bool demoReset = false;                 // the demo adapter starts with its factory settings
    std::vector<emu::Feature> demoLacking;  // what the emulated firmware lacks
    bool demoNotTaking = false;             // the emulated adapter keeps its values
    std::optional<std::string> device;      // "BUS:DEVICE" or a USB port path
    // --wait: how long to wait for the adapter; --wait alone waits as long as
    // it takes.
    std::optional<double> waitSeconds;
    bool waitForever = false;
};

// A command line that cannot be taken, and whether it asked for --json.
class UsageError : public CtlError {
public:
    UsageError(const std::string& what, bool json, std::string command)
        : CtlError(exit_status::Usage, what), json(json), command(std::move(command))
    {}
    bool json;
    std::string command;
};

// Parses argv; options may stand before or after the command. Throws
// UsageError for anything it cannot take, naming the first problem.
Options parseOptions(int argc, char** argv);

extern const char* const UsageText;
