#include "device/usb_transport.h"

#include <usb.h>

int UsbTransport::controlRequest(std::uint8_t requestType, std::uint8_t request,
                                 std::uint16_t value, std::uint16_t index, std::uint8_t* data,
                                 int length, int timeoutMs)
{
    return usb_control_msg(handle_, requestType, request, value, index,
                           reinterpret_cast<char*>(data), length, timeoutMs);
}

OpenResult OpenDevice()
{
    usb_init();
    usb_find_busses();
    usb_find_devices();

    // Gather the identities in libusb's order so that the choice itself is
    // the same pure decision the tests exercise.
    std::vector<std::vector<UsbDeviceId>> ids;
    std::vector<std::vector<struct usb_device*>> devices;
    for (struct usb_bus* bus = usb_get_busses(); bus != nullptr; bus = bus->next) {
        ids.emplace_back();
        devices.emplace_back();
        for (struct usb_device* dev = bus->devices; dev != nullptr; dev = dev->next) {
            ids.back().push_back({dev->descriptor.idVendor, dev->descriptor.idProduct});
            devices.back().push_back(dev);
        }
    }

    const auto position = findAdapter(ids);
    if (!position) return {};

    usb_dev_handle* handle = usb_open(devices[position->bus][position->device]);
    const int configured =
        handle != nullptr ? usb_set_configuration(handle, adapter::Configuration) : 0;
    const OpenStatus status = judgeOpen(handle == nullptr, configured);
    return {status, status == OpenStatus::Opened ? handle : nullptr};
}
