#pragma once
// Writing settings to the adapter for restore and set: only the groups that
// differ, each with its dialog's Save stream, each read back and compared.

#include "cli/ctl.h"
#include "cli/exit_status.h"
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
// naming the groups already written. A signal lets the group under way
// finish and throws Interrupted naming the groups written and those not, and
// how to put back what `held` held (from `backup`, the automatic backup's
// path, when there is one).
WriteOutcome writeChangedGroups(Session& session, const settings::Snapshot& held, const settings::Snapshot& wanted,
                                CtlIo& io, std::ostream* report, const std::string& backup = {});

// The command was stopped by a signal once the group under way was
// finished; the program ends by that signal after telling what().
class Interrupted : public CtlError {
public:
    Interrupted(int signal, const std::string& what) : CtlError(128 + signal, what), signal(signal) {}
    int signal;
};
