#include "settings_file/set_job.h"

#include "device/adapter_connection.h"

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

    outcome.plan = planRestore(outcome.held, outcome.wanted);
    if (!outcome.plan.problems.empty()) {
        outcome.stage = SetOutcome::Stage::Problems;
        return;
    }
    if (outcome.plan.changes.empty()) {
        outcome.stage = SetOutcome::Stage::NothingToChange;
        return;
    }

    if (!steps.recordPath.empty()) {
        outcome.record = startRecord({steps.recordPath, steps.adapter, RecordJob::Set},
                                     heldBeforeWriting(outcome.held, outcome.wanted), features, outcome.recordError);
        if (!outcome.record) {
            outcome.stage = SetOutcome::Stage::RecordFailed;
            return;
        }
    }

    outcome.stage = SetOutcome::Stage::Writing;
    if (steps.writing) steps.writing(outcome);
    try {
        restoreSettings(link, pause, features, outcome.held, outcome.wanted, outcome.restore, steps.stop,
                        [&](Group group) {
                            if (outcome.record) outcome.record->groupDone(group);
                        });
    } catch (const AdapterGone&) {
        const std::optional<CutWrite>& cut = outcome.restore.cut;
        if (outcome.record && cut && !cut->whole()) outcome.record->cutShort(cut->group);
        throw;
    }
    outcome.stage = SetOutcome::Stage::Written;
}

}  // namespace settings
