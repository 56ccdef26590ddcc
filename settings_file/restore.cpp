#include "settings_file/restore.h"

#include "device/firmware_version.h"
#include "settings/groups.h"
#include "settings_file/restore_plan.h"
#include "settings_file/save_result.h"

namespace settings {
namespace {

// The values the group's dialog would send for `whole`.
Snapshot writableGroup(const Features& features, const Snapshot& held, const Snapshot& whole, Group group, bool exact)
{
    Snapshot writable;
    switch (group) {
    case Group::Basic: writable.basic = writableBasic(*whole.basic, features.basic, held.basic, exact); break;
    case Group::Repeater:
        writable.repeater = writableRepeater(*whole.repeater, held.repeater ? held.repeater->flagByte : std::nullopt);
        break;
    case Group::SerialPort: writable.serialPort = writableSerialPort(*whole.serialPort); break;
    default: copyGroup(whole, writable, group);
    }
    return writable;
}

}  // namespace

FileOrigin readOrigin(VendorLink& link, const Features& features)
{
    return {BRISEL_VERSION, firmware::readVersion(link), features};
}

Snapshot readGroups(VendorLink& link, const StartUp& startUp, const std::vector<Group>& groups)
{
    Snapshot snapshot;
    for (Group group : groups) readGroup(link, group, startUp, snapshot);
    return snapshot;
}

std::vector<Group> groupsPresent(const Features& features)
{
    std::vector<Group> groups;
    for (Group group : AllGroups)
        if (hasGroup(features, group)) groups.push_back(group);
    return groups;
}

Snapshot readEveryGroup(VendorLink& link, const StartUp& startUp, bool readSerialPortAgain)
{
    StartUp started = startUp;
    if (readSerialPortAgain && startUp.features.serialPort) started.serialPort = readSerialPort(link);
    return readGroups(link, started, groupsPresent(startUp.features));
}

std::vector<std::string> notReadKeys(const Snapshot& snapshot, const Features& features)
{
    std::vector<std::string> missing;
    for (const std::string& key : allKeys()) {
        const auto group = groupOfKey(key);
        if (!group || !snapshot.has(*group) || firmwareLacksKey(features, key)) continue;
        if (!valueText(snapshot, key)) missing.push_back(key);
    }
    return missing;
}

Snapshot heldBeforeWriting(const Snapshot& held, const Snapshot& wanted)
{
    Snapshot before;
    for (Group group : AllGroups)
        if (wanted.has(group) && !differences(onlyGroup(held, group), onlyGroup(wanted, group)).empty())
            copyGroup(held, before, group);
    return before;
}

void restoreSettings(VendorLink& link, const Pause& pause, const Features& features, const Snapshot& held,
                     const Snapshot& wanted, Restore& restore, const interrupts::StopRequest& stop,
                     const std::function<void(Group)>& groupDone, bool exact)
{
    restore.after = held;
    const Snapshot whole = merged(held, wanted);
    std::vector<std::pair<Group, std::vector<FieldChange>>> planned;
    for (Group group : AllGroups) {
        if (!wanted.has(group)) continue;
        std::vector<FieldChange> changes = differences(onlyGroup(held, group), onlyGroup(wanted, group));
        if (changes.empty()) continue;
        for (const FieldChange& change : changes) restore.notSent.push_back(change.key);
        planned.emplace_back(group, std::move(changes));
    }
    if (!planned.empty()) stop.writesBegin();
    for (auto& [group, changes] : planned) {
        if (const int signal = stop.asked()) {
            restore.interruptedBy = signal;
            restore.notBegun.push_back(group);
            continue;
        }
        // From here the group counts as under way, not as never reached.
        std::erase_if(restore.notSent, [group = group](const std::string& key) { return groupOfKey(key) == group; });
        const Snapshot values = writableGroup(features, held, whole, group, exact);
        Snapshot readBack;
        restore.lostDuring = group;
        const GroupSave save = saveGroupWatched(link, pause, group, values, readBack, restore.cut);
        restore.lostDuring.reset();
        restore.written.emplace_back(group, std::move(changes));
        if (groupDone) groupDone(group);
        restore.after = merged(restore.after, readBack);
        restore.baudRefused = restore.baudRefused || save.refused;
        for (ValueNotTaken& wrong : judgeSave(group, values, save, readBack, &features))
            restore.notTaken.push_back(std::move(wrong));
    }
}

}  // namespace settings
