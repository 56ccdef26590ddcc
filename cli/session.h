#pragma once
// One command's use of the adapter: found (waiting for it if asked), locked
// against other programs, started up as the desktop program starts, and
// traced when asked.

#include "cli/ctl.h"
#include "cli/options.h"
#include "device/adapter_connection.h"
#include "device/vendor_link.h"
#include "settings/snapshot.h"
#include "settings_file/own_copy.h"
#include "settings_file/restore_plan.h"

#include <memory>
#include <string>
#include <vector>

namespace emu {
class Emulator;
}

class Session {
public:
    // Opens the adapter and runs the start-up requests. Throws CtlError when
    // there is no adapter, no permission, or another program holds it.
    // A record or automatic backup (`ownCopy`, of the file at `file`) goes
    // to its own adapter: without --device to the one at its port, or to
    // the only adapter there; else nothing is opened (69). An adapter other
    // than its own is refused (69) unless --other-adapter asks for it.
    Session(const Options& options, CtlIo& io, const std::optional<settings::OwnCopy>& ownCopy = std::nullopt,
            const std::string& file = {});
    ~Session();

    VendorLink& link() { return *link_; }
    const settings::Pause& pause() const { return pause_; }
    const settings::StartUp& startUp() const { return startUp_; }
    const settings::Features& features() const { return startUp_.features; }
    std::string firmwareVersion();

    // Reads the groups, each as its dialog reads it. Throws CtlError (adapter
    // failed) naming every value that could not be read.
    settings::Snapshot read(const std::vector<settings::Group>& groups);
    // Every group the firmware has.
    std::vector<settings::Group> groupsPresent() const;
    // The adapter in use, as its record and automatic backup name it
    // (cli/write_records.h).
    const settings::AdapterIdentity& adapter() const { return adapter_; }

private:
    class Trace;

    std::unique_ptr<emu::Emulator> ownDemo_;
    std::unique_ptr<AdapterConnection> connection_;
    std::unique_ptr<Trace> trace_;
    std::unique_ptr<VendorLink> link_;
    settings::Pause pause_;
    settings::StartUp startUp_;
    settings::AdapterIdentity adapter_;
};

// The adapter was lost during the command, as a CtlError; `howFar` tells,
// on lines of its own, how far the command's writes had come.
[[noreturn]] void adapterLost(const std::string& howFar = {});

// The adapter did not answer for the values of `keys`, as a CtlError
// (adapter failed) naming each.
[[noreturn]] void notAnswered(const std::vector<std::string>& keys);

// The firmware lacks what is to be written (`lacking` names it): with
// --skip-missing a note on `err` and true (they are left out), else false.
bool leaveOutLacking(const Options& options, const std::vector<settings::Lacking>& lacking, std::ostream& err);
// The firmware lacks `group`, named by a command: the CtlError (not taken).
CtlError noGroup(settings::Group group);
// The error that refuses to write anything, as the firmware lacks `lacking`.
[[noreturn]] void refuseLacking(const std::vector<settings::Lacking>& lacking);

// What the firmware lacks among `wanted`'s values: a group, or the S/N
// squelch or jitter buffer setting. An error naming them (the adapter lacks
// what is to be written), or with --skip-missing a note on `err`, and they
// are left out of `wanted`.
void refuseWhatTheFirmwareLacks(const Options& options, const Session& session, settings::Snapshot& wanted,
                                std::ostream& err);
