#pragma once
// What may be written: the range of each number setting, how much of its
// text counts, and the unit the adapter keeps it in. The dialogs and the
// settings file both judge values by these rules.

#include <cstddef>
#include <cstdint>
#include <optional>

namespace settings {

struct NumberRule {
    std::size_t firstN;  // characters of the dialog's text that count
    std::uint32_t max;   // the largest value, in the unit the dialog shows
    std::uint32_t unit;  // shown value / unit = the value the adapter keeps
    // The largest value the adapter can hold, in the unit the dialog shows:
    // what one request carries. A value above `max` is one the adapter may
    // hold but the dialog does not write.
    std::uint32_t wireMax;

    // The value the adapter keeps for a shown value within the range; the
    // dialogs drop any remainder, a settings file must not have one.
    std::uint16_t stored(std::uint32_t shown) const { return static_cast<std::uint16_t>(shown / unit); }
    std::uint32_t shown(std::uint32_t stored) const { return stored * unit; }
};

namespace rule {
inline constexpr NumberRule DelayTime{8, 2550, 10, 2550};  // ms
inline constexpr NumberRule TimeOut{8, 2550, 10, 2550};    // s
inline constexpr NumberRule KeepAlive{8, 2550, 10, 2550};  // ms
inline constexpr NumberRule ResyncErrorBits{8, 24, 1, 255};
inline constexpr NumberRule LastFrameErrorBits{4, 24, 1, 255};
inline constexpr NumberRule SquelchLevel{8, 1023, 1, 1023};
inline constexpr NumberRule JitterBuffer{4, 255, 1, 255};
inline constexpr NumberRule BeaconInterval{4, 2550, 10, 2550};  // s
}  // namespace rule

// A squelch level of 0 is allowed only with COS check on; otherwise the
// dialog's Save writes neither of the two. The adapter may hold that pair
// all the same.
inline bool squelchPairAllowed(std::uint32_t level, bool cosCheckOn)
{
    return level != 0 || cosCheckOn;
}

}  // namespace settings
