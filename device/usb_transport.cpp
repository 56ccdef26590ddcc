#include "device/usb_transport.h"

#include <usb.h>

int UsbTransport::controlRequest(std::uint8_t requestType, std::uint8_t request,
                                 std::uint16_t value, std::uint16_t index, std::uint8_t* data,
                                 int length, int timeoutMs)
{
    return usb_control_msg(handle_, requestType, request, value, index,
                           reinterpret_cast<char*>(data), length, timeoutMs);
}

namespace {

// Every device on the buses after a fresh scan, in libusb's order, with what
// the pure decisions need to know of each.
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
                {bus->dirname, dev->filename, {dev->descriptor.idVendor, dev->descriptor.idProduct}});
        }
    }
    return scan;
}

}  // namespace

std::vector<AdapterNode> ListAdapters() { return adaptersAmong(scanBuses().seen); }

OpenResult OpenDevice(std::optional<AdapterAddress> address)
{
    const BusScan scan = scanBuses();
    const auto chosen = chooseAdapter(adaptersAmong(scan.seen), address);
    if (!chosen) return {};

    usb_dev_handle* handle = usb_open(scan.devices[chosen->index]);
    const int configured =
        handle != nullptr ? usb_set_configuration(handle, adapter::Configuration) : 0;
    const OpenStatus status = judgeOpen(handle == nullptr, configured);
    return {status, status == OpenStatus::Opened ? handle : nullptr};
}

AdapterOpener usbAdapterOpener(std::optional<AdapterAddress> address)
{
    return [address] {
        const OpenResult opened = OpenDevice(address);
        AdapterAccess access;
        access.status = opened.status;
        if (opened.status == OpenStatus::Opened)
            access.transport = std::make_unique<UsbTransport>(opened.handle);
        return access;
    };
}
