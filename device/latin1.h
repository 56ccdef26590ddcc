#pragma once
// Text travels one byte per character as Latin-1; the program's own texts
// (settings files, the command line's output) are UTF-8. Every conversion
// between the two is here.

#include <optional>
#include <string>
#include <string_view>

namespace latin1 {

// Latin-1 bytes as UTF-8 text.
std::string toUtf8(std::string_view bytes);

// UTF-8 text as Latin-1 bytes; nothing when the text holds a character that
// Latin-1 has not, or is not UTF-8 at all.
std::optional<std::string> fromUtf8(std::string_view text);

// UTF-8 text as Latin-1 bytes, one byte per character: a character that
// Latin-1 cannot hold (and each byte that is not UTF-8) becomes '?'. What a
// user types goes to the adapter this way.
std::string fromUtf8Lossy(std::string_view text);

}  // namespace latin1
