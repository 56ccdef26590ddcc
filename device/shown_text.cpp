#include "device/shown_text.h"

#include "device/control_characters.h"

#include "device/latin1.h"
#include "device/utf8.h"

#include <cstdio>

namespace shown {
namespace {

void escape(std::string& out, unsigned byte)
{
    char text[8];
    std::snprintf(text, sizeof text, "\\x%02X", byte);
    out += text;
}

}  // namespace

std::string fromUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t begin = at;
        const char32_t code = utf8::nextCharacter(text, at);
        if (code == utf8::NotUtf8) escape(out, static_cast<unsigned char>(text[begin]));
        else if (text::isControlCharacter(code)) escape(out, code);
        else if (code == '\\') out += "\\\\";
        else out += text.substr(begin, at - begin);
    }
    return out;
}

std::string clipped(std::string_view text, std::size_t most)
{
    std::size_t width = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t begin = at;
        const char32_t code = utf8::nextCharacter(text, at);
        width += code == utf8::NotUtf8 || text::isControlCharacter(code) ? 4 : code == '\\' ? 2 : 1;
        if (width > most) return std::string(text.substr(0, begin)) + "\u2026";
    }
    return std::string(text);
}

std::string fromLatin1(std::string_view bytes)
{
    return fromUtf8(latin1::toUtf8(bytes));
}

std::string linesFromUtf8(std::string_view text)
{
    std::string out;
    std::size_t begin = 0;
    for (std::size_t end; (end = text.find('\n', begin)) != std::string_view::npos; begin = end + 1)
        out += fromUtf8(text.substr(begin, end - begin)) + '\n';
    return out + fromUtf8(text.substr(begin));
}

}  // namespace shown
