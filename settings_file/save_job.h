#pragma once
// A dialog's Save of one group, from the values its controls give to what
// the adapter holds afterwards: each of the desktop program's dialogs runs
// this one job, and only reads its controls, shows the group and puts the
// outcome into words. The steps:
//   1. after a loss, the adapter found again is known again before anything
//      read from the lost one is written to it: start-up's feature probes
//      are sent again and the group is read as its dialog's Cancel reads
//      it. Other features, or a value that differs both from what the
//      dialog read before the loss and from what a Save cut by that loss
//      sent, end the job: nothing is written;
//   2. the record of the write (write_record.h); one that cannot be
//      written does not stop a dialog's Save;
//   3. the group's writes with their pauses, and its read-back, judged.
// A lost adapter ends the job with AdapterGone; outcome.cut then tells how
// far the writes came, and the record stays, naming the group as maybe
// half written until a later write writes it completely.

#include "settings/pause.h"
#include "settings_file/save_result.h"
#include "settings_file/write_record.h"

#include <functional>
#include <optional>

class VendorLink;

namespace settings {

struct GroupSaveOutcome;

struct GroupSaveSteps {
    // Where the record is kept; an empty path: none.
    RecordPlace record;
    // What start-up found the firmware has; nothing: every value is judged.
    std::optional<Features> features;
    // What the dialog last read of the group.
    Snapshot held;
    // The adapter was lost since the dialog read the group, and found again.
    bool foundAgain = false;
    // What a Save of the group cut short by that loss sent.
    Snapshot cutSent;
    // Tells the result, once the group is read back and judged; the record
    // goes only after that.
    std::function<void(const GroupSaveOutcome&)> tell;
};

struct GroupSaveOutcome {
    // Found again: the adapter holds other settings (other features, or
    // values neither read nor sent before the loss); nothing was written.
    bool otherSettings = false;
    Snapshot sent;
    GroupSave save;
    Snapshot readBack;
    std::vector<ValueNotTaken> notTaken;
    std::optional<StoreError> recordError;
    std::optional<CutWrite> cut;
};

// Saves `values` (the group's values the dialog sends, judged by its rules).
// Fills `outcome` as it goes.
void saveDialogGroup(VendorLink& link, const Pause& pause, Group group, const Snapshot& values,
                     const GroupSaveSteps& steps, GroupSaveOutcome& outcome);

}  // namespace settings
