#include "settings_file/write_step.h"

#include "device/adapter_connection.h"

#include <memory>

namespace settings {

WriteEnd writeStep(VendorLink& link, const Pause& pause, const Features& features, const WriteStep& step,
                   WriteValues& values)
{
    values.plan = planRestore(values.held, values.wanted, step.lines, step.exact);
    if (!values.plan.problems.empty()) return WriteEnd::Problems;
    if (values.plan.changes.empty()) {
        // Nothing is written, but a group an older write left half written
        // may hold already what a write of it would write.
        if (!step.record.path.empty()) settleHeldGroups(step.record.path, values.held, values.wanted, features);
        return WriteEnd::NothingToChange;
    }
    if (step.goAhead && !step.goAhead()) return WriteEnd::Stopped;

    std::shared_ptr<RecordKeeper> record;
    if (!step.record.path.empty()) {
        record = startRecord(step.record, heldBeforeWriting(values.held, values.wanted), features, values.recordError);
        if (!record) return WriteEnd::RecordFailed;
    }
    if (step.writing) step.writing();
    try {
        restoreSettings(
            link, pause, features, values.held, values.wanted, values.restore, step.stop,
            [&](Group group) {
                if (record) record->groupDone(group);
            },
            step.exact);
    } catch (const AdapterGone&) {
        // A group cut in its middle may be half written: its record stays
        // until a later write writes that group completely.
        const std::optional<CutWrite>& cut = values.restore.cut;
        if (record && cut && !cut->whole()) record->cutShort(cut->group);
        throw;
    }
    if (record) {
        record->settle(values.restore.after, values.wanted);
        if (step.keepIfStopped && values.restore.interruptedBy != 0) record->keepUnlessDone();
    }
    if (step.told) step.told();
    return WriteEnd::Written;
}

}  // namespace settings
