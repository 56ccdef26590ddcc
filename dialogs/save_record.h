#pragma once
// The record a write to the adapter leaves (settings_file/write_record.h),
// as the desktop program keeps it: for the adapter the context's connection
// holds, under the state folder. A dialog's Save keeps one through its job
// (settings_file/save_job.h).

#include "dialogs/host.h"
#include "settings/snapshot.h"
#include "settings_file/own_copy.h"

#include <string>

// The adapter in use as its record and automatic backup name it.
settings::AdapterIdentity recordAdapterOf(const Context& context);

// Where the record of the adapter in use is kept. Throws
// settings::StoreError (CannotWrite) when there is no state folder.
std::string recordPathOf(const Context& context);
