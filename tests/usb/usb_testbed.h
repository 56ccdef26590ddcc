#pragma once
// Emulated USB devices for the system's unmodified libusb 0.1, through
// umockdev. Each device is a node /dev/bus/usb/BBB/DDD in a umockdev testbed:
// the node file holds the device and configuration descriptors that libusb
// reads during its bus scan, and the node's ioctls are answered here the way
// the kernel's usbfs answers them. The control requests reach an
// emu::Emulator, so the adapter has one model for every test.
//
// The code under test must run with libumockdev-preload.so loaded (see
// usb_main.cpp) and with UMOCKDEV_DIR pointing at the testbed (set in this
// process by the constructor, passed to a child through environment()).

#include "emulator/emulator.h"

#include <sys/types.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace usbtest {

// One ioctl that libusb sent to a device node.
struct NodeIoctl {
    enum class Kind { ConnectInfo, HubQuery, SetConfiguration, Control, Other };
    Kind kind = Kind::Other;
    int configuration = 0;  // for SetConfiguration
};

struct NodeIdentity {
    int bus = 1;
    int address = 2;
    std::uint16_t vendor = 0x04D8;
    std::uint16_t product = 0x0300;
};

// Why umockdev cannot serve this process, or an empty text when it can.
std::string unavailableReason();

// LD_PRELOAD for a process that runs over a testbed: a sanitizer runtime
// loaded into this process has to come first, then the umockdev library.
std::string preloadList();

class UsbTestbed {
public:
    UsbTestbed();
    ~UsbTestbed();
    UsbTestbed(const UsbTestbed&) = delete;
    UsbTestbed& operator=(const UsbTestbed&) = delete;

    // Adds a device node. Its control requests go to `emulator` (which must
    // outlive the testbed); without one, every control request stalls.
    // Returns the device's number for the other calls.
    int addDevice(const NodeIdentity& identity, emu::Emulator* emulator);
    // Unplugs a device: its node is gone from the bus folder, so the next
    // bus scan no longer lists it. addDevice plugs it in again, at the same
    // or another address, as a new device number.
    void removeDevice(int device);

    // "/dev/bus/usb/BBB/DDD", as libusb names it.
    std::string devName(int device) const;
    void setMode(int device, mode_t mode);
    // The node may no longer be opened by anyone once libusb has finished its
    // bus scan (its last scan step is the hub query): a device whose
    // permissions change between the scan and the open.
    void lockAfterScan(int device);

    // The process whose open descriptors decide read-only access (usbfs
    // refuses every ioctl on a descriptor opened read-only); this process
    // by default.
    void setClient(pid_t pid);

    std::vector<NodeIoctl> ioctls(int device) const;
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

// Drops the calling thread's DAC override capabilities for its lifetime, so
// that a test run as root meets node modes as a user does. The testbed's
// ioctl handler runs on another thread and keeps its capabilities.
class ModesTakeEffect {
public:
    ModesTakeEffect();
    ~ModesTakeEffect();
    ModesTakeEffect(const ModesTakeEffect&) = delete;
    ModesTakeEffect& operator=(const ModesTakeEffect&) = delete;
    bool usable() const;

private:
    std::uint32_t saved_[6] = {};  // two capability data blocks
    bool dropped_ = false;
};

}  // namespace usbtest
