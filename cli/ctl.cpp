#include "cli/ctl.h"

#include "cli/commands.h"
#include "cli/exit_status.h"
#include "device/shown_text.h"
#include "settings/settings_file.h"

#include <exception>

namespace {

int runCommand(int argc, char** argv, CtlIo& io)
{
    try {
        const Options options = parseOptions(argc, argv);
        if (options.help) {
            io.out << UsageText;
            return exit_status::Ok;
        }
        if (options.version) {
            io.out << "brisel-ctl " << BRISEL_VERSION << "\nsettings file format "
                   << settings::FileFormatVersion
                   << "\nLicence: GPL-3.0-or-later <https://www.gnu.org/licenses/gpl-3.0.html>\n"
                      "This is free software: you may change and share it. There is NO WARRANTY.\n";
            return exit_status::Ok;
        }
        // parseOptions has refused any command that is not in the table.
        return findCommand(options.command)->run(options, io);
    } catch (const CtlError& error) {
        // Problems in a file stand as "FILE:LINE: what", one per line, the
        // form editors jump from. A message may quote a file name, a key or
        // another program's name: each line is shown escaped.
        if (error.code() != exit_status::BadFile) io.err << "brisel-ctl: ";
        io.err << shown::linesFromUtf8(error.what()) << '\n';
        return error.code();
    } catch (const std::exception& error) {
        io.err << "brisel-ctl: " << shown::linesFromUtf8(error.what()) << '\n';
        return exit_status::AdapterFailed;
    }
}

}  // namespace

int runCtl(int argc, char** argv, CtlIo& io)
{
    const int status = runCommand(argc, argv, io);
    // A full disk or a closed pipe shows here at the latest: what was
    // printed is not all there, so the command has not done what it says.
    if (io.out.flush()) return status;
    io.err << "brisel-ctl: " << OutputLost << '\n';
    return status == exit_status::Ok || status == exit_status::Differences ? exit_status::CantWrite : status;
}
