#pragma once
// The adapter as the program holds it while it runs. A request that fails
// because the device is gone (pulled out, a failing cable) ends the user's
// action at once: the connection throws AdapterGone and sends nothing more.
// The handle of a lost adapter is closed. The next action walks the bus again
// and, if the same adapter is there (see trackingOpener), goes on with the new
// handle. There is no polling and no retry loop: only a user's action looks
// for the adapter again.

#include "device/adapter_list.h"
#include "device/bus_walk.h"
#include "device/transport.h"

#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

struct AdapterAccess {
    OpenStatus status = OpenStatus::NotFound;
    std::unique_ptr<Transport> transport;  // set when status is Opened
    std::string node;                      // the adapter's device node, once one was found
    std::string holder;                    // when status is InUse: who holds it, if that is known
    // When status is OtherAdapter: the adapter that was lost, and those there now.
    std::optional<AdapterNode> lost;
    std::vector<AdapterNode> seen;
    // When status is Opened through a walk (see trackingOpener): which adapter.
    std::optional<AdapterNode> adapter;
};

// Walks the bus for the adapter and opens it.
using AdapterOpener = std::function<AdapterAccess()>;

// One walk of the bus: the adapters on it, and how to open one of them.
struct AdapterWalk {
    std::vector<AdapterNode> adapters;
    std::function<AdapterAccess(const AdapterNode&)> open;
    // Whether another program holds an adapter, asked without waiting and
    // without sending anything: who holds it (as adapter_lock.h names the
    // holder, or empty), or nothing when it is free. Not set: never held.
    std::function<std::optional<std::string>(const AdapterNode&)> holder{};
    // The most adapters one walk of rememberingWalk's found so far, this
    // one counted; 0 for a walk that does not remember.
    std::size_t mostSeen = 0;
};

// `walk`, remembering across every call of the function it gives (and of
// its copies) the most adapters one walk found: the Adapter menu's walks,
// those of a wait and those after a loss all count.
std::function<AdapterWalk()> rememberingWalk(std::function<AdapterWalk()> walk);

// The opener that walks with `walk` and takes the adapter that pickAdapter
// allows: at first the one `choice` names (or the first in bus order), and
// after a loss only that same adapter again. It remembers the adapter it
// opened and the most adapters one of its walks found (or, for a
// rememberingWalk, one of any walk of it).
AdapterOpener trackingOpener(std::function<AdapterWalk()> walk, std::optional<AdapterChoice> choice = std::nullopt);
// The same opener for an adapter the user chose (in the Adapter menu) and
// opened from one of `walk`'s walks, which found `seen` adapters: after a
// loss it takes only the adapter at that port again.
AdapterOpener trackingOpenerFrom(std::function<AdapterWalk()> walk, const AdapterNode& opened, std::size_t seen);

// The adapter cannot be reached; what() is the text to show the user.
class AdapterGone : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// libusb 0.1's result for a request to a device that is no longer there.
inline constexpr int DeviceGoneResult = -19;  // -ENODEV

class AdapterConnection final : public Transport {
public:
    AdapterConnection(std::unique_ptr<Transport> opened, AdapterOpener reopen)
        : current_(std::move(opened)), reopen_(std::move(reopen))
    {}

    // Called when a user's action starts. After a loss it walks the bus
    // again; when the adapter is not there (or may not be used, or another
    // program holds it) it throws AdapterGone with the same text start-up
    // shows, and when only other adapters are there, with one that names
    // them. Nothing is sent then.
    void reconnectIfLost();

    // Passes the request on. A request while the adapter is lost first looks
    // for it again; a request that finds the device gone marks it lost and
    // throws AdapterGone.
    int controlRequest(std::uint8_t requestType, std::uint8_t request, std::uint16_t value, std::uint16_t index,
                       std::uint8_t* data, int length, int timeoutMs) override;

    // The adapter opened last, when its opener walked the bus; it may have
    // been lost since (see lost()).
    const std::optional<AdapterNode>& adapter() const { return adapter_; }
    bool lost() const { return current_ == nullptr; }

    // What the connection holds: the adapter's transport (null while it is
    // lost), the opener that finds it again, and which adapter it is.
    struct Held {
        std::unique_ptr<Transport> transport;
        AdapterOpener reopen;
        std::optional<AdapterNode> adapter;
    };
    // Puts `next` in place of what the connection holds and hands that back,
    // so that the caller decides when the adapter held before is released
    // (dropping its transport closes and unlocks it).
    Held exchange(Held next);

private:
    std::unique_ptr<Transport> current_;
    AdapterOpener reopen_;
    std::optional<AdapterNode> adapter_;
};

inline constexpr const char* NotFoundText = "Does not find the DV Brisel (Relavox)";
inline constexpr const char* NoPermissionText =
    "The DV Brisel (Relavox) was found, but it cannot be opened: "
    "no permission to use the USB device.\n\n"
    "See \"Access to the adapter\" in the README.";
inline constexpr const char* NodeMissingText =
    "The DV Brisel (Relavox) is on the USB bus, but its device node is missing: "
    "it was unplugged just now, or this system has no /dev/bus/usb.\n\n"
    "Plug the adapter in again; in a container, give it the adapter's device node.";
inline constexpr const char* LostText =
    "The DV Brisel (Relavox) is no longer connected.\n\n"
    "Nothing more was sent to it, and the dialog still shows what you entered. "
    "Plug the adapter in again: the program finds it the next time you choose "
    "a menu item.";

// Why an access did not open the adapter, as the user reads it: the text
// for an adapter not found, held by another program, without its device
// node or not to be used, and,
// for an OtherAdapter access, otherAdapterText.
std::string refusalText(const AdapterAccess& access);

// The text for a lost adapter that is not back while other adapters are:
// where it was, and where those are.
std::string otherAdapterText(const AdapterNode& lost, const std::vector<AdapterNode>& seen);
// Where an adapter is: "at USB port 1-1.2 (device 1:7)".
std::string adapterPlace(const AdapterNode& node);
// The adapters of `seen`, one line each ("\n  at USB port ..."), after
// the text that lists them.
std::string adapterLines(const std::vector<AdapterNode>& seen);

// The text for an adapter that another program holds. `holder` names that
// program as adapter_lock.h describes it, or is empty.
std::string inUseText(const std::string& holder);
