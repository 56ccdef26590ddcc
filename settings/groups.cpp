#include "settings/groups.h"

#include "device/vendor_link.h"
#include "settings/rules.h"

#include <algorithm>

namespace settings {

void readGroup(VendorLink& link, Group group, const StartUp& startUp, Snapshot& into)
{
    switch (group) {
    case Group::Basic: into.basic = openBasic(link).read.values; break;
    case Group::Repeater: into.repeater = readRepeater(link); break;
    case Group::SlowData: into.slowData = readSlowData(link, ZeroForm::Write); break;
    case Group::Beacon: into.beacon = readBeacon(link, ZeroForm::Read); break;
    case Group::SerialPort:
        // A failed baud rate read leaves every value of the group unread.
        into.serialPort = startUp.serialPort.values;
        break;
    }
}

BasicValues writableBasic(BasicValues wanted, const BasicFeatures& features, const std::optional<BasicValues>& held,
                          bool exact)
{
    if (!features.squelch) wanted.squelchLevel.reset();
    if (!features.jitterBuffer) wanted.jitterBuffer.reset();
    if (exact) return wanted;
    // A number beyond the dialog's range is refused by its Save, and so is
    // an S/N squelch level of 0 with COS check off, together with that COS
    // check: none of them is written.
    const auto withinRange = [](auto& value, const NumberRule& rule) {
        if (value && rule.shown(*value) > rule.max) value.reset();
    };
    withinRange(wanted.delayTime, rule::DelayTime);
    withinRange(wanted.timeOut, rule::TimeOut);
    withinRange(wanted.keepAlive, rule::KeepAlive);
    withinRange(wanted.resyncErrorBits, rule::ResyncErrorBits);
    withinRange(wanted.lastFrameErrorBits, rule::LastFrameErrorBits);
    withinRange(wanted.squelchLevel, rule::SquelchLevel);
    withinRange(wanted.jitterBuffer, rule::JitterBuffer);
    const std::optional<SquelchPair> heldPair = held ? std::optional(squelchPairOf(*held)) : std::nullopt;
    if (judgeSquelchPair(squelchPairOf(wanted), heldPair) != SquelchVerdict::Written) {
        wanted.squelchLevel.reset();
        wanted.cosCheck.reset();
    }
    return wanted;
}

SquelchPair squelchPairOf(const BasicValues& values)
{
    return {values.squelchLevel, values.cosCheck};
}

RepeaterValues writableRepeater(RepeaterValues wanted, std::optional<std::uint8_t> heldFlagByte)
{
    if (!wanted.flagByte) return wanted;
    if (!heldFlagByte) {
        wanted.flagByte.reset();
        return wanted;
    }
    wanted.flagByte = static_cast<std::uint8_t>((*wanted.flagByte & ~FixedFlagBits) | (*heldFlagByte & FixedFlagBits));
    return wanted;
}

SerialPortValues writableSerialPort(SerialPortValues wanted)
{
    auto hasButton = [](std::optional<std::uint8_t> code, const auto& codes) {
        return code && std::find(std::begin(codes), std::end(codes), *code) != std::end(codes);
    };
    if (!hasButton(wanted.baudCode, BaudCodes)) wanted.baudCode.reset();
    if (!hasButton(wanted.modeCode, ModeCodes)) wanted.modeCode.reset();
    if (wanted.gpsBits) wanted.gpsBits = static_cast<std::uint8_t>(*wanted.gpsBits & GpsBitsMask);
    return wanted;
}

GroupSave saveGroup(VendorLink& link, const Pause& pause, Group group, const Snapshot& values, Snapshot& readBack)
{
    GroupSave result;
    switch (group) {
    case Group::Basic: {
        const BasicRead read = saveBasic(link, pause, *values.basic);
        readBack.basic = read.values;
        result.basic = read.features;
        break;
    }
    case Group::Repeater: readBack.repeater = saveRepeater(link, pause, *values.repeater); break;
    case Group::SlowData: readBack.slowData = saveSlowData(link, pause, *values.slowData); break;
    case Group::Beacon: readBack.beacon = saveBeacon(link, pause, *values.beacon); break;
    case Group::SerialPort: {
        const SerialPortSave save = saveSerialPort(link, pause, *values.serialPort);
        result.refused = save.baudRefused;
        readBack.serialPort = save.readBack;
        break;
    }
    }
    return result;
}

}  // namespace settings
