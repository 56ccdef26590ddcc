// The firmware version text assembled from any stream of piece results:
// it ends, never exceeds its 255 characters, and holds exactly the bytes
// of the full pieces and the last one, up to the first NUL.

#include "device/firmware_version.h"
#include "fuzz/harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Input in(data, size);
    std::string delivered;  // what the pieces brought, as the adapter meant it
    bool ended = false;
    int reads = 0;
    const std::string text = firmware::assembleVersion([&](std::uint8_t* piece) {
        FUZZ_CHECK(!ended, "read after the text ended");
        ++reads;
        // An exhausted input is a lost adapter: every later read fails.
        const int result = in.empty() ? -19 : static_cast<std::int8_t>(in.byte()) % 12;
        const int n = std::max(0, std::min(result, 8));
        for (int i = 0; i < n; ++i) piece[i] = in.byte();
        if (delivered.size() < firmware::MaxVersionLength)
            delivered.append(reinterpret_cast<const char*>(piece),
                             std::min<std::size_t>(n, firmware::MaxVersionLength - delivered.size()));
        if (result != 8) ended = true;
        return result;
    });
    FUZZ_CHECK(text.size() <= firmware::MaxVersionLength, "%zu characters", text.size());
    FUZZ_CHECK(text.find('\0') == std::string::npos, "NUL in the text");
    FUZZ_CHECK(text == delivered.substr(0, delivered.find('\0')), "text differs from the pieces");
    FUZZ_CHECK(reads <= static_cast<int>(firmware::MaxVersionLength / 8) + 1, "%d reads", reads);
    return 0;
}
