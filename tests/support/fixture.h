#pragma once
// A fresh emulated adapter, link and recording host, and the windows of a
// whole program built over them.

#include "app/startup.h"
#include "device/adapter_connection.h"
#include "device/vendor_link.h"
#include "emulator/emulator.h"
#include "tests/support/recording_host.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

struct Rig {
    emu::Emulator emulator;
    VendorLink link{emulator};
    RecordingHost host{emulator};
    Context context() { return Context{link, host}; }
    Windows start() { return createWindows(context()); }
};

// As Rig, with the adapter behind an AdapterConnection, as in the program: a
// request to the unplugged adapter ends the flow with AdapterGone, and a bus
// walk finds the emulator while it is plugged in.
struct ConnectedRig {
    emu::Emulator emulator;
    AdapterConnection connection{emu::openEmulated(emulator).transport, [this] { return emu::openEmulated(emulator); }};
    VendorLink link{connection};
    RecordingHost host{emulator};
    Context context() { return Context{link, host, &connection}; }
    Windows start() { return createWindows(context()); }
};

// A compact, comparable picture of one log entry:
//   "R 52 1"            read 0x52 of 1 byte (bmRequestType 0xC0)
//   "V 02 0032"         value write 0x02, wValue 0x0032 (bmRequestType 0x40);
//                       a zero-length write looks the same on the wire: "V E4 0000"
//   "D 46 41 42 20 .."  data write 0x46 with its bytes
//   "Z+ EB"             zero-length request in read form (bmRequestType 0xC0)
//   "P 200"             a pause of 200 ms
// Anything off the conventions (wIndex not 0, time-out not 100, a read with
// a wValue) shows as "?" so that it cannot match.
std::string picture(const emu::LogEntry& entry);
std::vector<std::string> pictures(const std::vector<emu::LogEntry>& log);
