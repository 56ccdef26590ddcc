#include "settings_file/set_job.h"

#include <algorithm>

namespace settings {

void setValues(VendorLink& link, const Pause& pause, const StartUp& startUp, const std::vector<Assignment>& assignments,
               const SetSteps& steps, SetOutcome& outcome)
{
    const Features& features = startUp.features;
    outcome.stage = SetOutcome::Stage::NoGroup;
    for (Group group : AllGroups) {
        const bool named = std::any_of(assignments.begin(), assignments.end(),
                                       [group](const Assignment& a) { return groupOfKey(a.first) == group; });
        if (!named) continue;
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
    write.writing = [&] {
        outcome.stage = Stage::Writing;
        if (steps.writing) steps.writing(outcome);
    };
    write.told = [&] {
        outcome.stage = Stage::Written;
        if (steps.told) steps.told(outcome);
    };
    switch (writeStep(link, pause, features, write, outcome)) {
    case WriteEnd::Problems: outcome.stage = Stage::Problems; break;
    case WriteEnd::NothingToChange: outcome.stage = Stage::NothingToChange; break;
    case WriteEnd::RecordFailed: outcome.stage = Stage::RecordFailed; break;
    case WriteEnd::Stopped:
    case WriteEnd::Written: break;
    }
}

}  // namespace settings
