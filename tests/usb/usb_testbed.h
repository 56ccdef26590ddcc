#pragma once
// Emulated USB devices for the system's unmodified libusb 0.1, through
// umockdev. Each device is a node /dev/bus/usb/BBB/DDD in a umockdev testbed:
// the node file holds the descriptors that libusb reads during its bus scan,
// and the node's ioctls are answered here the way the kernel's usbfs answers
// them, the control requests by an emu::Emulator.
//
// The code under test must run with libumockdev-preload.so loaded (see main()
// in usb_testbed.cpp) and with UMOCKDEV_DIR pointing at the testbed (set in
// this process by the constructor, passed to a child through environment()).
//
// On Windows (usb_testbed_windows.cpp) the devices are listed by the
// stand-in libusb0.dll of tests/windows instead, and there are no nodes,
// modes or port paths: only what test_usb_transport calls is there.

#include "emulator/emulator.h"

#include <sys/types.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace usbtest {

struct NodeIdentity {
    int bus = 1;
    int address = 2;
    std::uint16_t vendor = 0x04D8;
    std::uint16_t product = 0x0300;
    // The port path after the bus number ("1.2" for the sysfs folder
    // "B-1.2"); empty: the address stands for it.
    std::string port{};
};

// Why umockdev cannot serve this process, or an empty text when it can.
std::string unavailableReason();

// LD_PRELOAD for a process that runs over a testbed: a sanitizer runtime
// loaded into this process comes first, then the umockdev library.
std::string preloadList();

class UsbTestbed {
public:
    UsbTestbed();
    ~UsbTestbed();  // not copyable: it owns the testbed

    // Adds a device node whose control requests go to `emulator` (which must
    // outlive the testbed). Returns the device's number for the other calls.
    int addDevice(const NodeIdentity& identity, emu::Emulator* emulator);
    // Unplugs a device: its node is gone, so the next bus scan no longer
    // lists it, and a handle still open to it gets ENODEV, as from usbfs.
    // addDevice plugs it in again, at another address (and the same port).
    void removeDevice(int device);

    // The device is pulled out at its n-th control request (from 1): that
    // request and every later one get ENODEV, and its node is gone, all at
    // once. removeDevice finishes the removal.
    void pullOutAtRequest(int device, int n);

    // "/dev/bus/usb/BBB/DDD", as libusb names it.
    std::string devName(int device) const;
    // The device's port path, its folder's name in /sys/bus/usb/devices.
    std::string portPath(int device) const;
    // The node's mode. A node without owner write permission counts as one
    // held read-only, and usbfs refuses every ioctl on such a descriptor.
    void setMode(int device, mode_t mode);
    // The node is gone once libusb has finished its bus scan (its last scan
    // step is the hub query): a device found that cannot be opened.
    void vanishAfterScan(int device);

    // The configurations selected on the device, in order.
    std::vector<int> configurations(int device) const;
    // The emulator's log of the device, taken under the lock that its
    // ioctl handler holds.
    std::vector<emu::LogEntry> log(int device) const;

    // KEY=VALUE entries a child needs to see the testbed.
    std::vector<std::string> environment() const;

    struct Device;  // one node and its ioctl handler

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace usbtest
