#pragma once
// Putting a settings file onto the adapter, from the file's contents to the
// result: the desktop program's "Load settings from file..." and brisel-ctl's
// restore both run this one job and only put its outcome into words. The
// steps, each of which may end the job:
//   1. what the firmware lacks of the file (no request);
//   2. every group the firmware has, read (for the automatic backup; the
//      file's groups are among them);
//   3. the plan against what the adapter holds: problems end the job;
//      nothing to change ends it;
//   4. the front end's go-ahead (a question, or a dry run that stops);
//   5. the automatic backup, whose failure ends the job before any write;
//   6. the write step (write_step.h): the record of the write, whose
//      failure ends the job too, and the groups that differ, each written
//      with its dialog's Save stream, read back and judged;
//   7. the front end's telling of the result (`told`), the record kept;
//   8. the adapter's record (write_record.h): when the adapter now holds
//      every value it holds, the restore has settled it and it goes.
// A lost adapter ends the job with AdapterGone; the outcome then tells how
// far the job came. Once the first group is begun, a stop request (the
// steps' `stop`, stop_request.h) lets the group under way finish and begins
// no other; outcome.restore then names the signal and the groups not begun.

#include "settings_file/restore.h"
#include "settings_file/restore_plan.h"
#include "settings_file/settings_store.h"
#include "settings_file/write_record.h"
#include "settings_file/write_step.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace settings {

struct RestoreOutcome;

struct RestoreSteps {
    // The firmware lacks some of the file's values: true goes on without
    // them, false ends the job. Not given: the job ends.
    std::function<bool(const std::vector<Lacking>& lacking)> leaveOut;
    // The start-up was long ago: the serial port group is read again first,
    // as its dialog's Cancel reads it.
    bool readSerialPortAgain = false;
    // With the plan, before anything is written: true goes on. Not given:
    // the job goes on.
    std::function<bool(const RestorePlan& plan)> goAhead;
    // Where the automatic backup is saved; empty: no backup.
    std::string backupFolder;
    std::function<std::string()> timeStamp;  // not given: backupTimeStamp()
    // The adapter, as the automatic backup and the record name it (the job
    // adds the firmware it reads for the backup).
    AdapterIdentity adapter;
    // Where the record of the write is kept, naming the job `recordJob`;
    // empty: no record.
    std::string recordPath;
    RecordJob recordJob = RecordJob::Restore;
    // Just before the first write (after the backup and the record).
    std::function<void(const RestoreOutcome&)> writing;
    // Once the groups are written, the record still kept: the front end
    // tells the result.
    std::function<void(const RestoreOutcome&)> told;
    // A stop request means no one reads the result: the record stays
    // unless every group was written.
    bool keepIfStopped = false;
    // The file is the program's own record or automatic backup: it puts
    // back exactly what it holds, numbers beyond a dialog's range, control
    // characters and any S/N squelch and COS pair included (restore_plan.h).
    // Otherwise its values are judged as values a person gives.
    bool exact = false;
    // Asked between the groups written; not given: the job is never stopped.
    interrupts::StopRequest stop = {};
};

struct RestoreOutcome : WriteValues {
    enum class Stage {
        Lacking,          // the firmware lacks some of the file's values
        Reading,          // reading what the adapter holds
        NotRead,          // the adapter did not answer for some values
        Problems,         // the plan found values that may not be written
        NothingToChange,  // the adapter holds what the file says
        Stopped,          // the front end did not go ahead
        BackingUp,        // saving the automatic backup
        BackupFailed,     // the automatic backup could not be saved
        RecordFailed,     // the record of the write could not be written
        Writing,          // writing the groups that differ
        Written,          // every group that differs was written
    };
    Stage stage = Stage::Lacking;
    // What the firmware lacks, refused or left out.
    std::vector<Lacking> lacking;
    // The keys the adapter did not answer for.
    std::vector<std::string> notRead;
    // held: what the adapter held before; wanted: the file's values, what
    // the firmware lacks left out.
    std::string backupPath;
    std::optional<StoreError> backupError;
};

// Runs the job for `contents` on an adapter whose start-up found `startUp`.
// Fills `outcome` as it goes, so that it tells how far it came when
// AdapterGone ends the job.
void restoreFile(VendorLink& link, const Pause& pause, const StartUp& startUp, const FileContents& contents,
                 const RestoreSteps& steps, RestoreOutcome& outcome);

}  // namespace settings
