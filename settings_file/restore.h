#pragma once
// Putting settings onto the adapter: only the groups that differ, each with
// its dialog's Save stream, each read back and compared. The command line's
// restore and set and the desktop program's "Load settings from file..."
// all go through here.

#include "interrupts/stop_request.h"
#include "settings/pause.h"
#include "settings_file/save_result.h"
#include "settings_file/settings_file.h"

#include <functional>

class VendorLink;

namespace settings {

struct Restore {
    // The groups written completely, in order, with what each changed.
    std::vector<std::pair<Group, std::vector<FieldChange>>> written;
    // The group being written when the adapter was lost.
    std::optional<Group> lostDuring;
    // How far its writes came.
    std::optional<CutWrite> cut;
    // Values the adapter did not take, or that were never sent because
    // their group's Save ended early.
    std::vector<ValueNotTaken> notTaken;
    bool baudRefused = false;
    // What the adapter holds afterwards: the read-backs over what was held.
    Snapshot after;
    // The values of groups that differ but were never reached, because the
    // adapter was lost before them or a signal arrived.
    std::vector<std::string> notSent;
    // The groups that differ but were not begun because the job was asked
    // to stop (stop_request.h), and the signal that asked it.
    std::vector<Group> notBegun;
    int interruptedBy = 0;
};

// Where a settings file's values come from: this program's version, and the
// firmware version read as the version message reads it.
FileOrigin readOrigin(VendorLink& link, const Features& features);

// The groups, each read as its dialog reads it.
Snapshot readGroups(VendorLink& link, const StartUp& startUp, const std::vector<Group>& groups);
// Every group the firmware has.
std::vector<Group> groupsPresent(const Features& features);
// Every group the firmware has, read as its dialog reads it; the serial
// port group first read again as its dialog's Cancel reads it when
// `readSerialPortAgain` (the start-up's reading of it was long ago).
Snapshot readEveryGroup(VendorLink& link, const StartUp& startUp, bool readSerialPortAgain);

// The keys of `snapshot`'s groups whose value was not read, leaving out
// those of features the firmware lacks.
std::vector<std::string> notReadKeys(const Snapshot& snapshot, const Features& features);

// Writes every group of `wanted` whose values differ from `held` (`wanted`
// may hold only some values of a group; the others stay as held). Fills
// `restore` as it goes, so that it tells how far it came when AdapterGone
// ends it. Once its first group is begun, `stop` is asked before each
// other group: the group under way is finished and no other is begun.
// `groupDone` is told of each group as it is written completely. With
// `exact`, each group is written as `wanted` holds it (writableBasic).
void restoreSettings(VendorLink& link, const Pause& pause, const Features& features, const Snapshot& held,
                     const Snapshot& wanted, Restore& restore, const interrupts::StopRequest& stop,
                     const std::function<void(Group)>& groupDone = {}, bool exact = false);

// The groups of `wanted` whose values differ from `held`, with the values
// `held` has for them: what a record keeps before they are written.
Snapshot heldBeforeWriting(const Snapshot& held, const Snapshot& wanted);

}  // namespace settings
