// The demo adapter's memory: brisel-ctl --demo runs one after another over
// the same emulated adapter, kept in its file; --demo-reset starts it afresh,
// --demo-state starts from a file and remembers nothing, and a file that
// another program holds is refused as an adapter in use is.

#include "cli/ctl.h"
#include "emulator/demo_memory.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

struct Run {
    std::vector<std::string> args;  // "@name": that path in the test's folder
    int status;
    const char* out = "";  // a part of stdout
    const char* err = "";  // a part of stderr
};

struct Case {
    const char* name;
    std::vector<Run> runs;  // in order, each a brisel-ctl of its own
    const char* held = "";  // a part of the demo's file afterwards
};

struct Outcome {
    int status;
    std::string out, err;
};

// A brisel-ctl of its own: no adapter is given, so it takes the demo's file
// from $XDG_STATE_HOME or --demo-file.
Outcome runCtlIn(const fs::path& folder, std::vector<std::string> args)
{
    for (std::string& a : args)
        if (a.starts_with('@')) a = (folder / a.substr(1)).string();
    args.insert(args.begin(), "brisel-ctl");
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::ostringstream out, err;
    CtlIo io{out, err};
    io.pause = [](int) {};
    io.backupFolder = (folder / "backups").string();
    const int status = runCtl(static_cast<int>(args.size()), argv.data(), io);
    return {status, out.str(), err.str()};
}

std::string contents(const fs::path& path)
{
    std::ostringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
}

fs::path freshFolder(const std::string& name)
{
    const fs::path folder = fs::path(testing::TempDir()) / ("demo_memory_" + name);
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::ofstream(folder / "site.toml") << "format = 1\n[basic]\ndelay_time_ms = 700\n";
    std::ofstream(folder / "broken.toml") << "format = 1\n[basic]\ndelay_time_ms = 7\n";
    return folder;
}

const Case Cases[] = {
    {"RemembersASet",
     {{{"--demo", "set", "basic.delay_time_ms=500"}, 0, "basic.delay_time_ms = 500"},
      {{"--demo", "get", "basic.delay_time_ms"}, 0, "basic.delay_time_ms = 500\n"}},
     "delay_time_ms = 500"},
    {"RemembersARestoreAndItsUndo",
     {{{"--demo", "restore", "@site.toml"}, 0, "basic.delay_time_ms: 300 -> 700"},
      {{"--demo", "restore", "@site.toml"}, 0, "", "Nothing to change"},
      {{"--demo", "restore", "@backups/B.toml"}, 0, "basic.delay_time_ms: 700 -> 300"},
      {{"--demo", "get", "basic.delay_time_ms"}, 0, "basic.delay_time_ms = 300\n"}},
     "delay_time_ms = 300"},
    {"ResetStartsAfresh",
     {{{"--demo", "set", "basic.delay_time_ms=500"}, 0},
      {{"--demo-reset", "get", "basic.delay_time_ms"}, 0, "basic.delay_time_ms = 300\n"},
      {{"--demo", "get", "basic.delay_time_ms"}, 0, "basic.delay_time_ms = 300\n"}},
     "delay_time_ms = 300"},
    {"StateFileRemembersNothing",
     {{{"--demo", "set", "basic.delay_time_ms=500"}, 0},
      {{"--demo-state", "@site.toml", "set", "basic.delay_time_ms=900"}, 0, "basic.delay_time_ms = 900"},
      {{"--demo-state", "@site.toml", "get", "basic.delay_time_ms"}, 0, "basic.delay_time_ms = 700\n"},
      {{"--demo", "get", "basic.delay_time_ms"}, 0, "basic.delay_time_ms = 500\n"}},
     "delay_time_ms = 500"},
    {"KeepsWhatALackingFirmwareHides",
     {{{"--demo", "set", "beacon.message=QRV N0CALL"}, 0},
      {{"--lacking=beacon", "set", "basic.delay_time_ms=500"}, 0},
      {{"--demo", "get", "beacon.message", "basic.delay_time_ms"}, 0, "beacon.message = \"QRV N0CALL\""}},
     "message = \"QRV N0CALL\""},
    {"ARefusedSetChangesNothing",
     {{{"--demo", "set", "basic.delay_time_ms=500", "beacon.message=QRV"}, 0},
      {{"--lacking=beacon", "set", "basic.delay_time_ms=600", "beacon.message=X"}, 76, "", "has no beacon group"},
      {{"--demo", "get", "basic.delay_time_ms"}, 0, "basic.delay_time_ms = 500\n"}},
     "delay_time_ms = 500"},
    {"AFileThatIsNoSettingsFileIsNamed",
     {{{"--demo-file", "@broken.toml", "show"}, 65, "", "broken.toml:3: "},
      {{"--demo-file", "@broken.toml", "show"}, 65, "", "--demo-reset starts the demo adapter afresh"},
      {{"--demo-file", "@broken.toml", "--demo-reset", "get", "basic.delay_time_ms"}, 0, "= 300"}},
     "delay_time_ms = 300"},
    {"AFolderIsNoFile",
     {{{"--demo-file", "@backups", "show"}, 66, "", "backups: not a regular file"},
      {{"--demo-file", "@none/demo.toml", "show"}, 73, "", "none/demo.toml"}}},
    {"RefusesTheStateFileWithTheMemoryOptions",
     {{{"--demo-state", "@site.toml", "--demo-reset", "show"}, 64, "", "it cannot go with --demo-reset"},
      {{"--demo-state", "@site.toml", "--demo-file", "@x.toml", "show"}, 64, "", "it cannot go with --demo-file"},
      {{"--demo-file=", "show"}, 64, "", "--demo-file wants a file name"},
      {{"--demo-file", "-", "get", "basic.delay_time_ms"}, 64, "", "file name, not standard input"}}},
};

class DemoMemoryCase : public testing::TestWithParam<Case> {};

TEST_P(DemoMemoryCase, RunsOverTheKeptAdapter)
{
    const Case& c = GetParam();
    const fs::path folder = freshFolder(c.name);
    fs::create_directories(folder / "backups");
    setenv("XDG_STATE_HOME", (folder / "state").c_str(), 1);
    for (std::size_t i = 0; i < c.runs.size(); ++i) {
        std::vector<std::string> args = c.runs[i].args;
        // The automatic backup the restore before made.
        for (std::string& a : args)
            if (a == "@backups/B.toml")
                for (const auto& entry : fs::directory_iterator(folder / "backups")) a = entry.path().string();
        const Outcome got = runCtlIn(folder, args);
        const std::string label = std::string(c.name) + " run " + std::to_string(i + 1);
        EXPECT_EQ(got.status, c.runs[i].status) << label << '\n' << got.err;
        EXPECT_NE(got.out.find(c.runs[i].out), std::string::npos) << label << '\n' << got.out;
        EXPECT_NE(got.err.find(c.runs[i].err), std::string::npos) << label << '\n' << got.err;
    }
    const fs::path memory = folder / "state/brisel-setting/demo-adapter.toml";
    const fs::path file = fs::exists(memory) ? memory : folder / "broken.toml";
    EXPECT_NE(contents(file).find(c.held), std::string::npos) << contents(file);
    unsetenv("XDG_STATE_HOME");
}

INSTANTIATE_TEST_SUITE_P(Runs, DemoMemoryCase, testing::ValuesIn(Cases),
                         [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

// The default file and its folder are made for their owner alone, and hold
// a settings file that any command reads.
TEST(DemoMemory, MakesItsFileInThePrivateStateFolder)
{
    const fs::path folder = freshFolder("default");
    setenv("XDG_STATE_HOME", (folder / "state").c_str(), 1);
    EXPECT_EQ(emu::defaultDemoFile(), (folder / "state/brisel-setting/demo-adapter.toml").string());
    const Outcome shown = runCtlIn(folder, {"--demo", "show"});
    ASSERT_EQ(shown.status, 0) << shown.err;
    struct stat st {};
    ASSERT_EQ(stat((folder / "state/brisel-setting").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    // What show prints is what the file holds, but for the program line.
    EXPECT_EQ(contents(emu::defaultDemoFile()), shown.out);
    unsetenv("XDG_STATE_HOME");
}

// While another program holds the file, as it holds a device node, a
// command is refused with status 75 and the file stays as it was.
TEST(DemoMemory, AFileInUseIsRefusedAsAnAdapterInUse)
{
    const fs::path folder = freshFolder("in_use");
    const std::string file = (folder / "demo.toml").string();
    ASSERT_EQ(runCtlIn(folder, {"--demo-file", file, "set", "basic.delay_time_ms=500"}).status, 0);
    const std::string before = contents(file);
    const int holder = open(file.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(holder, 0);
    ASSERT_EQ(flock(holder, LOCK_EX | LOCK_NB), 0);
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"--demo-file", file, "set", "basic.delay_time_ms=900"},
             {"--demo-file", file, "--demo-reset", "show"},
             {"--demo-file", file, "--json", "detect"},
         }) {
        const Outcome got = runCtlIn(folder, args);
        EXPECT_EQ(got.status, 75) << args[2];
        EXPECT_EQ(got.out.find("\"status\": \"in_use\"") != std::string::npos, args[2] == "--json") << got.out;
        EXPECT_NE(got.err.find("is in use by another program"), std::string::npos) << got.err;
        EXPECT_NE(got.err.find("The demo adapter's file: " + file), std::string::npos) << got.err;
    }
    EXPECT_EQ(contents(file), before);
    close(holder);
    const Outcome after = runCtlIn(folder, {"--demo-file", file, "get", "basic.delay_time_ms"});
    EXPECT_EQ(after.out, "basic.delay_time_ms = 500\n");
}

}  // namespace
