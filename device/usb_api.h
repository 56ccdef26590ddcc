#pragma once
// The libusb 0.1 calls of the bus walk and the transport, the same on every
// system: on Linux the system's libusb (libusb-compat-0.1), on Windows
// libusb-win32's libusb0.dll, loaded at run time (device/usb_library.h),
// whose structures device/libusb0_windows.h declares.

#ifdef _WIN32
#include "device/libusb0_windows.h"

// Each loads the library first (loadUsbLibrary), and throws
// UsbLibraryMissing when it cannot.
void usb_init();
int usb_find_busses();
int usb_find_devices();
usb_bus* usb_get_busses();
usb_dev_handle* usb_open(usb_device* device);
int usb_close(usb_dev_handle* handle);
int usb_set_configuration(usb_dev_handle* handle, int configuration);
int usb_control_msg(usb_dev_handle* handle, int requestType, int request, int value, int index, char* bytes, int size,
                    int timeoutMs);
#else
#include <usb.h>
#endif
