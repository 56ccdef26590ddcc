#include "device/latin1.h"

#include "device/encodings.h"

namespace wire {

std::string fromText(const QString& text)
{
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    // One byte per character as the user sees it: a character outside the
    // basic plane (a surrogate pair) is one '?', not two.
    for (auto it = text.cbegin(); it != text.cend(); ++it) {
        char32_t code = it->unicode();
        if (it->isHighSurrogate() && it + 1 != text.cend() && (it + 1)->isLowSurrogate()) ++it;
        bytes.push_back(code <= 0xFF ? static_cast<char>(code) : '?');
    }
    return bytes;
}

QString toText(std::string_view bytes)
{
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

QString textUpToNul(std::span<const std::uint8_t> bytes)
{
    return toText(enc::textUpToNul(bytes));
}

}  // namespace wire
