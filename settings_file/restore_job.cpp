#include "settings_file/restore_job.h"

#include "device/adapter_connection.h"

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

    using Stage = RestoreOutcome::Stage;
    WriteStep write;
    write.lines = contents.lines;
    write.exact = steps.exact;
    write.record = {steps.recordPath, steps.adapter, steps.recordJob};
    write.keepIfStopped = steps.keepIfStopped;
    write.stop = steps.stop;
    write.goAhead = [&] {
        if (steps.goAhead && !steps.goAhead(outcome.plan)) return false;
        if (steps.backupFolder.empty()) return true;
        outcome.stage = Stage::BackingUp;
        try {
            const FileOrigin origin = readOrigin(link, features);
            // The record names the firmware the backup read; the backup names
            // it once, by its own lines above its settings.
            write.record.adapter.firmware = origin.firmwareVersion;
            const std::string text = writeSettingsFile(outcome.held, {origin.programVersion, {}, origin.features});
            outcome.backupPath =
                saveAutomaticBackup(steps.backupFolder, steps.timeStamp ? steps.timeStamp() : backupTimeStamp(),
                                    ownCopyLines(OwnCopy::Kind::AutomaticBackup, write.record.adapter, text) + text);
        } catch (const StoreError& error) {
            outcome.backupError = error;
            outcome.stage = Stage::BackupFailed;
            return false;
        }
        return true;
    };
    followStages(write, outcome, steps);
    switch (writeStep(link, pause, features, write, outcome)) {
    case WriteEnd::Problems: outcome.stage = Stage::Problems; break;
    case WriteEnd::NothingToChange:
        outcome.stage = Stage::NothingToChange;
        if (!steps.recordPath.empty()) settleRecord(steps.recordPath, outcome.held);
        break;
    case WriteEnd::Stopped:
        if (outcome.stage != Stage::BackupFailed) outcome.stage = Stage::Stopped;
        break;
    case WriteEnd::RecordFailed: outcome.stage = Stage::RecordFailed; break;
    case WriteEnd::Written: break;
    }
}

}  // namespace settings
