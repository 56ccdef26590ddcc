#include "settings_file/save_job.h"

#include "device/adapter_connection.h"
#include "device/vendor_link.h"
#include "settings/groups.h"
#include "settings_file/settings_file.h"

namespace settings {
namespace {

// The group as its dialog's Cancel reads it.
Snapshot readAsCancelDoes(VendorLink& link, Group group)
{
    Snapshot read;
    switch (group) {
    case Group::Basic: read.basic = readBasic(link).values; break;
    case Group::Repeater: read.repeater = readRepeater(link); break;
    case Group::SlowData: read.slowData = readSlowData(link, ZeroForm::Read); break;
    case Group::Beacon: read.beacon = readBeacon(link, ZeroForm::Write); break;
    case Group::SerialPort: read.serialPort = readSerialPort(link).values; break;
    }
    return read;
}

// Whether the adapter found again is the one the dialog read: the same
// features, and each value it holds either read before or sent since.
bool knownAgain(VendorLink& link, Group group, const GroupSaveSteps& steps)
{
    const Features now = probeFeatures(link);
    if (steps.features && now != *steps.features) return false;
    const Snapshot read = readAsCancelDoes(link, group);
    for (const std::string& key : allKeys()) {
        if (groupOfKey(key) != group) continue;
        const auto holds = valueText(read, key);
        if (!holds || holds == valueText(steps.held, key) || holds == valueText(steps.cutSent, key)) continue;
        return false;
    }
    return true;
}

}  // namespace

void saveDialogGroup(VendorLink& link, const Pause& pause, Group group, const Snapshot& values,
                     const GroupSaveSteps& steps, GroupSaveOutcome& outcome)
{
    outcome.sent = values;
    if (steps.foundAgain && !knownAgain(link, group, steps)) {
        outcome.otherSettings = true;
        return;
    }
    std::shared_ptr<RecordKeeper> record;
    if (!steps.record.path.empty())
        record = startRecord(steps.record, onlyGroup(steps.held, group), steps.features.value_or(Features{}),
                             outcome.recordError);
    try {
        outcome.save = saveGroupWatched(link, pause, group, values, outcome.readBack, outcome.cut);
    } catch (const AdapterGone&) {
        if (record && outcome.cut && outcome.cut->whole()) record->groupDone(group);
        else if (record) record->cutShort(group);
        throw;
    }
    if (record) record->groupDone(group);
    outcome.notTaken =
        judgeSave(group, values, outcome.save, outcome.readBack, steps.features ? &*steps.features : nullptr);
    if (steps.tell) steps.tell(outcome);
}

}  // namespace settings
