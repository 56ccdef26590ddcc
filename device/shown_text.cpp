#include "device/shown_text.h"

#include "device/control_characters.h"

#include "device/latin1.h"
#include "device/utf8.h"

#include <cctype>
#include <cstdio>

namespace shown {
namespace {

void escape(std::string& out, unsigned byte)
{
    char text[8];
    std::snprintf(text, sizeof text, "\\x%02X", byte);
    out += text;
}

#ifdef _WIN32
constexpr bool BackslashSeparatesFolders = true;
#else
constexpr bool BackslashSeparatesFolders = false;
#endif

// Whether a backslash shows doubled, the text after it beginning at `next`.
// On Windows a backslash separates a path's folders and no name holds one, so
// a run of backslashes shows as it is (\\server\share), unless what
// follows the run could make its last one read as the start of an escape: a
// character shown escaped, or "x" and two hexadecimal digits. Then every
// backslash of the run is doubled. Elsewhere a backslash is always doubled.
bool backslashDoubled(std::string_view text, std::size_t next)
{
    if (!BackslashSeparatesFolders) return true;
    while (next < text.size() && text[next] == '\\') ++next;
    if (next >= text.size()) return false;
    std::size_t after = next;
    const char32_t code = utf8::nextCharacter(text, after);
    if (code == utf8::NotUtf8 || text::isControlCharacter(code)) return true;
    const auto hex = [&](std::size_t at) {
        return at < text.size() && std::isxdigit(static_cast<unsigned char>(text[at])) != 0;
    };
    return code == 'x' && hex(next + 1) && hex(next + 2);
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
        else if (code == '\\') out += backslashDoubled(text, at) ? "\\\\" : "\\";
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
        width += code == utf8::NotUtf8 || text::isControlCharacter(code) ? 4
                 : code == '\\'                                          ? (backslashDoubled(text, at) ? 2 : 1)
                                                                         : 1;
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
