#include "settings/repeater.h"

#include "device/commands.h"
#include "device/encodings.h"
#include "device/vendor_link.h"

#include <algorithm>
#include <span>

namespace settings {

const std::array<CallSignField, CallSignCount> CallSignFields = {{
    {cmd::ReadMyRepeaterCall, cmd::WriteMyRepeaterCall, 8},
    {cmd::ReadAltMyCall, cmd::WriteAltMyCall, 8},
    {cmd::ReadAltMyCall2, cmd::WriteAltMyCall2, 4},
    {cmd::ReadAltYourCall, cmd::WriteAltYourCall, 8},
    {cmd::ReadAltRpt1Call, cmd::WriteAltRpt1Call, 8},
    {cmd::ReadAltRpt2Call, cmd::WriteAltRpt2Call, 8},
}};

// 0x99 comes last, just before the flag byte.
const std::array<SwitchField, SwitchCount> SwitchFields = {{
    {cmd::WriteCallCheck, 0, status_bit::CallCheck},
    {cmd::WriteDupCheck, 0, status_bit::DupCheck},
    {cmd::WriteDupClear, 0, status_bit::DupClear},
    {cmd::WriteReplaceMyCall, 0, status_bit::ReplaceMyCall},
    {cmd::WriteReplaceMyCall2, 0, status_bit::ReplaceMyCall2},
    {cmd::WriteReplaceYourCall, 0, status_bit::ReplaceYourCall},
    {cmd::WriteReplaceRpt1Call, 0, status_bit::ReplaceRpt1},
    {cmd::WriteReplaceRpt2Call, 0, status_bit::ReplaceRpt2},
    {cmd::WriteReplaceFlag, 1, status_bit::ReplaceFlag},
}};

namespace {

constexpr int StatusBlockSize = 3;

// One transfer buffer per action: the widest field plus the NUL after it.
using Buffer = std::array<std::uint8_t, 9>;

std::optional<std::string> readCallSign(VendorLink& link, const CallSignField& field, Buffer& buffer)
{
    if (!link.readAll(field.readCode, buffer.data(), field.width)) return std::nullopt;
    buffer[static_cast<std::size_t>(field.width)] = 0;
    return enc::textUpToNul(std::span(buffer).first(static_cast<std::size_t>(field.width)));
}

void readStatus(VendorLink& link, RepeaterValues& values)
{
    Buffer buffer = {};
    if (!link.readAll(cmd::ReadStatusBlock, buffer.data(), StatusBlockSize)) {
        values.switches = {};
        values.flagByte.reset();
        return;
    }
    for (std::size_t i = 0; i < SwitchCount; ++i) {
        const SwitchField& sw = SwitchFields[i];
        values.switches[i] = (buffer[static_cast<std::size_t>(sw.statusByte)] & sw.mask) != 0;
    }
    values.flagByte = buffer[2];
}

}  // namespace

RepeaterValues readRepeater(VendorLink& link)
{
    RepeaterValues values;
    readStatus(link, values);
    for (std::size_t i = 0; i < CallSignCount; ++i) {
        Buffer buffer = {};
        values.callSigns[i] = readCallSign(link, CallSignFields[i], buffer);
    }
    return values;
}

RepeaterValues saveRepeater(VendorLink& link, const Pause& pause, const RepeaterValues& values)
{
    RepeaterValues readBack;
    Buffer buffer = {};
    for (std::size_t i = 0; i < CallSignCount; ++i) {
        const CallSignField& field = CallSignFields[i];
        if (!values.callSigns[i]) continue;
        const auto bytes = enc::callSignField(*values.callSigns[i], static_cast<std::size_t>(field.width));
        std::copy(bytes.begin(), bytes.end(), buffer.begin());
        link.VendorWriteData(field.writeCode, buffer.data(), field.width);
        pause(pause_ms::CallSignReadBack);
        readBack.callSigns[i] = readCallSign(link, field, buffer);
    }
    for (std::size_t i = 0; i < SwitchCount; ++i)
        if (values.switches[i]) link.VendorWriteValue(SwitchFields[i].writeCode, *values.switches[i] ? 1 : 0);
    if (values.flagByte) link.VendorWriteValue(cmd::WriteAltFlagByte, *values.flagByte);

    pause(pause_ms::BeforeReadBack);
    readStatus(link, readBack);
    return readBack;
}

}  // namespace settings
