#pragma once
// brisel-ctl --json: one JSON document on standard output. The command puts
// in what it finds as it goes, so that after a failure the document still
// tells how far it came; brisel-ctl prints it at the end with the exit
// status and, after a failure, the message. Keys are those of the settings
// file, values are in its units: numbers, true or false, and texts in UTF-8.

#include "settings_file/restore.h"
#include "settings_file/restore_plan.h"
#include "settings_file/settings_file.h"
#include "settings_file/write_record.h"

#include <nlohmann/json.hpp>

#include <ostream>
#include <string>
#include <vector>

struct Options;

class JsonReport {
public:
    using Json = nlohmann::ordered_json;

    // The document of `command` with the keys it always has.
    explicit JsonReport(const Options& options);
    // For a command line that could not be taken.
    explicit JsonReport(const std::string& command);

    // The command's own keys, after those it always has (detect).
    void add(const Json& keys);
    // show: the firmware version (Latin-1) and the settings, table by table.
    void settings(const settings::Snapshot& snapshot, const std::string& firmware);
    // get, and set once written: each key's value as the adapter holds it.
    void values(const std::vector<std::string>& keys, const settings::Snapshot& snapshot);
    // diff and restore --dry-run: each key with the adapter's and the file's value.
    void changes(const std::vector<settings::FieldChange>& changes);
    // restore and set: the groups written with their changes, the group
    // under way at a loss and how far its writes came, and the values the
    // adapter did not take.
    void restore(const settings::Restore& restore);
    // restore: the automatic backup's path.
    void backup(const std::string& path, const std::string& restoreCommand);

    // The message of a failure the command tells itself, without throwing.
    void failed(const std::string& message);
    // A record of a write that was cut short, found at `path`, with the words
    // standard error shows for it.
    void record(const settings::WriteRecord& record, const std::string& path, const std::string& message,
                const std::string& restoreCommand);
    // A record at `path` that cannot be read, with the words that tell it.
    void unreadableRecord(const std::string& path, const std::string& message);
    // restore: what --skip-missing left out, each a group's name or a key.
    void leftOut(const std::vector<settings::Lacking>& lacking);
    // restore: bits 7 and 4 of the flag byte stay as the adapter holds them.
    void fixedFlagBits();
    // A signal ended the command before its writes: `interrupted_by`.
    void interrupted(int signal);

    // One line with the exit status and, when `failure` is not empty, the message.
    void print(int status, const std::string& failure, std::ostream& out);

private:
    Json document_;
    std::string failure_;
};

// The state of the adapter that exit status `status` tells, as the
// document's "status" names it: opened, not_found, in_use, no_permission;
// nullptr for any other status.
const char* adapterState(int status);

// One line, with a blank after each ':' and ','; a byte that is not UTF-8
// becomes U+FFFD rather than failing the output.
std::string oneLine(const JsonReport::Json& value);
