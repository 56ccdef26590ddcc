#pragma once
// The write that ends a restore and a set: the plan of the wanted values
// against what the adapter holds, the record of the write, and the groups
// that differ, each written with its dialog's Save stream, read back and
// judged. With nothing to change, it only settles what an older record
// names as half written and the adapter holds whole (write_record.h).
// Else the step makes the record just before the first write, keeps it
// while it writes and while the front end tells the result, and then
// settles it (write_record.h): no front end holds it.

#include "settings_file/restore.h"
#include "settings_file/restore_plan.h"
#include "settings_file/write_record.h"

#include <functional>
#include <map>
#include <optional>
#include <string>

namespace settings {

// What the write step plans and does; the restore and set outcomes hold it.
struct WriteValues {
    Snapshot held;     // what the adapter held before
    Snapshot wanted;   // what it is to hold
    RestorePlan plan;  // the problems, the changes, the flag-bit note
    std::optional<StoreError> recordError;
    Restore restore;  // what was written, what not, what the adapter holds
};

struct WriteStep {
    // For the plan: the file's line of each key, and whether its values go
    // back exactly (restore_plan.h).
    std::map<std::string, int> lines;
    bool exact = false;
    // With the plan, before the record: false ends the step.
    std::function<bool()> goAhead;
    // Where the record is kept, for which adapter and job; an empty path:
    // no record.
    RecordPlace record;
    // Just before the first write (after the record).
    std::function<void()> writing;
    // Once the groups are written, with the record still kept: the front end
    // tells the result here.
    std::function<void()> told;
    // A stop request means no one reads the result (the desktop program at
    // a logout): the record then stays unless every group was written.
    bool keepIfStopped = false;
    interrupts::StopRequest stop = {};
};

enum class WriteEnd { Problems, NothingToChange, Stopped, RecordFailed, Written };

// Gives the job's outcome its stage as the write begins and once its
// result is told, and runs the job's own steps for those moments.
template <typename Outcome, typename Steps>
void followStages(WriteStep& write, Outcome& outcome, const Steps& steps)
{
    write.writing = [&outcome, &steps] {
        outcome.stage = Outcome::Stage::Writing;
        if (steps.writing) steps.writing(outcome);
    };
    write.told = [&outcome, &steps] {
        outcome.stage = Outcome::Stage::Written;
        if (steps.told) steps.told(outcome);
    };
}

// Plans, keeps the record and writes, filling `values` as it goes (its
// held and wanted given). A lost adapter ends the step with AdapterGone,
// the record then let go as the write's result.
WriteEnd writeStep(VendorLink& link, const Pause& pause, const Features& features, const WriteStep& step,
                   WriteValues& values);

}  // namespace settings
