#include "app/command_line.h"

#include "device/adapter_list.h"
#include "device/device_option.h"
#include "device/shown_text.h"
#include "emulator/lacking.h"
#include "settings/licence.h"

#include <getopt.h>

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
    "  --demo-file FILE       the emulated adapter keeps its settings in FILE\n"
    "  --demo-reset           the emulated adapter starts again with its factory settings\n"
    "  --help                 print this help\n"
    "  --version              print the program's version\n";

enum LongOnly { Help = 1000, Version, Device, Lacking, DemoFile, DemoReset };

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
        const int group = c == DemoFile || c == DemoReset ? Lacking : c;
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
