#pragma once
// Saving the adapter's settings to a settings file: the desktop program's
// "Save settings to file..." and brisel-ctl's backup both run this one job
// and only put its outcome into words. The steps, each of which may end the
// job:
//   1. every group the firmware has, read as its dialog reads it;
//   2. a value the adapter did not answer for ends the job: a settings file
//      must not miss one;
//   3. the firmware version, read for the file's head;
//   4. the file saved, whole or not at all.
// A lost adapter ends the job with AdapterGone; the outcome then tells how
// far the job came.

#include "settings/pause.h"
#include "settings_file/settings_file.h"
#include "settings_file/settings_store.h"

#include <optional>
#include <string>
#include <vector>

class VendorLink;

namespace settings {

struct BackupSteps {
    // The start-up was long ago: the serial port group is read again first,
    // as its dialog's Cancel reads it.
    bool readSerialPortAgain = false;
    // Where the file is saved; empty: nowhere, the outcome's text is the
    // file for the front end to put out.
    std::string path;
    // An existing file at `path` is replaced; else it is left alone.
    bool replace = false;
};

struct BackupOutcome {
    enum class Stage {
        Reading,     // reading what the adapter holds
        NotRead,     // the adapter did not answer for some values
        Saving,      // reading the firmware version and saving the file
        SaveFailed,  // the file could not be saved
        Saved,       // the file holds the adapter's settings
    };
    Stage stage = Stage::Reading;
    Snapshot held;  // what the adapter holds
    // The keys the adapter did not answer for.
    std::vector<std::string> notRead;
    std::string text;  // the settings file
    std::optional<StoreError> saveError;
};

// Runs the job on an adapter whose start-up found `startUp`. Fills `outcome`
// as it goes, so that it tells how far it came when AdapterGone ends the job.
void backupSettings(VendorLink& link, const StartUp& startUp, const BackupSteps& steps, BackupOutcome& outcome);

}  // namespace settings
