// brisel-ctl over the emulated adapter: the exit statuses, the request
// streams against the desktop program's, the round trip of a backup onto an
// adapter holding other values, and faults at every request of backup and
// restore.

#include "app/eeprom_set.h"
#include "dialogs/basicinfo.h"
#include "dialogs/repeaterinfo.h"
#include "dialogs/unit12.h"
#include "dialogs/unit15.h"
#include "dialogs/unit17.h"
#include "settings_file/settings_file.h"
#include "tests/support/ctl_run.h"
#include "tests/support/dialog_helpers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>

namespace {

using emu::Feature;
using Pics = std::vector<std::string>;

// One brisel-ctl run over `adapter` (its --demo adapter), with pauses logged
// instead of taken and automatic backups in the test's own folder.
struct Ctl {
    emu::Emulator adapter;
    QTemporaryDir folder;
    std::ostringstream out, err;
    int status = -1;

    std::string path(const char* name) const { return folder.filePath(QString::fromLatin1(name)).toStdString(); }

    int run(std::vector<std::string> args)
    {
        out.str({});
        err.str({});
        status = ctltest::runDemo(adapter, std::move(args), out, err, path("backups"));
        return status;
    }
};

// Moves every value the dialogs can write away from the emulator's defaults,
// edges included: 0, the maxima, blanks at the end of call signs, Latin-1.
void moveEverything(emu::AdapterState& s)
{
    s.delayTime = 255;
    s.timeOut = 0;
    s.keepAlive = 1;
    s.resyncErrorBits = 24;
    s.lastFrameErrorBits = 0;
    s.optionFlags = 0x84;  // COS check, half duplex
    s.preBit = 0x00;
    s.postBit = 0xFF;
    s.polarityFlags = 0x83;
    s.squelch = {0xFF, 0xC0};  // 1023
    s.jitterBuffer = 255;
    s.myRepeaterCall = dlg::block<8>("N0RPT  B", ' ');
    s.altMyCall = dlg::block<8>("N0C\xC4LL ", ' ');
    s.altMyCall2 = dlg::block<4>("AB  ", ' ');
    s.altYourCall = dlg::block<8>("N0CALL B", ' ');
    s.altRpt1Call = dlg::block<8>("        ", ' ');
    s.altRpt2Call = dlg::block<8>("N0RPT  C", ' ');
    s.status = {0xFC, 0x0E, 0x6B};  // bits 7 and 4 of the flag byte as the default
    s.digitalCode = 0xFF;
    s.slowDataMessage = dlg::block<20>("12345678901234567890");
    s.beaconInterval = 255;
    s.beaconMessage = dlg::block<20>(
        "B\xE9"
        "acon");
    s.baudCode = 192;
    s.serialMode = 6;
    s.gpsBits = 0x9C;
    s.gpsMessage = dlg::block<29>("$GPRMC 0123456789", ' ');
}

// What changes the adapter: every request but the reads and the rewinds
// before text reads, and the pauses between them.
Pics writesTo(const emu::Emulator& adapter)
{
    Pics writes;
    for (const emu::LogEntry& e : adapter.log())
        if (e.kind == emu::LogEntry::Kind::Pause || ctltest::isWrite(e)) writes.push_back(emu::describe(e));
    return writes;
}

TEST(Ctl, BackupRestoredOntoAnotherAdapterMakesItHoldTheSame)
{
    Ctl first;
    moveEverything(first.adapter.state());
    ASSERT_EQ(first.run({"backup", first.path("a.toml")}), 0) << first.err.str();

    Ctl second;  // holds the defaults
    second.run({"restore", first.path("a.toml")});
    EXPECT_EQ(second.status, 0) << second.err.str();
    EXPECT_EQ(second.adapter.state(), first.adapter.state());
    // The automatic backup holds what the second adapter held before, and names its firmware once.
    QFile backup(QString::fromStdString(second.path("backups/2026-12-07_120000.toml")));
    ASSERT_TRUE(backup.open(QIODevice::ReadOnly));
    EXPECT_EQ(backup.readAll().count("irmware: DV Brisel PIC V01.07\n"), 1);

    // Now they agree: diff finds nothing, a second restore writes nothing.
    EXPECT_EQ(second.run({"diff", first.path("a.toml")}), 0);
    EXPECT_EQ(second.out.str(), "");
    second.adapter.clearLog();
    EXPECT_EQ(second.run({"restore", "--no-backup", first.path("a.toml")}), 0);
    EXPECT_EQ(writesTo(second.adapter), Pics{});

    // With one value of one group moved, the whole file writes that group
    // alone: the same writes as a file holding only that group.
    ASSERT_EQ(first.run({"show", "beacon"}), 0);
    std::ofstream(first.path("beacon.toml")) << first.out.str();
    Ctl third;
    for (Ctl* ctl : {&second, &third}) {
        ctl->adapter.state() = first.adapter.state();
        ctl->adapter.state().beaconInterval = 1;
        ctl->adapter.clearLog();
    }
    EXPECT_EQ(second.run({"restore", "--no-backup", first.path("a.toml")}), 0);
    EXPECT_EQ(third.run({"restore", "--no-backup", first.path("beacon.toml")}), 0);
    EXPECT_EQ(writesTo(second.adapter), writesTo(third.adapter));
    EXPECT_FALSE(writesTo(third.adapter).empty());
}

// The desktop program's streams, flow by flow, as the emulator logs them.
struct Gui {
    Rig rig;
    Windows w;
    explicit Gui(void (*prepare)(emu::AdapterState&))
    {
        prepare(rig.emulator.state());
        w = rig.start();
    }
    Pics take()
    {
        Pics p = pictures(rig.emulator.log());
        rig.emulator.clearLog();
        return p;
    }
    // Opens a group's dialog from the main menu, optionally saving it as it
    // shows the adapter's values.
    Pics open(settings::Group group, bool save)
    {
        // Each group's main menu item, its dialog and that dialog's Save, in the order of the groups.
        const std::tuple<const char*, QObject*, const char*> items[] = {
            {"BasicInfoSetting1", w.basicDialog, "Save1"},
            {"RepeaterInfoSetting1", w.repeaterDialog, "Ssve1"},
            {"SlowData", w.slowDataDialog, "Save1"},
            {"Beacon", w.beaconDialog, "Save1"},
            {"RS232C", w.serialPortDialog, "Save1"}};
        const auto [menu, dialog, saveItem] = items[static_cast<int>(group)];
        if (save) {
            rig.host.whileShown = [dialog = dialog, saveItem = saveItem](QDialog&) {
                dlg::trigger(*dialog, QString::fromLatin1(saveItem));
            };
        }
        dlg::trigger(*w.mainWindow, QString::fromLatin1(menu));
        return take();
    }
};

Pics operator+(Pics a, const Pics& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class Streams : public testing::TestWithParam<settings::Group> {};

// restore of one changed group sends: the desktop program's start-up, the
// opening of every dialog (the adapter's settings, read for the automatic
// backup), then that dialog's Save as it runs showing the file's values.
TEST_P(Streams, RestoreSendsWhatTheDesktopProgramSends)
{
    const settings::Group group = GetParam();
    Gui gui(moveEverything);
    Pics expected = gui.take();
    std::size_t opening = 0;
    for (settings::Group g : settings::AllGroups) {
        const Pics open = gui.open(g, false);
        if (g == group) opening = open.size();
        expected = expected + open;
    }
    // The dialog opened again, then its Save.
    const Pics openAndSave = gui.open(group, true);
    const Pics save(openAndSave.begin() + static_cast<std::ptrdiff_t>(opening), openAndSave.end());
    ASSERT_FALSE(save.empty());

    Ctl from;
    moveEverything(from.adapter.state());
    ASSERT_EQ(from.run({"show", settings::groupName(group)}), 0);
    std::ofstream(from.path("group.toml")) << from.out.str();

    Ctl ctl;
    ctl.adapter.clearLog();
    ASSERT_EQ(ctl.run({"restore", "--no-backup", from.path("group.toml")}), 0) << ctl.err.str();
    EXPECT_EQ(pictures(ctl.adapter.log()), expected + save);
}

INSTANTIATE_TEST_SUITE_P(Groups, Streams, testing::ValuesIn(settings::AllGroups),
                         [](const auto& info) { return std::string(settings::groupName(info.param)); });

// One row per exit status that the emulated adapter can give.
struct StatusCase {
    const char* name;
    std::function<void(Ctl&)> prepare;
    std::vector<std::string> args;
    int status;
    const char* errorPart;         // in stderr
    const char* errNot = nullptr;  // not in stderr
};

void writeFile(Ctl& c, const char* name, const std::string& text)
{
    std::ofstream(c.path(name)) << text;
}

const StatusCase StatusCases[] = {
    {"Show", nullptr, {"show", "beacon"}, 0, ""},
    {"DiffFindsDifferences",
     [](Ctl& c) { writeFile(c, "f.toml", "format = 1\n[basic]\ndelay_time_ms = 500\n"); },
     {"diff", "@f.toml"},
     1,
     ""},
    {"TraceTellsEachRequestAndPause",
     nullptr,
     {"--trace", "set", "repeater.my_repeater_call=ABC"},
     0,
     "write 0x46 bmRequestType=0x40 wValue=0x0000 len=8 -> 8 [41 42 43 20 20 20 20 20]\npause 50 ms\n"
     "read  0x55 bmRequestType=0xC0 wValue=0x0000 len=8 -> 8 [41 42 43 20 20 20 20 20]\n"},
    {"UnknownCommand", nullptr, {"frobnicate"}, 64, "unknown command"},
    {"UnknownKey", nullptr, {"get", "basic.nothing"}, 64, "unknown key"},
    {"ValueNotAMultipleOfTen", nullptr, {"set", "basic.delay_time_ms=505"}, 65, "basic.delay_time_ms: 505"},
    {"FileMissing", nullptr, {"restore", "@missing.toml"}, 66, "missing.toml"},
    {"LostDuringRead", [](Ctl& c) { c.adapter.unplugFrom(30); }, {"backup", "@b.toml"}, 74, "no longer connected"},
    {"RestoreLostDuringRead",
     [](Ctl& c) {
         writeFile(c, "f.toml", "format = 1\n[basic]\ndelay_time_ms = 500\n");
         c.adapter.unplugFrom(30);
     },
     {"restore", "@f.toml"},
     74,
     "no longer connected"},
    {"ShowLostDuringStartUpSaysNothingOfWriting",
     [](Ctl& c) { c.adapter.unplugFrom(2); },
     {"show"},
     74,
     "no longer connected; nothing more was sent.",
     "written"},
    {"GroupTheFirmwareLacks",
     [](Ctl& c) {
         c.adapter.setFeature(Feature::Beacon, false);
         writeFile(c, "f.toml", "format = 1\n[beacon]\ninterval_s = 20\n");
     },
     {"restore", "@f.toml"},
     76,
     "beacon"},
    {"LostDuringAGroupNamesWhatWasNeverSent",
     [](Ctl& c) {
         c.adapter.injectFault({emu::FaultKind::Unplug, 0x02, 1});
     },
     {"set", "basic.delay_time_ms=500", "beacon.interval_s=20"},
     74,
     "again).\n  May have reached it: basic.delay_time_ms.\n  Never sent: basic.time_out_s, basic.keep_alive_ms, "
     "basic.resync_error_bits, basic.last_frame_error_bits, basic.crc_check, basic.cos_check, basic.last_frame_send, "
     "basic.half_duplex, basic.pre_bit_pattern, basic.post_bit_pattern, basic.tx_invert, basic.rx_invert, "
     "basic.auto_rx_detect, basic.squelch_level, basic.jitter_buffer_size.\nNot sent: beacon.interval_s.\nThe record "
     "of the write stays until basic is written completely."},
};

class ExitStatus : public testing::TestWithParam<StatusCase> {};

TEST_P(ExitStatus, IsTheDocumentedOne)
{
    const StatusCase& c = GetParam();
    Ctl ctl;
    if (c.prepare) c.prepare(ctl);
    std::vector<std::string> args = c.args;
    for (std::string& a : args)
        if (a[0] == '@') a = ctl.path(a.c_str() + 1);
    EXPECT_EQ(ctl.run(args), c.status) << ctl.err.str();
    EXPECT_NE(ctl.err.str().find(c.errorPart), std::string::npos) << ctl.err.str();
    if (c.errNot) {
        EXPECT_EQ(ctl.err.str().find(c.errNot), std::string::npos) << ctl.err.str();
    }
    // A file that was to be written is whole or not there.
    if (c.args[0] == "backup" && c.status != 73) {
        EXPECT_FALSE(QFile::exists(QString::fromStdString(args[1])));
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, ExitStatus, testing::ValuesIn(StatusCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Ctl, SetChecksEveryValueFirstThenWritesAndPrintsWhatWasReadBack)
{
    Ctl ctl;
    EXPECT_EQ(ctl.run({"set", "beacon.interval_s=20", "basic.keep_alive_ms=2551"}), 65);
    EXPECT_TRUE(ctl.adapter.log().empty());
    ASSERT_EQ(ctl.run({"set", "beacon.interval_s=20", "repeater.alt_my_call=N0CALL A"}), 0) << ctl.err.str();
    EXPECT_EQ(ctl.out.str(), "beacon.interval_s = 20\nrepeater.alt_my_call = \"N0CALL A\"\n");
    EXPECT_EQ(ctl.adapter.state().beaconInterval, 2);
    ASSERT_EQ(ctl.run({"get", "beacon.interval_s", "basic.delay_time_ms"}), 0);
    EXPECT_EQ(ctl.out.str(), "beacon.interval_s = 20\nbasic.delay_time_ms = 300\n");
}

// A backup under a fault at any request is whole or not there.
TEST(Ctl, BackupUnderAFaultIsWholeOrNotThere)
{
    Ctl healthy;
    ASSERT_EQ(healthy.run({"backup", healthy.path("a.toml")}), 0);
    const int requests = static_cast<int>(healthy.adapter.requests().size());
    std::ifstream in(healthy.path("a.toml"));
    const std::string whole((std::istreambuf_iterator<char>(in)), {});
    for (int k = 0; k < requests; ++k) {
        Ctl ctl;
        ctl.adapter.unplugFrom(k);
        const int status = ctl.run({"backup", ctl.path("b.toml")});
        const bool exists = QFile::exists(QString::fromStdString(ctl.path("b.toml")));
        EXPECT_EQ(exists, status == 0) << "request " << k;
        EXPECT_TRUE(status == 0 || status == 74 || status == 69) << "request " << k << ": " << status;
        if (exists) {
            std::ifstream b(ctl.path("b.toml"));
            EXPECT_EQ(std::string((std::istreambuf_iterator<char>(b)), {}), whole) << "request " << k;
        }
    }
}

}  // namespace
