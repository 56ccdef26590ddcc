#pragma once
// The adapter as the program holds it while it runs. A request that fails
// because the device is gone (pulled out, a failing cable) ends the user's
// action at once: the connection throws AdapterGone and sends nothing more.
// The handle of a lost adapter is closed. The next action walks the bus again
// and, if the same adapter is there (see trackingOpener), goes on with the new
// handle. There is no polling and no retry loop: only a user's action looks
// for the adapter again.

#include "device/adapter_list.h"
#include "device/adapter_lock.h"
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
    AdapterHolder holder;                  // when status is InUse: who holds it, if that is known
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
    // without sending anything: who holds it (as far as that is known), or
    // nothing when it is free. Not set: never held.
    std::function<std::optional<AdapterHolder>(const AdapterNode&)> holder{};
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

// Why the adapter cannot be used: the facts each program puts into words.
struct AdapterProblem {
    enum class Kind {
        NotFound,      // no adapter on the bus
        NotAtDevice,   // none where --device says (`device`, as given)
        NoPermission,  // found (at `node`, when known), but it may not be opened
        NodeMissing,   // on the bus, but its device node (`node`) is not there
        InUse,         // another program holds it (`holder`)
        Lost,          // it went away during an action
        OtherAdapter,  // it went away and is not back, while others (`seen`) are there
    };
    Kind kind = Kind::NotFound;
    std::string device{};
    std::string node{};
    AdapterHolder holder{};
    std::optional<AdapterNode> lost{};  // OtherAdapter: the adapter that was lost
    std::vector<AdapterNode> seen{};
    bool operator==(const AdapterProblem&) const = default;
};

// Why `access` did not open the adapter.
AdapterProblem accessProblem(const AdapterAccess& access);

// The adapter cannot be reached; problem() tells why.
class AdapterGone : public std::runtime_error {
public:
    explicit AdapterGone(AdapterProblem problem)
        : std::runtime_error("the DV Brisel (Relavox) cannot be reached"), problem_(std::move(problem))
    {}
    const AdapterProblem& problem() const { return problem_; }

private:
    AdapterProblem problem_;
};

// libusb 0.1's result for a request to a device that is no longer there.
inline constexpr int DeviceGoneResult = -19;  // -ENODEV

class AdapterConnection final : public Transport {
public:
    AdapterConnection(std::unique_ptr<Transport> opened, AdapterOpener reopen)
        : current_(std::move(opened)), reopen_(std::move(reopen)), opened_(current_ != nullptr)
    {}

    // Called when a user's action starts. After a loss it walks the bus
    // again; when the adapter is not there (or may not be used, or another
    // program holds it, or only other adapters are there) it throws
    // AdapterGone with accessProblem's facts. Nothing is sent then.
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
    // How often the adapter was found again after a loss.
    unsigned timesFoundAgain() const { return foundAgain_; }

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
    bool opened_ = false;  // an adapter was held once
    unsigned foundAgain_ = 0;
};
