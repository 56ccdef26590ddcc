#pragma once
// brisel-ctl run as a function over an emulated adapter, its --demo adapter:
// pauses are logged by the adapter instead of taken, and automatic backups
// are named for one fixed time.

#include "cli/ctl.h"
#include "emulator/emulator.h"

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <iostream>
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

// A request that changes the adapter: not a read, nor the zero-length
// rewind before a text is read.
inline bool isWrite(const emu::LogEntry& e)
{
    const bool rewind = e.length == 0 && e.value == 0 && (e.request == 0xB8 || e.request == 0xEB || e.request == 0xEE);
    return e.kind == emu::LogEntry::Kind::Request && !e.isRead() && !rewind;
}

// Runs `body` in a child process in a process group of its own, which ends
// with what `body` returns; returns the child's wait status, -1 without one.
template <typename Body>
int inChild(Body body)
{
    std::cout.flush();
    std::cerr.flush();
    const pid_t child = fork();
    if (child == 0) {
        setpgid(0, 0);
        _exit(body());
    }
    int status = -1;
    return child > 0 && waitpid(child, &status, 0) == child ? status : -1;
}

}  // namespace ctltest
