// show, backup, restore and diff: whole groups between the adapter and
// settings files.

#include "cli/commands.h"
#include "cli/exit_status.h"
#include "cli/group_writer.h"
#include "cli/json_report.h"
#include "cli/session.h"
#include "cli/settings_files.h"
#include "cli/write_records.h"
#include "device/shown_text.h"

#include "settings/restore.h"
#include "settings/restore_plan.h"
#include "settings/settings_store.h"

namespace {

settings::FileOrigin originOf(Session& session)
{
    return settings::readOrigin(session.link(), session.features());
}

std::vector<settings::Group> groupsNamed(const std::vector<std::string>& names)
{
    std::vector<settings::Group> groups;
    for (const std::string& name : names) {
        const auto group = settings::groupNamed(name);
        if (!group)
            throw CtlError(exit_status::Usage,
                           "unknown group '" + name + "' (basic, repeater, slow_data, beacon, serial_port)");
        groups.push_back(*group);
    }
    return groups;
}

std::vector<settings::Group> groupsOf(const settings::Snapshot& snapshot)
{
    std::vector<settings::Group> groups;
    for (settings::Group group : settings::AllGroups)
        if (snapshot.has(group)) groups.push_back(group);
    return groups;
}

void printChanges(const std::vector<settings::FieldChange>& changes, CtlIo& io)
{
    if (io.report) io.report->changes(changes);
    for (const settings::FieldChange& change : changes)
        io.out << change.key << ": " << change.from << " -> " << change.to << '\n';
}

// Saves what the adapter holds before a restore changes it; the path is told
// and given back.
std::string automaticBackup(Session& session, const settings::Snapshot& held, CtlIo& io)
{
    try {
        const std::string folder = io.backupFolder.empty() ? settings::automaticBackupFolder() : io.backupFolder;
        const std::string path =
            settings::saveAutomaticBackup(folder, io.timeStamp ? io.timeStamp() : settings::backupTimeStamp(),
                                          settings::writeSettingsFile(held, originOf(session)));
        io.err << "The adapter's settings were saved to " << shown::fromUtf8(path) << ".\n";
        if (io.report) io.report->backup(path);
        return path;
    } catch (const settings::StoreError& error) {
        throw CtlError(exit_status::CantWrite, std::string(error.what()) + " (--no-backup goes on without a backup)");
    }
}

}  // namespace

int showCommand(const Options& options, CtlIo& io)
{
    std::vector<settings::Group> groups = groupsNamed(options.args);
    Session session(options, io);
    if (groups.empty()) groups = session.groupsPresent();
    for (settings::Group group : groups)
        if (!settings::hasGroup(session.features(), group))
            throw CtlError(exit_status::NotTaken,
                           std::string("The adapter's firmware has no ") + settings::groupName(group) + " group.");
    const settings::Snapshot held = session.read(groups);
    const settings::FileOrigin origin = originOf(session);
    if (io.report) io.report->settings(held, origin.firmwareVersion);
    io.out << settings::writeSettingsFile(held, origin) << std::flush;
    return exit_status::Ok;
}

int backupCommand(const Options& options, CtlIo& io)
{
    const std::string& path = fileArgument(options);
    Session session(options, io);
    const settings::Snapshot held = session.read(session.groupsPresent());
    // Whether an existing file is kept is decided as the file is put in
    // place, so that no other program can put one there in between.
    writeOutputFile(path, settings::writeSettingsFile(held, originOf(session)), options.force, io.out);
    return exit_status::Ok;
}

int diffCommand(const Options& options, CtlIo& io)
{
    const settings::FileContents contents = readCheckedFile(fileArgument(options));
    settings::Snapshot file = contents.values;
    Session session(options, io);
    refuseWhatTheFirmwareLacks(options, session, file, io.err);
    const settings::Snapshot held = session.read(groupsOf(file));
    const std::vector<settings::FieldChange> changes = settings::planRestore(held, file, contents.lines).changes;
    printChanges(changes, io);
    return changes.empty() ? exit_status::Ok : exit_status::Differences;
}

int restoreCommand(const Options& options, CtlIo& io)
{
    const std::string& path = fileArgument(options);
    const settings::FileContents contents = readCheckedFile(path);
    settings::Snapshot file = contents.values;
    // The folder of the record (and of the backup) is judged before any request.
    if (!options.dryRun) recordFolder(io);
    Session session(options, io);
    refuseWhatTheFirmwareLacks(options, session, file, io.err);

    // Everything the firmware has, for the automatic backup; the groups of
    // the file are among them.
    const settings::Snapshot held = session.read(session.groupsPresent());
    const settings::RestorePlan plan = settings::planRestore(held, file, contents.lines);
    if (!plan.problems.empty())
        throw CtlError(exit_status::BadFile, settings::problemLines(plan.problems, settings::fileName(path)));

    if (options.dryRun) {
        printChanges(plan.changes, io);
        if (plan.changes.empty()) io.err << "Nothing to change: the adapter holds what the file says.\n";
        return exit_status::Ok;
    }
    if (plan.changes.empty()) {
        io.err << "Nothing to change: the adapter holds what the file says.\n";
        return exit_status::Ok;
    }
    const std::string backup = options.noBackup ? std::string() : automaticBackup(session, held, io);
    return writeChangedGroups(session, held, file, io, &io.out, backup).status;
}
