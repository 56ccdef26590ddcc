#include "settings/basic.h"

#include "device/commands.h"
#include "device/encodings.h"
#include "device/vendor_link.h"

namespace settings {
namespace {

std::optional<bool> bit(std::optional<std::uint8_t> byte, std::uint8_t mask)
{
    if (!byte) return std::nullopt;
    return (*byte & mask) != 0;
}

// The squelch read: the level when both bytes arrive.
std::optional<std::uint16_t> readSquelch(VendorLink& link, bool& answered)
{
    std::uint8_t bytes[2] = {};
    const int result = link.VendorRead(cmd::ReadSquelchLevel, bytes, 2);
    answered = result >= 0;
    if (result != 2) return std::nullopt;
    return static_cast<std::uint16_t>(enc::squelchLevel(bytes[0], bytes[1]));
}

std::optional<std::uint8_t> readJitter(VendorLink& link, bool& answered)
{
    std::uint8_t byte = 0;
    const int result = link.VendorRead(cmd::ReadJitterBuffer, &byte, 1);
    answered = result >= 0;
    if (result != 1) return std::nullopt;
    return byte;
}

}  // namespace

BasicRead probeBasic(VendorLink& link, bool* firstSquelchAnswer)
{
    BasicRead read;
    read.values.squelchLevel = readSquelch(link, read.features.squelch);
    if (firstSquelchAnswer != nullptr) *firstSquelchAnswer = read.features.squelch;
    read.values.squelchLevel = readSquelch(link, read.features.squelch);
    read.values.jitterBuffer = readJitter(link, read.features.jitterBuffer);
    return read;
}

BasicRead readBasic(VendorLink& link)
{
    BasicRead read;
    BasicValues& v = read.values;
    v.delayTime = link.readByte(cmd::ReadDelayTime);
    v.timeOut = link.readByte(cmd::ReadTimeOut);
    v.keepAlive = link.readByte(cmd::ReadKeepAlive);
    v.resyncErrorBits = link.readByte(cmd::ReadResyncErrorBits);
    v.lastFrameErrorBits = link.readByte(cmd::ReadLastFrameErrorBits);

    const auto options = link.readByte(cmd::ReadOptionFlags);
    v.crcCheck = bit(options, option::CrcCheck);
    v.cosCheck = bit(options, option::CosCheck);
    v.lastFrameSend = bit(options, option::LastFrameSend);
    v.halfDuplex = bit(options, option::HalfDuplex);

    v.preBitPattern = link.readByte(cmd::ReadPreBitPattern);
    v.postBitPattern = link.readByte(cmd::ReadPostBitPattern);

    const auto polarity = link.readByte(cmd::ReadPolarityFlags);
    v.txInvert = bit(polarity, polarity::TxInvert);
    v.rxInvert = bit(polarity, polarity::RxInvert);
    v.autoRxDetect = bit(polarity, polarity::AutoRx);

    v.squelchLevel = readSquelch(link, read.features.squelch);
    v.jitterBuffer = readJitter(link, read.features.jitterBuffer);
    return read;
}

BasicOpening openBasic(VendorLink& link)
{
    BasicOpening opening;
    opening.serialPortAnswered = link.probe(cmd::ReadSerialMode, 1);
    opening.read = readBasic(link);
    return opening;
}

BasicRead saveBasic(VendorLink& link, const Pause& pause, const BasicValues& v)
{
    auto write = [&link](std::uint8_t code, const auto& value) {
        if (value) link.VendorWriteValue(code, static_cast<std::uint16_t>(*value));
    };
    write(cmd::WriteDelayTime, v.delayTime);
    write(cmd::WriteTimeOut, v.timeOut);
    write(cmd::WriteResyncErrorBits, v.resyncErrorBits);
    write(cmd::WriteLastFrameErrorBits, v.lastFrameErrorBits);
    write(cmd::WriteKeepAlive, v.keepAlive);
    write(cmd::WriteCrcCheck, v.crcCheck);
    write(cmd::WriteLastFrameSend, v.lastFrameSend);
    write(cmd::WriteDuplex, v.halfDuplex);
    write(cmd::WritePreBitPattern, v.preBitPattern);
    write(cmd::WritePostBitPattern, v.postBitPattern);
    write(cmd::WriteTxInvert, v.txInvert);
    write(cmd::WriteRxInvert, v.rxInvert);
    write(cmd::WriteAutoRxPolarity, v.autoRxDetect);
    write(cmd::WriteCosCheck, v.cosCheck);
    write(cmd::WriteSquelchLevel, v.squelchLevel);
    write(cmd::WriteJitterBuffer, v.jitterBuffer);

    pause(pause_ms::BeforeReadBack);
    return readBasic(link);
}

}  // namespace settings
