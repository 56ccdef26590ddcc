#include "settings_file/restore_job.h"

namespace settings {

void restoreFile(VendorLink& link, const Pause& pause, const StartUp& startUp, const FileContents& contents,
                 const RestoreSteps& steps, RestoreOutcome& outcome)
{
    const Features& features = startUp.features;
    outcome.stage = RestoreOutcome::Stage::Lacking;
    outcome.wanted = contents.values;
    outcome.lacking = takeOutWhatTheFirmwareLacks(outcome.wanted, features);
    if (!outcome.lacking.empty() && !(steps.leaveOut && steps.leaveOut(outcome.lacking))) return;

    outcome.stage = RestoreOutcome::Stage::Reading;
    outcome.held = readEveryGroup(link, startUp, steps.readSerialPortAgain);
    outcome.notRead = notReadKeys(outcome.held, features);
    if (!outcome.notRead.empty()) {
        outcome.stage = RestoreOutcome::Stage::NotRead;
        return;
    }

    outcome.plan = planRestore(outcome.held, outcome.wanted, contents.lines, steps.exact);
    if (!outcome.plan.problems.empty()) {
        outcome.stage = RestoreOutcome::Stage::Problems;
        return;
    }
    if (outcome.plan.changes.empty()) {
        outcome.stage = RestoreOutcome::Stage::NothingToChange;
        if (!steps.recordPath.empty()) settleRecord(steps.recordPath, outcome.held);
        return;
    }
    if (steps.goAhead && !steps.goAhead(outcome.plan)) {
        outcome.stage = RestoreOutcome::Stage::Stopped;
        return;
    }

    AdapterIdentity adapter = steps.adapter;
    if (!steps.backupFolder.empty()) {
        outcome.stage = RestoreOutcome::Stage::BackingUp;
        try {
            const FileOrigin origin = readOrigin(link, features);
            adapter.firmware = origin.firmwareVersion;
            // The firmware is named once, by the backup's own lines above its settings.
            const std::string text = writeSettingsFile(outcome.held, {origin.programVersion, {}, origin.features});
            outcome.backupPath =
                saveAutomaticBackup(steps.backupFolder, steps.timeStamp ? steps.timeStamp() : backupTimeStamp(),
                                    ownCopyLines(OwnCopy::Kind::AutomaticBackup, adapter, text) + text);
        } catch (const StoreError& error) {
            outcome.backupError = error;
            outcome.stage = RestoreOutcome::Stage::BackupFailed;
            return;
        }
    }

    if (!steps.recordPath.empty()) {
        outcome.record = startRecord({steps.recordPath, adapter, steps.recordJob},
                                     heldBeforeWriting(outcome.held, outcome.wanted), features, outcome.recordError);
        if (!outcome.record) {
            outcome.stage = RestoreOutcome::Stage::RecordFailed;
            return;
        }
    }

    outcome.stage = RestoreOutcome::Stage::Writing;
    if (steps.writing) steps.writing(outcome);
    restoreSettings(
        link, pause, features, outcome.held, outcome.wanted, outcome.restore, steps.stop,
        [&](Group group) {
            if (outcome.record) outcome.record->groupDone(group);
        },
        steps.exact);
    outcome.stage = RestoreOutcome::Stage::Written;
    if (outcome.record) outcome.record->settle(outcome.restore.after);
}

}  // namespace settings
