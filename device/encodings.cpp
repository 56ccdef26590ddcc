#include "device/encodings.h"

#include <algorithm>
#include <limits>

namespace enc {

std::vector<std::uint8_t> callSignField(std::string_view text, std::size_t width)
{
    std::vector<std::uint8_t> field(width, ' ');
    const std::size_t n = std::min(width, text.size());
    std::copy_n(text.begin(), n, field.begin());
    return field;
}

std::string textUpToNul(std::span<const std::uint8_t> bytes)
{
    const auto end = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
    return std::string(bytes.begin(), end);
}

std::array<std::uint8_t, MessageBlockSize> messageBlock(std::string_view text)
{
    std::array<std::uint8_t, MessageBlockSize> block{};
    std::copy_n(text.begin(), std::min(block.size(), text.size()), block.begin());
    return block;
}

std::array<std::uint8_t, GpsBlockSize> gpsBlock(std::string_view text)
{
    std::array<std::uint8_t, GpsBlockSize> block;
    block.fill(' ');
    std::copy_n(text.begin(), std::min(block.size(), text.size()), block.begin());
    return block;
}

int squelchLevel(std::uint8_t byte0, std::uint8_t byte1)
{
    return byte0 * 4 + (byte1 >> 6);
}

std::array<std::uint8_t, 2> squelchBytes(int level)
{
    return {static_cast<std::uint8_t>((level >> 2) & 0xFF), static_cast<std::uint8_t>((level & 0x03) << 6)};
}

std::optional<std::uint8_t> codeByte(std::string_view text)
{
    unsigned byte = 0;
    for (std::size_t i = 0; i < 2; ++i) {
        unsigned digit = 0;
        if (i < text.size()) {
            const char c = text[i];
            if (c >= '0' && c <= '9') digit = static_cast<unsigned>(c - '0');
            else if (c >= 'a' && c <= 'f') digit = static_cast<unsigned>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F') digit = static_cast<unsigned>(c - 'A' + 10);
            else return std::nullopt;
        }
        byte = byte * 16 + digit;
    }
    return static_cast<std::uint8_t>(byte);
}

namespace {
unsigned hexDigit(char c)
{
    if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
    if (c >= 'A' && c <= 'F') return static_cast<unsigned>(c - 'A' + 10);
    return 0;
}
}  // namespace

std::uint8_t hexPair(std::string_view text)
{
    unsigned value = 0;
    if (text.size() > 0) value += hexDigit(text[0]) * 16;
    if (text.size() > 1) value += hexDigit(text[1]);
    return static_cast<std::uint8_t>(value);
}

bool isOnWord(std::string_view text)
{
    return text == "ON";
}

bool isHalfDuplexWord(std::string_view text)
{
    return text.substr(0, 4) == "HALF";
}

std::optional<std::int32_t> toInt32(std::string_view text)
{
    bool negative = false;
    std::size_t i = 0;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        i = 1;
    }
    if (i == text.size()) return std::nullopt;
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9') return std::nullopt;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1) return std::nullopt;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::optional<std::int32_t> parseNumberField(std::string_view text, std::size_t firstN)
{
    std::string_view kept = text.substr(0, firstN);
    const std::size_t blank = kept.find(' ');
    if (blank != std::string_view::npos) kept = kept.substr(0, blank);
    return toInt32(kept);
}

}  // namespace enc
