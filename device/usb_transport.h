#pragma once
// The adapter reached through the libusb 0.1 API.

#include "device/adapter_connection.h"
#include "device/adapter_list.h"
#include "device/adapter_lock.h"
#include "device/transport.h"

#include <optional>
#include <string>
#include <vector>

struct usb_dev_handle;

class UsbTransport final : public Transport {
public:
    // Owns `handle` and holds `lock` for as long as the transport lives.
    explicit UsbTransport(usb_dev_handle* handle, AdapterLock lock = {}) : handle_(handle), lock_(std::move(lock)) {}
    // Closes the handle with usb_close, then gives up the lock (the member
    // that goes last), so that no other program opens the adapter while this
    // handle is still open.
    ~UsbTransport() override;
    UsbTransport(const UsbTransport&) = delete;
    UsbTransport& operator=(const UsbTransport&) = delete;
    int controlRequest(std::uint8_t requestType, std::uint8_t request, std::uint16_t value, std::uint16_t index,
                       std::uint8_t* data, int length, int timeoutMs) override;

private:
    usb_dev_handle* handle_;
    AdapterLock lock_;
};

// Every adapter on the USB buses, in bus order and then device order, with
// its port path.
std::vector<AdapterNode> ListAdapters();

// The walk of the USB buses that trackingOpener takes adapters from.
AdapterWalk usbWalk();

// Walks the USB buses for the adapter `choice` names, or for the first one in
// bus order, locks its node, opens it and selects configuration 1. No
// interface is claimed. An adapter that another program holds is neither
// opened nor sent anything. When opened, the access's transport owns the
// handle and the lock.
AdapterAccess OpenDevice(const std::optional<AdapterChoice>& choice = std::nullopt);

// The opener of the program and of AdapterConnection's return after a loss:
// the tracking opener over the USB buses, which takes the adapter at
// `choice` names, or the first one in bus order, and after a loss only that one.
AdapterOpener usbAdapterOpener(std::optional<AdapterChoice> choice = std::nullopt);
