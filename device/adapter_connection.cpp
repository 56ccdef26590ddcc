#include "device/adapter_connection.h"

#include <algorithm>

void AdapterConnection::reconnectIfLost()
{
    if (current_ != nullptr) return;
    AdapterAccess access = reopen_ ? reopen_() : AdapterAccess{};
    if (access.status != OpenStatus::Opened || access.transport == nullptr) throw AdapterGone(refusalText(access));
    current_ = std::move(access.transport);
    if (access.adapter) adapter_ = access.adapter;
}

AdapterConnection::Held AdapterConnection::exchange(Held next)
{
    Held before{std::move(current_), std::move(reopen_), std::move(adapter_)};
    current_ = std::move(next.transport);
    reopen_ = std::move(next.reopen);
    adapter_ = std::move(next.adapter);
    return before;
}

std::string refusalText(const AdapterAccess& access)
{
    switch (access.status) {
    case OpenStatus::NotFound: return NotFoundText;
    case OpenStatus::InUse: return inUseText(access.holder);
    case OpenStatus::OtherAdapter: return otherAdapterText(*access.lost, access.seen);
    case OpenStatus::NodeMissing: return NodeMissingText;
    case OpenStatus::NoPermission:
    case OpenStatus::Opened: break;  // opened without a transport: of no use either
    }
    return NoPermissionText;
}

int AdapterConnection::controlRequest(std::uint8_t requestType, std::uint8_t request, std::uint16_t value,
                                      std::uint16_t index, std::uint8_t* data, int length, int timeoutMs)
{
    reconnectIfLost();
    const int result = current_->controlRequest(requestType, request, value, index, data, length, timeoutMs);
    if (result == DeviceGoneResult) {
        // The handle of a device that is gone is of no more use: dropping
        // it closes it.
        current_.reset();
        throw AdapterGone(LostText);
    }
    return result;
}

std::string inUseText(const std::string& holder)
{
    return "The DV Brisel (Relavox) is in use by another program" + (holder.empty() ? std::string() : ", " + holder) +
           ".\n\nNothing was sent to it. Try again when that program has finished.";
}

namespace {

// The most adapters one walk found, and the adapter opened last.
struct Tracker {
    std::optional<AdapterChoice> choice;
    std::optional<AdapterNode> opened;
    std::size_t mostSeen = 0;
};

}  // namespace

std::string adapterPlace(const AdapterNode& node)
{
    return (node.port.empty() ? "at an unknown USB port" : "at USB port " + node.port) + " (device " +
           std::to_string(node.address.bus) + ":" + std::to_string(node.address.device) + ")";
}

namespace {

AdapterOpener openerWith(std::function<AdapterWalk()> walk, std::shared_ptr<Tracker> tracker)
{
    return [walk = std::move(walk), tracker = std::move(tracker)] {
        const AdapterWalk found = walk();
        tracker->mostSeen = std::max({tracker->mostSeen, found.adapters.size(), found.mostSeen});
        const AdapterPick pick = pickAdapter(found.adapters, tracker->choice, tracker->opened, tracker->mostSeen);
        AdapterAccess access;
        if (pick.othersOnly) {
            access.status = OpenStatus::OtherAdapter;
            access.lost = tracker->opened;
            access.seen = found.adapters;
        }
        if (!pick.node) return access;
        access = found.open(*pick.node);
        if (access.status == OpenStatus::Opened) tracker->opened = access.adapter = *pick.node;
        return access;
    };
}

}  // namespace

AdapterOpener trackingOpener(std::function<AdapterWalk()> walk, std::optional<AdapterChoice> choice)
{
    return openerWith(std::move(walk), std::make_shared<Tracker>(Tracker{std::move(choice), std::nullopt, 0}));
}

AdapterOpener trackingOpenerFrom(std::function<AdapterWalk()> walk, const AdapterNode& opened, std::size_t seen)
{
    return openerWith(std::move(walk), std::make_shared<Tracker>(Tracker{AdapterChoice::of(opened), opened, seen}));
}

std::function<AdapterWalk()> rememberingWalk(std::function<AdapterWalk()> walk)
{
    auto most = std::make_shared<std::size_t>(0);
    return [walk = std::move(walk), most] {
        AdapterWalk found = walk();
        *most = std::max(*most, found.adapters.size());
        found.mostSeen = *most;
        return found;
    };
}

std::string adapterLines(const std::vector<AdapterNode>& seen)
{
    std::string lines;
    for (const AdapterNode& node : seen) lines += "\n  " + adapterPlace(node);
    return lines;
}

std::string otherAdapterText(const AdapterNode& lost, const std::vector<AdapterNode>& seen)
{
    std::string text = "The DV Brisel (Relavox) in use, " + adapterPlace(lost) +
                       ", is no longer connected.\n\nNothing was sent: the program does not change to "
                       "another adapter by itself. Adapters connected now:";
    text += adapterLines(seen) + "\n\nPlug the adapter in again" +
            (lost.port.empty() ? "" : " at USB port " + lost.port) +
            ": the program finds it the next time you choose a menu item. To use another adapter, "
            "start the program again.";
    return text;
}
