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
// - A plan that is `exact` (the file is the program's own record or
//   automatic backup) refuses none of those: it puts back what the adapter
//   held. What no dialog writes stays even then: a baud or mode code
//   without a button, the GPS bits without one, bits 7 and 4 of the flag
//   byte.

#include "settings_file/settings_file.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace settings {

// A part of the wanted values that the firmware lacks: a whole group, or
// one value (the S/N squelch or jitter buffer setting).
struct Lacking {
    std::optional<Group> group;  // a whole group
    std::string key;             // else the value's key, "basic.squelch_level"
    bool operator==(const Lacking&) const = default;
};

// Takes out of `wanted` what the firmware lacks and returns it, in file
// order; empty when the firmware has all of it.
std::vector<Lacking> takeOutWhatTheFirmwareLacks(Snapshot& wanted, const Features& features);

// Whether `wanted` asks to change bits 7 and 4 of the flag byte, which stay
// as the adapter holds them.
bool changesFixedFlagBits(const Snapshot& held, const Snapshot& wanted);

// A value that may not be written, with the keys and values involved.
struct PlanProblem {
    enum class Kind {
        ControlCharacter,  // `key`'s text holds the control character `code`
        BeyondRange,       // `key`'s `value` is above `max`, and the adapter holds `held`
        SquelchNeedsCos,   // `key` (the S/N squelch) is 0 with `otherKey` (COS check) off
        CosNeedsSquelch,   // `key` (COS check) is off with `otherKey` (the S/N squelch) 0
    };
    // Where the other value of the squelch pair comes from.
    enum class Other {
        Adapter,      // the adapter holds it
        FileLine,     // the file sets it on `otherLine`
        CommandLine,  // it is given, but not on a line of a file
    };
    Kind kind = Kind::ControlCharacter;
    int line = 0;                     // the file's line of `key`; 0 when not known
    std::string key;                  // "group.key"
    std::string value;                // `key`'s value as the file writes it
    unsigned char code = 0;           // ControlCharacter
    std::uint32_t max = 0;            // BeyondRange: the dialog's largest value
    std::optional<std::string> held;  // BeyondRange: what the adapter holds; nothing when not read
    std::string otherKey;             // the squelch pair
    Other other = Other::Adapter;
    int otherLine = 0;
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
RestorePlan planRestore(const Snapshot& held, const Snapshot& wanted, const std::map<std::string, int>& lines = {},
                        bool exact = false);

}  // namespace settings
