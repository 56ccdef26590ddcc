#include "settings/start_up.h"

#include "device/commands.h"
#include "device/vendor_link.h"

namespace settings {

MenuProbes probeMenu(VendorLink& link)
{
    MenuProbes probes;
    probes.serialPort = link.probe(cmd::ReadSerialMode, 1);
    probes.slowData = link.probe(cmd::ReadStatusBlock, 3);
    probes.beacon = link.probe(cmd::ReadBeaconInterval, 1);
    return probes;
}

MenuProbes probeOptionalDialogs(VendorLink& link)
{
    MenuProbes probes;
    probes.slowData = link.probe(cmd::ReadStatusBlock, 3);
    probes.beacon = link.probe(cmd::ReadBeaconInterval, 1);
    probes.serialPort = link.probe(cmd::ReadSerialMode, 1);
    return probes;
}

StartUp startUp(VendorLink& link)
{
    StartUp result;
    probeMenu(link);
    result.features.basic = probeBasic(link).features;
    const MenuProbes dialogs = probeOptionalDialogs(link);
    result.features.slowData = dialogs.slowData;
    result.features.beacon = dialogs.beacon;
    result.features.serialPort = dialogs.serialPort;
    if (dialogs.serialPort) result.serialPort = readSerialPort(link);
    return result;
}

}  // namespace settings
