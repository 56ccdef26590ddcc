#pragma once
// UTF-8, one character at a time, for the text conversions of this program
// (latin1.h, shown_text.h).

#include <cstddef>
#include <string>
#include <string_view>

namespace utf8 {

// What nextCharacter gives for bytes that are not UTF-8.
inline constexpr char32_t NotUtf8 = 0xFFFFFFFF;

// The character that begins at `at` in `text` (at < text.size()), moving `at`
// past it. Where the bytes there are not UTF-8 (overlong forms and
// surrogates included) it gives NotUtf8 and moves `at` one byte on.
char32_t nextCharacter(std::string_view text, std::size_t& at);

// Appends `code` (at most U+10FFFF, no surrogate) to `out` as UTF-8.
void append(std::string& out, char32_t code);

}  // namespace utf8
