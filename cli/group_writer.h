#pragma once
// Writing settings to the adapter for restore and set: only the groups that
// differ, each with its dialog's Save stream, each read back and compared.

#include "cli/ctl.h"
#include "settings/snapshot.h"

class Session;

struct WriteOutcome {
    int status = 0;  // every value taken, some not taken (named), or a request failed
    // What the adapter holds afterwards: the read-backs over `held`.
    settings::Snapshot after;
};

// Says so when `wanted` asks to change bits 7 and 4 of the flag byte.
void tellFixedFlagBits(const settings::Snapshot& held, const settings::Snapshot& wanted, CtlIo& io);

// Writes every group of `wanted` whose values differ from `held` (`wanted`
// may hold only some values of a group; the others stay as held). With
// `report`, each group written is listed there with its changes; what the
// adapter did not take goes to io.err. A lost adapter throws CtlError
// naming the groups already written.
WriteOutcome writeChangedGroups(Session& session, const settings::Snapshot& held, const settings::Snapshot& wanted,
                                CtlIo& io, std::ostream* report);
