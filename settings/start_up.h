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

    bool operator==(const Features&) const = default;
};

// Everything the firmware answered at start-up, in the order it was asked.
// The serial port, slow data and beacon features are asked twice (first
// for the main menu, then for the optional dialogs) and the S/N squelch
// twice in a row: both answers are kept, and the later one counts.
struct StartUp {
    MenuProbes menu;
    bool squelchFirstAnswer = false;
    // The basic settings dialog's probes: the squelch level and jitter
    // buffer size they brought, and whether each feature answered.
    BasicRead basicProbe;
    MenuProbes dialogs;
    // What the firmware has: the later answers.
    Features features;
    // The serial port group, read as its dialog is built (when it exists).
    SerialPortRead serialPort;
};

// The whole start-up: the menu probes, the basic settings probes, the
// optional dialogs' probes and the serial port group's read.
StartUp startUp(VendorLink& link);

// The feature probes of start-up alone, sent again (the serial port group
// is not read): what the firmware has now.
Features probeFeatures(VendorLink& link);

}  // namespace settings
