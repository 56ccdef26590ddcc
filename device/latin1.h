#pragma once
// Text travels one byte per character as Latin-1; a character that Latin-1
// cannot hold is sent as '?'.

#include <QString>

#include <cstdint>
#include <span>
#include <string>

namespace wire {

std::string fromText(const QString& text);
QString toText(std::string_view bytes);
// What a read shows: the bytes up to the first NUL.
QString textUpToNul(std::span<const std::uint8_t> bytes);

}  // namespace wire
