#include "cli/write_records.h"

#include "cli/comma_list.h"
#include "cli/exit_status.h"
#include "cli/json_report.h"
#include "cli/store_problems.h"
#include "device/shown_text.h"
#include "settings/groups.h"
#include "settings_file/settings_store.h"

#include <cstring>

std::string recordFolder(const CtlIo& io)
{
    if (!io.stateFolder.empty()) return io.stateFolder;
    try {
        return settings::stateFolder();
    } catch (const settings::StoreError& error) {
        throw CtlError(exit_status::CantWrite, storeText(error.problem()));
    }
}

std::string adapterWords(const settings::AdapterIdentity& adapter)
{
    if (adapter.emulated)
        return adapter.demoFile.empty() ? "the emulated adapter"
                                        : "the emulated adapter of the demo file " + adapter.demoFile;
    if (!adapter.port.empty()) return "the adapter at USB port " + adapter.port;
    if (adapter.address)
        return "the adapter at USB bus " + std::to_string(adapter.address->bus) + ", device " +
               std::to_string(adapter.address->device);
    return "the adapter";
}

std::string putBackText(const settings::AdapterIdentity& adapter, const std::string& path)
{
    return "\n  " + settings::commandLine(settings::restoreArguments(adapter, path));
}

std::string recordText(const settings::WriteRecord& record, const std::string& path)
{
    using Job = settings::RecordJob;
    const std::string what = record.job == Job::Load      ? "A File > Load"
                             : record.job == Job::Save    ? "A dialog's Save"
                             : record.job == Job::Set     ? "A set"
                             : record.job == Job::Restore ? "A restore"
                                                          : "A write";
    std::vector<std::string> done, notDone;
    for (settings::Group group : record.groups) {
        const bool isDone = std::find(record.done.begin(), record.done.end(), group) != record.done.end();
        if (isDone) done.emplace_back(settings::groupName(group));
    }
    for (settings::Group group : settings::halfWritten(record)) notDone.emplace_back(settings::groupName(group));
    const std::string begun = record.begun.size() > 11
                                  ? " on " + record.begun.substr(0, 10) + " at " + record.begun.substr(11)
                                  : std::string();
    std::string text =
        what + " onto " + adapterWords(record.adapter) + " was cut short" + begun +
        (done.empty() ? ", before any group was done"
                      : ", after the group" + std::string(done.size() > 1 ? "s " : " ") + commaList(done));
    if (!notDone.empty())
        text += std::string("; the group") + (notDone.size() > 1 ? "s " : " ") + commaList(notDone) +
                " may be half written";
    text += ". The settings from before it are in " + path +
            ", and this puts them back:" + putBackText(record.adapter, path) +
            "\n(--forget-record forgets this record.)";
    return text;
}

void tellRecord(const Options& options, CtlIo& io, const settings::AdapterIdentity& adapter)
{
    std::string folder;
    try {
        folder = recordFolder(io);
    } catch (const CtlError&) {
        return;  // no state folder: no record there; a write says so itself
    }
    const std::string path = settings::recordPath(folder, adapter);
    std::optional<settings::WriteRecord> record;
    try {
        record = settings::readRecord(path);
    } catch (const settings::StoreError& error) {
        // Told, and left as it is: no write goes past it.
        const std::string text = storeText(error.problem()) +
                                 "; it is left as it is, and nothing is written onto this adapter until it "
                                 "can be read or is removed.";
        io.err << "brisel-ctl: " << shown::linesFromUtf8(text) << '\n';
        if (io.report) io.report->unreadableRecord(path, text);
        return;
    }
    if (!record) return;
    const std::string text = recordText(*record, path);
    io.err << "brisel-ctl: " << shown::linesFromUtf8(text) << '\n';
    if (io.report)
        io.report->record(*record, path, text,
                          settings::commandLine(settings::restoreArguments(record->adapter, path)));
    if (!options.forgetRecord) return;
    if (const int error = settings::removeRecord(path); error != 0)
        throw CtlError(exit_status::CantWrite,
                       "The record could not be removed: " + path + ": " + std::strerror(error) + ".");
    io.err << "brisel-ctl: The record is forgotten.\n";
}
