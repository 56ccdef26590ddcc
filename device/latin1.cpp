#include "device/latin1.h"

#include "device/utf8.h"

namespace latin1 {

std::string toUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (const char c : bytes) utf8::append(out, static_cast<unsigned char>(c));
    return out;
}

std::optional<std::string> fromUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const char32_t code = utf8::nextCharacter(text, at);
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
        const char32_t code = utf8::nextCharacter(text, at);
        out += code <= 0xFF ? static_cast<char>(code) : '?';
    }
    return out;
}

}  // namespace latin1
