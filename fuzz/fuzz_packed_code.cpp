// The digital code byte and the squelch level.

#include "device/encodings.h"
#include "fuzz/harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Input in(data, size);
    const std::uint8_t b0 = in.byte(), b1 = in.byte();
    const std::string_view text = in.rest();

    const unsigned first = text.size() > 0 ? static_cast<unsigned char>(text[0]) & 0x0F : 0;
    const unsigned second = text.size() > 1 ? static_cast<unsigned char>(text[1]) & 0x0F : 0;
    FUZZ_CHECK(enc::packedCode(text) == (first << 4 | second), "packed code of %zu bytes", text.size());

    const int level = enc::squelchLevel(b0, b1);
    FUZZ_CHECK(level >= 0 && level <= 1023, "level %d", level);
    FUZZ_CHECK(level == b0 * 4 + (b1 >> 6), "level %d", level);
    const auto bytes = enc::squelchBytes(level);
    FUZZ_CHECK(bytes[0] == b0 && bytes[1] == (b1 & 0xC0), "squelch bytes of %d", level);
    return 0;
}
