#include "device/usb_transport.h"

#include "device/usb_api.h"
#include "device/usb_port.h"

#include <cstring>
#include <string>
#include <utility>

UsbTransport::~UsbTransport()
{
    if (handle_ != nullptr) usb_close(handle_);
}

int UsbTransport::controlRequest(std::uint8_t requestType, std::uint8_t request, std::uint16_t value,
                                 std::uint16_t index, std::uint8_t* data, int length, int timeoutMs)
{
    return usb_control_msg(handle_, requestType, request, value, index, reinterpret_cast<char*>(data), length,
                           timeoutMs);
}

namespace {

// A name the library keeps in a fixed array: up to its first NUL, and never
// past the array's end.
template <std::size_t Size>
std::string nameIn(const char (&field)[Size])
{
    return {field, strnlen(field, Size)};
}

// Every device on the buses after a fresh scan, in libusb's order, with what
// the pure decisions need to know of each. The device records stay valid
// until the next scan.
struct BusScan {
    std::vector<struct usb_device*> devices;
    std::vector<SeenDevice> seen;
};

BusScan scanBuses()
{
    usb_init();
    usb_find_busses();
    usb_find_devices();
    BusScan scan;
    for (struct usb_bus* bus = usb_get_busses(); bus != nullptr; bus = bus->next) {
        for (struct usb_device* dev = bus->devices; dev != nullptr; dev = dev->next) {
            scan.devices.push_back(dev);
            scan.seen.push_back(
                {nameIn(bus->dirname), nameIn(dev->filename), {dev->descriptor.idVendor, dev->descriptor.idProduct}});
        }
    }
    return scan;
}

// Locks the adapter's node, opens it and selects its configuration.
AdapterAccess openNode(struct usb_device* device, const AdapterNode& chosen)
{
    AdapterAccess result;
    result.node = chosen.path;
    // The lock comes first: selecting the configuration sends a request to
    // the adapter, which must not reach one that another program is using. A
    // node that is there but cannot even be read is one the user may not use.
    LockAttempt lock = lockAdapterNode(chosen.path);
    if (lock.outcome != LockAttempt::Outcome::Taken) {
        using Outcome = LockAttempt::Outcome;
        result.status = lock.outcome == Outcome::InUse     ? OpenStatus::InUse
                        : lock.outcome == Outcome::Missing ? OpenStatus::NodeMissing
                                                           : OpenStatus::NoPermission;
        result.holder = std::move(lock.holder);
        return result;
    }

    usb_dev_handle* handle = usb_open(device);
    const int configured = handle != nullptr ? usb_set_configuration(handle, adapter::Configuration) : 0;
    result.status = judgeOpen(handle == nullptr, configured);
    if (result.status == OpenStatus::Opened)
        result.transport = std::make_unique<UsbTransport>(handle, std::move(lock.lock));
    else if (handle != nullptr) usb_close(handle);
    return result;
}

AdapterWalk scanWalk()
{
    auto scan = std::make_shared<BusScan>(scanBuses());
    AdapterWalk walk{adaptersAmong(scan->seen), {}};
    for (AdapterNode& node : walk.adapters) node.port = usbPortPath({}, node.address);
    walk.open = [scan](const AdapterNode& node) { return openNode(scan->devices.at(node.index), node); };
    walk.holder = [](const AdapterNode& node) -> std::optional<AdapterHolder> {
        LockAttempt attempt = lockAdapterNode(node.path);
        if (attempt.outcome != LockAttempt::Outcome::InUse) return std::nullopt;
        return std::move(attempt.holder);
    };
    return walk;
}

}  // namespace

AdapterWalk usbWalk()
{
    // One memory for the process: every walk of the bus counts.
    static const std::function<AdapterWalk()> walk = rememberingWalk(scanWalk);
    return walk();
}

std::vector<AdapterNode> listAdapters()
{
    return usbWalk().adapters;
}

AdapterAccess OpenDevice(const std::optional<AdapterChoice>& choice)
{
    const AdapterWalk walk = usbWalk();
    const auto chosen = chooseAdapter(walk.adapters, choice);
    return chosen ? walk.open(*chosen) : AdapterAccess{};
}

AdapterOpener usbAdapterOpener(std::optional<AdapterChoice> choice)
{
    return trackingOpener(usbWalk, std::move(choice));
}
