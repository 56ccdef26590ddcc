#pragma once
// Another adapter on the bus in place of the one in use: the adapters to
// choose from, and the change itself. The chosen adapter is taken exactly as
// start-up takes the first (the walk, its lock, configuration 1, the start-up
// requests) before the adapter in use is let go, so a choice that fails
// leaves the program with the adapter it had.

#include "device/adapter_connection.h"
#include "settings/start_up.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

class VendorLink;

namespace settings {

// One adapter of a walk, as the program offers it.
struct AdapterOffer {
    AdapterNode node;
    bool inUse = false;  // the adapter the program holds now
    // Another program holds it: who, as far as that is known. Never asked
    // of the adapter in use.
    std::optional<AdapterHolder> heldBy;
};

// Every adapter of `walk`, in bus order. Nothing is sent to any of them.
std::vector<AdapterOffer> adapterOffers(const AdapterWalk& walk, const AdapterConnection& connection);

struct AdapterSwitch {
    // What the chosen adapter answered at its start-up, when it is now the
    // one in use.
    std::optional<StartUp> startUp;
    std::optional<AdapterProblem> refusal;  // otherwise why not
};

// Takes the adapter `chosen` (from an earlier walk of `walk`) in place of the
// one `connection` holds: walks the bus afresh, opens the adapter at the same
// address as start-up does, and sends it the start-up requests over `link`
// (which talks through `connection`). Only then is the adapter held before
// released; a later loss is tracked by the new one's port path. When the
// chosen adapter is not there, is held by another program, may not be used
// or goes during its start-up requests, the connection keeps the adapter it
// had and nothing has been sent to that one.
AdapterSwitch switchAdapter(AdapterConnection& connection, VendorLink& link, const std::function<AdapterWalk()>& walk,
                            const AdapterNode& chosen);

}  // namespace settings
