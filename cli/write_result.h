#pragma once
// What restore and set wrote to the adapter, in brisel-ctl's words: the
// groups written, the values not taken, a loss or a stop on the way, and a
// record of the write that could not be kept.

#include "cli/ctl.h"
#include "cli/exit_status.h"
#include "settings/snapshot.h"
#include "settings_file/restore.h"
#include "settings_file/settings_store.h"

#include <string>

class Session;

struct WriteOutcome {
    int status = 0;  // every value taken, some not taken (named), or a request failed
    // What the adapter holds afterwards: the read-backs over `held`.
    settings::Snapshot after;
};

// The note that bits 7 and 4 of the flag byte stay as the adapter holds them.
void tellFixedFlagBits(CtlIo& io);

// The adapter was lost during `restore`: a CtlError naming the groups
// written completely and, for one cut in the middle of its writes, the
// values that reached the adapter, the one that may have and those never
// sent, and that its record stays; then the values of groups never begun.
[[noreturn]] void tellLoss(const settings::Restore& restore, CtlIo& io);

// Tells what `restore` did: with `report`, each group written is listed there
// with its changes; what the adapter did not take goes to io.err. When a
// signal stopped it once the group under way was finished, throws
// Interrupted naming the groups written and those not, and how to put back
// what they held (`putBack`, the command that restores the automatic
// backup, when there is one).
WriteOutcome tellWritten(const settings::Restore& restore, CtlIo& io, std::ostream* report,
                         const std::string& putBack = {});

// The record of a restore's or a set's write could not be written, so
// nothing was: the CtlError (73) that says so.
CtlError recordFailed(const settings::StoreError& error);

// The command was stopped by a signal once the group under way was
// finished; the program ends by that signal after telling what().
class Interrupted : public CtlError {
public:
    Interrupted(int signal, const std::string& what) : CtlError(128 + signal, what), signal(signal) {}
    int signal;
};
