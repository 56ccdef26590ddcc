#pragma once
// Writing settings to the adapter for restore and set: only the groups that
// differ, each with its dialog's Save stream, each read back and compared.

#include "cli/ctl.h"
#include "settings/restore.h"
#include "settings/snapshot.h"

class Session;

struct WriteOutcome {
    int status = 0;  // every value taken, some not taken (named), or a request failed
    // What the adapter holds afterwards: the read-backs over `held`.
    settings::Snapshot after;
};

// The note that bits 7 and 4 of the flag byte stay as the adapter holds them.
void tellFixedFlagBits(CtlIo& io);

// The adapter was lost during `restore`: a CtlError naming the groups
// written completely, the one being written and the values never sent.
[[noreturn]] void tellLoss(const settings::Restore& restore, CtlIo& io);

// Tells what `restore` did: with `report`, each group written is listed there
// with its changes; what the adapter did not take goes to io.err.
WriteOutcome tellWritten(const settings::Restore& restore, CtlIo& io, std::ostream* report);

// Writes every group of `wanted` whose values differ from `held` (`wanted`
// may hold only some values of a group; the others stay as held), with the
// flag-bit note first when `fixedFlagBits`, and tells it as tellWritten does
// (without a list of the groups). A lost adapter throws as tellLoss does.
WriteOutcome writeChangedGroups(Session& session, const settings::Snapshot& held, const settings::Snapshot& wanted,
                                bool fixedFlagBits, CtlIo& io);
