// brisel-ctl as its main() runs it, in a child process that is sent a real
// signal at a given request to the emulated adapter: once the writes have
// begun, the group under way is finished (its writes, its pause and its
// read-back), no other group is begun, the command tells what it wrote and
// what not, and it ends by the signal. Before the first write the signal
// ends it at once, as it always did.

#include "cli/ctl.h"
#include "emulator/emulator.h"
#include "settings_file/settings_store.h"
#include "settings_file/write_record.h"
#include "tests/support/ctl_run.h"
#include "tests/support/named_case.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

const char* const ThreeGroups =
    "format = 1\n[basic]\ndelay_time_ms = 500\n[repeater]\nalt_my_call = \"N0NEW\"\n[beacon]\ninterval_s = 20\n";
const char* const BasicOnly = "format = 1\n[basic]\ndelay_time_ms = 500\n";

struct Case {
    const char* name;
    std::vector<std::string> args;  // "@": the test's file of three groups
    int signal;                     // 0: the child closes its standard error instead
    std::vector<int> atWrites;      // the signal is sent as these writes go out (1: the first)
    int atRequest = 0;              // or as this request goes out (counted from 1); -1: as a bus
                                    // with no adapter is walked (no --demo)
    // What the child did: the request log from the first write on is that
    // of a healthy restore of basic alone, or of all three groups, or
    // nothing was written.
    enum { BasicWhole, AllWritten, NothingWritten, CutShort } wrote;
    const char* err;  // in its standard error, or with -1 in its standard output
};

NAMED_CASE(Case)

using ctltest::isWrite;

// The log from the first write on, one line an entry.
std::vector<std::string> fromFirstWrite(const std::vector<emu::LogEntry>& log)
{
    std::vector<std::string> lines;
    bool writing = false;
    for (const emu::LogEntry& e : log) {
        writing = writing || isWrite(e);
        if (writing) lines.push_back(emu::describe(e));
    }
    return lines;
}

std::vector<std::string> healthyRestore(const fs::path& folder, const char* text)
{
    std::ofstream(folder / "healthy.toml") << text;
    emu::Emulator adapter;
    std::ostringstream out, err;
    EXPECT_EQ(ctltest::runDemo(adapter, {"restore", "--no-backup", (folder / "healthy.toml").string()}, out, err, {}),
              0);
    return fromFirstWrite(adapter.log());
}

std::string fileText(const fs::path& path)
{
    std::ostringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
}

class CtlSignal : public testing::TestWithParam<Case> {};

TEST_P(CtlSignal, FinishesTheGroupUnderWayThenEndsByTheSignal)
{
    const Case& c = GetParam();
    std::string made = (fs::temp_directory_path() / "brisel-signal-XXXXXX").string();
    ASSERT_NE(mkdtemp(made.data()), nullptr);
    const fs::path folder = made;
    std::ofstream(folder / "f.toml") << ThreeGroups;

    const int status = ctltest::inChild([&] {
        const int out = open((folder / "out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        int errPipe[2] = {-1, -1};
        int err = open((folder / "err").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (c.signal == 0 && pipe(errPipe) == 0) err = errPipe[1];
        dup2(out, 1);
        dup2(err, 2);
        const int log = open((folder / "log").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        emu::Emulator adapter;
        int writes = 0, requests = 0;
        adapter.setListener([&](const emu::LogEntry& e) {
            if (isWrite(e)) ++writes;
            if (writes > 0) {
                const std::string line = emu::describe(e) + "\n";
                [[maybe_unused]] const auto written = write(log, line.data(), line.size());
            }
            if (e.kind != emu::LogEntry::Kind::Request) return;
            ++requests;
            const bool now = std::find(c.atWrites.begin(), c.atWrites.end(), writes) != c.atWrites.end() && isWrite(e);
            if (!now && requests != c.atRequest) return;
            if (c.signal != 0) kill(getpid(), c.signal);
            else close(errPipe[0]);  // the reader of standard error is gone
        });
        CtlIo io{std::cout, std::cerr};
        if (c.atRequest < 0) io.busWalk = [&] { return kill(getpid(), c.signal), AdapterWalk{}; };
        std::vector<std::string> args{"brisel-ctl", c.atRequest < 0 ? "--trace" : "--demo"};
        for (const std::string& a : c.args) args.push_back(a == "@" ? (folder / "f.toml").string() : a);
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        io.demoAdapter = &adapter;
        io.pause = [&adapter](int ms) { adapter.recordPause(ms); };
        io.timeStamp = [] { return std::string(ctltest::BackupStamp); };
        io.backupFolder = (folder / "backups").string();
        io.stateFolder = folder.string();
        return runCtlProgram(static_cast<int>(args.size()), argv.data(), io);
    });

    if (c.signal != 0) {
        ASSERT_TRUE(WIFSIGNALED(status)) << fileText(folder / "err");
        EXPECT_EQ(WTERMSIG(status), c.signal);
    } else {
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0);
    }
    std::vector<std::string> log;
    std::istringstream lines(fileText(folder / "log"));
    for (std::string line; std::getline(lines, line);) log.push_back(line);
    switch (c.wrote) {
    case Case::BasicWhole: EXPECT_EQ(log, healthyRestore(folder, BasicOnly)) << fileText(folder / "err"); break;
    case Case::AllWritten: EXPECT_EQ(log, healthyRestore(folder, ThreeGroups)); break;
    case Case::NothingWritten: EXPECT_EQ(log, std::vector<std::string>{}); break;
    case Case::CutShort: break;
    }
    // A record is left only by a write the program could not see to its
    // end; the next command onto that adapter tells it.
    const auto record = settings::readRecord(settings::recordPath(folder.string(), settings::identityOf(std::nullopt)));
    EXPECT_EQ(record.has_value(), c.signal == SIGKILL);
    if (record) {
        EXPECT_EQ(record->job, settings::RecordJob::Restore);
        EXPECT_EQ(record->groups,
                  (std::vector{settings::Group::Basic, settings::Group::Repeater, settings::Group::Beacon}));
        EXPECT_EQ(record->done, std::vector{settings::Group::Basic});
        // It is a settings file of the values from before.
        const settings::FileContents before =
            settings::loadSettingsFile(settings::recordPath(folder.string(), settings::identityOf(std::nullopt)));
        ASSERT_TRUE(before.values.basic.has_value());
        EXPECT_EQ(before.values.basic->delayTime, std::optional<std::uint8_t>(30));
        emu::Emulator next;
        std::ostringstream out, err;
        EXPECT_EQ(ctltest::runDemo(next, {"get", "basic.delay_time_ms"}, out, err, (folder / "backups").string()), 0);
        EXPECT_NE(err.str().find("A restore onto the emulated adapter was cut short on "), std::string::npos)
            << err.str();
        EXPECT_NE(err.str().find(", after the group basic; the groups repeater, beacon may be half written. The "
                                 "settings from before it are in " +
                                 (folder / "interrupted-demo.toml").string()),
                  std::string::npos)
            << err.str();
    }
    const std::string told = fileText(folder / (c.atRequest < 0 ? "out" : "err"));
    EXPECT_NE(told.find(c.err), std::string::npos) << told;
    // No file is left half written.
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        EXPECT_FALSE(entry.path().filename().string().ends_with(".tmp")) << entry.path();
    fs::remove_all(folder);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CtlSignal,
    testing::Values(
        Case{"TermDuringBasic",
             {"restore", "--no-backup", "@"},
             SIGTERM,
             {3},
             0,
             Case::BasicWhole,
             "brisel-ctl: Stopped by SIGTERM once the group under way was finished.\nWritten completely: basic.\n"
             "Not written: repeater, beacon.\nWhat the written values were before:\n  basic.delay_time_ms = 300\n"},
        Case{"IntDuringBasic", {"restore", "--no-backup", "@"}, SIGINT, {1}, 0, Case::BasicWhole, "Stopped by SIGINT"},
        Case{"HupDuringBasic", {"restore", "--no-backup", "@"}, SIGHUP, {16}, 0, Case::BasicWhole, "Stopped by SIGHUP"},
        Case{"SecondTermDoesNotCutTheGroup",
             {"restore", "--no-backup", "@"},
             SIGTERM,
             {2, 5},
             0,
             Case::BasicWhole,
             "Written completely: basic."},
        Case{"TermAfterTheAutomaticBackupPointsToIt",
             {"restore", "@"},
             SIGTERM,
             {4},
             0,
             Case::BasicWhole,
             "The settings from before are in "},
        Case{"TermWhileReadingEndsAtOnce", {"restore", "--no-backup", "@"}, SIGTERM, {}, 5, Case::NothingWritten, ""},
        // Waiting for the adapter, the JSON document is printed first.
        Case{"IntWhileWaitingForTheAdapter",
             {"--json", "--wait=30", "restore", "@"},
             SIGINT,
             {},
             -1,
             Case::NothingWritten,
             "\"interrupted_by\": \"SIGINT\", \"exit_status\": 130, \"message\": \"Stopped by SIGINT while waiting"},
        Case{"TermDuringSet",
             {"set", "basic.delay_time_ms=500", "beacon.interval_s=20"},
             SIGTERM,
             {3},
             0,
             Case::BasicWhole,
             "Not written: beacon."},
        // SIGKILL cannot be caught: the record tells what was under way.
        Case{"KillDuringRepeater", {"restore", "--no-backup", "@"}, SIGKILL, {18}, 0, Case::CutShort, ""},
        // A closed standard error (with every request traced onto it) does
        // not stop a write: the restore goes on to its end.
        Case{"ClosedStandardError", {"--trace", "restore", "--no-backup", "@"}, 0, {2}, 0, Case::AllWritten, ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
