// brisel-setting-demo [--lacking=FEATURE,...] [--not-taking] [--demo-adapters N]
// [--demo-unplug-at CODE:N [--demo-back-changed]] [--demo-file FILE] [--demo-reset] [FILE]: the
// program over the built-in emulated adapter, with every optional feature
// present but those --lacking names. The adapter keeps its settings between
// runs in its file, shared with brisel-ctl --demo; with FILE, it starts with
// the settings of that settings file and remembers nothing. Each request and
// pause is printed. The options besides bring up what the program says of
// an adapter that keeps its values, of more adapters than one (the Adapter
// menu), of a lost adapter and of one found again with other settings.

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
#include <deque>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

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
    adapter.keepValues(line.notTaking);
    // Lost once, at the request the command line names, and plugged in
    // again when the program next looks for it; with other adapters on the
    // bus, at the look after, so that the program first tells of them.
    // With --demo-back-changed it comes back with another Time Out, as
    // another adapter plugged in at its place would.
    if (line.unplugAt) adapter.injectFault(*line.unplugAt);
    int looksWhileLost = 0;
    const auto plugBackIn = [&adapter, &looksWhileLost, awayFor = line.demoAdapters > 1 ? 2 : 1,
                             changed = line.backChanged] {
        if (adapter.pluggedIn() || ++looksWhileLost < awayFor) return;
        adapter.plugIn();
        if (changed) adapter.state().timeOut = static_cast<std::uint8_t>(adapter.state().timeOut + 1);
        looksWhileLost = 0;
    };
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
    // The other adapters of the bus hold factory settings and keep nothing.
    std::deque<emu::Emulator> others(static_cast<std::size_t>(line.demoAdapters - 1));
    std::vector<emu::BusSlot> bus{{&adapter, "1-1", {1, 2}, heldBy}};
    for (std::size_t i = 0; i < others.size(); ++i) {
        others[i].setListener([](const emu::LogEntry& entry) {
            std::printf("(another adapter) %s\n", emu::describe(entry).c_str());
            std::fflush(stdout);
        });
        bus.push_back({&others[i], "1-" + std::to_string(i + 2), {1, static_cast<int>(i) + 3}});
    }
    const std::function<AdapterWalk()> busWalk = emu::emulatedBusWalk(bus);
    const std::function<AdapterWalk()> walk = [busWalk, plugBackIn] {
        plugBackIn();
        return busWalk();
    };
    ProgramOptions options{
        QT_TRANSLATE_NOOP("ProgramOptions", " (demo)"), [&adapter](int ms) { adapter.recordPause(ms); }, {}, demoFile};
    AdapterOpener opener = [&adapter, &heldBy, plugBackIn] {
        plugBackIn();
        if (!heldBy) return emu::openEmulated(adapter);
        AdapterAccess refused;
        refused.status = OpenStatus::InUse;
        refused.holder = *heldBy;
        return refused;
    };
    if (line.demoAdapters > 1) {
        // The Adapter menu's walks only look; the program's look for its
        // adapter brings it back.
        options.walkBus = busWalk;
        opener = trackingOpener(walk);
    }
    const int status = runProgram("brisel-setting-demo", opener, options);
    keep();
    return status;
}
