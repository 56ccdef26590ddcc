// get and set: single settings by their keys in the settings file.

#include "cli/commands.h"
#include "cli/exit_status.h"
#include "cli/file_problems.h"
#include "cli/group_writer.h"
#include "cli/json_report.h"
#include "cli/plan_problems.h"
#include "cli/session.h"
#include "cli/settings_files.h"
#include "cli/write_records.h"
#include "device/shown_text.h"
#include "settings_file/restore_plan.h"
#include "settings_file/set_job.h"

namespace {

settings::Group groupOf(const std::string& key)
{
    const auto group = settings::groupOfKey(key);
    if (!group)
        throw CtlError(exit_status::Usage,
                       "unknown key '" + shown::clipped(key) + "' (brisel-ctl show lists the keys)");
    return *group;
}

// The groups of `keys` in file order, each once; a group the firmware lacks
// is refused.
std::vector<settings::Group> groupsOfKeys(const std::vector<std::string>& keys, const Session& session)
{
    std::vector<settings::Group> groups;
    for (settings::Group group : settings::AllGroups) {
        bool wanted = false;
        for (const std::string& key : keys) wanted = wanted || groupOf(key) == group;
        if (!wanted) continue;
        if (!settings::hasGroup(session.features(), group))
            throw CtlError(exit_status::NotTaken,
                           std::string("The adapter's firmware has no ") + settings::groupName(group) + " group.");
        groups.push_back(group);
    }
    return groups;
}

void printValues(const std::vector<std::string>& keys, const settings::Snapshot& snapshot, std::ostream& out)
{
    for (const std::string& key : keys)
        out << key << " = " << settings::valueText(snapshot, key).value_or("(not read)") << '\n';
}

}  // namespace

int getCommand(const Options& options, CtlIo& io)
{
    for (const std::string& key : options.args) groupOf(key);
    Session session(options, io);
    const std::vector<settings::Group> groups = groupsOfKeys(options.args, session);
    // A value of a feature the firmware lacks is refused as a lacking group is.
    for (const std::string& key : options.args)
        if (settings::firmwareLacksKey(session.features(), key))
            throw CtlError(exit_status::NotTaken, "The adapter's firmware lacks " + key + ".");
    const settings::Snapshot held = session.read(groups);
    if (io.report) io.report->values(options.args, held);
    printValues(options.args, held, io.out);
    return exit_status::Ok;
}

std::vector<settings::Assignment> checkedAssignments(const std::vector<std::string>& arguments, const std::string& word)
{
    // Every value is checked before the adapter is asked anything. The GPS
    // sentence switches share one setting of the adapter; they are checked
    // against a stand-in until the adapter's own is read.
    std::vector<settings::Assignment> assignments;
    settings::Snapshot checked;
    checked.serialPort.emplace().gpsBits = 0;
    std::string problems;
    for (const std::string& argument : arguments) {
        const auto equals = argument.find('=');
        if (equals == std::string::npos || equals == 0)
            throw CtlError(exit_status::Usage, word + " wants KEY=VALUE, not '" + shown::clipped(argument) + "'");
        const std::string key = argument.substr(0, equals);
        groupOf(key);
        for (const auto& [earlier, value] : assignments)
            if (earlier == key)
                throw CtlError(exit_status::Usage, std::string(word).append(" names ").append(key).append(" twice"));
        assignments.emplace_back(key, argument.substr(equals + 1));
        if (const auto problem = settings::setFromText(checked, key, assignments.back().second))
            problems += (problems.empty() ? "" : "\n") + fileProblemText(*problem);
    }
    // Every text given is new to the adapter here: none may hold a control
    // character.
    for (const auto& [key, code] : settings::controlCharacterProblems({}, checked)) {
        settings::PlanProblem problem;
        problem.kind = settings::PlanProblem::Kind::ControlCharacter;
        problem.key = key;
        problem.code = code;
        problems += (problems.empty() ? "" : "\n") + problemText(problem);
    }
    if (!problems.empty()) throw CtlError(exit_status::BadFile, problems);
    return assignments;
}

int setCommand(const Options& options, CtlIo& io)
{
    const std::vector<settings::Assignment> assignments = checkedAssignments(options.args, "set");
    std::vector<std::string> keys;
    keys.reserve(assignments.size());
    for (const auto& [key, value] : assignments) keys.push_back(key);

    recordFolder(io);  // judged before any request
    Session session(options, io);

    settings::SetSteps steps;
    steps.skipMissingGroups = options.skipMissing;
    steps.leaveOut = [&](const std::vector<settings::Lacking>& lacking) {
        return leaveOutLacking(options, lacking, io.err);
    };
    steps.recordPath = settings::recordPath(recordFolder(io), session.adapter());
    steps.adapter = session.adapter();
    steps.stop = io.stop;
    steps.writing = [&](const settings::SetOutcome& outcome) {
        if (outcome.plan.fixedFlagBits) tellFixedFlagBits(io);
    };
    // The command's last word is out while the job keeps the record of the
    // write.
    steps.told = [&](const settings::SetOutcome& outcome) {
        tellLastWord(io, [&] {
            const WriteOutcome written = tellWritten(outcome.restore, io, nullptr);
            printValues(keys, written.after, io.out);
            return written.status;
        });
    };

    using Stage = settings::SetOutcome::Stage;
    settings::SetOutcome outcome;
    try {
        settings::setValues(session.link(), session.pause(), session.startUp(), assignments, steps, outcome);
    } catch (const AdapterGone&) {
        if (outcome.stage == Stage::Reading) adapterLost();
        if (outcome.stage != Stage::Writing) throw;
        tellLoss(outcome.restore, io);
    }
    switch (outcome.stage) {
    case Stage::NoGroup:
        throw CtlError(exit_status::NotTaken, std::string("The adapter's firmware has no ") +
                                                  settings::groupName(*outcome.missingGroup) + " group.");
    case Stage::NotRead: notAnswered(outcome.notRead);
    case Stage::Lacking: refuseLacking(outcome.lacking);
    case Stage::Problems: throw CtlError(exit_status::BadFile, problemLines(outcome.plan.problems, ""));
    case Stage::NothingToChange:
        if (outcome.plan.fixedFlagBits) tellFixedFlagBits(io);
        io.err << "Nothing to change: the adapter already holds these values.\n";
        printValues(keys, outcome.held, io.out);
        return exit_status::Ok;
    case Stage::RecordFailed:
        if (outcome.plan.fixedFlagBits) tellFixedFlagBits(io);
        throw recordFailed(*outcome.recordError);
    case Stage::Written: break;  // told
    default: break;
    }
    return exit_status::Ok;
}
