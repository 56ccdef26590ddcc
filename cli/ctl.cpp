#include "cli/ctl.h"

#include "cli/adapter_problems.h"
#include "cli/commands.h"
#include "cli/exit_status.h"
#include "cli/json_report.h"
#include "cli/store_problems.h"
#include "cli/write_result.h"
#include "device/shown_text.h"
#include "device/usb_library.h"
#include "emulator/demo_memory.h"
#include "emulator/emulator.h"
#include "interrupts/signals.h"
#include "settings/licence.h"
#include "settings_file/settings_file.h"
#include "settings_file/settings_store.h"
#include "settings_file/write_record.h"

#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <sstream>

struct LastWord {
    explicit LastWord(CtlIo& io) : io(io) {}
    CtlIo& io;  // the command line's own streams
    std::unique_ptr<JsonReport> report;
    // Keeps the demo adapter's memory, before the last word.
    std::function<void()> keep;
    bool out = false;  // tellLastWord has put it out, with this status
    int status = exit_status::Ok;
};

namespace {

// The demo adapter's memory failing, as the command's error.
CtlError demoMemoryFailed(const emu::DemoMemoryError& error)
{
    using Kind = emu::DemoMemoryError::Kind;
    switch (error.kind()) {
    case Kind::InUse:
        return CtlError(exit_status::InUse,
                        inUseText(error.holder()) + "\nThe demo adapter's file: " + error.problem().path);
    case Kind::Unreadable: return CtlError(exit_status::NoInput, storeText(error.problem()));
    case Kind::Invalid:
        return CtlError(exit_status::BadFile,
                        storeText(error.problem()) + "\n(--demo-reset starts the demo adapter afresh)");
    default: return CtlError(exit_status::CantWrite, storeText(error.problem()));
    }
}

int runCommand(const Options& options, CtlIo& io);

// --demo without --demo-state: the command runs over the demo adapter kept
// in its file, which then keeps what the command left in the adapter, also
// when the command failed half-way, as a real adapter would.
int runOverDemoMemory(const Options& options, CtlIo& io)
{
    emu::Emulator adapter;
    std::optional<emu::DemoMemory> memory;
    std::string file;
    try {
        file = options.demoFile ? *options.demoFile : emu::defaultDemoFile();
        memory.emplace(adapter, file, options.demoReset);
    } catch (const emu::DemoMemoryError& error) {
        throw demoMemoryFailed(error);
    } catch (const settings::StoreError& error) {
        throw CtlError(exit_status::CantWrite, storeText(error.problem()));
    }
    CtlIo over(io.out, io.err, io);
    over.report = io.report;
    over.lastWord = io.lastWord;
    over.demoAdapter = &adapter;
    std::error_code error;
    over.demoFile = std::filesystem::absolute(file, error).lexically_normal().string();
    const auto keep = [&memory] {
        try {
            memory->keep();
        } catch (const emu::DemoMemoryError& error) {
            throw demoMemoryFailed(error);
        }
    };
    // The memory is kept before the command's last word, also when
    // tellLastWord puts that out.
    io.lastWord->keep = keep;
    int status;
    try {
        status = runCommand(options, over);
    } catch (const CtlError&) {
        // The command's own failure is the one its status tells.
        try {
            if (io.lastWord->keep) keep();
        } catch (const CtlError& lost) {
            io.err << "brisel-ctl: " << shown::linesFromUtf8(lost.text()) << '\n';
        }
        io.lastWord->keep = nullptr;
        throw;
    }
    const bool kept = !io.lastWord->keep;
    io.lastWord->keep = nullptr;
    if (!kept) keep();
    return status;
}

int runCommand(const Options& options, CtlIo& io)
{
    if (options.help) {
        io.out << UsageText;
        return exit_status::Ok;
    }
    if (options.version) {
        io.out << "brisel-ctl " << BRISEL_VERSION << "\nsettings file format " << settings::FileFormatVersion << '\n'
               << LicenceLines;
        return exit_status::Ok;
    }
    // parseOptions has refused any command that is not in the table.
    const CommandEntry* command = findCommand(options.command);
    if (io.report == nullptr) return command->run(options, io);
    // Under --json the command's words go nowhere: the document is all.
    std::ostringstream words;
    CtlIo quiet(words, io.err, io);
    quiet.report = io.report;
    quiet.lastWord = io.lastWord;
    return command->run(options, quiet);
}

// Tells `what` on stderr and returns `code`.
int failed(int code, const std::string& what, std::ostream& err)
{
    // Problems in a file stand as "FILE:LINE: what", one per line, the form
    // editors jump from. A message may quote a file name, a key or another
    // program's name: each line is shown escaped.
    if (code != exit_status::BadFile) err << "brisel-ctl: ";
    err << shown::linesFromUtf8(what) << '\n';
    return code;
}

// How a command ended: its status, and what failed (empty: nothing).
struct Ending {
    int status = exit_status::Ok;
    std::string failure;
};

// Runs `command`; what it throws is its failure, told at once on standard
// error (and in the JSON document when there is one).
Ending runTold(const std::function<int()>& command, LastWord& last)
{
    std::ostream& err = last.io.err;
    Ending ending;
    try {
        ending.status = command();
    } catch (const UsageError& error) {
        if (error.json) last.report = std::make_unique<JsonReport>(error.command);
        ending.failure = error.text();
        ending.status = failed(error.code(), ending.failure, err);
    } catch (const CtlError& error) {
        if (const auto* stopped = dynamic_cast<const Interrupted*>(&error); stopped != nullptr && last.report)
            last.report->interrupted(stopped->signal);
        ending.failure = error.text();
        ending.status = failed(error.code(), ending.failure, err);
    } catch (const settings::StoreError& error) {
        ending.failure = storeText(error.problem());
        ending.status = failed(exit_status::AdapterFailed, ending.failure, err);
    } catch (const AdapterGone& gone) {
        ending.failure = goneText(gone.problem());
        ending.status = failed(exit_status::AdapterFailed, ending.failure, err);
    } catch (const UsbLibraryMissing& missing) {
        ending.failure =
            missing.library() +
            " is not in the Windows system folder: install libusb-win32, whose driver for the adapter brings it";
        ending.status = failed(exit_status::NoAdapter, ending.failure, err);
    } catch (const std::exception& error) {
        ending.failure = error.what();
        ending.status = failed(exit_status::AdapterFailed, ending.failure, err);
    }
    return ending;
}

// The JSON document and the flush of standard output: the exit status.
int putOut(LastWord& last, const Ending& ending)
{
    CtlIo& io = last.io;
    if (last.report) last.report->print(ending.status, ending.failure, io.out);
    // A full disk or a closed pipe shows here at the latest: what was
    // printed is not all there, so the command has not done what it says.
    const bool flushed = static_cast<bool>(io.out.flush());
    io.err.flush();
    if (flushed) return ending.status;
    if (ending.failure != OutputLost) io.err << "brisel-ctl: " << outputLostText(io) << '\n';
    return ending.status == exit_status::Ok || ending.status == exit_status::Differences ? exit_status::CantWrite
                                                                                         : ending.status;
}

}  // namespace

std::string outputLostText(const CtlSetup& setup)
{
    if (setup.savedFile == nullptr || setup.savedFile->empty()) return OutputLost;
    return std::string(OutputLost) + "; " + shown::fromUtf8(*setup.savedFile) + " was saved whole";
}

void tellLastWord(CtlIo& io, const std::function<int()>& rest)
{
    if (io.lastWord == nullptr || io.lastWord->out) {
        // Not under runCtl, or told already: runCtl's own end tells it.
        rest();
        return;
    }
    LastWord& last = *io.lastWord;
    Ending ending = runTold(rest, last);
    if (last.keep) {
        const auto keep = std::move(last.keep);
        last.keep = nullptr;
        Ending lost = runTold(
            [&] {
                keep();
                return exit_status::Ok;
            },
            last);
        // The command's own failure is the one its status tells.
        if (!lost.failure.empty() && !ending.failure.empty())
            io.err << "brisel-ctl: " << shown::linesFromUtf8(lost.failure) << '\n';
        else if (!lost.failure.empty()) ending = lost;
    }
    last.status = putOut(last, ending);
    last.out = true;
}

int runCtl(int argc, char** argv, CtlIo& io)
{
    LastWord last(io);
    io.lastWord = &last;
    const Ending ending = runTold(
        [&] {
            const Options options = parseOptions(argc, argv);
            if (options.json && !options.help && !options.version) last.report = std::make_unique<JsonReport>(options);
            io.report = last.report.get();
            const bool remembers =
                options.demo && !options.demoState && io.demoAdapter == nullptr && !options.help && !options.version;
            return remembers ? runOverDemoMemory(options, io) : runCommand(options, io);
        },
        last);
    io.report = nullptr;
    io.lastWord = nullptr;
    if (!last.out) return putOut(last, ending);
    // A failure after the last word has only its line.
    if (ending.failure.empty()) return last.status;
    failed(ending.status, ending.failure, io.err);
    return ending.status;
}

int runCtlProgram(int argc, char** argv, CtlIo& io)
{
    interrupts::SignalCatcher signals;
    io.stop = signals.stopRequest();
    int status = runCtl(argc, argv, io);
    // Some files report a failed write only when closed.
    if (std::fclose(stdout) != 0 && (status == exit_status::Ok || status == exit_status::Differences)) {
        io.err << "brisel-ctl: " << outputLostText(io) << '\n';
        status = exit_status::CantWrite;
    }
    io.err.flush();
    if (const int signal = signals.caught()) interrupts::endBySignal(signal);
    return status;
}
