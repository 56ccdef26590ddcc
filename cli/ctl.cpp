#include "cli/ctl.h"

#include "cli/commands.h"
#include "cli/exit_status.h"
#include "cli/json_report.h"
#include "device/shown_text.h"
#include "settings/interrupts.h"
#include "settings/licence.h"
#include "settings/settings_file.h"

#include <cstdio>
#include <exception>
#include <memory>
#include <sstream>

namespace {

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

int runCtl(int argc, char** argv, CtlIo& io)
{
    std::unique_ptr<JsonReport> report;
    std::string failure;
    int status;
    try {
        const Options options = parseOptions(argc, argv);
        if (options.json && !options.help && !options.version) report = std::make_unique<JsonReport>(options);
        io.report = report.get();
        status = runCommand(options, io);
    } catch (const UsageError& error) {
        if (error.json) report = std::make_unique<JsonReport>(error.command);
        failure = error.what();
        status = failed(error.code(), failure, io.err);
    } catch (const CtlError& error) {
        failure = error.what();
        status = failed(error.code(), failure, io.err);
    } catch (const std::exception& error) {
        failure = error.what();
        status = failed(exit_status::AdapterFailed, failure, io.err);
    }
    io.report = nullptr;
    if (report) report->print(status, failure, io.out);
    // A full disk or a closed pipe shows here at the latest: what was
    // printed is not all there, so the command has not done what it says.
    if (io.out.flush()) return status;
    if (failure != OutputLost) io.err << "brisel-ctl: " << OutputLost << '\n';
    return status == exit_status::Ok || status == exit_status::Differences ? exit_status::CantWrite : status;
}

int runCtlProgram(int argc, char** argv, CtlIo& io)
{
    interrupts::catchSignals();
    int status = runCtl(argc, argv, io);
    // Some files report a failed write only when closed.
    if (std::fclose(stdout) != 0 && (status == exit_status::Ok || status == exit_status::Differences)) {
        io.err << "brisel-ctl: " << OutputLost << '\n';
        status = exit_status::CantWrite;
    }
    io.err.flush();
    if (const int signal = interrupts::caught()) interrupts::endBySignal(signal);
    return status;
}
