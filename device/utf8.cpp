#include "device/utf8.h"

namespace utf8 {

char32_t nextCharacter(std::string_view text, std::size_t& at)
{
    const auto lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80) return lead;
    const int extra = lead >= 0xC2 && lead < 0xE0    ? 1
                      : lead >= 0xE0 && lead < 0xF0  ? 2
                      : lead >= 0xF0 && lead <= 0xF4 ? 3
                                                     : 0;
    if (extra == 0 || at + static_cast<std::size_t>(extra) > text.size()) return NotUtf8;
    char32_t code = lead & (0x3F >> extra);
    for (std::size_t i = 0; i < static_cast<std::size_t>(extra); ++i) {
        const auto byte = static_cast<unsigned char>(text[at + i]);
        if ((byte & 0xC0) != 0x80) return NotUtf8;
        code = (code << 6) | (byte & 0x3F);
    }
    // Overlong forms, surrogates and beyond U+10FFFF are not UTF-8.
    constexpr char32_t Least[] = {0, 0x80, 0x800, 0x10000};
    if (code < Least[extra] || (code >= 0xD800 && code < 0xE000) || code > 0x10FFFF) return NotUtf8;
    at += static_cast<std::size_t>(extra);
    return code;
}

void append(std::string& out, char32_t code)
{
    auto put = [&out](unsigned value) { out += static_cast<char>(value); };
    if (code < 0x80) {
        put(code);
    } else if (code < 0x800) {
        put(0xC0 | (code >> 6));
        put(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        put(0xE0 | (code >> 12));
        put(0x80 | ((code >> 6) & 0x3F));
        put(0x80 | (code & 0x3F));
    } else {
        put(0xF0 | (code >> 18));
        put(0x80 | ((code >> 12) & 0x3F));
        put(0x80 | ((code >> 6) & 0x3F));
        put(0x80 | (code & 0x3F));
    }
}

}  // namespace utf8
