#include "cli/group_writer.h"

#include "cli/exit_status.h"
#include "cli/session.h"
#include "settings/restore.h"
#include "settings/restore_plan.h"

void tellFixedFlagBits(const settings::Snapshot& held, const settings::Snapshot& wanted, CtlIo& io)
{
    if (settings::changesFixedFlagBits(held, wanted))
        io.err << "repeater.flag_byte: bits 7 and 4 cannot be changed; they stay as the adapter holds them.\n";
}

WriteOutcome writeChangedGroups(Session& session, const settings::Snapshot& held,
                                const settings::Snapshot& wanted, CtlIo& io, std::ostream* report)
{
    tellFixedFlagBits(held, wanted, io);

    settings::Restore restore;
    try {
        settings::restoreSettings(session.link(), session.pause(), session.features(), held, wanted, restore);
    } catch (const AdapterGone&) {
        std::string written;
        for (const auto& [group, changes] : restore.written)
            written += (written.empty() ? "" : ", ") + std::string(settings::groupName(group));
        adapterLost(written, restore.lostDuring ? settings::groupName(*restore.lostDuring) : "");
    }
    if (report != nullptr) {
        for (const auto& [group, changes] : restore.written) {
            *report << "Wrote " << settings::groupName(group) << ":\n";
            for (const settings::FieldChange& change : changes)
                *report << "  " << change.key << ": " << change.from << " -> " << change.to << '\n';
        }
    }

    WriteOutcome outcome;
    outcome.after = restore.after;
    if (restore.baudRefused)
        io.err << "The adapter refused serial_port.baud_rate; nothing else of serial_port was written.\n";
    if (restore.notTaken.empty()) return outcome;
    io.err << "The adapter does not hold what was written:\n";
    for (const settings::FieldChange& wrong : restore.notTaken) {
        io.err << "  " << wrong.key;
        if (!wrong.to.empty()) io.err << ": wrote " << wrong.to << ", reads back " << wrong.from;
        io.err << '\n';
    }
    outcome.status = restore.readBackFailed() ? exit_status::AdapterFailed : exit_status::NotTaken;
    return outcome;
}
