#pragma once
// Settings files for the command line: the store's errors as exit statuses.

#include "cli/exit_status.h"
#include "cli/options.h"
#include "settings_file/set_job.h"
#include "settings_file/settings_file.h"
#include "settings_file/settings_store.h"

#include <ostream>
#include <string>

// The FILE argument of a command: a usage error when it is empty.
const std::string& fileArgument(const Options& options);

// Reads and checks `path`; throws CtlError (file missing or unreadable, or
// every problem as "FILE:LINE: what is wrong").
settings::FileContents readCheckedFile(const std::string& path);

// The KEY=VALUE arguments of set or of --set (`word` names them), each
// checked on its own as set checks them; throws CtlError naming every
// problem.
std::vector<settings::Assignment> checkedAssignments(const std::vector<std::string>& arguments,
                                                     const std::string& word);

// The --set values over the file's, checked as set checks them; throws
// CtlError. A value given so has no line in the file.
void putAssignments(const std::vector<std::string>& arguments, settings::FileContents& contents);

// Writes `text` to `path` ("-": standard output), whole or not at all;
// without `replace` an existing file is left alone, and a file that is not a
// regular file always. Throws CtlError.
void writeOutputFile(const std::string& path, const std::string& text, bool replace, std::ostream& out);

// A settings file that could not be written to its path, as the CtlError
// that tells it.
CtlError storeFailure(const settings::StoreError& error);
