// The record a write to the adapter leaves. A write begun over the record of
// one that was cut short keeps what that record holds: its values from
// before for the groups it lists, and its groups that may be half written
// unless they are written again; once the write has told its result the
// record goes only if none of those is left. brisel-ctl removes its record
// only once its last word is out.

#include "cli/ctl.h"
#include "device/vendor_link.h"
#include "emulator/emulator.h"
#include "settings_file/restore_job.h"
#include "settings_file/settings_store.h"
#include "settings_file/toml_text.h"
#include "settings_file/write_record.h"
#include "tests/support/ctl_run.h"
#include "tests/support/named_case.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <streambuf>

namespace {

namespace fs = std::filesystem;
using settings::Group;

struct MadeFolder : fs::path {
    MadeFolder() : fs::path(made()) {}
    ~MadeFolder() { fs::remove_all(*this); }
    static fs::path made()
    {
        const fs::path tmpfs = fs::is_directory("/dev/shm") ? "/dev/shm" : fs::temp_directory_path();
        std::string made = (tmpfs / "brisel-record-XXXXXX").string();
        if (mkdtemp(made.data()) == nullptr) throw std::runtime_error("no folder for the test");
        return made;
    }
};

// Each group of `groups`, present with nothing in it, and the basic group's
// delay time.
settings::Snapshot valuesOf(const std::vector<Group>& groups, std::uint8_t delayTime)
{
    settings::Snapshot snapshot;
    for (Group group : groups) {
        switch (group) {
        case Group::Basic:
            snapshot.basic.emplace();
            snapshot.basic->delayTime = delayTime;
            break;
        case Group::Repeater: snapshot.repeater = settings::RepeaterValues{}; break;
        case Group::SlowData: snapshot.slowData = settings::SlowDataValues{}; break;
        case Group::Beacon: snapshot.beacon = settings::BeaconValues{}; break;
        case Group::SerialPort: snapshot.serialPort = settings::SerialPortValues{}; break;
        }
    }
    return snapshot;
}

struct MergeCase {
    const char* name;
    std::vector<Group> olderGroups, olderDone;  // the record left before; no groups: none
    std::vector<Group> now;                     // the groups the new write writes
    std::vector<Group> groups, done;            // what the record then says
    std::uint8_t delayTime;                     // the basic delay time it holds from before
    bool finished;                              // the new write's first group is written completely
    std::vector<Group> left;                    // half written once it has told its result; none: gone
};

NAMED_CASE(MergeCase)

class RecordOverRecord : public testing::TestWithParam<MergeCase> {};

TEST_P(RecordOverRecord, KeepsWhatTheOlderRecordHolds)
{
    const MergeCase& c = GetParam();
    const MadeFolder folder;
    const std::string path = settings::recordPath(folder.string(), settings::identityOf(std::nullopt));
    const settings::Features features{};
    if (!c.olderGroups.empty())
        settings::writeRecord(path,
                              {settings::RecordJob::Restore, settings::identityOf(std::nullopt), "2026-12-08 14:02",
                               c.olderGroups, c.olderDone},
                              valuesOf(c.olderGroups, 30), {"test", "", features});
    {
        settings::RecordKeeper keeper(path, settings::RecordJob::Set, settings::identityOf(std::nullopt),
                                      valuesOf(c.now, 42), features);
        const auto record = settings::readRecord(path);
        ASSERT_TRUE(record.has_value());
        EXPECT_EQ(record->job, settings::RecordJob::Set);
        EXPECT_EQ(record->groups, c.groups);
        EXPECT_EQ(record->done, c.done);
        const settings::FileContents before = settings::loadSettingsFile(path);
        ASSERT_TRUE(before.values.basic.has_value());
        EXPECT_EQ(before.values.basic->delayTime, std::optional<std::uint8_t>(c.delayTime));
        if (c.finished) {
            keeper.groupDone(c.now.front());
            EXPECT_EQ(settings::readRecord(path)->done.back(), c.now.front());
        }
    }
    const auto kept = settings::readRecord(path);
    EXPECT_EQ(kept.has_value(), !c.left.empty());
    if (kept) {
        // The older write is told again, its half-written groups alone not done.
        EXPECT_EQ(kept->job, settings::RecordJob::Restore);
        EXPECT_EQ(kept->begun, "2026-12-08 14:02");
        EXPECT_EQ(kept->groups, c.groups);
        EXPECT_EQ(settings::halfWritten(*kept), c.left);
        EXPECT_EQ(settings::loadSettingsFile(path).values.basic->delayTime, std::optional<std::uint8_t>(c.delayTime));
    }
}

// B, R, Bc: the basic, repeater and beacon groups.
constexpr Group B = Group::Basic, R = Group::Repeater, Bc = Group::Beacon;

INSTANTIATE_TEST_SUITE_P(
    Rows, RecordOverRecord,
    testing::Values(
        MergeCase{"NoOlderRecord", {}, {}, {B}, {B}, {}, 42, true, {}},
        MergeCase{"TheOlderValuesStandForItsGroups", {B, R}, {B}, {B}, {B, R}, {}, 30, true, {R}},
        MergeCase{"AGroupTheOlderWriteFinishedStaysDone", {B, Bc}, {B}, {R}, {B, R, Bc}, {B}, 30, true, {Bc}},
        MergeCase{"AGroupOnlyTheNewWriteHasTakesItsValues", {R}, {}, {B}, {B, R}, {}, 42, false, {R}},
        MergeCase{"WritingTheHalfWrittenGroupAgainEndsTheRecord", {B, R}, {B}, {R}, {B, R}, {B}, 30, true, {}},
        MergeCase{"AHalfWrittenGroupNotWrittenAgainKeepsTheRecord", {B, R}, {B}, {R}, {B, R}, {B}, 30, false, {R}}),
    [](const auto& info) { return std::string(info.param.name); });

// A write that finds nothing to change settles a half-written group of an
// older record when it wants that group and the adapter holds every value
// it wants of it.
struct HeldCase {
    const char* name;
    std::vector<Group> olderGroups;  // none done
    std::vector<Group> wanted;       // each with delay time 42 in basic
    std::uint8_t heldDelayTime;      // the adapter holds every group, with this delay time
    std::vector<Group> left;         // half written then; none: the record is gone
};

NAMED_CASE(HeldCase)

class SettledWhenHeld : public testing::TestWithParam<HeldCase> {};

TEST_P(SettledWhenHeld, OnlyAGroupWantedAndHeldWhole)
{
    const HeldCase& c = GetParam();
    const MadeFolder folder;
    const std::string path = settings::recordPath(folder.string(), settings::identityOf(std::nullopt));
    const settings::WriteRecord older{
        settings::RecordJob::Restore, settings::identityOf(std::nullopt), "2026-12-08 14:02", c.olderGroups, {}};
    settings::writeRecord(path, older, valuesOf(c.olderGroups, 30), {"test", "", {}});
    settings::settleHeldGroups(path, valuesOf({B, R, Bc}, c.heldDelayTime), valuesOf(c.wanted, 42), {});
    const auto kept = settings::readRecord(path);
    EXPECT_EQ(kept.has_value(), !c.left.empty());
    if (kept) {
        EXPECT_EQ(kept->begun, older.begun);
        EXPECT_EQ(kept->groups, c.olderGroups);
        EXPECT_EQ(settings::halfWritten(*kept), c.left);
        EXPECT_EQ(settings::loadSettingsFile(path).values.basic->delayTime, std::optional<std::uint8_t>(30));
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, SettledWhenHeld,
                         testing::Values(HeldCase{"HeldWholeGoes", {B}, {B}, 42, {}},
                                         HeldCase{"OneOfTwoSettled", {B, R}, {B}, 42, {R}},
                                         HeldCase{"AValueNotHeldStays", {B, R}, {B, R}, 30, {B}},
                                         HeldCase{"NotWantedStays", {B}, {R, Bc}, 42, {B}}),
                         [](const auto& info) { return std::string(info.param.name); });

// So does a write that changes another group (slow data): the basic group,
// half written by the older write from a delay time of 30, is settled when
// the adapter holds the 42 this write wants, or the 30 from before.
TEST(SettledWhenHeld, AlsoByAWriteOfAnotherGroup)
{
    const struct {
        std::uint8_t held;
        bool basicWanted, settled;
    } rows[] = {{42, true, true}, {30, true, true}, {30, false, true}, {50, true, false}, {42, false, false}};
    for (const auto& row : rows) {
        const MadeFolder folder;
        const settings::AdapterIdentity demo = settings::identityOf(std::nullopt);
        const std::string path = settings::recordPath(folder.string(), demo);
        settings::writeRecord(path, {settings::RecordJob::Restore, demo, "2026-12-08 14:02", {B}, {}},
                              valuesOf({B}, 30), {"test", "", {}});
        {
            settings::RecordKeeper keeper(path, settings::RecordJob::Restore, demo, valuesOf({Group::SlowData}, 0), {});
            keeper.groupDone(Group::SlowData);
            const std::vector<Group> wanted =
                row.basicWanted ? std::vector<Group>{B, Group::SlowData} : std::vector<Group>{Group::SlowData};
            keeper.settle(valuesOf({B, Group::SlowData}, row.held), valuesOf(wanted, 42));
        }
        EXPECT_EQ(settings::readRecord(path).has_value(), !row.settled)
            << "held " << int(row.held) << (row.basicWanted ? ", basic wanted" : "");
    }
}

// An older record whose values cannot be read is left as it is, and no
// write begins over it.
TEST(RecordOverRecord, AnUnreadableOlderRecordStopsTheWrite)
{
    const MadeFolder folder;
    const std::string path = settings::recordPath(folder.string(), settings::identityOf(std::nullopt));
    const std::string text = "# brisel-setting record of a write: restore\n[basic\n";
    std::ofstream(path) << text;
    EXPECT_THROW(settings::RecordKeeper(path, settings::RecordJob::Set, settings::identityOf(std::nullopt),
                                        valuesOf({Group::Basic}, 42), settings::Features{}),
                 settings::StoreError);
    std::ostringstream kept;
    kept << std::ifstream(path).rdbuf();
    EXPECT_EQ(kept.str(), text);
}

// Notes, for each write to it, whether the record is there.
class Watching final : public std::streambuf {
public:
    explicit Watching(fs::path record) : record_(std::move(record)) {}
    std::vector<bool> seen;

protected:
    int overflow(int c) override
    {
        seen.push_back(fs::exists(record_));
        return c;
    }
    std::streamsize xsputn(const char*, std::streamsize n) override
    {
        seen.push_back(fs::exists(record_));
        return n;
    }

private:
    fs::path record_;
};

struct OutputCase {
    const char* name;
    std::vector<std::string> args;  // "@": a file that sets basic.delay_time_ms
};

NAMED_CASE(OutputCase)

class RecordFolder : public testing::Test {
protected:
    const MadeFolder folder;
    const fs::path record = settings::recordPath(folder.string(), settings::identityOf(std::nullopt));
    emu::Emulator adapter;
    int run(const std::vector<std::string>& given, std::ostream& out, std::ostream& err)
    {
        std::ofstream(folder / "f.toml") << "format = 1\n[basic]\ndelay_time_ms = 500\n";
        std::vector<std::string> args;
        for (const std::string& a : given) args.push_back(a == "@" ? (folder / "f.toml").string() : a);
        return ctltest::runDemo(adapter, args, out, err, (folder / "backups").string());
    }
};
class RecordTilTheLastWord : public RecordFolder, public testing::WithParamInterface<OutputCase> {};

TEST_P(RecordTilTheLastWord, GoesOnlyOnceTheResultIsOut)
{
    Watching outBuffer(record), errBuffer(record);
    std::ostream out(&outBuffer), err(&errBuffer);
    EXPECT_EQ(run(GetParam().args, out, err), 0);
    ASSERT_FALSE(outBuffer.seen.empty());
    EXPECT_TRUE(outBuffer.seen.back());
    EXPECT_TRUE(errBuffer.seen.empty() || errBuffer.seen.back());
    EXPECT_FALSE(fs::exists(record));
}

INSTANTIATE_TEST_SUITE_P(Rows, RecordTilTheLastWord,
                         testing::Values(OutputCase{"Set", {"set", "basic.delay_time_ms=500"}},
                                         OutputCase{"Restore", {"restore", "@"}},
                                         OutputCase{"JsonRestore", {"--json", "restore", "@"}}),
                         [](const auto& info) { return std::string(info.param.name); });

// A record that cannot be written (its name taken by a folder, or a FIFO,
// which nothing waits on) or read (mode 000; root, whom modes do not stop,
// finds more than the 1 MiB a settings file may hold) stops a restore and a
// set before their first write, and says why; it is never replaced or
// removed. A command that only reads tells it and goes on.
TEST_P(RecordTilTheLastWord, OneThatCannotBeWrittenStopsTheWrite)
{
    if (GetParam().args.front() == "set") {
        ASSERT_EQ(mkfifo(record.c_str(), 0600), 0);
    } else if (GetParam().args.front() == "restore") {
        std::ofstream(record) << "# brisel-setting record of a write: set\n" << std::string(1 << 20, '#');
        fs::permissions(record, fs::perms::none);
    } else {
        fs::create_directories(record);
    }
    const auto type = fs::status(record).type();
    std::ostringstream out, err, readOut, readErr;
    EXPECT_EQ(run({"show"}, readOut, readErr), 0);
    EXPECT_NE(readErr.str().find(record.string() + ": "), std::string::npos) << readErr.str();
    EXPECT_NE(readErr.str().find("it is left as it is"), std::string::npos) << readErr.str();
    EXPECT_EQ(run(GetParam().args, out, err), 73);
    EXPECT_NE(err.str().find(record.string()), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("; without a record of the write, nothing was written"), std::string::npos) << err.str();
    EXPECT_EQ(fs::status(record).type(), type);
    EXPECT_TRUE(type != fs::file_type::regular || fs::file_size(record) > (1u << 20));
    // The basic group's Save begins with its delay time (0x02): never sent.
    EXPECT_TRUE(std::none_of(adapter.log().begin(), adapter.log().end(), [](const emu::LogEntry& e) {
        return e.kind == emu::LogEntry::Kind::Request && !e.isRead() && e.request == 0x02;
    }));
}

// --forget-record where the state folder is read-only says the record could
// not be removed (73), and it stays. Root, whom modes do not stop, runs it as
// the user nobody.
TEST_F(RecordFolder, ForgetInAReadOnlyFolderSaysSoAndKeepsIt)
{
    std::ofstream(record) << "# brisel-setting record of a write: set\n# groups to write: basic\nformat = 1\n";
    const int status = ctltest::inChild([&] {
        const bool root = geteuid() == 0;
        if (root && (chown(folder.c_str(), 65534, 65534) != 0 || setgid(65534) != 0 || setuid(65534) != 0)) return 1;
        fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
        std::ostringstream out, err;
        const std::string told = "The record could not be removed: " + record.string() + ": Permission denied.";
        return run({"--forget-record", "show"}, out, err) == 73 && err.str().find(told) != std::string::npos ? 0 : 2;
    });
    fs::permissions(folder, fs::perms::owner_all);
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(fs::exists(record));
}

// A record or an automatic backup puts back exactly what the adapter held,
// for every key it holds, after a write of other values that may be cut
// short (the adapter lost, or one request failing), and a record that is
// put back goes. BRISEL_EXACT_STATES random states (10000), from the seed
// BRISEL_EXACT_SEED (printed).
TEST(ExactlyBack, FromARecordOrAnAutomaticBackup)
{
    const char *count = std::getenv("BRISEL_EXACT_STATES"), *given = std::getenv("BRISEL_EXACT_SEED");
    const unsigned seed = given ? unsigned(std::stoul(given)) : std::random_device{}();
    std::cout << "BRISEL_EXACT_SEED=" << seed << std::endl;
    std::mt19937 random(seed);
    const auto byte = [&](unsigned from = 0) { return std::uint8_t(from + random() % (256 - from)); };
    const auto fill = [&](auto& text, std::size_t length) {
        for (std::size_t i = 0; i < text.size(); ++i) text[i] = i < length ? byte(1) : 0;
    };
    const MadeFolder folder;
    const settings::AdapterIdentity demo = settings::identityOf(std::nullopt, (folder / "demo.toml").string());
    const std::string record = settings::recordPath(folder.string(), demo);
    const settings::Pause none = [](int) {};
    for (long n = count ? std::stol(count) : 10000; n > 0; --n) {
        emu::Emulator adapter, other;
        for (emu::AdapterState* s : {&adapter.state(), &other.state()}) {
            for (std::uint8_t* b : {&s->delayTime, &s->timeOut, &s->keepAlive, &s->resyncErrorBits,
                                    &s->lastFrameErrorBits, &s->optionFlags, &s->preBit, &s->postBit, &s->polarityFlags,
                                    &s->squelch[0], &s->squelch[1], &s->jitterBuffer, &s->status[0], &s->status[1],
                                    &s->status[2], &s->digitalCode, &s->beaconInterval, &s->gpsBits})
                *b = byte();
            for (auto* call : {&s->myRepeaterCall, &s->altMyCall, &s->altYourCall, &s->altRpt1Call, &s->altRpt2Call})
                fill(*call, 8);
            fill(s->altMyCall2, 4);
            fill(s->slowDataMessage, random() % 21);
            fill(s->beaconMessage, random() % 21);
            fill(s->gpsMessage, 29);
            s->baudCode = settings::BaudCodes[random() % 4];
            s->serialMode = settings::ModeCodes[random() % 5];
        }
        // Without slow data, the repeater group's status block is not read.
        for (int f = 1; f < 5; ++f) adapter.setFeature(emu::Feature(f), random() % 8 != 0);
        for (int f = 0; f < 5; ++f) other.setFeature(emu::Feature(f), adapter.hasFeature(emu::Feature(f)));
        AdapterConnection cable(emu::openEmulated(adapter).transport, [&] { return emu::openEmulated(adapter); });
        VendorLink link(cable), otherLink(other);
        const settings::StartUp started = settings::startUp(link);
        const settings::Snapshot first = settings::readEveryGroup(link, started, false);

        // The other adapter's values written; the record or automatic backup taken as that ended.
        const bool asRecord = random() % 4 == 0;
        settings::RestoreSteps steps;
        steps.exact = true;
        steps.adapter = demo;
        (asRecord ? steps.recordPath : steps.backupFolder) = asRecord ? record : (folder / "backups").string();
        std::ostringstream saved;  // the record as the job keeps it (its values stay as they are)
        steps.writing = [&](const settings::RestoreOutcome&) {
            if (asRecord) saved << std::ifstream(record).rdbuf();
            adapter.clearFaults();
            adapter.injectFaultAt(int(random() % 300), emu::FaultKind(random() % 4), 1);
        };
        settings::FileContents change;
        change.values = settings::readEveryGroup(otherLink, settings::startUp(otherLink), false);
        settings::RestoreOutcome outcome;
        try {
            settings::restoreFile(link, none, started, change, steps, outcome);
        } catch (const AdapterGone&) {}
        if (!asRecord) saved << std::ifstream(outcome.backupPath).rdbuf();
        const settings::FileContents file = settings::readSettingsFile(saved.str());
        std::string wrong = file.problems.empty() ? "" : "unread at stage " + std::to_string(int(outcome.stage)) + "; ";
        if (!file.ownCopy) wrong += "not taken as the program's own; ";
        fs::remove(outcome.backupPath);
        outcome = {};
        adapter.plugIn();
        adapter.clearFaults();
        cable.reconnectIfLost();

        // Put back; a record as a crash leaves it, twice (then the adapter holds it already).
        settings::RestoreSteps back;
        back.exact = file.ownCopy.has_value();
        back.readSerialPortAgain = true;
        back.adapter = demo;
        if (asRecord) back.recordPath = record;
        for (int pass = asRecord ? 2 : 1; pass > 0; --pass) {
            if (asRecord) std::ofstream(record) << saved.str();
            settings::restoreFile(link, none, started, file, back, outcome);
            outcome = {};
            if (fs::exists(record)) wrong += "the record stays; ";
        }
        const settings::Snapshot after = settings::readEveryGroup(link, started, true);
        for (const settings::file::Field& f : settings::file::fields()) {
            const auto value = f.get(file.values);
            if (value ? value != f.get(first) || value != f.get(after)
                      : f.get(first) && (!asRecord || file.values.has(f.group)))
                wrong += settings::file::fullKey(f) + " = " + (value ? valueText(f, *value) : "(left out)") + "; ";
        }
        ASSERT_EQ(wrong, "") << "BRISEL_EXACT_SEED=" << seed << ", " << n << " before the end:\n" << saved.str();
    }
}

// A record goes back to its own adapter, on a bus of two (a at 1-1, b at
// 1-3): at its port, or at the only one there; else nothing is written.
struct RouteCase {
    const char* name;
    const char* port;  // the record's
    std::vector<std::string> args;
    bool bThere;
    char file;  // 'r': a record; 'e': one edited since; 'o': one an earlier version made, without a digest
    int status;
    const char* err;
    char written;  // 'a', 'b', or 0
};

class RecordRoute : public testing::TestWithParam<RouteCase> {};

TEST_P(RecordRoute, GoesToItsOwnAdapter)
{
    const RouteCase& c = GetParam();
    const MadeFolder folder;
    const std::string file = (folder / "interrupted-x.toml").string();
    settings::writeRecord(
        file, {settings::RecordJob::Set, settings::identityOf(AdapterNode{0, {1, 8}, "", c.port}), "", {}, {}},
        valuesOf({Group::Basic}, 50), {"test", "", settings::Features{}});
    if (c.file == 'e') std::ofstream(file, std::ios::app) << "# edited\n[beacon]\ninterval_s = 600\n";
    if (c.file == 'o') {
        std::ofstream(file) << "# brisel-setting record of a write: set\n# groups to write: basic\n# groups done: \n"
                               "# adapter at USB port: 1-3\nformat = 1\n[basic]\nresync_error_bits = 30\n";
        EXPECT_EQ(settings::readRecord(file)->adapter.port, "1-3");  // told as the record of the adapter there
    }
    emu::Emulator a, b;
    std::vector<emu::BusSlot> bus{{&a, "1-1", {1, 7}}, {&b, "1-3", {1, 8}}};
    if (!c.bThere) bus.pop_back();
    std::vector<std::string> args{"brisel-ctl"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    args.insert(args.end(), {"restore", "--no-backup", file});
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    std::ostringstream out, err;
    CtlIo io{out, err};
    io.pause = [](int) {};
    io.stateFolder = (folder / "state").string();
    io.busWalk = emu::emulatedBusWalk(bus);
    EXPECT_EQ(runCtl(static_cast<int>(argv.size()), argv.data(), io), c.status) << err.str();
    EXPECT_NE(err.str().find(c.err), std::string::npos) << err.str();
    EXPECT_EQ(a.state().delayTime == 50, c.written == 'a');
    EXPECT_EQ(b.state().delayTime == 50, c.written == 'b');
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RecordRoute,
    testing::Values(RouteCase{"AtItsPort", "1-3", {}, true, 'r', 0, "", 'b'},
                    RouteCase{"EditedIsAnyFile", "1-3", {}, true, 'e', 0, "", 'a'},
                    // Its values are judged as a hand-written file's: never put back exactly.
                    RouteCase{"AnEarlierVersionsIsAnyFile",
                              "1-3",
                              {"--device", "1-3"},
                              true,
                              'o',
                              65,
                              "basic.resync_error_bits: 30 is outside 0 to 24 bits",
                              0},
                    RouteCase{"AloneElsewhere",
                              "1-3",
                              {},
                              false,
                              'r',
                              0,
                              "interrupted-x.toml is the record of a write onto the adapter at USB port 1-3, which is "
                              "not connected; it goes to the only adapter connected, the adapter at USB port 1-1.",
                              'a'},
                    RouteCase{"NotThere",
                              "1-5",
                              {},
                              true,
                              'r',
                              69,
                              "which is not connected; nothing was written. Adapters connected now:\n  at USB port 1-1",
                              0},
                    RouteCase{"AnotherByDevice",
                              "1-3",
                              {"--device", "1-1"},
                              true,
                              'r',
                              69,
                              ", not of the adapter at USB port 1-1; nothing was written. This puts it back onto its "
                              "own adapter:\n  brisel-ctl --device 1-3 restore ",
                              0},
                    RouteCase{"AnotherAskedFor", "1-3", {"--device", "1-1", "--other-adapter"}, true, 'r', 0, "", 'a'}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
