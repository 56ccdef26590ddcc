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
    // Holds `lock` for as long as the transport lives.
    explicit UsbTransport(usb_dev_handle* handle, AdapterLock lock = {})
        : handle_(handle), lock_(std::move(lock))
    {
    }
    int controlRequest(std::uint8_t requestType, std::uint8_t request, std::uint16_t value,
                       std::uint16_t index, std::uint8_t* data, int length,
                       int timeoutMs) override;

private:
    usb_dev_handle* handle_;
    AdapterLock lock_;
};

struct OpenResult {
    OpenStatus status = OpenStatus::NotFound;
    // The open handle when status is Opened. It is never closed: the process
    // end releases it.
    usb_dev_handle* handle = nullptr;
    AdapterLock lock;    // held when status is Opened
    std::string node;    // the adapter's device node, once one was found
    std::string holder;  // when status is InUse: who holds it, if that is known
};

// Every adapter on the USB buses, in bus order and then device order.
std::vector<AdapterNode> ListAdapters();

// Walks the USB buses for the adapter at `address`, or for the first one in
// bus order, locks its node, opens it and selects configuration 1. No
// interface is claimed. An adapter that another program holds is neither
// opened nor sent anything.
OpenResult OpenDevice(std::optional<AdapterAddress> address = std::nullopt);

// The opener of the adapter at `address`, or of the first one in bus order,
// for the program and for AdapterConnection's return after a loss.
AdapterOpener usbAdapterOpener(std::optional<AdapterAddress> address = std::nullopt);
