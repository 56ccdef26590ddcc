#include "cli/write_result.h"

#include "cli/comma_list.h"
#include "cli/exit_status.h"
#include "cli/json_report.h"
#include "cli/session.h"
#include "cli/store_problems.h"
#include "cli/write_records.h"
#include "interrupts/signals.h"
#include "settings_file/restore.h"
#include "settings_file/restore_plan.h"
#include "settings_file/settings_store.h"

#include <memory>
#include <stdexcept>

void tellFixedFlagBits(CtlIo& io)
{
    io.err << "repeater.flag_byte: bits 7 and 4 cannot be changed; they stay as the adapter holds them.\n";
    if (io.report) io.report->fixedFlagBits();
}

namespace {

// One value the adapter did not take, as the command line words it.
std::string notTakenLine(const settings::ValueNotTaken& value)
{
    using Why = settings::ValueNotTaken::Why;
    switch (value.why) {
    case Why::Differs: return value.key + ": wrote " + value.sent + ", reads back " + value.holds;
    case Why::NotReadBack: return value.key + ": wrote " + value.sent + ", reads back (not read)";
    case Why::Refused: return value.key + ": wrote " + value.sent + ", which the adapter refused";
    case Why::NotSent: break;
    }
    return value.key + ": not sent (" + value.sent + ")";
}

// What a signal left: the groups written and those not begun, and what
// puts the adapter back as it was.
[[noreturn]] void interrupted(const settings::Restore& restore, const std::string& putBack)
{
    std::vector<std::string> written, notBegun;
    for (const auto& [group, changes] : restore.written) written.emplace_back(settings::groupName(group));
    for (settings::Group group : restore.notBegun) notBegun.emplace_back(settings::groupName(group));
    std::string text =
        std::string("Stopped by ") + interrupts::signalName(restore.interruptedBy) +
        (written.empty() ? "; no group was begun."
                         : " once the group under way was finished.\nWritten completely: " + commaList(written) + ".");
    text += "\nNot written: " + commaList(notBegun) + ".";
    if (!written.empty() && !putBack.empty())
        text += "\nThe settings from before are in the automatic backup; this puts them back:\n  " + putBack;
    else if (!written.empty()) {
        text += "\nWhat the written values were before:";
        for (const auto& [group, changes] : restore.written)
            for (const settings::FieldChange& change : changes) text += "\n  " + change.key + " = " + change.from;
    }
    throw Interrupted(restore.interruptedBy, text);
}

}  // namespace

void tellLoss(const settings::Restore& restore, CtlIo& io)
{
    if (io.report) io.report->restore(restore);
    std::vector<std::string> written;
    for (const auto& [group, changes] : restore.written) written.emplace_back(settings::groupName(group));
    // A group whose every write returned before the loss, which came while it
    // was read back, is written completely; only one cut in its writes may
    // be half written.
    const std::optional<settings::CutWrite>& cut = restore.cut;
    const bool half = restore.lostDuring && (!cut || !cut->whole());
    if (restore.lostDuring && !half)
        written.push_back(std::string(settings::groupName(*restore.lostDuring)) + " (not read back)");
    // A command lost before its first write says nothing about writing.
    std::string howFar;
    if (!written.empty()) howFar += "\nWritten completely: " + commaList(written) + ".";
    else if (half || !restore.notSent.empty()) howFar += "\nNo group was written completely.";
    const std::string group = half ? settings::groupName(*restore.lostDuring) : "";
    if (half) howFar += "\nPartly written: " + group + " (its values may be mixed; write it again).";
    if (half && cut) {
        if (!cut->reached.empty()) howFar += "\n  Reached the adapter: " + commaList(cut->reached) + ".";
        if (!cut->maybe.empty()) howFar += "\n  May have reached it: " + commaList(cut->maybe) + ".";
        if (!cut->notSent.empty()) howFar += "\n  Never sent: " + commaList(cut->notSent) + ".";
    }
    if (!restore.notSent.empty()) howFar += "\nNot sent: " + commaList(restore.notSent) + ".";
    if (half) howFar += "\nThe record of the write stays until " + group + " is written completely.";
    adapterLost(howFar);
}

WriteOutcome tellWritten(const settings::Restore& restore, CtlIo& io, std::ostream* report, const std::string& putBack)
{
    if (io.report) io.report->restore(restore);
    if (restore.interruptedBy != 0) interrupted(restore, putBack);
    if (report != nullptr) {
        for (const auto& [group, changes] : restore.written) {
            *report << "Wrote " << settings::groupName(group) << ":\n";
            for (const settings::FieldChange& change : changes)
                *report << "  " << change.key << ": " << change.from << " -> " << change.to << '\n';
        }
    }

    WriteOutcome outcome;
    outcome.after = restore.after;
    std::string told;
    if (restore.baudRefused)
        told += "The adapter refused serial_port.baud_rate; nothing else of serial_port was written.\n";
    if (!restore.notTaken.empty()) {
        told += "The adapter does not hold what was written:\n";
        for (const settings::ValueNotTaken& value : restore.notTaken) told += "  " + notTakenLine(value) + '\n';
        outcome.status =
            settings::anyNotReadBack(restore.notTaken) ? exit_status::AdapterFailed : exit_status::NotTaken;
    }
    io.err << told;
    if (io.report && outcome.status != exit_status::Ok) io.report->failed(told.substr(0, told.size() - 1));
    return outcome;
}

CtlError recordFailed(const settings::StoreError& error)
{
    return CtlError(exit_status::CantWrite,
                    storeText(error.problem()) + "; without a record of the write, nothing was written");
}
