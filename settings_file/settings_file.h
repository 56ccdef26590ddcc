#pragma once
// The settings file: every group of an adapter as text a person can read,
// edit and keep in version control (TOML). Values are in the units the
// dialogs show; a value the adapter cannot hold exactly is refused, not
// rounded. The command line's backup, restore, diff, get and set all go
// through here.

#include "settings/snapshot.h"
#include "settings_file/file_problem.h"
#include "settings_file/own_copy.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace settings {

inline constexpr int FileFormatVersion = 1;

// Where the settings came from, written as comments at the top of the file.
struct FileOrigin {
    std::string programVersion;
    std::string firmwareVersion;
    Features features;
};

// The text of a settings file holding every group of `snapshot` that is
// there. Two snapshots with the same values give the same bytes.
std::string writeSettingsFile(const Snapshot& snapshot, const FileOrigin& origin);

struct FileContents {
    // The values the file gives; a key left out is not there.
    Snapshot values;
    // Every problem in the file; when there is one, nothing may be written.
    std::vector<FileProblem> problems;
    // The line of each key given ("group.key").
    std::map<std::string, int> lines;
    // Set when the file is the program's own record or automatic backup,
    // its digest matching: which of the two, and the adapter it names. An
    // edited or copied file has none.
    std::optional<OwnCopy> ownCopy;
};

FileContents readSettingsFile(std::string_view text);

// A value as a dialog shows it, for a front end to put into words in its
// own language: what kind of value it is and the value itself.
struct TypedValue {
    enum class Kind {
        NotRead,   // the adapter's value was not read
        Switch,    // `number` 0 (off) or 1 (on)
        Number,    // `number` in the dialog's unit
        Byte,      // `number` from 0 to 0xFF, shown as two hex digits
        Text,      // `text`, in UTF-8
        CallSign,  // `text`, in UTF-8, padded with blanks as the adapter holds it
        Mode,      // `number` is the mode's code (settings::ModeCodes)
    };
    Kind kind = Kind::NotRead;
    std::int64_t number = 0;
    std::string text;
};

// The value of `key` in `snapshot`; NotRead when it is not there.
TypedValue typedValue(const Snapshot& snapshot, std::string_view key);

// One field whose value differs, with both values as the file writes them.
struct FieldChange {
    std::string key;                // e.g. "basic.delay_time_ms"
    std::string from;               // the value in `held`, or "(not read)"
    std::string to;                 // the value in `wanted`
    TypedValue shownFrom, shownTo;  // the same for the dialogs
};

// Field by field, each field that `wanted` has and whose value differs from
// `held`, compared as the adapter stores them (a call sign padded with
// blanks, a message filled to its block): what a write of `wanted` would
// change.
std::vector<FieldChange> differences(const Snapshot& held, const Snapshot& wanted);

// `wanted`'s values over `held`'s; the groups only `held` has stay as they are.
Snapshot merged(const Snapshot& held, const Snapshot& wanted);

// The text keys of `wanted` that would change `held` and hold a control
// character, each with the first such character: a text the user gives
// holds none.
std::vector<std::pair<std::string, unsigned char>> controlCharacterProblems(const Snapshot& held,
                                                                            const Snapshot& wanted);

// Every key, in file order ("group.key").
std::vector<std::string> allKeys();
std::optional<Group> groupOfKey(std::string_view key);
// The value of `key` as the file writes it; nothing when it is not there.
std::optional<std::string> valueText(const Snapshot& snapshot, std::string_view key);
// Sets `key` in `into` from `value` as given on a command line (a TOML
// value; a text may also be given without quotes). Returns the problem, or
// nothing when the value was taken.
std::optional<FileProblem> setFromText(Snapshot& into, std::string_view key, std::string_view value);

}  // namespace settings
