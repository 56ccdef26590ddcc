// brisel-ctl --json over the emulated adapter: each command's one document,
// parsed as JSON, and the document of a failure.

#include "device/commands.h"
#include "tests/support/ctl_run.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;

// Moves basic.delay_time_ms from 300 to 500 and repeater.alt_my_call from
// "N0CALL  " to "DL1ABC".
constexpr const char* Changes = "format = 1\n[basic]\ndelay_time_ms = 500\n[repeater]\nalt_my_call = \"DL1ABC\"\n";

const Json DelayChange = {{"key", "basic.delay_time_ms"}, {"adapter", 300}, {"file", 500}};
const Json CallChange = {{"key", "repeater.alt_my_call"}, {"adapter", "N0CALL  "}, {"file", "DL1ABC"}};

struct Case {
    const char* name;
    std::vector<std::string> args;  // "@" stands for the settings file
    std::function<void(emu::Emulator&)> prepare;
    int status;
    // Keys the document holds with these values (JSON pointers).
    std::vector<std::pair<const char*, Json>> expected;
};

void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.name;
}

class CtlJson : public testing::TestWithParam<Case> {};

TEST_P(CtlJson, PrintsOneDocumentWithTheExitStatus)
{
    const Case& c = GetParam();
    const fs::path folder = fs::path(testing::TempDir()) / ("ctl_json_" + std::string(c.name));
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string file = (folder / "site.toml").string();
    std::ofstream(file) << Changes;

    emu::Emulator adapter;
    if (c.prepare) c.prepare(adapter);
    // --json first, unless the case puts it elsewhere.
    std::vector<std::string> args;
    if (std::find(c.args.begin(), c.args.end(), "--json") == c.args.end()) args.push_back("--json");
    for (const std::string& a : c.args) args.push_back(a == "@" ? file : a);
    std::ostringstream out, err;
    const int status = ctltest::runDemo(adapter, args, out, err, (folder / "backups").string());

    EXPECT_EQ(status, c.status) << err.str();
    ASSERT_TRUE(out.str().ends_with("}\n")) << out.str();
    EXPECT_EQ(out.str().find('\n'), out.str().size() - 1) << "one line";
    const Json document = Json::parse(out.str());  // throws on anything but one JSON document
    EXPECT_EQ(document.at("exit_status"), c.status);
    for (const auto& [pointer, value] : c.expected)
        EXPECT_EQ(document.value(Json::json_pointer(pointer), Json()), value) << pointer << " in " << out.str();
    // A failure says why on stderr too, in words.
    if (document.contains("message")) {
        EXPECT_NE(err.str().find(document.at("message").get<std::string>().substr(0, 20)), std::string::npos)
            << err.str();
    }
    fs::remove_all(folder);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CtlJson,
    testing::Values(
        Case{"Detect", {"detect"}, {}, 0, {{"/command", "detect"}, {"/status", "opened"}, {"/features/beacon", true}}},
        Case{"Show",
             {"show", "basic", "beacon"},
             {},
             0,
             {{"/firmware", "DV Brisel PIC V01.07"},
              {"/settings/basic/delay_time_ms", 300},
              {"/settings/basic/half_duplex", false},
              {"/settings/basic/pre_bit_pattern", 0xF0},
              {"/settings/beacon/message", "QRV DV"},
              {"/settings/repeater", nullptr}}},
        Case{"Get",
             {"get", "repeater.alt_my_call", "basic.delay_time_ms"},
             {},
             0,
             {{"/values", {{"repeater.alt_my_call", "N0CALL  "}, {"basic.delay_time_ms", 300}}}}},
        Case{"Diff", {"diff", "@"}, {}, 1, {{"/changes", {DelayChange, CallChange}}}},
        Case{"DiffSame",
             {"diff", "@"},
             [](emu::Emulator& a) {
                 a.state().delayTime = 50;
                 a.state().altMyCall = {'D', 'L', '1', 'A', 'B', 'C', ' ', ' '};
             },
             0,
             {{"/changes", Json::array()}}},
        Case{"RestoreDryRun",
             {"restore", "--dry-run", "@"},
             {},
             0,
             {{"/dry_run", true}, {"/changes", {DelayChange, CallChange}}, {"/written", nullptr}}},
        // --set's values over the file's, checked as set checks them; render
        // asks the adapter nothing.
        Case{"RestoreSet",
             {"restore", "--dry-run", "@", "--set=basic.delay_time_ms=600", "--set", "beacon.message=QRV"},
             {},
             0,
             {{"/changes/0/file", 600}, {"/changes/1", CallChange}, {"/changes/2/file", "QRV"}}},
        Case{"RestoreSetRefused",
             {"restore", "@", "--set=basic.delay_time_ms=6000"},
             [](emu::Emulator& a) { a.setListener([](const emu::LogEntry&) { ADD_FAILURE() << "asked"; }); },
             65,
             {{"/message", "basic.delay_time_ms: 6000 is outside 0 to 2550 ms"}, {"/written", Json::array()}}},
        Case{"Render",
             {"render", "@", "--set=repeater.alt_my_call=DL2XYZ"},
             [](emu::Emulator& a) { a.setListener([](const emu::LogEntry&) { ADD_FAILURE() << "asked"; }); },
             0,
             {{"/settings/basic/delay_time_ms", 500}, {"/settings/repeater/alt_my_call", "DL2XYZ"}}},
        Case{"Restore",
             {"restore", "@"},
             {},
             0,
             {{"/dry_run", false},
              {"/written",
               {{{"group", "basic"}, {"changes", {DelayChange}}}, {{"group", "repeater"}, {"changes", {CallChange}}}}},
              {"/lost_during", nullptr},
              {"/not_taken", Json::array()}}},
        Case{"RestoreValueNotTaken",
             {"restore", "@"},
             [](emu::Emulator& a) {
                 a.injectFault({emu::FaultKind::Stall, cmd::WriteDelayTime, 1});
             },
             76,
             {{"/not_taken",
               {{{"key", "basic.delay_time_ms"}, {"why", "differs"}, {"written", 500}, {"reads_back", 300}}}},
              {"/message",
               "The adapter does not hold what was written:\n  basic.delay_time_ms: wrote 500, reads back 300"},
              {"/written/1/group", "repeater"}}},
        Case{"RestoreLostDuringRepeater",
             {"restore", "@"},
             [](emu::Emulator& a) {
                 // Pulled out right after the first write of the repeater group.
                 a.setListener([&a](const emu::LogEntry& e) {
                     if (e.request == cmd::WriteAltMyCall) a.unplugFrom(0);
                 });
             },
             74,
             {{"/written", {{{"group", "basic"}, {"changes", {DelayChange}}}}}, {"/lost_during", "repeater"}}},
        Case{"NotTaking",
             {"--not-taking", "restore", "@"},
             {},
             76,
             {{"/not_taken",
               {{{"key", "basic.delay_time_ms"}, {"why", "differs"}, {"written", 500}, {"reads_back", 300}},
                {{"key", "repeater.alt_my_call"},
                 {"why", "differs"},
                 {"written", "DL1ABC"},
                 {"reads_back", "N0CALL  "}}}},
              {"/written/0/group", "basic"}}},
        Case{"LackingGroup",
             {"--lacking=beacon", "show", "beacon"},
             {},
             76,
             {{"/command", "show"}, {"/message", "The adapter's firmware has no beacon group."}}},
        Case{"UsageBeforeJson",
             {"--bogus", "get", "basic.delay_time_ms", "--json"},
             {},
             64,
             {{"/command", "get"}, {"/message", "unknown option --bogus\nTry 'brisel-ctl --help'."}}},
        Case{"NotForBackup", {"backup", "@"}, {}, 64, {{"/command", "backup"}}}),
    [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

// The backup's path is the one the words on stderr name.
TEST(CtlJsonRestore, NamesTheAutomaticBackup)
{
    const fs::path folder = fs::path(testing::TempDir()) / "ctl_json_backup";
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::ofstream(folder / "site.toml") << Changes;
    emu::Emulator adapter;
    std::ostringstream out, err;
    const std::string backups = (folder / "backups").string();
    ASSERT_EQ(ctltest::runDemo(adapter, {"--json", "restore", (folder / "site.toml").string()}, out, err, backups), 0);
    const std::string path = Json::parse(out.str()).at("backup");
    EXPECT_TRUE(path.starts_with(backups)) << path;
    EXPECT_TRUE(fs::exists(path)) << path;
    EXPECT_NE(err.str().find(path), std::string::npos) << err.str();
    fs::remove_all(folder);
}

}  // namespace
