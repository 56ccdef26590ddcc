#include "settings/adapter_switch.h"

#include <algorithm>

namespace settings {

namespace {

bool isInUse(const AdapterNode& node, const AdapterConnection& connection)
{
    return !connection.lost() && connection.adapter() && connection.adapter()->address == node.address;
}

}  // namespace

std::vector<AdapterOffer> adapterOffers(const AdapterWalk& walk, const AdapterConnection& connection)
{
    std::vector<AdapterOffer> offers;
    for (const AdapterNode& node : walk.adapters) {
        AdapterOffer offer{node, isInUse(node, connection), std::nullopt};
        // A lock attempt on the node in use would find this program's own lock.
        if (!offer.inUse && walk.holder) offer.heldBy = walk.holder(node);
        offers.push_back(std::move(offer));
    }
    return offers;
}

AdapterSwitch switchAdapter(AdapterConnection& connection, VendorLink& link, const std::function<AdapterWalk()>& walk,
                            const AdapterNode& chosen)
{
    const AdapterWalk found = walk();
    const auto node = std::find_if(found.adapters.begin(), found.adapters.end(),
                                   [&](const AdapterNode& a) { return a.address == chosen.address; });
    if (node == found.adapters.end()) return {std::nullopt, AdapterProblem{}};
    AdapterAccess access = found.open(*node);
    if (access.status != OpenStatus::Opened || access.transport == nullptr)
        return {std::nullopt, accessProblem(access)};

    AdapterConnection::Held before = connection.exchange(
        {std::move(access.transport), trackingOpenerFrom(walk, *node, found.adapters.size()), *node});
    // On the way out `before` goes, and with it the adapter held before.
    try {
        return {startUp(link), std::nullopt};
    } catch (const AdapterGone&) {
        // Gone during its start-up: as if it had not been there. The
        // connection has dropped its transport.
        connection.exchange(std::move(before));
        return {std::nullopt, AdapterProblem{}};
    }
}

}  // namespace settings
