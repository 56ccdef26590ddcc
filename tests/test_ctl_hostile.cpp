// brisel-ctl under hostile but fair use, over the emulated adapter: no
// crash and no unbounded read, nothing written that was not asked for,
// nothing untold. Each row gives the exit status, a part of the message and,
// where it matters, what reached the adapter.

#include "cli/options.h"
#include "tests/support/ctl_run.h"
#include "tests/support/named_case.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <stdlib.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// What reached the adapter.
enum class Sent {
    Any,      // not judged
    Nothing,  // judged before the first request
    NoWrite,  // read, but nothing changed
    Writes,   // exactly the writes of the row
};

struct Case {
    const char* name;
    std::vector<std::pair<const char*, std::string>> files;  // written in the test's folder first
    std::vector<std::string> args;                           // "@name": that file of the test's folder
    int status;
    const char* err;       // parts of stderr, one a line
    const char* out = "";  // a part of stdout
    Sent sent = Sent::Any;
    std::vector<int> writes{};     // Sent::Writes: the request codes, in order
    const char* errNot = nullptr;  // not in stderr
};

const std::string Deep = "format = 1\n[" + [] {
    std::string parts;
    for (int i = 0; i < 40000; ++i) parts += "a.";
    return parts;
}() + "a]\n";
const std::string DeepKey = "format = 1\n" + [] {
    std::string parts;
    for (int i = 0; i < 50000; ++i) parts += "a.";
    return parts;
}() + "a = 1\n";

// A quoted key holding a NUL, with more problems after it.
const std::string NulKey = "format = 1\n[basic]\n\"a\\u0000b\" = 1\ndelay_time_ms = 505\nzz = 2\n";

// An adapter holding an S/N squelch level of 0 with COS check off and
// resync error bits of 30: values the dialog does not write.
const std::string OddState = "format = 1\n[basic]\nresync_error_bits = 30\ncos_check = false\nsquelch_level = 0\n";
const std::string Odd =
    "format = 1\n[basic]\ndelay_time_ms = 500\nresync_error_bits = 30\ncos_check = false\n"
    "squelch_level = 0\n";
// The basic Save's writes without resync error bits (0x04), COS check
// (0x06) and S/N squelch (0x71), which the dialog refuses there.
const std::vector<int> BasicSaveOfOdd{0x02, 0x01, 0x5A, 0x03, 0x07, 0x0A, 0x0E, 0xE0, 0xE1, 0xD2, 0xD1, 0xD3, 0x4A};

const Case Cases[] = {
    // Crashes and unbounded work.
    {"DeepTableHeader",
     {{"f.toml", Deep}},
     {"restore", "@f.toml"},
     65,
     "f.toml:2: a key or table name of more than 8",
     "",
     Sent::Nothing},
    {"DeepKeyInDiff", {{"f.toml", DeepKey}}, {"diff", "@f.toml"}, 65, "f.toml:2:", "", Sent::Nothing},
    {"DeepDemoState", {{"f.toml", Deep}}, {"--demo-state", "@f.toml", "show"}, 65, "f.toml:2:", "", Sent::Nothing},
    {"EndlessFile",
     {},
     {"restore", "/dev/zero"},
     65,
     "/dev/zero: the file holds more than 1048576 bytes",
     "",
     Sent::Nothing},
    {"FileTooLarge",
     {{"f.toml", std::string(1024 * 1024 + 1, '#')}},
     {"restore", "@f.toml"},
     65,
     "f.toml: the file holds 1048577 bytes",
     "",
     Sent::Nothing},
    // Nothing written that the user did not ask for.
    {"SetDryRun",
     {},
     {"set", "--dry-run", "basic.delay_time_ms=500"},
     64,
     "--dry-run does not apply to set",
     "",
     Sent::Nothing},
    {"ForceShow", {}, {"--force", "show"}, 64, "--force does not apply to show", "", Sent::Nothing},
    {"NoBackupBackup",
     {},
     {"--no-backup", "backup", "-"},
     64,
     "--no-backup does not apply to backup",
     "",
     Sent::Nothing},
    {"ControlCharacterInSet",
     {},
     {"set", "beacon.interval_s=20", "repeater.alt_my_call=N0\nCALL"},
     65,
     "repeater.alt_my_call: holds the control character 0x0A",
     "",
     Sent::Nothing},
    {"ControlCharacterInFile",
     {{"f.toml", "format = 1\n[beacon]\n\nmessage = \"a\\u0085\"\n"}},
     {"restore", "@f.toml"},
     65,
     "f.toml:4: beacon.message: holds the control character 0x85",
     "",
     Sent::NoWrite},
    {"ControlCharacterTheAdapterHolds",
     {{"s.toml", "format = 1\n[repeater]\nalt_my_call = \"N0\\tCALL\"\n"},
      {"f.toml", "format = 1\n[repeater]\nalt_my_call = \"N0\\tCALL\"\n"}},
     {"--demo-state", "@s.toml", "restore", "@f.toml"},
     0,
     "Nothing to change",
     "",
     Sent::NoWrite},
    // A backup that restore refused. What the adapter holds is never refused.
    {"OddValuesInDemoState",
     {{"s.toml", OddState}},
     {"--demo-state", "@s.toml", "get", "basic.resync_error_bits"},
     0,
     "",
     "basic.resync_error_bits = 30\n"},
    {"OddBackupOntoItsAdapter",
     {{"s.toml", OddState}, {"f.toml", OddState}},
     {"--demo-state", "@s.toml", "restore", "@f.toml"},
     0,
     "Nothing to change",
     "",
     Sent::NoWrite},
    {"OddBackupDiff",
     {{"s.toml", OddState}, {"f.toml", OddState}},
     {"--demo-state", "@s.toml", "diff", "@f.toml"},
     0,
     "",
     "",
     Sent::NoWrite},
    // The group is written as the dialog's Save writes it.
    {"OddGroupWrittenAsTheSave",
     {{"s.toml", OddState}, {"f.toml", Odd}},
     {"--demo-state", "@s.toml", "restore", "--no-backup", "@f.toml"},
     0,
     "",
     "basic.delay_time_ms: 300 -> 500",
     Sent::Writes,
     BasicSaveOfOdd},
    {"OddGroupWrittenBySet",
     {{"s.toml", OddState}},
     {"--demo-state", "@s.toml", "set", "basic.delay_time_ms=500"},
     0,
     "",
     "basic.delay_time_ms = 500",
     Sent::Writes,
     BasicSaveOfOdd},
    // Refused where they would change the adapter, every line named.
    {"OddOntoAnotherAdapter",
     {{"f.toml", Odd}},
     {"restore", "@f.toml"},
     65,
     "f.toml:4: basic.resync_error_bits: 30 is outside 0 to 24 bits; a value beyond is kept only where the adapter "
     "holds it already, and it holds 12\n"
     "f.toml:6: basic.squelch_level = 0 needs basic.cos_check = true; line 5 sets basic.cos_check = false",
     "",
     Sent::NoWrite},
    {"OddOntoAnotherAdapterDryRun",
     {{"f.toml", Odd}},
     {"restore", "--dry-run", "@f.toml"},
     65,
     "f.toml:6:",
     "",
     Sent::NoWrite},
    {"SquelchZeroWhereCosCheckIsOff",
     {{"f.toml", "format = 1\n[basic]\nsquelch_level = 0\n"}},
     {"restore", "@f.toml"},
     65,
     "f.toml:3: basic.squelch_level = 0 needs basic.cos_check = true; the adapter holds basic.cos_check = false",
     "",
     Sent::NoWrite},
    {"CosCheckOffWhereSquelchIsZero",
     {{"s.toml", "format = 1\n[basic]\ncos_check = true\nsquelch_level = 0\n"},
      {"f.toml", "format = 1\n[basic]\ncos_check = false\n"}},
     {"--demo-state", "@s.toml", "restore", "@f.toml"},
     65,
     "f.toml:3: basic.cos_check = false needs basic.squelch_level above 0; the adapter holds basic.squelch_level = 0",
     "",
     Sent::NoWrite},
    {"SetBeyondTheDialog",
     {},
     {"set", "basic.last_frame_error_bits=30"},
     65,
     "basic.last_frame_error_bits: 30 is outside 0 to 24 bits; a value beyond",
     "",
     Sent::NoWrite},
    {"SetWhatTheAdapterHolds",
     {{"s.toml", OddState}},
     {"--demo-state", "@s.toml", "set", "basic.resync_error_bits=30"},
     0,
     "Nothing to change",
     "",
     Sent::NoWrite},
    // What the file alone shows is judged before the first request.
    {"BeyondTheWire",
     {{"f.toml", "format = 1\n[basic]\nresync_error_bits = 256\n"}},
     {"restore", "@f.toml"},
     65,
     "f.toml:3: basic.resync_error_bits: 256 is outside 0 to 24 bits; the adapter holds at most 255",
     "",
     Sent::Nothing},
    {"SetBeyondTheWire",
     {},
     {"set", "basic.resync_error_bits=256"},
     65,
     "the adapter holds at most 255",
     "",
     Sent::Nothing},
    // Nothing untold.
    {"EscapesInAFile",
     {{"f.toml", "format = 1\n[serial_port]\n\"\\u001b]0;x\\u0007\\u001b[2J\" = 1\nmode = \"\\u001b[2J\"\n"}},
     {"restore", "@f.toml"},
     65,
     "f.toml:3: unknown key serial_port.\\x1B]0;x\\x07\\x1B[2J\nf.toml:4: serial_port.mode: \"\\x1B[2J\" is not",
     "",
     Sent::Nothing},
    {"LongKeyIsCut",
     {{"f.toml", "format = 1\n[basic]\n" + std::string(500000, 'k') + " = 1\n"}},
     {"restore", "@f.toml"},
     65,
     "unknown key basic.kkkk",
     "",
     Sent::Nothing},
    {"HintWhenTheFileExists",
     {{"f.toml", "keep"}},
     {"backup", "@f.toml"},
     73,
     "f.toml: the file exists; --force replaces it"},
    {"NoHintForAMissingFolder",
     {},
     {"backup", "@none/f.toml"},
     73,
     "none/f.toml: No such file or directory",
     "",
     Sent::Any,
     {},
     "--force"},
    {"NoHintForAFolder",
     {{"d/f.toml", "keep"}},
     {"backup", "@d"},
     73,
     "d: not a regular file",
     "",
     Sent::Any,
     {},
     "--force"},
    {"EmptyFileName", {}, {"restore", ""}, 64, "the file name is empty", "", Sent::Nothing},
    {"EmptyFileNameInDiff", {}, {"diff", ""}, 64, "the file name is empty", "", Sent::Nothing},
    {"SameKeyTwice",
     {},
     {"set", "basic.delay_time_ms=500", "basic.delay_time_ms=600"},
     64,
     "set names basic.delay_time_ms twice",
     "",
     Sent::Nothing},
    {"FixedFlagBitsOnly",
     {},
     {"set", "repeater.flag_byte=0x90"},
     0,
     "repeater.flag_byte: bits 7 and 4 cannot be changed",
     "repeater.flag_byte = 0x00",
     Sent::NoWrite},
    {"FixedFlagBitsOnlyInRestore",
     {{"f.toml", "format = 1\n[repeater]\nflag_byte = 0x90\n"}},
     {"restore", "@f.toml"},
     0,
     "Nothing to change: the adapter holds what the file says.\nrepeater.flag_byte: bits 7 and 4 cannot be changed",
     "",
     Sent::NoWrite},
    {"SkipMissingInSet",
     {},
     {"--lacking=beacon", "set", "--skip-missing", "beacon.message=X", "basic.delay_time_ms=100"},
     0,
     "Left out, as the adapter's firmware lacks them: the beacon group.",
     "basic.delay_time_ms = 100"},
    {"SetTextNotUtf8",
     {},
     {"set", "beacon.message=caf\xE9"},
     65,
     "beacon.message: is not UTF-8 text: it holds the byte 0xE9; give the text in UTF-8",
     "",
     Sent::Nothing,
     {},
     "Latin-1"},
    {"NulInAQuotedKey",
     {{"f.toml", NulKey}},
     {"restore", "@f.toml"},
     65,
     "f.toml:3: unknown key basic.a\\x00b\nf.toml:4: basic.delay_time_ms: 505\nf.toml:5: unknown key basic.zz",
     "",
     Sent::Nothing},
    {"NulInAQuotedKeyJson",
     {{"f.toml", NulKey}},
     {"--json", "restore", "@f.toml"},
     65,
     "f.toml:5: unknown key basic.zz",
     "f.toml:5: unknown key basic.zz",
     Sent::Nothing},
    {"LackingValueInGet",
     {},
     {"--lacking=squelch", "get", "basic.squelch_level"},
     76,
     "brisel-ctl: The adapter's firmware lacks basic.squelch_level.\n",
     "",
     Sent::NoWrite,
     {},
     "not read"},
    // The command line.
    {"BundledUnknownOption", {}, {"-xh", "show"}, 64, "unknown option -x\n", "", Sent::Nothing},
    {"DeviceTwice",
     {},
     {"--device", "2:1", "--device", "1:1", "show"},
     64,
     "--device is given more than once",
     "",
     Sent::Nothing},
    {"EmptyCallSignShowsItsBlanks",
     {},
     {"set", "repeater.alt_my_call="},
     0,
     "",
     "repeater.alt_my_call = \"        \"\n"},
};

NAMED_CASE(Case)

std::vector<int> writesTo(const emu::Emulator& adapter)
{
    std::vector<int> writes;
    for (const emu::LogEntry& e : adapter.requests())
        if (ctltest::isWrite(e)) writes.push_back(e.request);
    return writes;
}

class Hostile : public testing::TestWithParam<Case> {};

TEST_P(Hostile, EndsAsTheRowSays)
{
    const Case& c = GetParam();
    std::string made = (fs::temp_directory_path() / "brisel-hostile-XXXXXX").string();
    ASSERT_NE(mkdtemp(made.data()), nullptr);
    const fs::path folder = made;
    for (const auto& [name, text] : c.files) {
        fs::create_directories((folder / name).parent_path());
        std::ofstream(folder / name, std::ios::binary) << text;
    }
    std::vector<std::string> args = c.args;
    for (std::string& a : args)
        if (a.starts_with('@')) a = (folder / a.substr(1)).string();

    emu::Emulator adapter;
    std::ostringstream out, err;
    EXPECT_EQ(ctltest::runDemo(adapter, args, out, err, (folder / "backups").string()), c.status) << err.str();
    std::istringstream parts(c.err);
    for (std::string part; std::getline(parts, part);) EXPECT_NE(err.str().find(part), std::string::npos) << err.str();
    EXPECT_NE(out.str().find(c.out), std::string::npos) << out.str();
    if (c.errNot) {
        EXPECT_EQ(err.str().find(c.errNot), std::string::npos) << err.str();
    }
    EXPECT_EQ(err.str().find('\x1B'), std::string::npos);  // nothing reaches the terminal raw
    EXPECT_LE(err.str().size(), 1000u);
    switch (c.sent) {
    case Sent::Any: break;
    case Sent::Nothing: EXPECT_TRUE(adapter.log().empty()); break;
    case Sent::NoWrite:
        EXPECT_FALSE(adapter.log().empty());
        EXPECT_EQ(writesTo(adapter), std::vector<int>{});
        break;
    case Sent::Writes: EXPECT_EQ(writesTo(adapter), c.writes); break;
    }
    fs::remove_all(folder);
}

// Standard output that cannot be written ends the command with 73, never 0
// with the output lost.
TEST(HostileOutput, LostStandardOutputIs73)
{
    struct Full : std::streambuf {
        int overflow(int) override { return traits_type::eof(); }
    } full;
    for (std::vector<std::string> args :
         {std::vector<std::string>{"show"}, {"set", "basic.delay_time_ms=500"}, {"backup", "-"}, {"--help"}}) {
        emu::Emulator adapter;
        std::ostream out(&full);
        std::ostringstream err;
        EXPECT_EQ(ctltest::runDemo(adapter, args, out, err, {}), 73) << args[0];
        EXPECT_NE(err.str().find("standard output cannot be written"), std::string::npos) << err.str();
    }
}

// The last --wait given counts, in either order.
TEST(HostileOptions, TheLastWaitCounts)
{
    const struct {
        std::vector<std::string> args;
        bool forever;
        std::optional<double> seconds;
    } cases[] = {{{"--wait", "--wait=1"}, false, 1.0}, {{"--wait=1", "--wait"}, true, std::nullopt}};
    for (const auto& c : cases) {
        std::vector<std::string> args{"brisel-ctl"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        args.push_back("show");
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        const Options options = parseOptions(static_cast<int>(argv.size()), argv.data());
        EXPECT_EQ(options.waitForever, c.forever) << c.args[0];
        EXPECT_EQ(options.waitSeconds, c.seconds) << c.args[0];
    }
}

// An adapter whose node cannot be opened yet: udev has not given it to the
// user (no permission), or has not made it (missing). The first `refusals`
// opens are refused so; -1: every one.
struct NodeCase {
    const char* name;
    std::vector<std::string> args;  // after "brisel-ctl"
    OpenStatus refusal;
    int refusals;
    int status;
    const char* err;
    const char* errNot;
};

const char* const Delay = "basic.delay_time_ms=500";

const NodeCase NodeCases[] = {
    {"UnreadyNodeIsWaitedFor",
     {"--wait=30", "set", Delay},
     OpenStatus::NoPermission,
     2,
     0,
     "Waiting for permission to use the DV Brisel (Relavox) at /dev/bus/usb/emulated...\n",
     "plugged in"},
    {"UnreadyNodeUntilTheDeadline",
     {"--wait=0.3", "set", Delay},
     OpenStatus::NoPermission,
     -1,
     77,
     "no permission to use the USB device",
     "plugged in"},
    {"UnreadyNodeWithoutWait", {"set", Delay}, OpenStatus::NoPermission, 1, 77, "no permission", "Waiting"},
    {"MissingNode",
     {"set", Delay},
     OpenStatus::NodeMissing,
     1,
     69,
     "brisel-ctl: The DV Brisel (Relavox) is on the USB bus, but its device node /dev/bus/usb/emulated is missing: "
     "it was unplugged just now, or this system has no /dev/bus/usb",
     "permission"},
    {"MissingNodeIsWaitedFor",
     {"--wait=30", "set", Delay},
     OpenStatus::NodeMissing,
     2,
     0,
     "Waiting for the DV Brisel (Relavox) to be plugged in...\n",
     "permission"},
};

NAMED_CASE(NodeCase)

// Runs "brisel-ctl ARGS..." over the bus `walk` gives.
int runOnBus(std::vector<std::string> args, CtlIo& io)
{
    args.insert(args.begin(), "brisel-ctl");
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    return runCtl(static_cast<int>(args.size()), argv.data(), io);
}

class HostileNode : public testing::TestWithParam<NodeCase> {};

TEST_P(HostileNode, WaitsAsTheRowSays)
{
    const NodeCase& c = GetParam();
    emu::Emulator adapter;
    const std::vector<emu::BusSlot> bus{{&adapter, "1-1", {1, 7}}};
    const std::function<AdapterWalk()> walk = emu::emulatedBusWalk(bus);
    int opens = 0;
    std::ostringstream out, err;
    CtlIo io{out, err};
    io.pause = [&adapter](int ms) { adapter.recordPause(ms); };
    io.stateFolder = (fs::temp_directory_path() / ("brisel-hostile-node-" + std::to_string(getpid()))).string();
    io.busWalk = [&] {
        AdapterWalk found = walk();
        found.open = [&, open = found.open](const AdapterNode& node) {
            if (c.refusals >= 0 && opens++ >= c.refusals) return open(node);
            AdapterAccess refused;
            refused.status = c.refusal;
            refused.node = node.path;
            return refused;
        };
        return found;
    };
    EXPECT_EQ(runOnBus(c.args, io), c.status) << err.str();
    EXPECT_NE(err.str().find(c.err), std::string::npos) << err.str();
    EXPECT_EQ(err.str().find(c.errNot), std::string::npos) << err.str();
    EXPECT_EQ(adapter.state().delayTime == 50, c.status == 0);
    fs::remove_all(io.stateFolder);
}

// detect with no adapter: the JSON document's message is the listing's words.
TEST(HostileDetect, TheJsonMessageIsTheListingsWords)
{
    const char* const words = "No DV Brisel (Relavox) on the USB buses.";
    std::ostringstream text, json, err;
    CtlIo io{text, err};
    io.busWalk = [] { return AdapterWalk{}; };
    EXPECT_EQ(runOnBus({"detect"}, io), 69);
    EXPECT_EQ(text.str(), std::string(words) + "\n");
    CtlIo jsonIo{json, err};
    jsonIo.busWalk = io.busWalk;
    EXPECT_EQ(runOnBus({"detect", "--json"}, jsonIo), 69);
    EXPECT_NE(json.str().find("\"message\": \"" + std::string(words) + "\""), std::string::npos) << json.str();
    EXPECT_EQ(err.str(), "");
}

INSTANTIATE_TEST_SUITE_P(Rows, HostileNode, testing::ValuesIn(NodeCases),
                         [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(Rows, Hostile, testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
