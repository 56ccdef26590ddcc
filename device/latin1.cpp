#include "device/latin1.h"

namespace latin1 {
namespace {

constexpr char32_t NotUtf8 = 0xFFFFFFFF;

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

// The character that begins at `at`, moving `at` past it; NotUtf8 (and one
// byte on) where the bytes there are not UTF-8.
char32_t nextCharacter(std::string_view text, std::size_t& at)
{
    const auto lead = static_cast<unsigned char>(text[at++]);
    if (lead < 0x80) return lead;
    const int extra = lead >= 0xF0 && lead <= 0xF4 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 && lead < 0xE0 ? 1 : -1;
    if (extra < 0 || lead > 0xF4 || at + static_cast<std::size_t>(extra) > text.size()) return NotUtf8;
    char32_t code = lead & (0x3F >> extra);
    for (int i = 0; i < extra; ++i) {
        const auto byte = static_cast<unsigned char>(text[at + static_cast<std::size_t>(i)]);
        if (!isContinuation(byte)) return NotUtf8;
        code = (code << 6) | (byte & 0x3F);
    }
    // Overlong forms, surrogates and beyond U+10FFFF are not UTF-8.
    constexpr char32_t Least[] = {0, 0x80, 0x800, 0x10000};
    if (code < Least[extra] || (code >= 0xD800 && code < 0xE000) || code > 0x10FFFF) return NotUtf8;
    at += static_cast<std::size_t>(extra);
    return code;
}

}  // namespace

std::string toUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return out;
}

std::optional<std::string> fromUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const char32_t code = nextCharacter(text, at);
        if (code > 0xFF) return std::nullopt;
        out += static_cast<char>(code);
    }
    return out;
}

std::string fromUtf8Lossy(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const char32_t code = nextCharacter(text, at);
        out += code <= 0xFF ? static_cast<char>(code) : '?';
    }
    return out;
}

}  // namespace latin1
