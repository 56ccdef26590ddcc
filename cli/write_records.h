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

// Tells the record of the adapter at `port` if there is one, on io.err and
// in --json; with --forget-record removes it after telling it.
void tellRecord(const Options& options, CtlIo& io, const std::string& port);

// The words for a record found at `path`.
std::string recordText(const settings::WriteRecord& record, const std::string& path);
