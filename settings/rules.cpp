#include "settings/rules.h"

#include "device/encodings.h"

namespace settings {

NumberEntry judgeNumberText(std::string_view text, const NumberRule& rule)
{
    NumberEntry entry;
    const std::optional<std::int32_t> number = enc::parseNumberField(text, rule.firstN);
    if (!number) return entry;
    entry.number = static_cast<std::uint32_t>(*number);
    if (enc::exceedsMax(*number, rule.max)) {
        entry.verdict = NumberEntry::Verdict::BeyondRange;
        return entry;
    }
    entry.verdict = NumberEntry::Verdict::Taken;
    entry.stored = rule.stored(entry.number);
    return entry;
}

SquelchVerdict judgeSquelchPair(const SquelchPair& wanted, const std::optional<SquelchPair>& held)
{
    if (!wanted.level || !wanted.cosCheck || squelchPairAllowed(*wanted.level, *wanted.cosCheck))
        return SquelchVerdict::Written;
    return held == wanted ? SquelchVerdict::LeftOut : SquelchVerdict::Refused;
}

}  // namespace settings
