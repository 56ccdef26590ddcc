#include "settings/snapshot.h"

namespace settings {

const char* groupName(Group group)
{
    switch (group) {
    case Group::Basic: return "basic";
    case Group::Repeater: return "repeater";
    case Group::SlowData: return "slow_data";
    case Group::Beacon: return "beacon";
    case Group::SerialPort: return "serial_port";
    }
    return "";
}

std::optional<Group> groupNamed(std::string_view name)
{
    for (Group group : AllGroups)
        if (name == groupName(group)) return group;
    return std::nullopt;
}

bool hasGroup(const Features& features, Group group)
{
    switch (group) {
    case Group::SlowData: return features.slowData;
    case Group::Beacon: return features.beacon;
    case Group::SerialPort: return features.serialPort;
    default: return true;
    }
}

bool firmwareLacksKey(const Features& features, std::string_view key)
{
    if (key == SquelchKey) return !features.basic.squelch;
    if (key == JitterKey) return !features.basic.jitterBuffer;
    const auto dot = key.find('.');
    const auto group = groupNamed(key.substr(0, dot == std::string_view::npos ? 0 : dot));
    return group && !hasGroup(features, *group);
}

bool Snapshot::has(Group group) const
{
    switch (group) {
    case Group::Basic: return basic.has_value();
    case Group::Repeater: return repeater.has_value();
    case Group::SlowData: return slowData.has_value();
    case Group::Beacon: return beacon.has_value();
    case Group::SerialPort: return serialPort.has_value();
    }
    return false;
}

void copyGroup(const Snapshot& from, Snapshot& to, Group group)
{
    switch (group) {
    case Group::Basic: to.basic = from.basic; break;
    case Group::Repeater: to.repeater = from.repeater; break;
    case Group::SlowData: to.slowData = from.slowData; break;
    case Group::Beacon: to.beacon = from.beacon; break;
    case Group::SerialPort: to.serialPort = from.serialPort; break;
    }
}

Snapshot onlyGroup(const Snapshot& snapshot, Group group)
{
    Snapshot one;
    copyGroup(snapshot, one, group);
    return one;
}

}  // namespace settings
