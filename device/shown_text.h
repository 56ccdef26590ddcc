#pragma once
// Text from a file, the command line or the adapter as this program shows it
// to a person (a terminal, a pipe, a log): UTF-8 always, whatever the locale.
// A control character (0x00 to 0x1F, 0x7F to 0x9F) shows as \xNN and a
// backslash as \\, so that nothing in the text can move the cursor, change
// colours or pass for something it is not. On Windows, where a backslash
// separates a path's folders, it shows as itself wherever it cannot pass for
// the start of an escape. Settings files and JSON use their own escapes
// instead.

#include <cstddef>
#include <string>
#include <string_view>

namespace shown {

// Text given as UTF-8; each byte that is not UTF-8 shows as \xNN too.
std::string fromUtf8(std::string_view text);

// Text as the adapter holds it, one Latin-1 byte per character.
std::string fromLatin1(std::string_view bytes);

// Text from a file or the command line quoted in a message: cut where its
// shown form (as fromUtf8 shows it) would pass `most` characters, with "…"
// after it, so that a key of megabytes is not echoed whole. Still to be
// shown by fromUtf8.
inline constexpr std::size_t LongestQuote = 80;
std::string clipped(std::string_view text, std::size_t most = LongestQuote);

// A message of several lines, each shown by fromUtf8; the line breaks stay.
std::string linesFromUtf8(std::string_view text);

}  // namespace shown
