#pragma once
// brisel-ctl run as a function over an emulated adapter, its --demo adapter:
// pauses are logged by the adapter instead of taken, and automatic backups
// are named for one fixed time.

#include "cli/ctl.h"
#include "emulator/emulator.h"

#include <unistd.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace ctltest {

inline constexpr const char* BackupStamp = "2026-12-07_120000";

// Runs "brisel-ctl --demo ARGS..." and returns its exit status.
inline int runDemo(emu::Emulator& adapter, std::vector<std::string> args, std::ostream& out, std::ostream& err,
                   const std::string& backupFolder)
{
    args.insert(args.begin(), {"brisel-ctl", "--demo"});
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    CtlIo io{out, err};
    io.demoAdapter = &adapter;
    io.pause = [&adapter](int ms) { adapter.recordPause(ms); };
    io.timeStamp = [] { return std::string(BackupStamp); };
    io.backupFolder = backupFolder;
    // Records of writes go beside the backups, or to a folder of the test's own.
    io.stateFolder =
        backupFolder.empty()
            ? (std::filesystem::temp_directory_path() / ("brisel-ctl-test-" + std::to_string(getpid()))).string()
            : std::filesystem::path(backupFolder).parent_path().string();
    return runCtl(static_cast<int>(args.size()), argv.data(), io);
}

}  // namespace ctltest
