// get and set: single settings by their keys in the settings file.

#include "cli/commands.h"
#include "cli/exit_status.h"
#include "cli/file_problems.h"
#include "cli/json_report.h"
#include "cli/plan_problems.h"
#include "cli/session.h"
#include "cli/settings_files.h"
#include "cli/write_records.h"
#include "cli/write_result.h"
#include "device/shown_text.h"
#include "settings_file/restore_plan.h"
#include "settings_file/set_job.h"

namespace {

CtlError unknownKey(const std::string& key)
{
    return CtlError(exit_status::Usage, "unknown key '" + shown::clipped(key) + "' (brisel-ctl show lists the keys)");
}

void printValues(const std::vector<std::string>& keys, const settings::Snapshot& snapshot, std::ostream& out)
{
    for (const std::string& key : keys)
        out << key << " = " << settings::valueText(snapshot, key).value_or("(not read)") << '\n';
}

}  // namespace

int getCommand(const Options& options, CtlIo& io)
{
    for (const std::string& key : options.args)
        if (!settings::groupOfKey(key)) throw unknownKey(key);
    Session session(options, io);
    const std::vector<settings::Group> groups = settings::groupsOfKeys(options.args);
    for (settings::Group group : groups)
        if (!settings::hasGroup(session.features(), group)) throw noGroup(group);
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
    // Every value is judged before the adapter is asked anything.
    std::vector<settings::Assignment> assignments;
    std::optional<std::string> malformed;
    for (const std::string& argument : arguments) {
        const auto equals = argument.find('=');
        if (equals == std::string::npos || equals == 0) {
            malformed = argument;
            break;
        }
        assignments.emplace_back(argument.substr(0, equals), argument.substr(equals + 1));
    }
    std::string problems;
    for (const settings::AssignmentProblem& problem : settings::judgeAssignments(assignments)) {
        using Kind = settings::AssignmentProblem::Kind;
        switch (problem.kind) {
        case Kind::UnknownKey: throw unknownKey(problem.key);
        case Kind::Twice:
            throw CtlError(exit_status::Usage,
                           std::string(word).append(" names ").append(problem.key).append(" twice"));
        case Kind::Value: problems += (problems.empty() ? "" : "\n") + fileProblemText(*problem.value); break;
        case Kind::ControlCharacter: {
            if (malformed) break;
            settings::PlanProblem control;
            control.kind = settings::PlanProblem::Kind::ControlCharacter;
            control.key = problem.key;
            control.code = problem.code;
            problems += (problems.empty() ? "" : "\n") + problemText(control);
            break;
        }
        }
    }
    if (malformed)
        throw CtlError(exit_status::Usage, word + " wants KEY=VALUE, not '" + shown::clipped(*malformed) + "'");
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
            if (io.report) io.report->values(keys, written.after);
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
    case Stage::NoGroup: throw noGroup(*outcome.missingGroup);
    case Stage::NotRead: notAnswered(outcome.notRead);
    case Stage::Lacking: refuseLacking(outcome.lacking);
    case Stage::Problems: throw CtlError(exit_status::BadFile, problemLines(outcome.plan.problems, ""));
    case Stage::NothingToChange:
        if (outcome.plan.fixedFlagBits) tellFixedFlagBits(io);
        io.err << "Nothing to change: the adapter already holds these values.\n";
        if (io.report) io.report->values(keys, outcome.held);
        printValues(keys, outcome.held, io.out);
        return exit_status::Ok;
    case Stage::RecordFailed:
        if (outcome.plan.fixedFlagBits) tellFixedFlagBits(io);
        throw recordFailed(*outcome.recordError);
    default: break;  // Written: told from the job's told step
    }
    return exit_status::Ok;
}
