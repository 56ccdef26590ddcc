#include "settings/slow_data.h"

#include "device/commands.h"
#include "device/encodings.h"

#include <array>

namespace settings {
namespace {

void readSwitches(VendorLink& link, SlowDataValues& values)
{
    std::array<std::uint8_t, 3> block{};
    if (!link.readAll(cmd::ReadStatusBlock, block.data(), static_cast<int>(block.size()))) {
        values.insertBefore = values.insertAfter = values.digitalCodeInsert = std::nullopt;
        return;
    }
    values.insertBefore = (block[1] & status_bit::SlowDataBefore) != 0;
    values.insertAfter = (block[1] & status_bit::SlowDataAfter) != 0;
    values.digitalCodeInsert = (block[1] & status_bit::DigitalCodeInsert) != 0;
}

void readCodeAndMessage(VendorLink& link, ZeroForm rewindForm, SlowDataValues& values)
{
    values.digitalCode = link.readByte(cmd::ReadDigitalCode);
    std::array<std::uint8_t, enc::MessageBlockSize> message{};
    if (link.readChunked(cmd::RewindSlowDataMessage, rewindForm, cmd::ReadSlowDataMessage, message, enc::Plan20))
        values.message = enc::textUpToNul(message);
    else values.message.reset();
}

}  // namespace

SlowDataValues readSlowData(VendorLink& link, ZeroForm rewindForm)
{
    SlowDataValues values;
    readSwitches(link, values);
    readCodeAndMessage(link, rewindForm, values);
    return values;
}

SlowDataValues saveSlowData(VendorLink& link, const Pause& pause, const SlowDataValues& values)
{
    for (auto [value, code] : {std::pair{values.insertBefore, cmd::WriteSlowDataBefore},
                               std::pair{values.insertAfter, cmd::WriteSlowDataAfter},
                               std::pair{values.digitalCodeInsert, cmd::WriteDigitalCodeInsert}})
        if (value) link.VendorWriteValue(code, *value ? 1 : 0);
    if (values.digitalCode) link.VendorWriteData(cmd::WriteDigitalCode, &*values.digitalCode, 1);
    if (values.message) link.writeChunked(cmd::WriteSlowDataMessage, enc::messageBlock(*values.message), enc::Plan20);

    SlowDataValues readBack;
    readSwitches(link, readBack);
    pause(pause_ms::BeforeReadBack);
    readCodeAndMessage(link, ZeroForm::Read, readBack);
    return readBack;
}

}  // namespace settings
