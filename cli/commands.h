#pragma once
// brisel-ctl's commands: each one's arguments and the options it accepts,
// in one table. Each command returns its exit status or throws CtlError.

#include "cli/ctl.h"
#include "cli/options.h"

#include <span>
#include <string_view>

int detectCommand(const Options& options, CtlIo& io);
int showCommand(const Options& options, CtlIo& io);
int backupCommand(const Options& options, CtlIo& io);
int restoreCommand(const Options& options, CtlIo& io);
int renderCommand(const Options& options, CtlIo& io);
int diffCommand(const Options& options, CtlIo& io);
int getCommand(const Options& options, CtlIo& io);
int setCommand(const Options& options, CtlIo& io);

// The options that only some commands take (the others, --device, --wait,
// --trace, --demo and --demo-state, apply to every command).
enum CommandOption : unsigned {
    JsonOption = 1u << 0,
    ForceOption = 1u << 1,
    DryRunOption = 1u << 2,
    SkipMissingOption = 1u << 3,
    NoBackupOption = 1u << 4,
    SetOption = 1u << 5,
    OtherAdapterOption = 1u << 6,
};

struct CommandEntry {
    std::string_view name;
    int leastArguments;
    int mostArguments;  // -1: any number
    unsigned options;   // the CommandOptions it takes
    int (*run)(const Options&, CtlIo&);
};

std::span<const CommandEntry> commandTable();
// The entry of `name`, or nullptr.
const CommandEntry* findCommand(std::string_view name);
