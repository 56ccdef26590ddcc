#pragma once
// Windows only: the program keeps file names and texts in UTF-8; the
// system's wide-character calls take and give UTF-16. These convert at
// that edge, and turn the system's error codes into the errno values the
// core reports.

#include <string>
#include <string_view>

namespace windows_text {

// UTF-8 to UTF-16; empty for text that is not UTF-8 (no file has that name).
std::wstring wide(std::string_view utf8);
// UTF-16 to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string utf8(std::wstring_view wide);
// The errno value nearest to the system's error code (GetLastError).
int errnoOf(unsigned long error);
// A path the file calls may not be given: a device path ("\\.\", "\\?\",
// "\\?\GLOBALROOT") or a name Windows keeps for a device (CON, NUL, COM1,
// LPT1 ... in any folder, with any extension).
bool devicePath(std::string_view path);

}  // namespace windows_text
