#pragma once
// Every adapter on the USB buses, and the choice of the one to open. Kept
// apart from libusb so that the decisions can be tested on plain lists.

#include "device/bus_walk.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Where a device sits: its bus number and its device number on that bus.
struct AdapterAddress {
    int bus = 0;
    int device = 0;
    bool operator==(const AdapterAddress&) const = default;
};

// One device as the libusb 0.1 bus walk lists it.
struct SeenDevice {
    std::string busName;     // the bus's folder name, "001"
    std::string deviceName;  // the device's file name, "007"
    UsbDeviceId id;
};

// An adapter found by the walk.
struct AdapterNode {
    std::size_t index = 0;  // its place in the walk's list
    AdapterAddress address;
    std::string path;    // its device node, "/dev/bus/usb/001/007"
    std::string port{};  // its USB port path, "1-1.2"; empty when not known
    bool operator==(const AdapterNode&) const = default;
};

// The adapter a user names: by BUS:DEVICE, or by its USB port path, which
// stays the same when the adapter is plugged in again at the same socket.
struct AdapterChoice {
    AdapterChoice(AdapterAddress address) : address(address) {}
    explicit AdapterChoice(std::string port) : port(std::move(port)) {}

    std::optional<AdapterAddress> address;
    std::string port;  // when no address is given

    bool names(const AdapterNode& node) const;
    // The choice of an adapter already found: its port, or where the port
    // is not known, its address.
    static AdapterChoice of(const AdapterNode& node);
};

// Every device with the adapter's vendor and product IDs, in the walk's
// order: bus by bus, and device by device within a bus.
std::vector<AdapterNode> adaptersAmong(const std::vector<SeenDevice>& devices);

// The adapter `choice` names, or the first one in bus order when there is
// no choice. Nothing when there is no such adapter.
std::optional<AdapterNode> chooseAdapter(const std::vector<AdapterNode>& adapters,
                                         const std::optional<AdapterChoice>& choice);

// What a walk lets the program take.
struct AdapterPick {
    std::optional<AdapterNode> node;  // the adapter to open
    // No adapter may be taken although some are there: the adapter that was
    // opened before is not among them, and it is not the only one ever seen.
    bool othersOnly = false;
};

// The adapter to take from one walk's `adapters`. Before any adapter was
// opened, it is chooseAdapter's for `choice`. After the adapter `opened` was
// lost, it is only the adapter at the same port path, or, when the user made
// no `choice` and no walk ever found more than one adapter (`mostSeen`, this
// walk counted), the one adapter there.
AdapterPick pickAdapter(const std::vector<AdapterNode>& adapters, const std::optional<AdapterChoice>& choice,
                        const std::optional<AdapterNode>& opened, std::size_t mostSeen);

// "BUS:DEVICE" in decimal, as `lsusb` shows them ("1:7" or "001:007").
std::optional<AdapterAddress> parseAdapterAddress(std::string_view text);
// BUS:DEVICE, or a USB port path as sysfs names it: the bus, a '-' and the
// ports from the root hub on, joined by '.' ("1-1.2"), up to 7 of them.
std::optional<AdapterChoice> parseAdapterChoice(std::string_view text);
