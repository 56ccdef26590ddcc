#pragma once
// Every settings group of one adapter, as read from it or as a settings file
// gives it. A group that is not there was not read (or is not in the file);
// within a group, a value that is not there likewise.

#include "settings/basic.h"
#include "settings/beacon.h"
#include "settings/repeater.h"
#include "settings/serial_port.h"
#include "settings/slow_data.h"
#include "settings/start_up.h"

#include <array>
#include <optional>
#include <string_view>

namespace settings {

enum class Group { Basic, Repeater, SlowData, Beacon, SerialPort };
inline constexpr std::array<Group, 5> AllGroups = {Group::Basic, Group::Repeater, Group::SlowData, Group::Beacon,
                                                   Group::SerialPort};

// The group's name in settings files and on the command line.
const char* groupName(Group group);
std::optional<Group> groupNamed(std::string_view name);

// Whether the firmware has the group: basic and repeater always.
bool hasGroup(const Features& features, Group group);
// The keys of the basic settings that exist only with an optional feature.
inline constexpr const char* SquelchKey = "basic.squelch_level";
inline constexpr const char* JitterKey = "basic.jitter_buffer_size";

// Whether `key` ("basic.squelch_level") is a value of a feature, or in a
// group, that the firmware lacks.
bool firmwareLacksKey(const Features& features, std::string_view key);

struct Snapshot {
    std::optional<BasicValues> basic;
    std::optional<RepeaterValues> repeater;
    std::optional<SlowDataValues> slowData;
    std::optional<BeaconValues> beacon;
    std::optional<SerialPortValues> serialPort;

    bool has(Group group) const;
    bool operator==(const Snapshot&) const = default;
};

// A snapshot holding one group.
inline Snapshot snapshotOf(const BasicValues& v)
{
    Snapshot s;
    s.basic = v;
    return s;
}
inline Snapshot snapshotOf(const RepeaterValues& v)
{
    Snapshot s;
    s.repeater = v;
    return s;
}
inline Snapshot snapshotOf(const SlowDataValues& v)
{
    Snapshot s;
    s.slowData = v;
    return s;
}
inline Snapshot snapshotOf(const BeaconValues& v)
{
    Snapshot s;
    s.beacon = v;
    return s;
}
inline Snapshot snapshotOf(const SerialPortValues& v)
{
    Snapshot s;
    s.serialPort = v;
    return s;
}

// Copies one group of `from` (there or not) into `to`.
void copyGroup(const Snapshot& from, Snapshot& to, Group group);
// A snapshot holding only `group` of `snapshot` (there or not).
Snapshot onlyGroup(const Snapshot& snapshot, Group group);

}  // namespace settings
