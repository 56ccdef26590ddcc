// The command lines of brisel-setting and its demo, and the adapter
// brisel-setting --device opens among two.

#include "app/command_line.h"
#include "device/adapter_connection.h"
#include "device/device_option.h"
#include "device/vendor_link.h"
#include "settings/start_up.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

struct Line {
    bool demo;
    std::vector<std::string> args;
    std::optional<int> exitStatus;
    const char* said;        // on stdout when the status is 0, else on stderr
    const char* taken = "";  // what the program takes from it, as `taken` words it
};

// What a command line gives the program, other than its exit status.
std::string taken(const CommandLine& c)
{
    std::ostringstream text;
    const char* const features[] = {"slow_data", "beacon", "serial_port", "squelch", "jitter"};
    if (c.device) text << " device " << *c.device;
    if (!c.lacking.empty()) text << " lacking";
    for (emu::Feature f : c.lacking) text << ' ' << features[static_cast<int>(f)];
    if (c.file) text << " file " << *c.file;
    if (c.demoFile) text << " demo " << *c.demoFile;
    if (c.demoReset) text << " reset";
    if (c.unplugAt) text << " unplug";
    if (c.backChanged) text << " back changed";
    return text.str();
}

TEST(SettingCommandLine, TakesItsOptionsAndRefusesTheRestWith64)
{
    const Line lines[] = {
        {false, {}, std::nullopt, ""},
        {false, {"--device", "1-1.2"}, std::nullopt, "", " device 1-1.2"},
        {false, {"--device=001:007"}, std::nullopt, "", " device 001:007"},
        {false, {"--help"}, 0, "Usage: brisel-setting [OPTION...]"},
        {false, {"--version"}, 0, "brisel-setting 3.6.0\n"},
        {false, {"--device", "1-1."}, 64, "brisel-setting: --device wants BUS:DEVICE, e.g. 1:7, or a USB port path"},
        {false, {"--device"}, 64, "brisel-setting: option --device needs a value\nTry 'brisel-setting --help'.\n"},
        {false, {"--lacking=beacon"}, 64, "unknown option --lacking=beacon"},
        {false, {"--help", "--bogus"}, 64, "unknown option --bogus"},
        {false, {"site.toml"}, 64, "brisel-setting: takes no argument, not 'site.toml'"},
        {false, {"a\x1B[2Jb"}, 64, "brisel-setting: takes no argument, not 'a\\x1B[2Jb'"},
        {true, {"site.toml"}, std::nullopt, "", " file site.toml"},
        {true,
         {"--lacking=jitter_buffer,slow_data", "s.toml"},
         std::nullopt,
         "",
         " lacking jitter slow_data file s.toml"},
        {true, {"--lacking", "beacon,serial_port,squelch"}, std::nullopt, "", " lacking beacon serial_port squelch"},
        {true, {"--lacking=beacon,"}, 64, "brisel-setting-demo: --lacking wants some of slow_data, beacon"},
        {true, {"--lacking=gps"}, 64, "not 'gps'"},
        {true, {"--device=1:7"}, 64, "unknown option --device=1:7"},
        {true, {"a.toml", "b.toml"}, 64, "takes one FILE at most"},
        {true, {"--help"}, 0, "  --lacking=FEATURE,...  the emulated firmware lacks these"},
        {true, {"--demo-file", "a.toml"}, std::nullopt, "", " demo a.toml"},
        {true, {"--demo-reset"}, std::nullopt, "", " reset"},
        {true, {"--demo-file="}, 64, "brisel-setting-demo: --demo-file wants a file name"},
        {true, {"--demo-reset", "s.toml"}, 64, "FILE remembers nothing; it cannot go with --demo-reset", " reset"},
        {true,
         {"--demo-file", "a.toml", "s.toml"},
         64,
         "FILE remembers nothing; it cannot go with --demo-file",
         " demo a.toml"},
        {false, {"--demo-reset"}, 64, "unknown option --demo-reset"},
        {true, {"--demo-unplug-at", "0x02:1", "--demo-back-changed"}, std::nullopt, "", " unplug back changed"},
        {true, {"--demo-back-changed"}, 64, "--demo-back-changed goes with --demo-unplug-at", " back changed"},
        {false, {"--demo-back-changed"}, 64, "unknown option --demo-back-changed"},
    };
    for (const Line& l : lines) {
        std::vector<std::string> args = l.args;
        args.insert(args.begin(), l.demo ? "brisel-setting-demo" : "brisel-setting");
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        std::ostringstream out, err;
        const int argc = static_cast<int>(args.size());
        const CommandLine got = l.demo ? readDemoCommandLine(argc, argv.data(), out, err)
                                       : readSettingCommandLine(argc, argv.data(), out, err);
        const std::string label = args.back();
        EXPECT_EQ(got.exitStatus, l.exitStatus) << label;
        EXPECT_NE((l.exitStatus == 0 ? out : err).str().find(l.said), std::string::npos) << label << err.str();
        EXPECT_EQ(out.str().empty(), l.exitStatus != 0) << label;
        EXPECT_EQ(taken(got), l.taken) << label;
        EXPECT_EQ(got.choice.has_value(), got.device.has_value()) << label;
    }
}

// --device names one of two adapters by address or port; only that one is
// asked anything, and one that is not there is refused as not being at the
// place --device names.
TEST(SettingCommandLine, OpensTheAdapterDeviceNames)
{
    emu::Emulator a, b;
    const std::vector<emu::BusSlot> bus{{&a, "1-1.2", {1, 7}}, {&b, "1-1.3", {1, 8}}};
    const struct {
        std::optional<std::string> device;
        emu::Emulator* opened;
    } cases[] = {{std::nullopt, &a}, {"1-1.3", &b}, {"1:8", &b}, {"1:7", &a}, {"1-1.4", nullptr}, {"2:7", nullptr}};
    for (const auto& c : cases) {
        a.clearLog();
        b.clearLog();
        std::optional<AdapterChoice> choice;
        if (c.device) choice = parseAdapterChoice(*c.device);
        AdapterConnection connection(nullptr, settingOpener(emu::emulatedBusOpener(bus, choice), c.device));
        const std::string label = c.device.value_or("none");
        try {
            connection.reconnectIfLost();
            VendorLink link(connection);
            settings::startUp(link);
            EXPECT_NE(c.opened, nullptr) << label;
        } catch (const AdapterGone& gone) {
            EXPECT_EQ(c.opened, nullptr) << label;
            EXPECT_EQ(gone.problem().kind,
                      c.device ? AdapterProblem::Kind::NotAtDevice : AdapterProblem::Kind::NotFound)
                << label;
            EXPECT_EQ(gone.problem().device, c.device.value_or("")) << label;
        }
        EXPECT_EQ(a.log().empty(), c.opened != &a) << label;
        EXPECT_EQ(b.log().empty(), c.opened != &b) << label;
    }
}

}  // namespace
