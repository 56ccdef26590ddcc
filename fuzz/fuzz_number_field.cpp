// Number fields: the first N characters, cut at the first blank, converted
// as a signed 32-bit integer, then the unsigned range step.

#include "device/encodings.h"
#include "fuzz/harness.h"

#include <charconv>
#include <limits>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Input in(data, size);
    const std::size_t firstN = in.byte() % 10;
    const std::uint32_t max = static_cast<std::uint32_t>(in.byte()) * 16u + in.byte();
    const std::string_view text = in.rest();

    const std::optional<std::int32_t> number = enc::parseNumberField(text, firstN);

    // An independent reading: cut, then std::from_chars on the digits.
    std::string_view kept = text.substr(0, firstN);
    if (const auto blank = kept.find(' '); blank != std::string_view::npos) kept = kept.substr(0, blank);
    std::string_view digits = kept;
    bool negative = false;
    if (!digits.empty() && (digits[0] == '+' || digits[0] == '-')) {
        negative = digits[0] == '-';
        digits.remove_prefix(1);
    }
    std::optional<std::int32_t> expected;
    bool allDigits = !digits.empty();
    for (char c : digits) allDigits = allDigits && c >= '0' && c <= '9';
    if (allDigits) {
        std::int64_t magnitude = 0;
        const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
        if (ec == std::errc() && end == digits.data() + digits.size()) {
            const std::int64_t v = negative ? -magnitude : magnitude;
            if (v >= std::numeric_limits<std::int32_t>::min() && v <= std::numeric_limits<std::int32_t>::max())
                expected = static_cast<std::int32_t>(v);
        }
    }
    FUZZ_CHECK(number == expected, "text of %zu bytes, first %zu", text.size(), firstN);

    if (number) {
        // The range step compares as unsigned: a negative number is too large.
        const bool over = enc::exceedsMax(*number, max);
        FUZZ_CHECK(over == (*number < 0 || static_cast<std::uint32_t>(*number) > max), "range step");
        if (!over) FUZZ_CHECK(*number >= 0 && static_cast<std::uint32_t>(*number) <= max, "in range");
    }
    return 0;
}
