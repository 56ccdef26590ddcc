// brisel-setting-demo [FILE]: the program over the built-in emulated
// adapter, with every optional feature present; with FILE, the adapter
// starts with the settings of that settings file. Each request and pause is
// printed.

#include "app/run.h"
#include "emulator/emulator.h"
#include "device/vendor_link.h"
#include "settings/settings_store.h"

#include <string>

#include <cstdio>

int main(int argc, char** argv)
{
    emu::Emulator adapter;
    if (argc > 2 || (argc == 2 && argv[1][0] == '-')) {
        std::fprintf(stderr, "Usage: brisel-setting-demo [FILE]\n"
                             "Runs brisel-setting over an emulated adapter that starts with the settings "
                             "of FILE.\n");
        return argc == 2 && std::string(argv[1]) == "--help" ? 0 : 64;
    }
    if (argc == 2) {
        try {
            VendorLink quiet(adapter);
            settings::putSettings(quiet, settings::loadSettingsFile(argv[1]).values);
            adapter.clearLog();
        } catch (const settings::StoreError& error) {
            std::fprintf(stderr, "brisel-setting-demo: %s\n", error.what());
            return error.kind() == settings::StoreError::Kind::Unreadable ? 66 : 65;
        }
    }
    adapter.setListener([](const emu::LogEntry& entry) {
        std::printf("%s\n", emu::describe(entry).c_str());
        std::fflush(stdout);
    });
    return runProgram("brisel-setting-demo", [&adapter] { return emu::openEmulated(adapter); },
                      {QT_TRANSLATE_NOOP("ProgramOptions", " (demo)"), [&adapter](int ms) { adapter.recordPause(ms); }});
}
