#include "cli/session.h"

#include "cli/adapter_access.h"
#include "cli/adapter_problems.h"
#include "cli/comma_list.h"
#include "cli/exit_status.h"
#include "cli/settings_files.h"
#include "cli/store_problems.h"
#include "cli/write_records.h"
#include "device/device_option.h"
#include "device/firmware_version.h"
#include "device/shown_text.h"
#include "device/usb_transport.h"
#include "emulator/emulator.h"
#include "emulator/lacking.h"
#include "settings/groups.h"
#include "settings_file/put_settings.h"
#include "settings_file/restore.h"
#include "settings_file/restore_plan.h"
#include "settings_file/settings_file.h"
#include "settings_file/settings_store.h"

#include <chrono>
#include <thread>

// Passes each request on and, when tracing, prints it and each pause in the
// demo's line format.
class Session::Trace final : public Transport {
public:
    Trace(Transport& inner, std::ostream* err) : inner_(inner), err_(err) {}

    int controlRequest(std::uint8_t requestType, std::uint8_t request, std::uint16_t value, std::uint16_t index,
                       std::uint8_t* data, int length, int timeoutMs) override
    {
        const int result = inner_.controlRequest(requestType, request, value, index, data, length, timeoutMs);
        if (err_ != nullptr) {
            // Written bytes are still in `data`: the request does not change them.
            emu::LogEntry entry = emu::requestEntry(requestType, request, value, index, data, length, timeoutMs);
            entry.result = result;
            if (entry.isRead() && result > 0) entry.data.assign(data, data + result);
            *err_ << emu::describe(entry) << '\n' << std::flush;
        }
        return result;
    }

    void pause(int ms)
    {
        if (err_ != nullptr) *err_ << emu::describe(emu::pauseEntry(ms)) << '\n' << std::flush;
    }

private:
    Transport& inner_;
    std::ostream* err_;
};

namespace {

// Puts the settings of a file into the emulated adapter before the command
// starts; those requests are not traced.
void loadDemoState(emu::Emulator& adapter, const std::string& path)
{
    VendorLink quiet(adapter);
    settings::putSettings(quiet, readCheckedFile(path).values);
    adapter.clearLog();
}

// Why the adapter cannot be used, as a CtlError.
[[noreturn]] void refuseAccess(const AdapterAccess& access, const Options& options)
{
    switch (access.status) {
    case OpenStatus::InUse: throw CtlError(exit_status::InUse, inUseText(access.holder));
    case OpenStatus::OtherAdapter:
        throw CtlError(exit_status::NoAdapter, "The DV Brisel (Relavox) in use, " + adapterPlace(*access.lost) +
                                                   ", is no longer connected; no other adapter is used in its "
                                                   "place, and nothing was sent. Adapters connected now:" +
                                                   adapterLines(access.seen));
    case OpenStatus::NodeMissing: throw CtlError(exit_status::NoAdapter, goneText(accessProblem(access)));
    case OpenStatus::NoPermission:
        throw CtlError(exit_status::NoPermission,
                       "The DV Brisel (Relavox) at " + access.node +
                           " was found, but it cannot be opened: no permission to use the USB device.\n"
                           "'brisel-ctl detect' tells why and what to do.");
    default:
        throw CtlError(exit_status::NoAdapter,
                       options.device ? notAtDeviceText(*options.device) : std::string(NoAdapterText));
    }
}

// Opens the adapter a copy names; when that is not there and only one
// adapter is, that one (noted in `moved`); else NotFound, with the
// adapters seen.
AdapterOpener ownAdapterOpener(const settings::AdapterIdentity& wanted, const std::function<AdapterWalk()>& walk,
                               const std::shared_ptr<std::optional<AdapterNode>>& moved)
{
    auto chosen = std::make_shared<AdapterOpener>();
    return [wanted, walk, moved, chosen] {
        if (*chosen) return (*chosen)();
        const AdapterWalk found = walk();
        std::optional<AdapterNode> pick;
        for (const AdapterNode& node : found.adapters)
            if (!pick && settings::sameAdapter(settings::identityOf(node), wanted)) pick = node;
        if (!pick && found.adapters.size() == 1) *moved = pick = found.adapters.front();
        if (!pick) {
            AdapterAccess access;
            access.seen = found.adapters;
            return access;
        }
        *chosen = trackingOpener(walk, AdapterChoice::of(*pick));
        return (*chosen)();
    };
}

std::string copyWords(const settings::OwnCopy& copy, const std::string& file)
{
    return fileName(file) +
           (copy.kind == settings::OwnCopy::Kind::Record ? " is the record of a write onto "
                                                         : " is the automatic backup of ") +
           adapterWords(copy.adapter);
}

std::string notConnectedText(const settings::OwnCopy& copy, const std::string& file,
                             const std::vector<AdapterNode>& seen)
{
    return copyWords(copy, file) + ", which is not connected; nothing was written. Adapters connected now:" +
           (seen.empty() ? std::string(" none") : adapterLines(seen)) +
           "\n(--wait waits for it; --device with --other-adapter puts the file onto another adapter.)";
}

std::string otherAdapterText(const settings::OwnCopy& copy, const std::string& file,
                             const settings::AdapterIdentity& used)
{
    return copyWords(copy, file) + ", not of " + adapterWords(used) +
           "; nothing was written. This puts it back onto its own adapter:" + putBackText(copy.adapter, file) +
           "\n(--other-adapter writes it onto this one.)";
}

}  // namespace

Session::Session(const Options& options, CtlIo& io, const std::optional<settings::OwnCopy>& ownCopy,
                 const std::string& file)
{
    AdapterOpener opener;
    // Set when the copy's own adapter is not there and the only one there takes it.
    auto moved = std::make_shared<std::optional<AdapterNode>>();
    const bool routed = ownCopy && !ownCopy->adapter.emulated && !options.demo && !options.device;
    if (options.demo) {
        emu::Emulator* adapter = io.demoAdapter;
        if (adapter == nullptr) {
            ownDemo_ = std::make_unique<emu::Emulator>();
            adapter = ownDemo_.get();
        }
        if (options.demoState) loadDemoState(*adapter, *options.demoState);
        emu::leaveOut(*adapter, options.demoLacking);
        if (options.demoNotTaking) adapter->keepValues(true);
        opener = [adapter] { return emu::openEmulated(*adapter); };
    } else if (routed) {
        opener =
            ownAdapterOpener(ownCopy->adapter, io.busWalk ? io.busWalk : std::function<AdapterWalk()>(usbWalk), moved);
    } else {
        opener = usbOpener(options, io.busWalk);
    }

    settings::Pause take = io.pause;
    if (!take) take = [](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); };
    pause_ = [this, take](int ms) {
        trace_->pause(ms);
        take(ms);
    };
    AdapterWait wait(options);
    for (;;) {
        AdapterAccess access = wait.open(opener, io.err, io.stop);
        if (routed && access.status == OpenStatus::NotFound)
            throw CtlError(exit_status::NoAdapter, notConnectedText(*ownCopy, file, access.seen));
        if (access.status != OpenStatus::Opened || access.transport == nullptr) refuseAccess(access, options);
        adapter_ = settings::identityOf(access.adapter, io.demoFile);
        if (ownCopy && !routed && !options.otherAdapter && !settings::sameAdapter(adapter_, ownCopy->adapter))
            throw CtlError(exit_status::NoAdapter, otherAdapterText(*ownCopy, file, adapter_));
        if (*moved)
            io.err << shown::linesFromUtf8(copyWords(*ownCopy, file) +
                                           ", which is not connected; it goes to the only adapter connected, " +
                                           adapterWords(adapter_) + ".")
                   << '\n';
        // A write cut short on this adapter is told before anything is sent.
        tellRecord(options, io, adapter_);
        // After a loss nothing is looked for again during the command: it ends.
        connection_ = std::make_unique<AdapterConnection>(std::move(access.transport), [] { return AdapterAccess{}; });
        trace_ = std::make_unique<Trace>(*connection_, options.trace ? &io.err : nullptr);
        link_ = std::make_unique<VendorLink>(*trace_);
        try {
            startUp_ = settings::startUp(*link_);
            return;
        } catch (const AdapterGone&) {
            // Lost before the command has sent anything but the start-up
            // reads: with --wait it waits for that same adapter again.
            if (!wait.waiting()) adapterLost();
            link_.reset();
            trace_.reset();
            connection_.reset();  // closes the lost adapter's handle
            io.err << "The DV Brisel (Relavox) was lost while starting; waiting for it again...\n" << std::flush;
        }
    }
}

Session::~Session() = default;

std::string Session::firmwareVersion()
{
    return firmware::readVersion(*link_);
}

std::vector<settings::Group> Session::groupsPresent() const
{
    return settings::groupsPresent(startUp_.features);
}

settings::Snapshot Session::read(const std::vector<settings::Group>& groups)
{
    settings::Snapshot snapshot;
    try {
        snapshot = settings::readGroups(*link_, startUp_, groups);
    } catch (const AdapterGone&) {
        adapterLost();
    }
    const std::vector<std::string> missing = settings::notReadKeys(snapshot, startUp_.features);
    if (!missing.empty()) notAnswered(missing);
    return snapshot;
}

void notAnswered(const std::vector<std::string>& keys)
{
    std::string text = "The adapter did not answer for:";
    for (const std::string& key : keys) text += "\n  " + key;
    throw CtlError(exit_status::AdapterFailed, text);
}

void adapterLost(const std::string& howFar)
{
    throw CtlError(exit_status::AdapterFailed,
                   "The DV Brisel (Relavox) is no longer connected; nothing more was sent." + howFar);
}

namespace {

// "the beacon group, basic.squelch_level"
std::string lackingList(const std::vector<settings::Lacking>& lacking)
{
    std::vector<std::string> names;
    names.reserve(lacking.size());
    for (const settings::Lacking& lack : lacking)
        names.push_back(lack.group ? std::string("the ") + settings::groupName(*lack.group) + " group" : lack.key);
    return commaList(names);
}

}  // namespace

bool leaveOutLacking(const Options& options, const std::vector<settings::Lacking>& lacking, std::ostream& err)
{
    if (options.skipMissing) err << "Left out, as the adapter's firmware lacks them: " << lackingList(lacking) << ".\n";
    return options.skipMissing;
}

CtlError noGroup(settings::Group group)
{
    return CtlError(exit_status::NotTaken,
                    std::string("The adapter's firmware has no ") + settings::groupName(group) + " group.");
}

void refuseLacking(const std::vector<settings::Lacking>& lacking)
{
    throw CtlError(exit_status::NotTaken, "The adapter's firmware lacks " + lackingList(lacking) +
                                              "; nothing was written (--skip-missing leaves them out).");
}

void refuseWhatTheFirmwareLacks(const Options& options, const Session& session, settings::Snapshot& wanted,
                                std::ostream& err)
{
    const std::vector<settings::Lacking> lacking = settings::takeOutWhatTheFirmwareLacks(wanted, session.features());
    if (!lacking.empty() && !leaveOutLacking(options, lacking, err)) refuseLacking(lacking);
}
