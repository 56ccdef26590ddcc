#pragma once
// Pure encodings between what the dialogs take and the bytes on the wire; how
// the dialogs show numbers is in dialogs/display_formats.h.
// Texts here are byte strings, one byte per character (see latin1.h).

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace enc {

// Chunk plans of the long texts: 20-byte messages and the 29-byte GPS text.
inline constexpr std::array<int, 3> Plan20 = {8, 8, 4};
inline constexpr std::array<int, 4> Plan29 = {8, 8, 8, 5};
inline constexpr std::size_t MessageBlockSize = 20;
inline constexpr std::size_t GpsBlockSize = 29;

// Call-sign field: the first `width` bytes of the text, space padded to `width`.
std::vector<std::uint8_t> callSignField(std::string_view text, std::size_t width);

// What a read shows: the bytes up to the first NUL, at most the whole span.
std::string textUpToNul(std::span<const std::uint8_t> bytes);

// Slow data and beacon message: first 20 bytes, then 0x00 up to 20.
std::array<std::uint8_t, MessageBlockSize> messageBlock(std::string_view text);

// GPS message: first 29 bytes, then spaces up to 29.
std::array<std::uint8_t, GpsBlockSize> gpsBlock(std::string_view text);

// S/N squelch level from its two bytes: byte0 * 4 + (byte1 >> 6), 0 to 1023.
int squelchLevel(std::uint8_t byte0, std::uint8_t byte1);
// The two bytes the adapter reports for a level (the inverse, low six bits 0).
std::array<std::uint8_t, 2> squelchBytes(int level);

// Digital code byte from the first two characters, each a hexadecimal digit
// (0-9, a-f, A-F), the first the high one, so that the "%0.2x" display reads
// back as the same byte; a missing character counts as 0. Nothing when one
// of them is not a hexadecimal digit. Further characters are not looked at.
std::optional<std::uint8_t> codeByte(std::string_view text);

// Pattern byte from the first two characters: each of 0-9 and A-F is a hex
// digit (the first the high one); any other character or none adds nothing.
std::uint8_t hexPair(std::string_view text);

// 1 if the whole text is exactly "ON".
bool isOnWord(std::string_view text);
// 1 if the first four characters are exactly "HALF".
bool isHalfDuplexWord(std::string_view text);

// Signed 32-bit conversion of a whole text: an optional sign and at least one
// decimal digit, nothing else; fails on overflow.
std::optional<std::int32_t> toInt32(std::string_view text);

// Number field: the first `firstN` characters, cut at the first blank, then
// converted. Empty, letters, a lone sign or overflow give no number.
std::optional<std::int32_t> parseNumberField(std::string_view text, std::size_t firstN);

// The range step of a number field: compared as unsigned, so that a negative
// number counts as too large.
inline bool exceedsMax(std::int32_t number, std::uint32_t max)
{
    return static_cast<std::uint32_t>(number) > max;
}

}  // namespace enc
