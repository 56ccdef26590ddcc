#include "settings/beacon.h"

#include "device/commands.h"
#include "device/encodings.h"

#include <array>

namespace settings {
namespace {

std::optional<std::string> readMessage(VendorLink& link, ZeroForm rewindForm)
{
    std::array<std::uint8_t, enc::MessageBlockSize> message{};
    if (!link.readChunked(cmd::RewindBeaconMessage, rewindForm, cmd::ReadBeaconMessage, message, enc::Plan20))
        return std::nullopt;
    return enc::textUpToNul(message);
}

}  // namespace

BeaconValues readBeacon(VendorLink& link, ZeroForm rewindForm)
{
    BeaconValues values;
    values.message = readMessage(link, rewindForm);
    values.interval = link.readByte(cmd::ReadBeaconInterval);
    return values;
}

BeaconValues saveBeacon(VendorLink& link, const Pause& pause, const BeaconValues& values)
{
    if (values.interval) link.VendorWriteValue(cmd::WriteBeaconInterval, *values.interval);
    if (values.message) link.writeChunked(cmd::WriteBeaconMessage, enc::messageBlock(*values.message), enc::Plan20);

    pause(pause_ms::BeforeBeaconCommit);
    link.ZeroLength(cmd::BeaconCommit, ZeroForm::Write);
    pause(pause_ms::AfterBeaconCommit);

    BeaconValues readBack;
    readBack.interval = link.readByte(cmd::ReadBeaconInterval);
    readBack.message = readMessage(link, ZeroForm::Read);
    return readBack;
}

}  // namespace settings
