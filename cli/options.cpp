#include "cli/options.h"

#include "cli/commands.h"
#include "cli/exit_status.h"
#include "device/adapter_list.h"
#include "device/device_option.h"
#include "device/shown_text.h"
#include "emulator/lacking.h"

#include <getopt.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string_view>

const char* const UsageText =
    "Usage: brisel-ctl [OPTION...] COMMAND [ARGUMENT...]\n"
    "Reads and writes the settings of a DV Brisel (Relavox) adapter.\n"
    "\n"
    "Commands:\n"
    "  detect                 list the adapters and tell whether the first can be used\n"
    "  show [GROUP...]        print the adapter's settings as a settings file\n"
    "  backup FILE            save every group to FILE (- for standard output)\n"
    "  restore FILE           check FILE, then write the groups that differ\n"
    "  render FILE            check FILE and --set, then print it; no adapter is opened\n"
    "  diff FILE              list, field by field, where the adapter differs from FILE\n"
    "  get KEY...             print single settings, e.g. basic.delay_time_ms\n"
    "  set KEY=VALUE...       change single settings and print what the adapter holds\n"
    "\n"
    "Groups: basic, repeater, slow_data, beacon, serial_port\n"
    "\n"
    "Options:\n"
    "  --device ADAPTER       use this adapter, by BUS:DEVICE or USB port path (as detect\n"
    "                         lists them); default: the first\n"
    "  --wait[=SECONDS]       wait for the adapter to appear (without SECONDS: no limit)\n"
    "  --trace                print every request and pause on standard error\n"
    "  --demo                 use the built-in emulated adapter instead of USB\n"
    "  --demo-file FILE       the emulated adapter keeps its settings in FILE (default:\n"
    "                         $XDG_STATE_HOME/brisel-setting/demo-adapter.toml)\n"
    "  --demo-reset           the emulated adapter starts again with its factory settings\n"
    "  --demo-state FILE      the emulated adapter starts with the settings of FILE and\n"
    "                         remembers nothing\n"
    "  --lacking=FEATURE,...  the emulated firmware lacks these: slow_data, beacon,\n"
    "                         serial_port, squelch, jitter_buffer (implies --demo)\n"
    "  --not-taking           the emulated adapter does not take the values written\n"
    "                         (implies --demo)\n"
    "  --set KEY=VALUE        restore, render: this value over the file's (repeatable)\n"
    "  --json                 detect, show, get, diff, restore, set, render: print one\n"
    "                         JSON document\n"
    "  --force                backup: replace an existing FILE\n"
    "  --dry-run              restore: print what would change and write nothing\n"
    "  --skip-missing         restore, diff, set: skip what the adapter's firmware lacks\n"
    "  --no-backup            restore: do not save the adapter's settings first\n"
    "  --forget-record        forget the record of a write to the adapter that was cut short\n"
    "  --other-adapter        restore: put a record or an automatic backup onto another\n"
    "                         adapter than its own\n"
    "  --help                 print this help\n"
    "  --version              print the program and settings file format versions\n";

namespace {

enum LongOnly {
    Trace = 1000,
    Json,
    Force,
    DryRun,
    SkipMissing,
    NoBackup,
    Demo,
    DemoState,
    DemoFile,
    DemoReset,
    Lacking,
    NotTaking,
    Device,
    Wait,
    ForgetRecord,
    Set,
    OtherAdapter
};

// The options that only some commands take, as they are written.
constexpr std::array<std::pair<CommandOption, std::string_view>, 7> CommandOptionNames{{
    {JsonOption, "--json"},
    {ForceOption, "--force"},
    {DryRunOption, "--dry-run"},
    {SkipMissingOption, "--skip-missing"},
    {NoBackupOption, "--no-backup"},
    {SetOption, "--set"},
    {OtherAdapterOption, "--other-adapter"},
}};

[[noreturn]] void usage(const std::string& what)
{
    throw CtlError(exit_status::Usage, what + "\nTry 'brisel-ctl --help'.");
}

// The option getopt_long has just refused. An unknown letter is named by
// itself: within a bundle ("-xh") optind has not yet moved past the word.
// -h and -V are known letters, so a refused one is a long option's value
// ("--help=x"), named by its word as every long option is.
std::string optionGiven(char** argv)
{
    if (optopt > 0 && optopt < 128 && optopt != 'h' && optopt != 'V')
        return std::string("-") + static_cast<char>(optopt);
    return shown::clipped(argv[optind - 1]);
}

// Reads argv into `options`; throws at the first problem, but only once
// every option has been read, so that --json is known.
void readOptions(int argc, char** argv, Options& options)
{
    static const option longOptions[] = {
        {"help", no_argument, nullptr, 'h'},
        {"version", no_argument, nullptr, 'V'},
        {"trace", no_argument, nullptr, Trace},
        {"json", no_argument, nullptr, Json},
        {"force", no_argument, nullptr, Force},
        {"dry-run", no_argument, nullptr, DryRun},
        {"skip-missing", no_argument, nullptr, SkipMissing},
        {"no-backup", no_argument, nullptr, NoBackup},
        {"demo", no_argument, nullptr, Demo},
        {"demo-state", required_argument, nullptr, DemoState},
        {"demo-file", required_argument, nullptr, DemoFile},
        {"demo-reset", no_argument, nullptr, DemoReset},
        {"lacking", required_argument, nullptr, Lacking},
        {"not-taking", no_argument, nullptr, NotTaking},
        {"device", required_argument, nullptr, Device},
        {"wait", optional_argument, nullptr, Wait},
        {"forget-record", no_argument, nullptr, ForgetRecord},
        {"set", required_argument, nullptr, Set},
        {"other-adapter", no_argument, nullptr, OtherAdapter},
        {nullptr, 0, nullptr, 0},
    };

    std::string problem;  // the first one
    const auto fail = [&problem](const std::string& what) {
        if (problem.empty()) problem = what;
    };
    unsigned given = 0;  // the CommandOptions on the line
    optind = 0;          // a fresh scan, also when called more than once
    opterr = 0;
    int c;
    while ((c = getopt_long(argc, argv, ":hV", longOptions, nullptr)) != -1) {
        switch (c) {
        case 'h': options.help = true; break;
        case 'V': options.version = true; break;
        case Trace: options.trace = true; break;
        case Json:
            options.json = true;
            given |= JsonOption;
            break;
        case Force:
            options.force = true;
            given |= ForceOption;
            break;
        case DryRun:
            options.dryRun = true;
            given |= DryRunOption;
            break;
        case SkipMissing:
            options.skipMissing = true;
            given |= SkipMissingOption;
            break;
        case NoBackup:
            options.noBackup = true;
            given |= NoBackupOption;
            break;
        case Demo: options.demo = true; break;
        case ForgetRecord: options.forgetRecord = true; break;
        case Set:
            options.sets.emplace_back(optarg);
            given |= SetOption;
            break;
        case OtherAdapter:
            options.otherAdapter = true;
            given |= OtherAdapterOption;
            break;
        case DemoState: options.demoState = optarg; break;
        case DemoFile:
            // The demo adapter's file is read, then written again: never a
            // standard stream.
            if (*optarg == '\0' || std::string_view(optarg) == "-")
                fail("--demo-file wants a file name, not standard input");
            options.demoFile = optarg;
            break;
        case DemoReset: options.demoReset = true; break;
        case Lacking:
            if (const auto lacking = emu::parseLacking(optarg)) options.demoLacking = *lacking;
            else fail(emu::lackingProblem(optarg));
            options.demo = true;
            break;
        case NotTaking:
            options.demoNotTaking = true;
            options.demo = true;
            break;
        case Device:
            // Two adapters cannot both be the one used.
            if (options.device) fail("--device is given more than once");
            if (!parseAdapterChoice(optarg)) fail(deviceOptionProblem(optarg));
            options.device = optarg;
            break;
        case Wait:
            // The last --wait given counts, as for any option given twice.
            options.waitForever = optarg == nullptr;
            options.waitSeconds.reset();
            if (optarg != nullptr) {
                char* end = nullptr;
                const double seconds = std::strtod(optarg, &end);
                if (end == optarg || *end != '\0' || !(seconds >= 0) || seconds > 86400)
                    fail(std::string("--wait wants a number of seconds, not '") + optarg + "'");
                options.waitSeconds = seconds;
            }
            break;
        case ':': fail("option " + shown::clipped(argv[optind - 1]) + " needs a value"); break;
        default: fail("unknown option " + optionGiven(argv));
        }
    }
    // getopt_long has moved the command and its arguments behind the options.
    if (options.command.empty() && optind < argc) options.command = argv[optind++];
    while (optind < argc) options.args.emplace_back(argv[optind++]);
    if (!problem.empty()) usage(problem);

    if (options.demoState || options.demoFile || options.demoReset) options.demo = true;
    if (options.demoState && (options.demoFile || options.demoReset))
        usage(std::string("--demo-state remembers nothing; it cannot go with ") +
              (options.demoFile ? "--demo-file" : "--demo-reset"));
    if (options.help || options.version) return;
    if (options.command.empty()) usage("no command given");
    const CommandEntry* entry = findCommand(options.command);
    if (entry == nullptr) usage("unknown command '" + options.command + "'");
    const int count = static_cast<int>(options.args.size());
    if (count < entry->leastArguments) usage(options.command + ": an argument is missing");
    if (entry->mostArguments >= 0 && count > entry->mostArguments) usage(options.command + ": too many arguments");
    for (const auto& [bit, name] : CommandOptionNames)
        if ((given & bit) != 0 && (entry->options & bit) == 0)
            usage(std::string(name) + " does not apply to " + options.command);
    if (options.demo && options.device) usage("--device and --demo cannot go together");
}

}  // namespace

Options parseOptions(int argc, char** argv)
{
    Options options;
    try {
        readOptions(argc, argv, options);
    } catch (const CtlError& error) {
        throw UsageError(error.what(), options.json, options.command);
    }
    return options;
}
