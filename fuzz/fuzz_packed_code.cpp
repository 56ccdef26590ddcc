// The digital code byte and the squelch level.

#include "device/encodings.h"
#include "dialogs/display_formats.h"
#include "fuzz/harness.h"

#include <cctype>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Input in(data, size);
    const std::uint8_t b0 = in.byte(), b1 = in.byte();
    const std::string_view text = in.rest();

    // A code is taken exactly when its first two characters are hexadecimal
    // digits, and then it shows back as those two digits.
    std::string two(text.substr(0, 2));
    bool digits = true;
    for (char& c : two) {
        digits = digits && std::isxdigit(static_cast<unsigned char>(c));
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    two.resize(2, '0');
    const auto code = enc::codeByte(text);
    FUZZ_CHECK(code.has_value() == digits, "code of %zu bytes", text.size());
    if (code) FUZZ_CHECK(display::formatHex2(*code) == two, "code 0x%02x", *code);

    const int level = enc::squelchLevel(b0, b1);
    FUZZ_CHECK(level >= 0 && level <= 1023, "level %d", level);
    FUZZ_CHECK(level == b0 * 4 + (b1 >> 6), "level %d", level);
    const auto bytes = enc::squelchBytes(level);
    FUZZ_CHECK(bytes[0] == b0 && bytes[1] == (b1 & 0xC0), "squelch bytes of %d", level);
    return 0;
}
