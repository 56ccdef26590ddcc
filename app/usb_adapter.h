#pragma once
// Opens the adapter on the USB buses for the program.

#include "app/run.h"
#include "device/usb_transport.h"

inline AdapterAccess openUsbAdapter()
{
    const OpenResult opened = OpenDevice();
    AdapterAccess access;
    access.status = opened.status;
    if (opened.status == OpenStatus::Opened)
        access.transport = std::make_unique<UsbTransport>(opened.handle);
    return access;
}
