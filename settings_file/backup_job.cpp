#include "settings_file/backup_job.h"

#include "settings_file/restore.h"

namespace settings {

void backupSettings(VendorLink& link, const StartUp& startUp, const BackupSteps& steps, BackupOutcome& outcome)
{
    const Features& features = startUp.features;
    outcome.stage = BackupOutcome::Stage::Reading;
    outcome.held = readEveryGroup(link, startUp, steps.readSerialPortAgain);
    outcome.notRead = notReadKeys(outcome.held, features);
    if (!outcome.notRead.empty()) {
        outcome.stage = BackupOutcome::Stage::NotRead;
        return;
    }

    outcome.stage = BackupOutcome::Stage::Saving;
    outcome.text = writeSettingsFile(outcome.held, readOrigin(link, features));
    if (!steps.path.empty()) {
        try {
            saveSettingsFile(steps.path, outcome.text, steps.replace);
        } catch (const StoreError& error) {
            outcome.saveError = error;
            outcome.stage = BackupOutcome::Stage::SaveFailed;
            return;
        }
    }
    outcome.stage = BackupOutcome::Stage::Saved;
}

}  // namespace settings
