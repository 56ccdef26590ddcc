#pragma once
// The adapter reached through the libusb 0.1 API.

#include "device/bus_walk.h"
#include "device/transport.h"

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

// Walks the USB buses for the adapter, opens the first match and selects
// configuration 1. No interface is claimed.
OpenResult OpenDevice();
