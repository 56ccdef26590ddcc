#include "app/command_line.h"

#include "device/adapter_list.h"
#include "device/device_option.h"
#include "device/shown_text.h"
#include "emulator/lacking.h"
#include "settings/licence.h"

#include <getopt.h>

#include <string_view>

namespace {

constexpr int UsageStatus = 64;

const char* const SettingHelp =
    "Usage: brisel-setting [OPTION...]\n"
    "Configures a DV Brisel (Relavox) adapter attached by USB.\n"
    "\n"
    "Options:\n"
    "  --device ADAPTER       use this adapter, by BUS:DEVICE or USB port path (as\n"
    "                         'brisel-ctl detect' lists them); default: the first\n"
    "  --help                 print this help\n"
    "  --version              print the program's version\n";

const char* const DemoHelp =
    "Usage: brisel-setting-demo [OPTION...] [FILE]\n"
    "Runs brisel-setting over an emulated adapter, which keeps its settings\n"
    "between runs in $XDG_STATE_HOME/brisel-setting/demo-adapter.toml, the file\n"
    "'brisel-ctl --demo' uses too. With FILE, the adapter starts with the\n"
    "settings of that settings file and remembers nothing.\n"
    "\n"
    "Options:\n"
    "  --lacking=FEATURE,...  the emulated firmware lacks these: slow_data, beacon,\n"
    "                         serial_port, squelch, jitter_buffer\n"
    "  --not-taking           the emulated adapter answers every write but keeps\n"
    "                         what it holds\n"
    "  --demo-adapters N      N emulated adapters (1 to 4), which brings up the\n"
    "                         Adapter menu; the others start with factory settings\n"
    "  --demo-unplug-at CODE:N  the adapter is lost at the Nth request (from 1) of\n"
    "                         the request code CODE (e.g. 0x02:1) and is back at\n"
    "                         the next action (with other adapters, the one after)\n"
    "  --demo-back-changed    the adapter lost by --demo-unplug-at is back with\n"
    "                         another Time Out, as another adapter would be\n"
    "  --demo-file FILE       the emulated adapter keeps its settings in FILE\n"
    "  --demo-reset           the emulated adapter starts again with its factory settings\n"
    "  --help                 print this help\n"
    "  --version              print the program's version\n";

enum LongOnly {
    Help = 1000,
    Version,
    Device,
    Lacking,
    DemoFile,
    DemoReset,
    NotTaking,
    DemoAdapters,
    DemoUnplugAt,
    DemoBackChanged
};

constexpr int MostDemoAdapters = 4;

// A whole number from `low` to `high` written in decimal, or in hex after
// "0x"; nothing for anything else.
std::optional<int> smallNumber(std::string_view text, int low, int high)
{
    int base = 10;
    if (text.starts_with("0x") || text.starts_with("0X")) text.remove_prefix(2), base = 16;
    if (text.empty() || text.size() > 4) return std::nullopt;
    int value = 0;
    for (const char c : text) {
        const int digit = c >= '0' && c <= '9'                 ? c - '0'
                          : base == 16 && c >= 'a' && c <= 'f' ? c - 'a' + 10
                          : base == 16 && c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                               : -1;
        if (digit < 0) return std::nullopt;
        value = value * base + digit;
    }
    if (value < low || value > high) return std::nullopt;
    return value;
}

// --demo-unplug-at CODE:N: the request code (0x00 to 0xFF) and which of
// its requests, from 1.
std::optional<emu::Fault> unplugFault(std::string_view text)
{
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    const auto code = smallNumber(text.substr(0, colon), 0, 0xFF);
    const auto occurrence = smallNumber(text.substr(colon + 1), 1, 9999);
    if (!code || !occurrence) return std::nullopt;
    return emu::Fault{emu::FaultKind::Unplug, static_cast<std::uint8_t>(*code), *occurrence, 0};
}

// Reads the options of `program`; `takes` is Device or Lacking, the one it
// has besides --help and --version. Arguments are left from optind on.
CommandLine readOptions(int argc, char** argv, const char* program, int takes, const char* help, std::ostream& out,
                        std::ostream& err)
{
    static const option longOptions[] = {
        {"help", no_argument, nullptr, Help},
        {"version", no_argument, nullptr, Version},
        {"device", required_argument, nullptr, Device},
        {"lacking", required_argument, nullptr, Lacking},
        {"demo-file", required_argument, nullptr, DemoFile},
        {"demo-reset", no_argument, nullptr, DemoReset},
        {"not-taking", no_argument, nullptr, NotTaking},
        {"demo-adapters", required_argument, nullptr, DemoAdapters},
        {"demo-unplug-at", required_argument, nullptr, DemoUnplugAt},
        {"demo-back-changed", no_argument, nullptr, DemoBackChanged},
        {nullptr, 0, nullptr, 0},
    };
    CommandLine line;
    std::string problem;
    bool helpAsked = false, versionAsked = false;
    optind = 0;
    opterr = 0;
    int c;
    while ((c = getopt_long(argc, argv, ":", longOptions, nullptr)) != -1) {
        // The demo's own options come with --lacking.
        const int group = c == DemoFile || c == DemoReset || c == NotTaking || c == DemoAdapters || c == DemoUnplugAt ||
                                  c == DemoBackChanged
                              ? Lacking
                              : c;
        const bool foreign = (group == Device || group == Lacking) && group != takes;
        if (!problem.empty()) continue;
        if (c == Help) helpAsked = true;
        else if (c == Version) versionAsked = true;
        else if (c == ':') problem = std::string("option ") + argv[optind - 1] + " needs a value";
        else if (c == '?' || foreign) problem = "unknown option " + std::string(argv[optind - 1]);
        else if (c == Device && !parseAdapterChoice(optarg)) problem = deviceOptionProblem(optarg);
        else if (c == Device) line.device = optarg, line.choice = parseAdapterChoice(optarg);
        else if (c == DemoFile && *optarg == '\0') problem = "--demo-file wants a file name";
        else if (c == DemoFile) line.demoFile = optarg;
        else if (c == DemoReset) line.demoReset = true;
        else if (c == NotTaking) line.notTaking = true;
        else if (c == DemoAdapters && !smallNumber(optarg, 1, MostDemoAdapters))
            problem = "--demo-adapters wants a number from 1 to " + std::to_string(MostDemoAdapters) + ", not '" +
                      shown::clipped(optarg) + "'";
        else if (c == DemoAdapters) line.demoAdapters = *smallNumber(optarg, 1, MostDemoAdapters);
        else if (c == DemoUnplugAt && !unplugFault(optarg))
            problem = "--demo-unplug-at wants CODE:N, a request code from 0x00 to 0xFF and a count from 1, not '" +
                      shown::clipped(optarg) + "'";
        else if (c == DemoUnplugAt) line.unplugAt = unplugFault(optarg);
        else if (c == DemoBackChanged) line.backChanged = true;
        else if (const auto lacking = emu::parseLacking(optarg)) line.lacking = *lacking;
        else problem = emu::lackingProblem(optarg);
    }
    if (!problem.empty()) {
        err << program << ": " << shown::fromUtf8(problem) << "\nTry '" << program << " --help'.\n";
        line.exitStatus = UsageStatus;
    } else if (helpAsked) {
        out << help;
        line.exitStatus = 0;
    } else if (versionAsked) {
        out << program << ' ' << BRISEL_VERSION << '\n' << LicenceLines;
        line.exitStatus = 0;
    }
    return line;
}

}  // namespace

CommandLine readSettingCommandLine(int argc, char** argv, std::ostream& out, std::ostream& err)
{
    CommandLine line = readOptions(argc, argv, "brisel-setting", Device, SettingHelp, out, err);
    if (!line.exitStatus && optind < argc) {
        err << "brisel-setting: takes no argument, not '" << shown::fromUtf8(shown::clipped(argv[optind]))
            << "'\nTry 'brisel-setting --help'.\n";
        line.exitStatus = UsageStatus;
    }
    return line;
}

CommandLine readDemoCommandLine(int argc, char** argv, std::ostream& out, std::ostream& err)
{
    CommandLine line = readOptions(argc, argv, "brisel-setting-demo", Lacking, DemoHelp, out, err);
    if (line.exitStatus) return line;
    if (argc - optind > 1) {
        err << "brisel-setting-demo: takes one FILE at most\nTry 'brisel-setting-demo --help'.\n";
        line.exitStatus = UsageStatus;
    } else if (line.backChanged && !line.unplugAt) {
        err << "brisel-setting-demo: --demo-back-changed goes with --demo-unplug-at\nTry 'brisel-setting-demo "
               "--help'.\n";
        line.exitStatus = UsageStatus;
    } else if (optind < argc && (line.demoFile || line.demoReset)) {
        err << "brisel-setting-demo: FILE remembers nothing; it cannot go with "
            << (line.demoFile ? "--demo-file" : "--demo-reset") << "\nTry 'brisel-setting-demo --help'.\n";
        line.exitStatus = UsageStatus;
    } else if (optind < argc) {
        line.file = argv[optind];
    }
    return line;
}

AdapterOpener settingOpener(const AdapterOpener& usbOpener, const std::optional<std::string>& device)
{
    if (!device) return usbOpener;
    return [usbOpener, given = *device] {
        AdapterAccess access = usbOpener();
        if (access.status == OpenStatus::NotFound) {
            AdapterProblem notThere{AdapterProblem::Kind::NotAtDevice};
            notThere.device = given;
            throw AdapterGone(notThere);
        }
        return access;
    };
}
