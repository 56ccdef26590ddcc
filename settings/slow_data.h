#pragma once
// The slow data group: the two insertion switches, the digital code switch
// and its code, and the 20-character message.

#include "device/vendor_link.h"
#include "settings/pause.h"

#include <cstdint>
#include <optional>
#include <string>

namespace settings {

struct SlowDataValues {
    std::optional<bool> insertBefore;
    std::optional<bool> insertAfter;
    std::optional<bool> digitalCodeInsert;
    std::optional<std::uint8_t> digitalCode;
    std::optional<std::string> message;  // up to 20 bytes

    bool operator==(const SlowDataValues&) const = default;
};

// The status block, the code (0xEA) and the message. Opening the dialog
// rewinds the message with the write form of 0xEB, Cancel and the
// read-back with the read form.
SlowDataValues readSlowData(VendorLink& link, ZeroForm rewindForm);

// Writes the three switches, the code and the message (each if there), reads
// the switches back at once and, after 200 ms, the code and the message.
SlowDataValues saveSlowData(VendorLink& link, const Pause& pause, const SlowDataValues& values);

}  // namespace settings
