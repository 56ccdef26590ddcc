#pragma once
// Windows: the adapter is reached through libusb-win32's libusb0.dll, the
// libusb 0.1 library that the driver bound to the adapter brings. It is
// loaded from the system folder alone, never from the program's folder or
// the current one, where anyone could have put a file of that name.

#include <stdexcept>
#include <string>

// libusb0.dll is not in the system folder (libusb-win32 is not installed),
// or lacks a function the program calls.
class UsbLibraryMissing : public std::runtime_error {
public:
    explicit UsbLibraryMissing(std::string library)
        : std::runtime_error("libusb0.dll is missing"), library_(std::move(library))
    {}
    // The file looked for.
    const std::string& library() const { return library_; }

private:
    std::string library_;
};

// Loads the library once per process, from the system folder alone, and
// finds the functions the program calls. Throws UsbLibraryMissing.
void loadUsbLibrary();

// For the tests alone: loads the library from the file `path` (UTF-8)
// instead, when no library is loaded yet. The program never calls it.
// Throws UsbLibraryMissing.
void loadUsbLibraryFrom(const std::string& path);
