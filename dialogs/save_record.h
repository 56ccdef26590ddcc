#pragma once
// The record a write to the adapter leaves (settings_file/write_record.h),
// as the desktop program keeps it: for the adapter the context's connection
// holds, under the state folder. A dialog's Save keeps one with SaveRecord.

#include "dialogs/host.h"
#include "settings/snapshot.h"
#include "settings_file/own_copy.h"

#include <QString>

#include <memory>
#include <optional>
#include <string>

namespace settings {
class RecordKeeper;
}

// The adapter in use as its record and automatic backup name it.
settings::AdapterIdentity recordAdapterOf(const Context& context);

// Where the record of the adapter in use is kept. Throws
// settings::StoreError (CannotWrite) when there is no state folder.
std::string recordPathOf(const Context& context);

// The record of one Save of a dialog: written just before the Save's first
// write, the group noted as done once its writes and read-back are through,
// let go when this goes (after the Save has told its result): removed, or
// kept for what an older write cut short left half written. A record
// that cannot be written does not stop the Save: tellIfNotKept says so
// afterwards, and that an older record that cannot be read was left as it is.
class SaveRecord {
public:
    explicit SaveRecord(const Context& context);
    ~SaveRecord();
    SaveRecord(const SaveRecord&) = delete;
    SaveRecord& operator=(const SaveRecord&) = delete;

    // A Save of `group`, which the adapter held as `held` says (what the
    // dialog last read from it).
    void begin(settings::Group group, const settings::Snapshot& held);
    void done();
    // Once the Save's result has been told: a message when no record could
    // be kept.
    void tellIfNotKept();

private:
    const Context& context_;
    std::shared_ptr<settings::RecordKeeper> keeper_;
    std::optional<settings::Group> group_;
    QString failure_;
    bool leftAsItIs_ = false;
};
