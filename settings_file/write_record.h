#pragma once
// The record a write to the adapter leaves until its result is told: kept
// under the state folder, one per adapter (its USB port, or its demo file),
// as interrupted-NAME.toml, 0600. It is a settings file that `brisel-ctl restore`
// takes, holding the values the groups to be written held before, with
// comment lines above saying what was begun, when and which groups are
// done, and naming its adapter with a digest (own_copy.h). A write that the program saw to its end removes
// it; one cut short by SIGKILL, a power cut or a crash leaves it behind for
// the next start to tell.
//
// A write begun while an older record is there (the write before was cut
// short) keeps what that record holds: the values from before the older
// write for the groups it lists, its groups that may be half written and
// are not written again now. So the record always puts back what the
// adapter held before the first write that was cut short. Once the later
// write's result has been told, its own groups are settled whatever that
// result was, but a group the older write may have left half written is
// settled only by being written completely, or by a write that finds it
// holding already what a write of it would write, whether that write had
// other groups to change (settle) or none (settleHeldGroups): while one is
// left, the record stays, telling the older write again at the next start.

#include "device/adapter_list.h"
#include "settings_file/own_copy.h"
#include "settings_file/settings_file.h"
#include "settings_file/settings_store.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace settings {

// The job that writes to the adapter. Unknown: a record that names a job
// this program does not know.
enum class RecordJob { Restore, Set, Load, Save, Unknown };

// The job as a record names it: "restore", "set", "load", "save".
const char* recordJobName(RecordJob job);

// What a record says.
struct WriteRecord {
    RecordJob job = RecordJob::Unknown;
    AdapterIdentity adapter;
    std::string begun;          // local time, "2026-12-08 14:02"
    std::vector<Group> groups;  // to be written, in order
    std::vector<Group> done;    // written completely so far
};

// The groups a record lists that are not done: those that may be half written.
std::vector<Group> halfWritten(const WriteRecord& record);

// The adapter's name in its record: its USB port path, "device-BUS-DEVICE"
// when the port is not known, "demo" for the emulated adapter without a
// demo file, and "demo-DIGEST" for the one kept in a demo file.
std::string recordName(const AdapterIdentity& adapter);

// FOLDER/interrupted-NAME.toml, NAME being the first 40 characters of
// recordName(adapter), each but a digit, a lower-case letter, '-' and '.'
// made '_' (a port path "1-1.2" stays as it is).
std::string recordPath(const std::string& folder, const AdapterIdentity& adapter);

// Writes the record whole over any earlier one: `before` (the values the
// groups held) as a settings file of `origin`, below the record's lines.
// Makes the folder (0700) if need be. Throws StoreError (CannotWrite).
void writeRecord(const std::string& path, const WriteRecord& record, const Snapshot& before, const FileOrigin& origin);

// The record at `path`, if there is one that this program wrote; nothing
// when there is no file there. Throws StoreError (Unreadable, the problem
// marked earlierRecord) when something is there that cannot be read: a
// file without permission, or no regular file (a FIFO is never waited on).
std::optional<WriteRecord> readRecord(const std::string& path);

// Removes the record at `path`; a record already gone is no error. Returns
// the errno when it could not be removed, else 0.
int removeRecord(const std::string& path);

// The local time as a record notes it: "2026-12-08 14:02".
std::string recordTime();

// Removes the record at `path` when the adapter, holding `adapter`, holds
// every value the record holds: a restore has put it back, so nothing is
// left to put back. A record that cannot be read stays.
void settleRecord(const std::string& path, const Snapshot& adapter);

// A write that finds nothing to change: the adapter holds `held`, and
// `wanted` is what the write wanted of it. A group the record at `path`
// lists as maybe half written is settled when `wanted` has that group and
// the adapter holds every value `wanted` has of it: a write of the group
// would write those values and the adapter's own for the others, which it
// holds already, so the group is whole. The record goes when no group is
// left half written; else it is rewritten (with `features`) noting the
// settled groups as done. A record that cannot be read or rewritten stays.
void settleHeldGroups(const std::string& path, const Snapshot& held, const Snapshot& wanted, const Features& features);

// The record of one write for as long as it lives: written when made (the
// groups of `before` are those to be written), rewritten as each group is
// done. When it goes, once the write's result has been told, it is removed,
// unless a group an older record left half written was not written
// completely now: then it stays, naming the older write and its time again,
// with every other group noted as done.
class RecordKeeper {
public:
    // Takes in an older record at `path` as the file's head says. Throws
    // StoreError (CannotWrite) when the record cannot be written, or when
    // something is at `path` that cannot be read (it is left as it is then).
    RecordKeeper(std::string path, RecordJob job, const AdapterIdentity& adapter, const Snapshot& before,
                 const Features& features);
    ~RecordKeeper();
    RecordKeeper(const RecordKeeper&) = delete;
    RecordKeeper& operator=(const RecordKeeper&) = delete;

    // Notes `group` as done. A record that cannot be rewritten keeps what
    // it said: the group then shows as not done, which errs on the safe side.
    void groupDone(Group group);
    // The write has left the adapter holding `adapter`: a group the older
    // record left half written is settled, as if written again, when the
    // adapter holds every value of it as the record does, or as this write
    // wanted it (`wanted`), which it then skipped as having nothing to change.
    void settle(const Snapshot& adapter, const Snapshot& wanted);
    // The result cannot be told to anyone (the program ends on a signal):
    // the record stays as it is when it goes, unless every group is done.
    void keepUnlessDone() { keep_ = true; }
    // The adapter was lost in the middle of `group`: when this goes, the
    // record stays, naming this write and `group` as maybe half written
    // (with any group an older record left so), until a later write
    // writes that group completely. This write's groups that were never
    // begun are left out of it then.
    void cutShort(Group group) { cut_ = group; }
    const std::string& path() const { return path_; }
    const WriteRecord& record() const { return record_; }

private:
    std::string path_;
    WriteRecord record_;
    Snapshot before_;
    FileOrigin origin_;
    // The older record's groups, those it left half written, and its job
    // and time.
    std::vector<Group> olderGroups_;
    std::vector<Group> olderHalfWritten_;
    RecordJob olderJob_ = RecordJob::Unknown;
    std::string olderBegun_;
    bool keep_ = false;
    std::optional<Group> cut_;
};

// Where a job keeps its record, and which it is.
struct RecordPlace {
    std::string path;  // empty: no record
    AdapterIdentity adapter;
    RecordJob job = RecordJob::Restore;
};

// The one way a job starts its record, just before its first write, with
// `before`: what the adapter holds of the groups to be written (for a
// restore or a set, heldBeforeWriting). Nothing when it cannot be written:
// `error` then says why (problem.earlierRecord when a record there could
// not be read; it is left as it is). A restore, a set and a File > Load
// then write nothing; a dialog's Save goes on, and says so.
std::shared_ptr<RecordKeeper> startRecord(const RecordPlace& place, const Snapshot& before, const Features& features,
                                          std::optional<StoreError>& error);

}  // namespace settings
