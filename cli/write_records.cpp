#include "cli/write_records.h"

#include "cli/exit_status.h"
#include "cli/json_report.h"
#include "cli/session.h"
#include "cli/store_problems.h"
#include "device/shown_text.h"
#include "settings/groups.h"
#include "settings_file/settings_store.h"

std::string recordFolder(const CtlIo& io)
{
    if (!io.stateFolder.empty()) return io.stateFolder;
    try {
        return settings::stateFolder();
    } catch (const settings::StoreError& error) {
        throw CtlError(exit_status::CantWrite, storeText(error.problem()));
    }
}

std::string recordText(const settings::WriteRecord& record, const std::string& path)
{
    const std::string what = record.job == "load"   ? "A File > Load"
                             : record.job == "save" ? "A dialog's Save"
                             : record.job == "set"  ? "A set"
                                                    : "A restore";
    std::vector<std::string> done, notDone;
    for (settings::Group group : record.groups) {
        const bool isDone = std::find(record.done.begin(), record.done.end(), group) != record.done.end();
        (isDone ? done : notDone).emplace_back(settings::groupName(group));
    }
    const std::string place = record.port == "demo" ? "the emulated adapter" : "the adapter at USB port " + record.port;
    const std::string begun = record.begun.size() > 11
                                  ? " on " + record.begun.substr(0, 10) + " at " + record.begun.substr(11)
                                  : std::string();
    std::string text =
        what + " onto " + place + " was cut short" + begun +
        (done.empty() ? ", before any group was done"
                      : ", after the group" + std::string(done.size() > 1 ? "s " : " ") + commaList(done));
    if (!notDone.empty())
        text += std::string("; the group") + (notDone.size() > 1 ? "s " : " ") + commaList(notDone) +
                " may be half written";
    text += ". The settings from before it are in " + path +
            "; 'brisel-ctl restore' of that file puts them back "
            "(--forget-record forgets this record).";
    return text;
}

void tellRecord(const Options& options, CtlIo& io, const std::string& port)
{
    std::string folder;
    try {
        folder = recordFolder(io);
    } catch (const CtlError&) {
        return;  // no state folder: no record there; a write says so itself
    }
    const std::string path = settings::recordPath(folder, port);
    const auto record = settings::readRecord(path);
    if (!record) return;
    const std::string text = recordText(*record, path);
    io.err << "brisel-ctl: " << shown::linesFromUtf8(text) << '\n';
    if (io.report) io.report->record(*record, path, text);
    if (!options.forgetRecord) return;
    settings::removeRecord(path);
    io.err << "brisel-ctl: The record is forgotten.\n";
}
