#pragma once
// The repeater group: six call signs, nine on/off switches and the
// alternative flag byte.

#include "settings/pause.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

class VendorLink;

namespace settings {

// One call sign: its read and write codes and its width on the wire.
struct CallSignField {
    std::uint8_t readCode;
    std::uint8_t writeCode;
    int width;
};

// In the order the adapter is asked for them: My Repeater, Alter My, My 2,
// Your, RPT1, RPT2.
inline constexpr std::size_t CallSignCount = 6;
extern const std::array<CallSignField, CallSignCount> CallSignFields;

// One switch: the request that sets it and its bit in the status block.
struct SwitchField {
    std::uint8_t writeCode;
    int statusByte;
    std::uint8_t mask;
};

// In the order Save sends them: Call Check, DUP Check, DUP Clear, the five
// Replace switches of the call signs, Replace Flag.
inline constexpr std::size_t SwitchCount = 9;
extern const std::array<SwitchField, SwitchCount> SwitchFields;

struct RepeaterValues {
    // The bytes the adapter holds, up to the first NUL, at most the width.
    std::array<std::optional<std::string>, CallSignCount> callSigns;
    // The switches and the flag byte come in one read: all or none.
    std::array<std::optional<bool>, SwitchCount> switches;
    std::optional<std::uint8_t> flagByte;

    bool operator==(const RepeaterValues&) const = default;
};

// The status block (0xAF) and then each call sign.
RepeaterValues readRepeater(VendorLink& link);

// Each call sign that is there: written space padded to its width, 50 ms,
// read back. Then each switch, the flag byte, 200 ms and the status block.
// The result holds what was read back.
RepeaterValues saveRepeater(VendorLink& link, const Pause& pause, const RepeaterValues& values);

}  // namespace settings
