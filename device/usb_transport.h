#pragma once
// The adapter reached through the libusb 0.1 API.

#include "device/adapter_connection.h"
#include "device/adapter_list.h"
#include "device/transport.h"

#include <optional>
#include <vector>

struct usb_dev_handle;

class UsbTransport final : public Transport {
public:
    explicit UsbTransport(usb_dev_handle* handle) : handle_(handle) {}
    int controlRequest(std::uint8_t requestType, std::uint8_t request, std::uint16_t value,
                       std::uint16_t index, std::uint8_t* data, int length,
                       int timeoutMs) override;

private:
    usb_dev_handle* handle_;
};

struct OpenResult {
    OpenStatus status = OpenStatus::NotFound;
    // The open handle when status is Opened. It is never closed: the process
    // end releases it.
    usb_dev_handle* handle = nullptr;
};

// Every adapter on the USB buses, in bus order and then device order.
std::vector<AdapterNode> ListAdapters();

// Walks the USB buses for the adapter at `address`, or for the first one in
// bus order, opens it and selects configuration 1. No interface is claimed.
OpenResult OpenDevice(std::optional<AdapterAddress> address = std::nullopt);

// The opener of the adapter at `address`, or of the first one in bus order,
// for the program and for AdapterConnection's return after a loss.
AdapterOpener usbAdapterOpener(std::optional<AdapterAddress> address = std::nullopt);
