#pragma once
// The one seam between the program and the adapter: a USB control request.

#include <cstdint>

class Transport {
public:
    virtual ~Transport() = default;

    // Sends one control request on the default control endpoint. For a
    // device-to-host request the data stage fills `data`; otherwise it sends
    // `length` bytes from it. Returns the bytes moved, or a negative number on
    // failure (time-out, stall, lost device).
    virtual int controlRequest(std::uint8_t requestType, std::uint8_t request, std::uint16_t value, std::uint16_t index,
                               std::uint8_t* data, int length, int timeoutMs) = 0;
};

namespace usbreq {
inline constexpr std::uint8_t VendorIn = 0xC0;   // vendor, device to host, recipient device
inline constexpr std::uint8_t VendorOut = 0x40;  // vendor, host to device, recipient device
inline constexpr int TimeoutMs = 100;
inline constexpr int MaxTransfer = 8;
}  // namespace usbreq
