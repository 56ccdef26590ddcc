#pragma once
// At start-up, once the main window is shown, and when the Adapter menu has
// changed to another adapter: the record of a write to the adapter in use
// that was cut short (settings_file/write_record.h), told in one message
// whose second button forgets it.

struct Context;

// Tells the record of the adapter the context holds, if there is one.
// The message's "Forget this record" removes it; OK keeps it until a later
// write onto that adapter has run to its end, and has written completely
// again what may be half written.
void tellWriteRecord(const Context& context);
