#pragma once
// What became of the values a Save sent: each one the adapter did not take,
// judged once here for the dialogs, the settings file's load and the
// command line, which only put it into words.

#include "settings/groups.h"
#include "settings/start_up.h"
#include "settings_file/settings_file.h"

#include <string>
#include <vector>

namespace settings {

struct ValueNotTaken {
    enum class Why {
        Differs,      // the read-back differs from what was sent
        NotReadBack,  // the read-back failed
        Refused,      // the write failed, and the Save ended before any read-back
        NotSent,      // the Save ended before the value was sent
    };
    Why why;
    std::string key;                       // as in settings files, e.g. "basic.keep_alive_ms"
    std::string sent;                      // what was (or was to be) sent, in the file's units
    std::string holds;                     // Differs: what the adapter holds now
    TypedValue shownSent{}, shownHolds{};  // the same for the dialogs
};

// Judges one group's Save from what was sent, how the Save ended and what
// was read back. A value with no read-back counts as not taken only when
// its write failed; a text counts whole, so a failed piece of it makes it
// not taken. Values of a feature that `features` says the firmware lacks
// are not judged (no `features`: every value is).
std::vector<ValueNotTaken> judgeSave(Group group, const Snapshot& sent, const GroupSave& save, const Snapshot& readBack,
                                     const Features* features);

// Whether any value was not taken because its read-back failed: the
// adapter may have taken it, but nobody can tell.
bool anyNotReadBack(const std::vector<ValueNotTaken>& values);

}  // namespace settings
