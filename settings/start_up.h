#pragma once
// What the program asks the adapter when it starts, before any group is
// shown: which optional features the firmware has. The desktop program sends
// these requests as it builds its windows; the command line sends the same
// ones in the same order, so the firmware sees nothing new.

#include "settings/basic.h"
#include "settings/serial_port.h"

class VendorLink;

namespace settings {

// The main window's menu probes: 0xB3, 0xAF, 0x59.
struct MenuProbes {
    bool serialPort = false;
    bool slowData = false;
    bool beacon = false;
};
MenuProbes probeMenu(VendorLink& link);

// The probes that decide which optional dialogs exist: 0xAF, 0x59, 0xB3.
MenuProbes probeOptionalDialogs(VendorLink& link);

struct Features {
    bool slowData = false;
    bool beacon = false;
    bool serialPort = false;
    BasicFeatures basic;
};

struct StartUp {
    Features features;
    // The serial port group, read as its dialog is built (when it exists).
    SerialPortRead serialPort;
};

// The whole start-up: the menu probes, the basic settings probes, the
// optional dialogs' probes and the serial port group's read.
StartUp startUp(VendorLink& link);

}  // namespace settings
