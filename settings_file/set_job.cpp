#include "settings_file/set_job.h"

#include "device/adapter_connection.h"

#include <algorithm>

namespace settings {

std::vector<AssignmentProblem> judgeAssignments(const std::vector<Assignment>& assignments)
{
    using Kind = AssignmentProblem::Kind;
    std::vector<AssignmentProblem> problems;
    // The GPS sentence switches share one setting of the adapter; they are
    // judged against a stand-in until the adapter's own is read.
    Snapshot judged;
    judged.serialPort.emplace().gpsBits = 0;
    for (auto at = assignments.begin(); at != assignments.end(); ++at) {
        const std::string& key = at->first;
        const std::string& value = at->second;
        if (!groupOfKey(key)) problems.push_back({Kind::UnknownKey, key, {}, 0});
        else if (std::any_of(assignments.begin(), at, [&](const Assignment& a) { return a.first == key; }))
            problems.push_back({Kind::Twice, key, {}, 0});
        else if (auto problem = setFromText(judged, key, value))
            problems.push_back({Kind::Value, key, std::move(problem), 0});
    }
    // Every text given is new to the adapter: none may hold a control
    // character.
    for (const auto& [key, code] : controlCharacterProblems({}, judged))
        problems.push_back({Kind::ControlCharacter, key, {}, code});
    return problems;
}

std::vector<Group> groupsOfKeys(const std::vector<std::string>& keys)
{
    std::vector<Group> groups;
    for (Group group : AllGroups)
        if (std::any_of(keys.begin(), keys.end(), [group](const std::string& key) { return groupOfKey(key) == group; }))
            groups.push_back(group);
    return groups;
}

void setValues(VendorLink& link, const Pause& pause, const StartUp& startUp, const std::vector<Assignment>& assignments,
               const SetSteps& steps, SetOutcome& outcome)
{
    const Features& features = startUp.features;
    outcome.stage = SetOutcome::Stage::Refused;
    outcome.refused = judgeAssignments(assignments);
    if (!outcome.refused.empty()) return;

    outcome.stage = SetOutcome::Stage::NoGroup;
    std::vector<std::string> keys;
    keys.reserve(assignments.size());
    for (const auto& [key, value] : assignments) keys.push_back(key);
    for (Group group : groupsOfKeys(keys)) {
        if (!hasGroup(features, group)) {
            if (steps.skipMissingGroups) continue;
            outcome.missingGroup = group;
            return;
        }
        outcome.groups.push_back(group);
    }

    outcome.stage = SetOutcome::Stage::Reading;
    outcome.held = readGroups(link, startUp, outcome.groups);
    outcome.notRead = notReadKeys(outcome.held, features);
    if (!outcome.notRead.empty()) {
        outcome.stage = SetOutcome::Stage::NotRead;
        return;
    }

    outcome.stage = SetOutcome::Stage::Lacking;
    for (Group group : outcome.groups) copyGroup(outcome.held, outcome.wanted, group);
    for (const auto& [key, value] : assignments) setFromText(outcome.wanted, key, value);
    outcome.lacking = takeOutWhatTheFirmwareLacks(outcome.wanted, features);
    if (!outcome.lacking.empty() && !(steps.leaveOut && steps.leaveOut(outcome.lacking))) return;

    using Stage = SetOutcome::Stage;
    WriteStep write;
    write.record = {steps.recordPath, steps.adapter, RecordJob::Set};
    write.stop = steps.stop;
    followStages(write, outcome, steps);
    switch (writeStep(link, pause, features, write, outcome)) {
    case WriteEnd::Problems: outcome.stage = Stage::Problems; break;
    case WriteEnd::NothingToChange: outcome.stage = Stage::NothingToChange; break;
    case WriteEnd::RecordFailed: outcome.stage = Stage::RecordFailed; break;
    case WriteEnd::Stopped:
    case WriteEnd::Written: break;
    }
}

}  // namespace settings
