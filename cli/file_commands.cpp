// show, backup, restore and diff: whole groups between the adapter and
// settings files.

#include "cli/commands.h"
#include "cli/exit_status.h"
#include "cli/json_report.h"
#include "cli/plan_problems.h"
#include "cli/session.h"
#include "cli/settings_files.h"
#include "cli/store_problems.h"
#include "cli/write_records.h"
#include "cli/write_result.h"
#include "device/shown_text.h"

#include "settings_file/backup_job.h"
#include "settings_file/restore_job.h"
#include "settings_file/restore_plan.h"
#include "settings_file/settings_store.h"

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

}  // namespace

int showCommand(const Options& options, CtlIo& io)
{
    std::vector<settings::Group> groups = groupsNamed(options.args);
    Session session(options, io);
    if (groups.empty()) groups = session.groupsPresent();
    for (settings::Group group : groups)
        if (!settings::hasGroup(session.features(), group)) throw noGroup(group);
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
    // Whether an existing file is kept is decided as the file is put in
    // place, so that no other program can put one there in between.
    // Standard output takes the file's text as it is.
    settings::BackupSteps steps;
    if (path != "-") steps.path = path;
    steps.replace = options.force;

    using Stage = settings::BackupOutcome::Stage;
    settings::BackupOutcome outcome;
    try {
        settings::backupSettings(session.link(), session.startUp(), steps, outcome);
    } catch (const AdapterGone&) {
        if (outcome.stage == Stage::Reading) adapterLost();
        throw;
    }
    switch (outcome.stage) {
    case Stage::NotRead: notAnswered(outcome.notRead);
    case Stage::SaveFailed: throw storeFailure(*outcome.saveError);
    case Stage::Saved:
        if (steps.path.empty()) writeOutputFile(path, outcome.text, options.force, io.out);
        else *io.savedFile = path;
        break;
    default: break;
    }
    return exit_status::Ok;
}

int renderCommand(const Options& options, CtlIo& io)
{
    settings::FileContents contents = readCheckedFile(fileArgument(options));
    putAssignments(options.sets, contents);
    const settings::Snapshot& values = contents.values;
    // No adapter is asked: the features named are those the file's groups
    // and keys need.
    settings::FileOrigin origin{BRISEL_VERSION, "none read (brisel-ctl render)", {}};
    origin.features.slowData = values.has(settings::Group::SlowData);
    origin.features.beacon = values.has(settings::Group::Beacon);
    origin.features.serialPort = values.has(settings::Group::SerialPort);
    origin.features.basic.squelch = settings::valueText(values, "basic.squelch_level").has_value();
    origin.features.basic.jitterBuffer = settings::valueText(values, "basic.jitter_buffer_size").has_value();
    const std::string text = settings::writeSettingsFile(values, origin);
    if (io.report) {
        io.report->settings(values, "");
        io.report->add({{"file", text}});
    }
    io.out << text << std::flush;
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
    settings::FileContents contents = readCheckedFile(path);
    putAssignments(options.sets, contents);
    // The folder of the record (and of the backup) is judged before any request.
    if (!options.dryRun) recordFolder(io);
    Session session(options, io, contents.ownCopy, path);

    settings::RestoreSteps steps;
    steps.leaveOut = [&](const std::vector<settings::Lacking>& lacking) {
        if (io.report && options.skipMissing) io.report->leftOut(lacking);
        return leaveOutLacking(options, lacking, io.err);
    };
    steps.goAhead = [&](const settings::RestorePlan& plan) {
        if (options.dryRun) printChanges(plan.changes, io);
        return !options.dryRun;
    };
    if (!options.noBackup)
        steps.backupFolder = io.backupFolder.empty() ? settings::automaticBackupFolder() : io.backupFolder;
    steps.timeStamp = io.timeStamp;
    steps.stop = io.stop;
    steps.adapter = session.adapter();
    // The program's own record or automatic backup goes back exactly as the
    // adapter held it; values given with --set are judged as any typed value.
    steps.exact = contents.ownCopy.has_value() && options.sets.empty();
    if (!options.dryRun) steps.recordPath = settings::recordPath(recordFolder(io), session.adapter());
    const auto putBack = [&](const std::string& backup) {
        return settings::commandLine(settings::restoreArguments(session.adapter(), backup));
    };
    const auto tellBackup = [&](const settings::RestoreOutcome& outcome) {
        if (!outcome.backupPath.empty()) {
            io.err << "The adapter's settings were saved to " << shown::fromUtf8(outcome.backupPath)
                   << "; this puts them back:\n  " << shown::fromUtf8(putBack(outcome.backupPath)) << "\n";
            if (io.report) io.report->backup(outcome.backupPath, putBack(outcome.backupPath));
        }
        if (outcome.plan.fixedFlagBits) tellFixedFlagBits(io);
    };
    steps.writing = tellBackup;
    // The command's last word is out while the job keeps the record of the
    // write.
    steps.told = [&](const settings::RestoreOutcome& outcome) {
        tellLastWord(io, [&] {
            return tellWritten(outcome.restore, io, &io.out,
                               outcome.backupPath.empty() ? "" : putBack(outcome.backupPath))
                .status;
        });
    };

    using Stage = settings::RestoreOutcome::Stage;
    settings::RestoreOutcome outcome;
    try {
        settings::restoreFile(session.link(), session.pause(), session.startUp(), contents, steps, outcome);
    } catch (const AdapterGone&) {
        if (outcome.stage == Stage::Reading) adapterLost();
        if (outcome.stage != Stage::Writing) throw;
        tellLoss(outcome.restore, io);
    }
    switch (outcome.stage) {
    case Stage::Lacking: refuseLacking(outcome.lacking);
    case Stage::NotRead: notAnswered(outcome.notRead);
    case Stage::Problems: throw CtlError(exit_status::BadFile, problemLines(outcome.plan.problems, fileName(path)));
    case Stage::NothingToChange:
        if (options.dryRun) printChanges({}, io);
        io.err << "Nothing to change: the adapter holds what the file says.\n";
        // Bits 7 and 4 of the flag byte stay as the adapter holds them, as
        // set tells it.
        if (outcome.plan.fixedFlagBits) tellFixedFlagBits(io);
        break;
    case Stage::RecordFailed: tellBackup(outcome); throw recordFailed(*outcome.recordError);
    case Stage::BackupFailed:
        throw CtlError(exit_status::CantWrite,
                       storeText(outcome.backupError->problem()) + " (--no-backup goes on without a backup)");
    default: break;  // Written: told from the job's told step
    }
    return exit_status::Ok;
}
