#pragma once
// Putting single values onto the adapter, by their keys in the settings
// file: brisel-ctl's set runs this one job and only puts its outcome into
// words. The steps, each of which may end the job:
//   0. the assignments judged on their own (judgeAssignments; no request);
//   1. the groups of the keys, in file order; a group the firmware lacks
//      ends the job, unless such groups are to be left out (no request);
//   2. those groups read, as their dialogs read them: a value the adapter
//      did not answer for ends the job;
//   3. the groups as the adapter holds them with the named values changed;
//      what the firmware lacks of them is left out or ends the job;
//   4. the plan against what the adapter holds: problems end the job;
//      nothing to change ends it;
//   5. the write step (write_step.h): the record of the write, whose
//      failure ends the job, and the groups that differ, each written with
//      its dialog's Save stream, read back and judged;
//   6. the front end's telling of the result (`told`), the record kept.
// A lost adapter ends the job with AdapterGone; the outcome then tells how
// far the job came. Once the first group is begun, a stop request (the
// steps' `stop`, stop_request.h) lets the group under way finish and begins
// no other; outcome.restore then names the signal and the groups not begun.

#include "settings_file/restore.h"
#include "settings_file/restore_plan.h"
#include "settings_file/write_record.h"
#include "settings_file/write_step.h"

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace settings {

struct SetOutcome;

struct SetSteps {
    // A group the firmware lacks is left out at once, and told with the
    // rest of what it lacks (leaveOut); else it ends the job.
    bool skipMissingGroups = false;
    // The firmware lacks some of the values: true goes on without them,
    // false ends the job. Not given: the job ends.
    std::function<bool(const std::vector<Lacking>& lacking)> leaveOut;
    // Where the record of the write is kept, for `adapter`; empty: no record.
    std::string recordPath;
    AdapterIdentity adapter;
    // Just before the first write (after the record).
    std::function<void(const SetOutcome&)> writing;
    // Once the groups are written, the record still kept: the front end
    // tells the result.
    std::function<void(const SetOutcome&)> told;
    // Asked between the groups written; not given: the job is never stopped.
    interrupts::StopRequest stop = {};
};

// One value to be set: its key ("basic.delay_time_ms") and its text as the
// settings file writes it.
using Assignment = std::pair<std::string, std::string>;

// What is wrong with an assignment on its own, before any request.
struct AssignmentProblem {
    enum class Kind {
        UnknownKey,        // no key of the settings file
        Twice,             // the key is named again
        Value,             // `value` says what is wrong with the value
        ControlCharacter,  // the text holds the control character `code`
    };
    Kind kind = Kind::UnknownKey;
    std::string key;
    std::optional<FileProblem> value;
    unsigned char code = 0;
};

// Every problem of `assignments`, in their order (control characters
// last); none: each key is known, named once, and its value may be set.
std::vector<AssignmentProblem> judgeAssignments(const std::vector<Assignment>& assignments);

// The groups of `keys` in file order, each once; an unknown key has none.
std::vector<Group> groupsOfKeys(const std::vector<std::string>& keys);

struct SetOutcome : WriteValues {
    enum class Stage {
        Refused,          // the assignments have `refused` problems
        NoGroup,          // the firmware lacks `missingGroup`
        Reading,          // reading what the adapter holds
        NotRead,          // the adapter did not answer for some values
        Lacking,          // the firmware lacks some of the values
        Problems,         // the plan found values that may not be written
        NothingToChange,  // the adapter holds these values already
        RecordFailed,     // the record of the write could not be written
        Writing,          // writing the groups that differ
        Written,          // every group that differs was written
    };
    Stage stage = Stage::Refused;
    std::vector<AssignmentProblem> refused;
    std::optional<Group> missingGroup;
    std::vector<Group> groups;  // the groups of the keys the job reads
    // The keys the adapter did not answer for.
    std::vector<std::string> notRead;
    std::vector<Lacking> lacking;  // what the firmware lacks, refused or left out
    // held: what the adapter held before; wanted: the groups as held, with
    // the values set.
};

// Runs the job for `assignments` on an
// adapter whose start-up found `startUp`. Fills `outcome` as it goes.
void setValues(VendorLink& link, const Pause& pause, const StartUp& startUp, const std::vector<Assignment>& assignments,
               const SetSteps& steps, SetOutcome& outcome);

}  // namespace settings
