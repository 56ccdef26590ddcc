#pragma once
// What became of the values a Save sent: each one the adapter did not take,
// judged once here for the dialogs, the settings file's load and the
// command line, which only put it into words.

#include "settings/groups.h"
#include "settings/start_up.h"
#include "settings_file/settings_file.h"

#include <optional>
#include <string>
#include <vector>

class VendorLink;

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

// A group's writes cut short by the loss of the adapter, by key, in the
// order they were (or were to be) sent.
struct CutWrite {
    Group group = Group::Basic;
    std::vector<std::string> reached;  // their writes returned before the loss
    // The write under way when the adapter was lost (the GPS sentence
    // switches share one); empty when the loss came during a read.
    std::vector<std::string> maybe;
    std::vector<std::string> notSent;  // never sent

    // Lost during a read, once every write had returned: the group was
    // written completely.
    bool whole() const { return maybe.empty() && notSent.empty(); }
};

// saveGroup, watching the group's requests: when the adapter is lost
// during them, `cut` says how far the writes came, and AdapterGone goes on.
GroupSave saveGroupWatched(VendorLink& link, const Pause& pause, Group group, const Snapshot& values,
                           Snapshot& readBack, std::optional<CutWrite>& cut);

// Whether any value was not taken because its read-back failed: the
// adapter may have taken it, but nobody can tell.
bool anyNotReadBack(const std::vector<ValueNotTaken>& values);

}  // namespace settings
