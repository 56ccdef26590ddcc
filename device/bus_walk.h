#pragma once
// The adapter's USB identity, and whether an opened one can be used.
// Kept apart from libusb so that the decisions can be tested on plain lists.

#include <cstdint>

namespace adapter {
inline constexpr std::uint16_t VendorId = 0x04D8;
inline constexpr std::uint16_t ProductId = 0x0300;
inline constexpr int Configuration = 1;
}  // namespace adapter

struct UsbDeviceId {
    std::uint16_t vendor = 0;
    std::uint16_t product = 0;
};

// NoPermission: found, but the user may not use it. InUse: another program
// holds the adapter's lock (see device/adapter_lock.h). OtherAdapter: the
// adapter opened before was lost, and only adapters that may not stand in for
// it are there (see pickAdapter in device/adapter_list.h). NodeMissing: the
// bus lists the adapter, but its device node is not there: it was unplugged
// since the bus was walked, or /dev/bus/usb is not there at all (a
// container without it).
enum class OpenStatus { NotFound, NoPermission, InUse, Opened, OtherAdapter, NodeMissing };

// Judges usb_open and usb_set_configuration. libusb 0.1 opens a node that the
// user may only read (or not open at all) without complaint; selecting the
// configuration then fails with -EPERM, -EACCES or -EBADF. Any other result of
// the configuration call is left unjudged.
OpenStatus judgeOpen(bool handleIsNull, int setConfigurationResult);
