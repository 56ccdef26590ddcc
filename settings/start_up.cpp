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
    result.menu = probeMenu(link);
    result.basicProbe = probeBasic(link, &result.squelchFirstAnswer);
    result.dialogs = probeOptionalDialogs(link);
    result.features.basic = result.basicProbe.features;
    result.features.slowData = result.dialogs.slowData;
    result.features.beacon = result.dialogs.beacon;
    result.features.serialPort = result.dialogs.serialPort;
    if (result.dialogs.serialPort) result.serialPort = readSerialPort(link);
    return result;
}

Features probeFeatures(VendorLink& link)
{
    probeMenu(link);
    Features features;
    features.basic = probeBasic(link).features;
    const MenuProbes dialogs = probeOptionalDialogs(link);
    features.slowData = dialogs.slowData;
    features.beacon = dialogs.beacon;
    features.serialPort = dialogs.serialPort;
    return features;
}

}  // namespace settings
