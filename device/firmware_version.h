#pragma once
// The firmware version text: successive 8-byte pieces of request 0xFF,
// ending with a shorter piece.

#include <cstdint>
#include <functional>
#include <string>

class VendorLink;

namespace firmware {

inline constexpr std::size_t MaxVersionLength = 255;

// Reads pieces with `readPiece` (into an 8-byte buffer, returning the
// transfer result) and appends what each brings, while pieces are full. The
// text never grows beyond 255 characters: reading stops once it is full.
// The text shown ends at its first NUL byte.
std::string assembleVersion(const std::function<int(std::uint8_t* piece)>& readPiece);

std::string readVersion(VendorLink& link);

}  // namespace firmware
