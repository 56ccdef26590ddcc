#pragma once
// The control characters: 0x00 to 0x1F and 0x7F to 0x9F, the C0 and C1
// codes and DEL. They are shown escaped, and a text the user gives may not
// hold them, since the adapter would pass them on as they stand.

#include <optional>
#include <string_view>

namespace text {

inline bool isControlCharacter(char32_t code)
{
    return code < 0x20 || (code >= 0x7F && code < 0xA0);
}

// The first control character of a text of one byte per character
// (Latin-1, as the adapter holds it), or nothing.
inline std::optional<unsigned char> firstControlCharacter(std::string_view latin1)
{
    for (const char c : latin1)
        if (isControlCharacter(static_cast<unsigned char>(c))) return static_cast<unsigned char>(c);
    return std::nullopt;
}

}  // namespace text
