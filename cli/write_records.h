#pragma once
// brisel-ctl and the records that writes to the adapter leave
// (settings_file/write_record.h): told when a command opens an adapter that has
// one, forgotten with --forget-record, and kept by restore and set.

#include "cli/ctl.h"
#include "cli/options.h"
#include "settings_file/write_record.h"

#include <string>

// Where records are kept: io.stateFolder, else the state folder. Throws
// CtlError (73) when there is none.
std::string recordFolder(const CtlIo& io);

// Tells the record of `adapter` if there is one, on io.err and in --json;
// with --forget-record removes it after telling it, or ends the command
// (73) when it cannot be removed. A record that cannot be read is told and
// left as it is.
void tellRecord(const Options& options, CtlIo& io, const settings::AdapterIdentity& adapter);

// The adapter as the words name it: "the adapter at USB port 1-1".
std::string adapterWords(const settings::AdapterIdentity& adapter);

// A new line holding the command that puts the copy at `path` back onto
// `adapter`, indented.
std::string putBackText(const settings::AdapterIdentity& adapter, const std::string& path);

// The words for a record found at `path`.
std::string recordText(const settings::WriteRecord& record, const std::string& path);
