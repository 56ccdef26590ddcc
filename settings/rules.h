#pragma once
// What may be written: the range of each number setting, how much of its
// text counts, and the unit the adapter keeps it in. The dialogs and the
// settings file both judge values by these rules.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

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

// What a dialog's text for a number setting comes to, by its rule: the
// first characters that count, cut at the first blank, converted, and
// compared with the rule's largest value as an unsigned number, so that a
// negative number counts as too large.
struct NumberEntry {
    enum class Verdict {
        Taken,        // `stored` is written
        NotNumber,    // the text is no number: nothing is written
        BeyondRange,  // the number is above the rule's largest value: nothing is written
    };
    Verdict verdict = Verdict::NotNumber;
    std::uint32_t number = 0;  // as entered, taken as unsigned; when there is a number
    std::uint16_t stored = 0;  // the value the adapter keeps; when Taken
};

NumberEntry judgeNumberText(std::string_view text, const NumberRule& rule);

// A squelch level of 0 is allowed only with COS check on; otherwise the
// dialog's Save writes neither of the two. The adapter may hold that pair
// all the same.
inline bool squelchPairAllowed(std::uint32_t level, bool cosCheckOn)
{
    return level != 0 || cosCheckOn;
}

// The S/N squelch level and COS check as they are to be written; a value
// that is not there is not written.
struct SquelchPair {
    std::optional<std::uint32_t> level;
    std::optional<bool> cosCheck;
    bool operator==(const SquelchPair&) const = default;
};

// What the squelch rule does to a pair to be written: the one place that
// decides which values it drops and which it refuses. The dialog's Save,
// the groups written by a restore or set, and the restore plan all ask it.
enum class SquelchVerdict {
    Written,  // the rule allows the pair, or one of its values is not there
    LeftOut,  // not allowed, but the adapter holds that pair already: neither value is written
    Refused,  // not allowed, and it would change the adapter: neither value is written
};

// The verdict on `wanted`, against what the adapter holds (`held`; not
// given: not known, as in a dialog, so a pair not allowed is refused).
SquelchVerdict judgeSquelchPair(const SquelchPair& wanted, const std::optional<SquelchPair>& held = {});

}  // namespace settings
