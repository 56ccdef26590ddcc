#pragma once
// Settings files on disk: read and checked as a whole, written atomically.

#include "settings/settings_file.h"

#include <string>

// Reads and checks `path`. Throws CtlError: the file missing or unreadable,
// or every problem as "FILE:LINE: what is wrong".
settings::FileContents readCheckedFile(const std::string& path);

// Writes `text` to `path` ("-": standard output) so that the file is either
// whole or not there: a partial file never replaces anything. Without
// `replace`, an existing file is left alone. Throws CtlError when it
// cannot be written.
void writeWholeFile(const std::string& path, const std::string& text, bool replace, std::ostream& out);

// The folder for automatic backups: $XDG_STATE_HOME/brisel-setting/backups,
// by default ~/.local/state/brisel-setting/backups.
std::string backupFolder();
