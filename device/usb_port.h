#pragma once
// Where an adapter is plugged in: its USB port path, the name the kernel
// gives the device's folder in sysfs ("1-1.2": bus 1, port 1 of the root hub,
// port 2 of the hub there). Unlike BUS:DEVICE, which changes at every
// re-plug, the port path names the same socket again.

#include "device/adapter_list.h"

#include <string>
#include <utility>

// The name of the folder under `root`/sys/bus/usb/devices whose busnum and
// devnum are those of `address`; empty when there is none (or sysfs cannot
// be read). `root` is put before the path, for tests on a scratch folder.
std::string usbPortPath(const std::string& root, AdapterAddress address);

// The device's node as the system names it: "/dev/bus/usb/001/007" on
// Linux; on Windows, where libusb-win32 has no nodes, the device name it
// gives ("\\.\libusb0-0001--0x04d8-0x0300").
std::string deviceNodeOf(const SeenDevice& device);
// The bus and device numbers in the walk's names, as decimal text: "001"
// and "007" on Linux; on Windows "0" and "1" from "bus-0" and
// "\\.\libusb0-0001--0x04d8-0x0300". Empty where a name has none.
std::pair<std::string, std::string> addressTextOf(const SeenDevice& device);
