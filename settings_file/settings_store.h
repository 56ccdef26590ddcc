#pragma once
// Settings files on disk: read and checked as a whole, written atomically,
// and the automatic backups taken before settings are put on an adapter.

#include "settings_file/file_writer.h"
#include "settings_file/settings_file.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace settings {

// What went wrong with a settings file or the program's state folder: the
// facts each program puts into words.
struct StoreProblem {
    enum class Kind {
        CannotRead,      // `path` could not be read: `error` (an errno)
        NotRegularFile,  // `path` is not a regular file
        TooLarge,        // `path` holds `size` bytes (nothing: more than `largest`)
        Invalid,         // `path` is not a settings file: its `problems`
        CannotWrite,     // `write` tells what was not written and why
        StateNotUtf8,    // the state folder `path` has a name that is not UTF-8; `variable` names another
        NoHome,          // no state folder: HOME is not set
        HomeNotAbsolute  // no state folder: HOME (`path`) is not an absolute path
    };
    Kind kind = Kind::CannotRead;
    std::string path{};  // "-" is standard input
    int error = 0;
    std::optional<std::uint64_t> size{};
    std::uint64_t largest = 0;
    std::vector<FileProblem> problems{};
    WriteProblem write{};
    std::string variable{};
    // The file is the record of an earlier write, which could not be read.
    bool earlierRecord = false;
};

class StoreError : public std::runtime_error {
public:
    // Taken: the file to be written exists and was not to be replaced.
    enum class Kind { Unreadable, Invalid, CannotWrite, Taken };
    StoreError(Kind kind, StoreProblem problem)
        : std::runtime_error("a settings file could not be used"), kind_(kind), problem_(std::move(problem))
    {}
    Kind kind() const { return kind_; }
    const StoreProblem& problem() const { return problem_; }

private:
    Kind kind_;
    StoreProblem problem_;
};

// The StoreError for a file not written: Taken when it exists and was not
// to be replaced, else CannotWrite.
StoreError cannotWrite(const WriteError& error);

// Reads and checks the file at `path` ("-": standard input, read to its
// end). Throws StoreError: Unreadable (CannotRead), or Invalid with every
// problem of the file (or the size of a file too large to be a settings file).
// With `regularOnly`, a path that is not a regular file (a FIFO, a device)
// is Unreadable (NotRegularFile), and nothing waits on it.
FileContents loadSettingsFile(const std::string& path, bool regularOnly = false);
// The bytes of the file at `path`, as loadSettingsFile reads them, unchecked.
std::string readSettingsText(const std::string& path, bool regularOnly);

// Writes `text` to `path` so that the file is either whole or not there: a
// partial file never replaces anything (see writeWholeFile). Without
// `replace`, an existing file is left alone. Throws StoreError (Taken or
// CannotWrite).
void saveSettingsFile(const std::string& path, const std::string& text, bool replace);

// $XDG_STATE_HOME/brisel-setting, by default ~/.local/state/brisel-setting:
// where the programs keep what they write by themselves. Throws StoreError
// (CannotWrite) when neither variable names a folder.
std::string stateFolder();

// stateFolder()/backups.
std::string automaticBackupFolder();

// The local date and time in strftime's `format`.
std::string localTimeText(const char* format);

// The local date and time as backups are named: 2026-12-07_153000.
std::string backupTimeStamp();

// Saves `text` in `folder` (made 0700 if need be) under the name
// `stamp`.toml, or stamp_2.toml and so on when that is taken: no two
// backups share a name. Returns the path. Throws StoreError (CannotWrite).
std::string saveAutomaticBackup(const std::string& folder, const std::string& stamp, const std::string& text);

// One automatic backup: its path and when it was made, as its name says.
struct AutomaticBackup {
    std::string path;
    std::string date;  // 2026-12-07
    std::string time;  // 15:30:00
    int number = 1;    // 2 for the second backup of that second (stamp_2.toml), and so on
};

// The automatic backups in `folder`, newest first: the files named as
// saveAutomaticBackup names them, ordered by that name's time and number.
// Other files are not backups and are left out; a folder that is not there
// holds none.
std::vector<AutomaticBackup> automaticBackups(const std::string& folder);

}  // namespace settings
