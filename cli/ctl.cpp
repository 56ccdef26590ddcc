#include "cli/ctl.h"

#include "cli/adapter_problems.h"
#include "cli/commands.h"
#include "cli/exit_status.h"
#include "cli/group_writer.h"
#include "cli/json_report.h"
#include "cli/store_problems.h"
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
    over.records = io.records;
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
    int status;
    try {
        status = runCommand(options, over);
    } catch (const CtlError&) {
        // The command's own failure is the one its status tells.
        try {
            keep();
        } catch (const CtlError& lost) {
            io.err << "brisel-ctl: " << shown::linesFromUtf8(lost.text()) << '\n';
        }
        throw;
    }
    keep();
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
    quiet.records = io.records;
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

}  // namespace

std::string outputLostText(const CtlSetup& setup)
{
    if (setup.savedFile == nullptr || setup.savedFile->empty()) return OutputLost;
    return std::string(OutputLost) + "; " + shown::fromUtf8(*setup.savedFile) + " was saved whole";
}

int runCtl(int argc, char** argv, CtlIo& io)
{
    // Removes the records once the command's result is out (declared first,
    // so it goes last, also when the flush below fails).
    std::vector<std::shared_ptr<settings::RecordKeeper>> records;
    io.records = &records;
    std::unique_ptr<JsonReport> report;
    std::string failure;
    int status;
    try {
        const Options options = parseOptions(argc, argv);
        if (options.json && !options.help && !options.version) report = std::make_unique<JsonReport>(options);
        io.report = report.get();
        const bool remembers =
            options.demo && !options.demoState && io.demoAdapter == nullptr && !options.help && !options.version;
        status = remembers ? runOverDemoMemory(options, io) : runCommand(options, io);
    } catch (const UsageError& error) {
        if (error.json) report = std::make_unique<JsonReport>(error.command);
        failure = error.text();
        status = failed(error.code(), failure, io.err);
    } catch (const CtlError& error) {
        if (const auto* stopped = dynamic_cast<const Interrupted*>(&error); stopped != nullptr && report)
            report->interrupted(stopped->signal);
        failure = error.text();
        status = failed(error.code(), failure, io.err);
    } catch (const settings::StoreError& error) {
        failure = storeText(error.problem());
        status = failed(exit_status::AdapterFailed, failure, io.err);
    } catch (const AdapterGone& gone) {
        failure = goneText(gone.problem());
        status = failed(exit_status::AdapterFailed, failure, io.err);
    } catch (const UsbLibraryMissing& missing) {
        failure = missing.library() +
                  " is not in the Windows system folder: install libusb-win32, whose driver for the adapter brings it";
        status = failed(exit_status::NoAdapter, failure, io.err);
    } catch (const std::exception& error) {
        failure = error.what();
        status = failed(exit_status::AdapterFailed, failure, io.err);
    }
    io.report = nullptr;
    io.records = nullptr;
    if (report) report->print(status, failure, io.out);
    // A full disk or a closed pipe shows here at the latest: what was
    // printed is not all there, so the command has not done what it says.
    const bool flushed = static_cast<bool>(io.out.flush());
    io.err.flush();
    if (flushed) return status;
    if (failure != OutputLost) io.err << "brisel-ctl: " << outputLostText(io) << '\n';
    return status == exit_status::Ok || status == exit_status::Differences ? exit_status::CantWrite : status;
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
