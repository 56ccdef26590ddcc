#pragma once
// A file read whole, as the settings store reads settings files: each
// system's own way (settings_store_posix.cpp, settings_store_windows.cpp).

#include <cstddef>
#include <string>

namespace settings {

// A settings file is a few KiB; a larger one is not one.
inline constexpr std::size_t LargestFile = std::size_t{1024} * 1024;

// "-" is standard input, which stays open. With `regularOnly` anything but
// a regular file is refused before a byte is read: a FIFO or a device never
// blocks the reader. Throws StoreError.
std::string readWholeFile(const std::string& path, bool regularOnly);

// Whether nothing at all is at `path`, not even a link: where no file is
// the usual case (a write's record), the reader learns it without the cost
// of an exception. False when it cannot tell.
bool nothingAt(const std::string& path);

}  // namespace settings
