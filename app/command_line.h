#pragma once
// The command lines of brisel-setting and brisel-setting-demo, read before
// anything needs a display, so that --help and --version work without one.
// Without options each program does what it always did.

#include "device/adapter_connection.h"
#include "emulator/emulator.h"

#include <optional>
#include <ostream>
#include <string>
#include <vector>

struct CommandLine {
    // When set, the program ends at once with this status: it has printed
    // its help or version, or why the command line cannot be taken.
    std::optional<int> exitStatus;
    std::optional<std::string> device;    // brisel-setting --device, as given
    std::optional<AdapterChoice> choice;  // and the adapter it names
    std::vector<emu::Feature> lacking;    // brisel-setting-demo --lacking
    std::optional<std::string> file;      // brisel-setting-demo FILE: start from it, remember nothing
    std::optional<std::string> demoFile;  // brisel-setting-demo --demo-file
    bool demoReset = false;               // brisel-setting-demo --demo-reset
    bool notTaking = false;               // brisel-setting-demo --not-taking
    int demoAdapters = 1;                 // brisel-setting-demo --demo-adapters
    std::optional<emu::Fault> unplugAt;   // brisel-setting-demo --demo-unplug-at CODE:N
    bool backChanged = false;             // brisel-setting-demo --demo-back-changed
};

// brisel-setting [--device ADAPTER] [--help] [--version]
CommandLine readSettingCommandLine(int argc, char** argv, std::ostream& out, std::ostream& err);
// brisel-setting-demo [--lacking=FEATURE,...] [--not-taking] [--demo-adapters N]
// [--demo-unplug-at CODE:N [--demo-back-changed]] [--demo-file FILE] [--demo-reset] [--help] [--version]
// [FILE]
CommandLine readDemoCommandLine(int argc, char** argv, std::ostream& out, std::ostream& err);

// The opener of brisel-setting: the adapter --device names, or the first.
// Where none is, it says so as brisel-ctl --device does.
AdapterOpener settingOpener(const AdapterOpener& usbOpener, const std::optional<std::string>& device);
