#pragma once
// Windows only: the part of libusb-win32's libusb 0.1 API that the program
// calls, as libusb0.dll offers it to a 64-bit program. The library's header
// is not packaged for the cross-build, so the structures are declared here,
// each as far as the bus walk reads it: the library allocates them and the
// program only follows its pointers, so the fields after the last one read
// need not be known. Every size and offset is held below to the figure
// derived from the documents named beside it; only a run against a real
// libusb0.dll shows that the library its users have keeps to them.
//
// The documents:
//   [USB2]  USB 2.0, section 9.6.1, Table 9-8
//           (Standard Device Descriptor: the fields, their offsets and sizes).
//   [L01]   The libusb 0.1 developer's guide (Johannes Erdfelt,
//           libusb.sourceforge.net/doc): the functions and their arguments,
//           and the walk bus->next, bus->dirname, bus->devices, dev->next,
//           dev->filename, dev->descriptor.idVendor of its examples.
//   [X64]   Microsoft's x64 calling convention and data-type ranges: one
//           calling convention on x64 (__cdecl and __stdcall are accepted and
//           ignored), pointers of 8 bytes, long of 4 bytes (LLP64).
//   [W32]   libusb-win32's published developer header (usb.h, named
//           lusb0_usb.h in its 1.2 releases, in the project's public
//           repository): LIBUSB_PATH_MAX is 512 and the name arrays hold
//           exactly that many characters, unlike the PATH_MAX + 1 of the
//           libusb 0.1 built for Linux; the structures are packed to 1 byte
//           (pshpack1.h); usb_device begins next, prev, filename, bus,
//           descriptor, and usb_bus begins next, prev, dirname, devices.

#include <cstddef>
#include <cstdint>

namespace libusb0 {
// [W32]: the length of the bus and device names, terminator included.
inline constexpr std::size_t PathMax = 512;
}  // namespace libusb0

struct usb_bus;
struct usb_device;
// Pointed to by usb_device, never read: the program selects configuration 1
// without looking at the descriptors of the configurations.
struct usb_config_descriptor;
// The library's open device, only passed back to it [L01].
struct usb_dev_handle;

// [W32]: 1-byte packing for every structure of the library.
#pragma pack(push, 1)

// [USB2] Table 9-8, field by field; [L01] names them alike.
struct usb_device_descriptor {
    std::uint8_t bLength;
    std::uint8_t bDescriptorType;
    std::uint16_t bcdUSB;
    std::uint8_t bDeviceClass;
    std::uint8_t bDeviceSubClass;
    std::uint8_t bDeviceProtocol;
    std::uint8_t bMaxPacketSize0;
    std::uint16_t idVendor;
    std::uint16_t idProduct;
    std::uint16_t bcdDevice;
    std::uint8_t iManufacturer;
    std::uint8_t iProduct;
    std::uint8_t iSerialNumber;
    std::uint8_t bNumConfigurations;
};

// The device list of a bus, as far as the walk reads it [L01], in the
// order of [W32]. The library's structure goes on past `descriptor` (the
// configurations and the driver's own fields).
struct usb_device {
    usb_device* next;
    usb_device* prev;
    char filename[libusb0::PathMax];
    usb_bus* bus;
    usb_device_descriptor descriptor;
};

// A bus, as far as the walk reads it [L01], in the order of [W32]. The
// library's structure goes on past `devices`.
struct usb_bus {
    usb_bus* next;
    usb_bus* prev;
    char dirname[libusb0::PathMax];
    usb_device* devices;
};

#pragma pack(pop)

// [USB2]: 18 bytes; idVendor at offset 8, idProduct at 10.
static_assert(sizeof(usb_device_descriptor) == 18);
static_assert(offsetof(usb_device_descriptor, bcdUSB) == 2);
static_assert(offsetof(usb_device_descriptor, bMaxPacketSize0) == 7);
static_assert(offsetof(usb_device_descriptor, idVendor) == 8);
static_assert(offsetof(usb_device_descriptor, idProduct) == 10);
static_assert(offsetof(usb_device_descriptor, bNumConfigurations) == 17);

// [X64] pointers of 8 bytes, [W32] 512 characters and no padding:
// next 0, prev 8, filename 16, bus 16 + 512 = 528, descriptor 536.
static_assert(sizeof(void*) == 8, "declared for 64-bit Windows");
static_assert(offsetof(usb_device, next) == 0);
static_assert(offsetof(usb_device, prev) == 8);
static_assert(offsetof(usb_device, filename) == 16);
static_assert(sizeof(usb_device::filename) == 512);
static_assert(offsetof(usb_device, bus) == 528);
static_assert(offsetof(usb_device, descriptor) == 536);
static_assert(offsetof(usb_device, descriptor) + offsetof(usb_device_descriptor, idVendor) == 544);
static_assert(offsetof(usb_device, descriptor) + offsetof(usb_device_descriptor, idProduct) == 546);
static_assert(sizeof(usb_device) == 554);

// Likewise: next 0, prev 8, dirname 16, devices 528.
static_assert(offsetof(usb_bus, next) == 0);
static_assert(offsetof(usb_bus, prev) == 8);
static_assert(offsetof(usb_bus, dirname) == 16);
static_assert(sizeof(usb_bus::dirname) == 512);
static_assert(offsetof(usb_bus, devices) == 528);
static_assert(sizeof(usb_bus) == 536);

// The functions, as [L01] gives them; one calling convention on x64 [X64].
namespace libusb0 {
using Init = void (*)();
using FindBusses = int (*)();
using FindDevices = int (*)();
using GetBusses = usb_bus* (*)();
using Open = usb_dev_handle* (*)(usb_device*);
using Close = int (*)(usb_dev_handle*);
using SetConfiguration = int (*)(usb_dev_handle*, int configuration);
using ControlMsg = int (*)(usb_dev_handle*, int requestType, int request, int value, int index, char* bytes, int size,
                           int timeoutMs);
}  // namespace libusb0
