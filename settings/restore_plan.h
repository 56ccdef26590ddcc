#pragma once
// What putting a settings file (or set's values) onto the adapter would do,
// judged against what the adapter holds, before anything is written: what
// the firmware lacks, what may not be written, what would change. The
// command line's restore, diff and set and the desktop program's "Load
// settings from file..." each word this plan in their own way.
//
// The rules, in the order they are judged:
// - Before the first request: the file alone (syntax, types, the limits of
//   what the adapter can hold), as readSettingsFile judges it.
// - After the start-up: what the firmware lacks.
// - After the reads, against what the adapter holds: a value equal to the
//   adapter's is never refused. A text that would change the adapter holds
//   no control character; a number above the dialog's range, or an S/N
//   squelch level of 0 with COS check off, is refused only when it would
//   change the adapter. A group written anyway leaves such values out, as
//   the dialog's Save does.

#include "settings/settings_file.h"

#include <map>
#include <string>
#include <vector>

namespace settings {

// Takes out of `wanted` what the firmware lacks: a group, or the S/N squelch
// or jitter buffer setting. Returns their names ("the beacon group",
// "basic.squelch_level"); empty when the firmware has all of it.
std::vector<std::string> takeOutWhatTheFirmwareLacks(Snapshot& wanted, const Features& features);

// Whether `wanted` asks to change bits 7 and 4 of the flag byte, which stay
// as the adapter holds them.
bool changesFixedFlagBits(const Snapshot& held, const Snapshot& wanted);

// A value that may not be written. `line` is the file's line of the key
// told first (0 when not known); the text names every key involved and the
// file's line of each other one.
struct PlanProblem {
    int line = 0;
    std::string what;
};

struct RestorePlan {
    // When there is one, nothing may be written.
    std::vector<PlanProblem> problems;
    // What a write of the wanted values changes, field by field.
    std::vector<FieldChange> changes;
    // The wanted values ask to change bits 7 and 4 of the flag byte.
    bool fixedFlagBits = false;
};

// The plan of writing `wanted` (the firmware's lacks taken out) onto an
// adapter holding `held`. `lines` gives the file's line of each key
// ("group.key"); it is empty for values from the command line.
RestorePlan planRestore(const Snapshot& held, const Snapshot& wanted, const std::map<std::string, int>& lines = {});

// "NAME:LINE: what" for each problem (or "NAME: what" without a line; the
// text alone without a name), one a line.
std::string problemLines(const std::vector<PlanProblem>& problems, const std::string& name);

}  // namespace settings
