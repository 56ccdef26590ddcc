#pragma once
// The beacon group: the 20-character beacon message and its interval.

#include "device/vendor_link.h"
#include "settings/pause.h"

#include <cstdint>
#include <optional>
#include <string>

namespace settings {

struct BeaconValues {
    std::optional<std::string> message;    // up to 20 bytes
    std::optional<std::uint8_t> interval;  // tens of s

    bool operator==(const BeaconValues&) const = default;
};

// The message (rewound with 0xEE in `rewindForm`: read when the dialog
// opens, write on Cancel), then the interval (0x59).
BeaconValues readBeacon(VendorLink& link, ZeroForm rewindForm);

// Writes the interval and the message (each if there); 0x00, with 200 ms on
// both sides of it, ends the beacon write; then both are read back.
BeaconValues saveBeacon(VendorLink& link, const Pause& pause, const BeaconValues& values);

}  // namespace settings
