#pragma once
// Settings put onto an adapter all at once, without the checks and pauses of
// a restore: how an emulated adapter starts with the settings of a file.

#include "settings/snapshot.h"

class VendorLink;

namespace settings {

// Puts every value of `snapshot` onto an adapter with the Save streams, with
// no pauses.
void putSettings(VendorLink& link, const Snapshot& snapshot);

}  // namespace settings
