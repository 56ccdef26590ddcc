#include "cli/group_writer.h"

#include "cli/exit_status.h"
#include "cli/session.h"
#include "settings/groups.h"
#include "settings/settings_file.h"

namespace {

// The values the group's dialog would send for `whole`.
settings::Snapshot writableGroup(const Session& session, const settings::Snapshot& held,
                                 const settings::Snapshot& whole, settings::Group group)
{
    settings::Snapshot writable;
    switch (group) {
    case settings::Group::Basic:
        writable.basic = settings::writableBasic(*whole.basic, session.features().basic);
        break;
    case settings::Group::Repeater:
        writable.repeater = settings::writableRepeater(*whole.repeater, held.repeater->flagByte);
        break;
    case settings::Group::SerialPort:
        writable.serialPort = settings::writableSerialPort(*whole.serialPort);
        break;
    default: settings::copyGroup(whole, writable, group);
    }
    return writable;
}

settings::Snapshot only(const settings::Snapshot& snapshot, settings::Group group)
{
    settings::Snapshot one;
    settings::copyGroup(snapshot, one, group);
    return one;
}

std::string joined(const std::vector<std::string>& names)
{
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
    return text;
}

}  // namespace

WriteOutcome writeChangedGroups(Session& session, const settings::Snapshot& held,
                                const settings::Snapshot& wanted, CtlIo& io, std::ostream* report)
{
    WriteOutcome outcome;
    outcome.after = held;
    const settings::Snapshot whole = settings::merged(held, wanted);
    if (wanted.repeater && wanted.repeater->flagByte && held.repeater && held.repeater->flagByte &&
        ((*wanted.repeater->flagByte ^ *held.repeater->flagByte) & settings::FixedFlagBits) != 0)
        io.err << "repeater.flag_byte: bits 7 and 4 cannot be changed; they stay as the adapter holds them.\n";

    std::vector<std::string> written;
    std::vector<settings::FieldChange> notTaken;
    bool readBackFailed = false;
    for (settings::Group group : settings::AllGroups) {
        if (!wanted.has(group)) continue;
        const std::vector<settings::FieldChange> changes =
            settings::differences(only(held, group), only(wanted, group));
        if (changes.empty()) continue;

        const settings::Snapshot values = writableGroup(session, held, whole, group);
        settings::Snapshot readBack;
        settings::GroupSave save;
        try {
            save = settings::saveGroup(session.link(), session.pause(), group, values, readBack);
        } catch (const AdapterGone&) {
            adapterLost(joined(written), settings::groupName(group));
        }
        written.emplace_back(settings::groupName(group));
        outcome.after = settings::merged(outcome.after, readBack);
        if (report != nullptr) {
            *report << "Wrote " << settings::groupName(group) << ":\n";
            for (const settings::FieldChange& change : changes)
                *report << "  " << change.key << ": " << change.from << " -> " << change.to << '\n';
        }
        if (save.refused) {
            io.err << "The adapter refused serial_port.baud_rate; nothing else of serial_port was written.\n";
            notTaken.push_back({"serial_port.baud_rate", "", ""});
            continue;
        }
        for (const settings::FieldChange& wrong : settings::differences(readBack, values)) {
            if (wrong.from == "(not read)") readBackFailed = true;
            notTaken.push_back(wrong);
        }
    }

    if (notTaken.empty()) return outcome;
    io.err << "The adapter does not hold what was written:\n";
    for (const settings::FieldChange& wrong : notTaken) {
        io.err << "  " << wrong.key;
        if (!wrong.to.empty()) io.err << ": wrote " << wrong.to << ", reads back " << wrong.from;
        io.err << '\n';
    }
    outcome.status = readBackFailed ? status::AdapterFailed : status::NotTaken;
    return outcome;
}
