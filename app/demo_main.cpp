// brisel-setting-demo [--lacking=FEATURE,...] [FILE]: the program over the
// built-in emulated adapter, with every optional feature present but those
// --lacking names; with FILE, the adapter starts with the settings of that
// settings file. Each request and pause is printed.

#include "app/command_line.h"
#include "app/run.h"
#include "device/vendor_link.h"
#include "emulator/emulator.h"
#include "emulator/lacking.h"
#include "settings/settings_store.h"

#include <cstdio>
#include <iostream>

int main(int argc, char** argv)
{
    const CommandLine line = readDemoCommandLine(argc, argv, std::cout, std::cerr);
    if (line.exitStatus) return *line.exitStatus;
    emu::Emulator adapter;
    if (line.file) {
        try {
            VendorLink quiet(adapter);
            settings::putSettings(quiet, settings::loadSettingsFile(*line.file).values);
            adapter.clearLog();
        } catch (const settings::StoreError& error) {
            std::fprintf(stderr, "brisel-setting-demo: %s\n", error.what());
            return error.kind() == settings::StoreError::Kind::Unreadable ? 66 : 65;
        }
    }
    emu::leaveOut(adapter, line.lacking);
    adapter.setListener([](const emu::LogEntry& entry) {
        std::printf("%s\n", emu::describe(entry).c_str());
        std::fflush(stdout);
    });
    return runProgram(
        "brisel-setting-demo", [&adapter] { return emu::openEmulated(adapter); },
        {QT_TRANSLATE_NOOP("ProgramOptions", " (demo)"), [&adapter](int ms) { adapter.recordPause(ms); }});
}
