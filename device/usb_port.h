#pragma once
// Where an adapter is plugged in: its USB port path, the name the kernel
// gives the device's folder in sysfs ("1-1.2": bus 1, port 1 of the root hub,
// port 2 of the hub there). Unlike BUS:DEVICE, which changes at every
// re-plug, the port path names the same socket again.

#include "device/adapter_list.h"

#include <string>

// The name of the folder under `root`/sys/bus/usb/devices whose busnum and
// devnum are those of `address`; empty when there is none (or sysfs cannot
// be read). `root` is put before the path, for tests on a scratch folder.
std::string usbPortPath(const std::string& root, AdapterAddress address);
