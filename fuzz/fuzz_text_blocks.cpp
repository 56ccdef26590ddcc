// Call-sign fields, the 20-byte message blocks, the 29-byte GPS block, the
// Latin-1 wire text and the chunked moves over an adapter that answers
// every piece with whatever the input says.

#include "device/encodings.h"
#include "dialogs/wire_text.h"
#include "fuzz/harness.h"

#include <vector>

namespace {

// Answers each request with the next result and bytes of the input.
class ScriptedTransport final : public Transport {
public:
    explicit ScriptedTransport(fuzz::Input& in) : in_(in) {}
    int controlRequest(std::uint8_t requestType, std::uint8_t, std::uint16_t value, std::uint16_t index,
                       std::uint8_t* data, int length, int timeoutMs) override
    {
        FUZZ_CHECK(index == 0 && timeoutMs == 100, "conventions");
        FUZZ_CHECK(length >= 0 && length <= 8, "at most 8 bytes, got %d", length);
        ++requests;
        const int result = static_cast<std::int8_t>(in_.byte()) % 10;
        if (requestType == 0xC0) {
            FUZZ_CHECK(value == 0, "read with a value");
            const int n = std::min(result, length);
            for (int i = 0; i < n; ++i) data[i] = in_.byte();
            return n < 0 ? result : n;
        }
        for (int i = 0; i < length; ++i) sent.push_back(data[i]);
        return result;
    }
    int requests = 0;
    std::vector<std::uint8_t> sent;

private:
    fuzz::Input& in_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::startApplication();
    fuzz::Input in(data, size);
    const std::string_view text = in.field();

    for (std::size_t width : {std::size_t{4}, std::size_t{8}}) {
        const auto field = enc::callSignField(text, width);
        FUZZ_CHECK(field.size() == width, "call sign width");
        for (std::size_t i = 0; i < width; ++i)
            FUZZ_CHECK(field[i] == (i < text.size() ? static_cast<std::uint8_t>(text[i]) : ' '), "call sign byte %zu",
                       i);
    }
    const auto message = enc::messageBlock(text);
    const auto gps = enc::gpsBlock(text);
    for (std::size_t i = 0; i < message.size(); ++i)
        FUZZ_CHECK(message[i] == (i < text.size() ? static_cast<std::uint8_t>(text[i]) : 0), "message %zu", i);
    for (std::size_t i = 0; i < gps.size(); ++i)
        FUZZ_CHECK(gps[i] == (i < text.size() ? static_cast<std::uint8_t>(text[i]) : ' '), "gps %zu", i);

    const std::string shown = enc::textUpToNul(
        std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    FUZZ_CHECK(shown == text.substr(0, text.find('\0')), "up to NUL");

    // Latin-1: what a user types goes out one byte per character (a
    // character outside the basic plane, two UTF-16 units, is one '?') and,
    // where Latin-1 holds it, as that character.
    const QString typed = fuzz::typed(text);
    const std::string bytes = wire::fromText(typed);
    const QList<uint> characters = typed.toUcs4();
    FUZZ_CHECK(bytes.size() == static_cast<std::size_t>(characters.size()), "one byte per character: %zu for %lld",
               bytes.size(), static_cast<long long>(characters.size()));
    for (qsizetype i = 0; i < characters.size(); ++i) {
        const uint c = characters[i];
        FUZZ_CHECK(static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]) == (c < 256 ? c : '?'),
                   "character %lld", static_cast<long long>(i));
    }
    FUZZ_CHECK(wire::fromText(wire::toText(bytes)) == bytes, "round trip");
    FUZZ_CHECK(latin1::fromUtf8(latin1::toUtf8(text)) == text, "Latin-1 through UTF-8");
    // Any bytes read as UTF-8: where the strict reading takes them, the lossy
    // one gives the same.
    if (const auto strict = latin1::fromUtf8(text)) FUZZ_CHECK(latin1::fromUtf8Lossy(text) == *strict, "lossy agrees");

    // Chunked moves: whatever the adapter answers, nothing lands outside the block.
    ScriptedTransport transport(in);
    VendorLink link(transport);
    std::array<std::uint8_t, enc::GpsBlockSize + 1> gpsRead{};
    gpsRead.back() = 0xA5;
    link.readChunked(0xB8, ZeroForm::Read, 0xB7, std::span(gpsRead).first(enc::GpsBlockSize), enc::Plan29);
    FUZZ_CHECK(gpsRead.back() == 0xA5, "read past the GPS block");
    std::array<std::uint8_t, enc::MessageBlockSize + 1> messageRead{};
    messageRead.back() = 0x5A;
    link.readChunked(0xEB, ZeroForm::Write, 0xEC, std::span(messageRead).first(enc::MessageBlockSize), enc::Plan20);
    FUZZ_CHECK(messageRead.back() == 0x5A, "read past the message block");
    transport.sent.clear();
    link.writeChunked(0xED, message, enc::Plan20);
    FUZZ_CHECK(transport.sent == std::vector<std::uint8_t>(message.begin(), message.end()), "message pieces");
    transport.sent.clear();
    link.writeChunked(0xB6, gps, enc::Plan29);
    FUZZ_CHECK(transport.sent == std::vector<std::uint8_t>(gps.begin(), gps.end()), "gps pieces");
    return 0;
}
