// Hex pair, on word, duplex word and the display formats.

#include "device/encodings.h"
#include "dialogs/display_formats.h"
#include "fuzz/harness.h"

#include <cstring>

namespace {
int digit(char c)
{
    const char* digits = "0123456789ABCDEF";
    if (c == '\0') return -1;
    const char* at = std::strchr(digits, c);
    return at != nullptr ? static_cast<int>(at - digits) : -1;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Input in(data, size);
    const unsigned value = static_cast<unsigned>(in.byte()) << 24 | static_cast<unsigned>(in.byte()) << 16 |
                           static_cast<unsigned>(in.byte()) << 8 | in.byte();
    const std::string_view text = in.rest();

    // Hex pair: a missing or non-digit character adds nothing.
    const int high = text.size() > 0 ? digit(text[0]) : -1;
    const int low = text.size() > 1 ? digit(text[1]) : -1;
    const unsigned expected = (high > 0 ? high * 16 : 0) + (low > 0 ? low : 0);
    FUZZ_CHECK(enc::hexPair(text) == expected, "hex pair of %zu bytes", text.size());

    FUZZ_CHECK(enc::isOnWord(text) == (text == "ON"), "on word");
    FUZZ_CHECK(enc::isHalfDuplexWord(text) == (text.size() >= 4 && text.substr(0, 4) == "HALF"), "duplex word");

    // Formats: the device shows each byte; any unsigned value must format.
    const std::string decimal = display::formatDecimal(value);
    FUZZ_CHECK(std::stoul(decimal) == value, "decimal %u -> %s", value, decimal.c_str());
    FUZZ_CHECK(display::formatTens(value) == decimal + "0", "tens %u", value);
    const std::string hex2 = display::formatHex2(value);
    FUZZ_CHECK(hex2.size() >= 2 && std::stoul(hex2, nullptr, 16) == value, "hex2 %u", value);
    const std::string padded = display::formatHexPadded(value);
    if (value == 0) FUZZ_CHECK(padded == "  ", "0 shows two blanks");
    else FUZZ_CHECK(padded.size() >= 2 && std::stoul(padded, nullptr, 16) == value, "padded %u", value);
    if (value <= 0xFF) {
        // What the pattern box shows goes back as the same byte once upper-cased.
        std::string shown = padded;
        for (char& c : shown) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        FUZZ_CHECK(enc::hexPair(shown) == value, "round trip of %02x", value);
    }
    return 0;
}
