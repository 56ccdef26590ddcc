// brisel-setting-demo [--lacking=FEATURE,...] [--demo-file FILE] [--demo-reset]
// [FILE]: the program over the built-in emulated adapter, with every
// optional feature present but those --lacking names. The adapter keeps its
// settings between runs in its file, shared with brisel-ctl --demo; with
// FILE, it starts with the settings of that settings file and remembers
// nothing. Each request and pause is printed.

#include "app/command_line.h"
#include "app/run.h"
#include "device/vendor_link.h"
#include "dialogs/store_problem_text.h"
#include "emulator/demo_memory.h"
#include "emulator/emulator.h"
#include "emulator/lacking.h"
#include "settings_file/put_settings.h"
#include "settings_file/settings_store.h"

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>

namespace {

// The exit statuses of brisel-ctl for the same faults.
int statusOf(emu::DemoMemoryError::Kind kind)
{
    switch (kind) {
    case emu::DemoMemoryError::Kind::Unreadable: return 66;
    case emu::DemoMemoryError::Kind::Invalid: return 65;
    default: return 73;
    }
}

}  // namespace

int main(int argc, char** argv)
{
    const CommandLine line = readDemoCommandLine(argc, argv, std::cout, std::cerr);
    if (line.exitStatus) return *line.exitStatus;
    emu::Emulator adapter;
    std::optional<emu::DemoMemory> memory;
    // Held by another program: the program says so as it does for an
    // adapter whose device node another program holds.
    std::optional<AdapterHolder> heldBy;
    std::string demoFile;
    try {
        if (line.file) {
            VendorLink quiet(adapter);
            settings::putSettings(quiet, settings::loadSettingsFile(*line.file).values);
            adapter.clearLog();
        } else {
            demoFile = line.demoFile ? *line.demoFile : emu::defaultDemoFile();
            memory.emplace(adapter, demoFile, line.demoReset);
            std::error_code ignored;
            demoFile = std::filesystem::absolute(demoFile, ignored).lexically_normal().string();
        }
    } catch (const settings::StoreError& error) {
        std::fprintf(stderr, "brisel-setting-demo: %s\n", storeProblemText(error.problem()).toLocal8Bit().constData());
        return error.kind() == settings::StoreError::Kind::Unreadable ? 66 : 65;
    } catch (const emu::DemoMemoryError& error) {
        if (error.kind() != emu::DemoMemoryError::Kind::InUse) {
            std::fprintf(
                stderr, "brisel-setting-demo: %s%s\n", storeProblemText(error.problem()).toLocal8Bit().constData(),
                error.kind() == emu::DemoMemoryError::Kind::Invalid ? "\n(--demo-reset starts the demo adapter afresh)"
                                                                    : "");
            return statusOf(error.kind());
        }
        heldBy = error.holder();
    }
    emu::leaveOut(adapter, line.lacking);
    // A Save pauses between its writes and its read-back: what it wrote is
    // kept then, and whatever is left when the program ends.
    const auto keep = [&memory] {
        if (!memory) return;
        try {
            memory->keep();
        } catch (const emu::DemoMemoryError& error) {
            std::fprintf(stderr, "brisel-setting-demo: %s\n",
                         storeProblemText(error.problem()).toLocal8Bit().constData());
        }
    };
    adapter.setListener([&keep](const emu::LogEntry& entry) {
        std::printf("%s\n", emu::describe(entry).c_str());
        std::fflush(stdout);
        if (entry.kind == emu::LogEntry::Kind::Pause) keep();
    });
    const int status = runProgram("brisel-setting-demo",
                                  [&adapter, &heldBy] {
                                      if (!heldBy) return emu::openEmulated(adapter);
                                      AdapterAccess refused;
                                      refused.status = OpenStatus::InUse;
                                      refused.holder = *heldBy;
                                      return refused;
                                  },
                                  {QT_TRANSLATE_NOOP("ProgramOptions", " (demo)"),
                                   [&adapter](int ms) { adapter.recordPause(ms); },
                                   {},
                                   demoFile});
    keep();
    return status;
}
