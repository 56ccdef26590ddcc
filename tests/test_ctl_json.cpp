// brisel-ctl --json over the emulated adapter: each command's one document,
// parsed as JSON, and the document of a failure.

#include "device/commands.h"
#include "tests/support/ctl_run.h"
#include "tests/support/named_case.h"

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

// A folder of its own holding the settings file, gone with the test.
struct Site {
    fs::path folder;
    explicit Site(const std::string& name) : folder(fs::path(testing::TempDir()) / name)
    {
        fs::remove_all(folder);
        fs::create_directories(folder);
        std::ofstream(folder / "site.toml") << Changes;
    }
    ~Site() { fs::remove_all(folder); }
    // brisel-ctl with `args`, "@" standing for the settings file.
    int run(emu::Emulator& adapter, std::vector<std::string> args, std::ostringstream& out, std::ostringstream& err)
    {
        for (std::string& a : args)
            if (a == "@") a = (folder / "site.toml").string();
        return ctltest::runDemo(adapter, args, out, err, (folder / "backups").string());
    }
};

struct Case {
    const char* name;
    std::vector<std::string> args;  // "@" stands for the settings file
    std::function<void(emu::Emulator&)> prepare;
    int status;
    // Keys the document holds with these values (JSON pointers).
    std::vector<std::pair<const char*, Json>> expected;
};

NAMED_CASE(Case)

class CtlJson : public testing::TestWithParam<Case> {};

TEST_P(CtlJson, PrintsOneDocumentWithTheExitStatus)
{
    const Case& c = GetParam();
    Site site("ctl_json_" + std::string(c.name));
    emu::Emulator adapter;
    if (c.prepare) c.prepare(adapter);
    // --json first, unless the case puts it elsewhere.
    std::vector<std::string> args = c.args;
    if (std::find(args.begin(), args.end(), "--json") == args.end()) args.insert(args.begin(), "--json");
    std::ostringstream out, err;
    const int status = site.run(adapter, args, out, err);

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
        Case{"Set",
             {"set", "basic.delay_time_ms=500"},
             {},
             0,
             {{"/values", {{"basic.delay_time_ms", 500}}},
              {"/written", {{{"group", "basic"}, {"changes", {DelayChange}}}}},
              {"/cut_short", nullptr}}},
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

// A write cut by a loss: its document names the group under way and how far
// its writes came. Where it may be half written, the record stays, told by
// every later command on that adapter, until a write writes that group
// completely again, or until the cut command, run again, finds that the
// adapter holds what it would write of that group; a loss once every write
// of the group had returned leaves no record.
struct CutCase {
    const char* name;
    std::vector<std::string> args;  // "@" stands for the settings file
    emu::Fault loss;
    Json document;                   // without its message
    Json record;                     // the groups and those done the record then names
    std::vector<std::string> again;  // a later write of the cut group; none: the cut command again
};

NAMED_CASE(CutCase)

class CtlJsonCut : public testing::TestWithParam<CutCase> {};

TEST_P(CtlJsonCut, NamesHowFarTheGroupCameAndKeepsItsRecord)
{
    const CutCase& c = GetParam();
    Site site("ctl_json_cut_" + std::string(c.name));
    emu::Emulator adapter;
    adapter.injectFault(c.loss);
    const auto run = [&](std::vector<std::string> args, int status) {
        args.insert(args.begin(), "--json");
        std::ostringstream out, err;
        EXPECT_EQ(site.run(adapter, args, out, err), status) << err.str();
        return Json::parse(out.str());
    };
    Json document = run(c.args, 74);
    const std::string message = document.value("message", "");
    document.erase("message");
    EXPECT_EQ(document, c.document) << document;
    const Json& cut = c.document.at("cut_short");
    EXPECT_EQ(message.find("\nPartly written: ") != std::string::npos, !cut.is_null()) << message;

    adapter.clearFaults();
    adapter.plugIn();
    const std::vector<std::string> get = {"get", "basic.delay_time_ms"};
    const Json record = run(get, 0).value("record", Json());
    if (cut.is_null()) {
        EXPECT_TRUE(record.is_null()) << record;
        return;
    }
    EXPECT_EQ(record.at("job"), c.args.at(0));
    EXPECT_EQ(Json({{"groups", record.at("groups")}, {"done", record.at("done")}}), c.record) << record;
    // The groups it names as maybe half written: those not done.
    const auto halfWritten = [](const Json& document) {
        Json groups = Json::array();
        for (const Json& group : document.at("record").at("groups"))
            if (std::count(document["record"]["done"].begin(), document["record"]["done"].end(), group) == 0)
                groups.push_back(group);
        return groups;
    };
    const Json cutGroup = Json::array({cut.at("group")});
    EXPECT_EQ(halfWritten({{"record", record}}), cutGroup) << record;
    // A write of another group (the value the cut set had not sent) tells
    // the record and leaves it; one that writes the cut group settles it,
    // and so does the cut command again, finding nothing to change.
    EXPECT_EQ(halfWritten(run({"set", "beacon.interval_s=20"}, 0)), cutGroup);
    EXPECT_EQ(halfWritten(run(get, 0)), cutGroup);
    const Json again = run(c.again.empty() ? c.args : c.again, 0);
    EXPECT_EQ(halfWritten(again), cutGroup);
    EXPECT_EQ(again.at("written").empty(), c.again.empty()) << again;
    EXPECT_FALSE(run(get, 0).contains("record"));
}

// GROUP.NAME for each of the blank-separated `names`.
Json keysOf(const std::string& group, const std::string& names)
{
    Json keys = Json::array();
    std::istringstream in(names);
    for (std::string name; in >> name;) keys.push_back(group + "." + name);
    return keys;
}

Json cutShort(const char* group, const char* reached, const char* maybe, const char* notSent)
{
    return {{"group", group},
            {"reached", keysOf(group, reached)},
            {"may_have_reached", keysOf(group, maybe)},
            {"not_sent", keysOf(group, notSent)}};
}

const CutCase SetInBasic{
    "SetInBasic",
    {"set", "basic.delay_time_ms=500", "beacon.interval_s=20"},
    {emu::FaultKind::Unplug, cmd::WriteTimeOut, 1},
    {{"command", "set"},
     {"written", Json::array()},
     {"lost_during", "basic"},
     {"cut_short", cutShort("basic", "delay_time_ms", "time_out_s",
                            "keep_alive_ms resync_error_bits last_frame_error_bits crc_check cos_check "
                            "last_frame_send half_duplex pre_bit_pattern post_bit_pattern tx_invert "
                            "rx_invert auto_rx_detect squelch_level jitter_buffer_size")},
     {"not_taken", Json::array()},
     {"not_sent", {"beacon.interval_s"}},
     {"exit_status", 74}},
    // The beacon group, never begun, has nothing to put back.
    {{"groups", {"basic"}}, {"done", Json::array()}},
    {"set", "basic.delay_time_ms=600"}};

CutCase runAgain(CutCase c, const char* name)
{
    c.name = name;
    c.again = {};
    return c;
}

INSTANTIATE_TEST_SUITE_P(
    Losses, CtlJsonCut,
    testing::Values(SetInBasic, runAgain(SetInBasic, "SetInBasicRunAgain"),
                    CutCase{"RestoreInRepeater",
                            {"restore", "--no-backup", "@"},
                            {emu::FaultKind::Unplug, cmd::WriteAltMyCall2, 1},
                            {{"command", "restore"},
                             {"dry_run", false},
                             {"backup", nullptr},
                             {"written", {{{"group", "basic"}, {"changes", {DelayChange}}}}},
                             {"lost_during", "repeater"},
                             {"cut_short",
                              cutShort("repeater", "my_repeater_call alt_my_call", "alt_my_call2",
                                       "alt_your_call alt_rpt1_call alt_rpt2_call call_check dup_check dup_clear "
                                       "replace_alt_my_call replace_alt_my_call2 replace_alt_your_call "
                                       "replace_alt_rpt1_call replace_alt_rpt2_call replace_flag_byte flag_byte")},
                             {"not_taken", Json::array()},
                             {"not_sent", Json::array()},
                             {"exit_status", 74}},
                            {{"groups", {"basic", "repeater"}}, {"done", {"basic"}}},
                            // The file's value reached the adapter: the file again
                            // changes nothing, and the group holds what it would write.
                            {}},
                    // Lost while the basic group was read back: every write of it had
                    // returned.
                    CutCase{"RestoreWhileReadBack",
                            {"restore", "--no-backup", "@"},
                            {emu::FaultKind::Unplug, cmd::ReadDelayTime, 2},
                            {{"command", "restore"},
                             {"dry_run", false},
                             {"backup", nullptr},
                             {"written", Json::array()},
                             {"lost_during", "basic"},
                             {"cut_short", nullptr},
                             {"not_taken", Json::array()},
                             {"not_sent", {"repeater.alt_my_call"}},
                             {"exit_status", 74}},
                            nullptr,
                            {}}),
    [](const testing::TestParamInfo<CutCase>& info) { return info.param.name; });

// The backup's path is the one the words on stderr name.
TEST(CtlJsonRestore, NamesTheAutomaticBackup)
{
    Site site("ctl_json_backup");
    emu::Emulator adapter;
    std::ostringstream out, err;
    const std::string backups = (site.folder / "backups").string();
    ASSERT_EQ(site.run(adapter, {"--json", "restore", "@"}, out, err), 0);
    const std::string path = Json::parse(out.str()).at("backup");
    EXPECT_TRUE(path.starts_with(backups)) << path;
    EXPECT_TRUE(fs::exists(path)) << path;
    EXPECT_NE(err.str().find(path), std::string::npos) << err.str();
}

}  // namespace
