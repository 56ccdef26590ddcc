#include "emulator/emulator.h"

#include "device/commands.h"
#include "device/encodings.h"

#include <algorithm>
#include <cstdio>

namespace emu {

namespace {

std::size_t featureIndex(Feature feature)
{
    return static_cast<std::size_t>(feature);
}

void setBit(std::uint8_t& byte, std::uint8_t mask, std::uint16_t value)
{
    byte = static_cast<std::uint8_t>(value != 0 ? (byte | mask) : (byte & ~mask));
}

template <std::size_t N>
int copyOut(const std::array<std::uint8_t, N>& source, std::uint8_t* data, int length)
{
    const int n = std::min<int>(length, static_cast<int>(N));
    std::copy_n(source.begin(), n, data);
    return n;
}

template <std::size_t N>
void copyIn(std::array<std::uint8_t, N>& target, const std::uint8_t* data, int length)
{
    std::copy_n(data, std::min<int>(length, static_cast<int>(N)), target.begin());
}

// A chunk of a long text at the current position; the position advances.
template <std::size_t N>
int readPiece(const std::array<std::uint8_t, N>& text, std::size_t& pos, std::uint8_t* data, int length)
{
    const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(length), N - std::min(pos, N));
    std::copy_n(text.begin() + static_cast<std::ptrdiff_t>(std::min(pos, N)), n, data);
    pos += n;
    return static_cast<int>(n);
}

template <std::size_t N>
int writePiece(std::array<std::uint8_t, N>& text, std::size_t& pos, const std::uint8_t* data, int length)
{
    const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(length), N - std::min(pos, N));
    std::copy_n(data, n, text.begin() + static_cast<std::ptrdiff_t>(std::min(pos, N)));
    pos += n;
    return length;
}

}  // namespace

Emulator::Emulator() = default;

void Emulator::setFeature(Feature feature, bool present)
{
    features_[featureIndex(feature)] = present;
}

bool Emulator::hasFeature(Feature feature) const
{
    return features_[featureIndex(feature)];
}

void Emulator::injectFault(const Fault& fault)
{
    faults_.push_back(fault);
}

void Emulator::injectFaultAt(int requestIndex, FaultKind kind, int shortBytes)
{
    if (kind == FaultKind::Unplug) {
        unplugFrom(requestIndex);
        return;
    }
    indexFaults_.emplace_back(requestIndex, Fault{kind, 0, 0, shortBytes});
}

void Emulator::clearFaults()
{
    faults_.clear();
    indexFaults_.clear();
    seen_.fill(0);
    requestCount_ = 0;
    unplugFrom_ = -1;
}

void Emulator::unplugFrom(int requestIndex)
{
    unplugFrom_ = requestIndex;
}

void Emulator::plugIn()
{
    unplugFrom_ = -1;
    slowReadPos_ = beaconReadPos_ = gpsReadPos_ = 0;
    slowWritePos_ = beaconWritePos_ = gpsWritePos_ = 0;
    versionPos_ = 0;
}

bool Emulator::codeBelongsToMissingFeature(std::uint8_t code) const
{
    switch (code) {
    case cmd::ReadStatusBlock:
    case cmd::WriteSlowDataBefore:
    case cmd::WriteSlowDataAfter:
    case cmd::WriteDigitalCodeInsert:
    case cmd::WriteDigitalCode:
    case cmd::ReadDigitalCode:
    case cmd::WriteSlowDataMessage:
    case cmd::RewindSlowDataMessage:
    case cmd::ReadSlowDataMessage: return !hasFeature(Feature::SlowData);
    case cmd::ReadBeaconInterval:
    case cmd::WriteBeaconInterval:
    case cmd::WriteBeaconMessage:
    case cmd::RewindBeaconMessage:
    case cmd::ReadBeaconMessage: return !hasFeature(Feature::Beacon);
    case cmd::ReadBaudRate:
    case cmd::WriteBaudRate:
    case cmd::ReadSerialMode:
    case cmd::WriteSerialMode:
    case cmd::ReadGpsBits:
    case cmd::WriteGpsBits:
    case cmd::WriteGpsMessage:
    case cmd::RewindGpsMessage:
    case cmd::ReadGpsMessage: return !hasFeature(Feature::SerialPort);
    case cmd::ReadSquelchLevel:
    case cmd::WriteSquelchLevel: return !hasFeature(Feature::Squelch);
    case cmd::ReadJitterBuffer:
    case cmd::WriteJitterBuffer: return !hasFeature(Feature::Jitter);
    default: return false;
    }
}

int Emulator::controlRequest(std::uint8_t requestType, std::uint8_t request, std::uint16_t value, std::uint16_t index,
                             std::uint8_t* data, int length, int timeoutMs)
{
    LogEntry entry = requestEntry(requestType, request, value, index, data, length, timeoutMs);
    const bool isRead = entry.isRead();

    const int ordinal = requestCount_++;
    const int occurrence = ++seen_[request];

    const Fault* fault = nullptr;
    for (const Fault& f : faults_)
        if (f.code == request && f.occurrence == occurrence) fault = &f;
    for (const auto& [at, f] : indexFaults_)
        if (at == ordinal) fault = &f;

    // Pulled out at this request: it and every later one fail.
    if (fault != nullptr && fault->kind == FaultKind::Unplug && unplugFrom_ < 0) unplugFrom_ = ordinal;
    int result = 0;
    if (unplugFrom_ >= 0 && ordinal >= unplugFrom_) {
        result = UnpluggedResult;
    } else if (codeBelongsToMissingFeature(request) || (fault != nullptr && fault->kind == FaultKind::Stall)) {
        result = StallResult;
    } else if (fault != nullptr && fault->kind == FaultKind::Timeout) {
        result = TimeoutResult;
    } else if (isRead) {
        std::uint8_t reply[64] = {};
        result = answerRead(request, reply, std::min(length, 64));
        if (result >= 0 && fault != nullptr && fault->kind == FaultKind::ShortRead)
            result = std::min(result, std::max(0, fault->shortBytes));
        if (result > 0) {
            std::copy_n(reply, result, data);
            entry.data.assign(reply, reply + result);
        }
    } else if (keepsValues_) {
        const AdapterState held = state_;
        result = answerWrite(request, value, data, length);
        state_ = held;
    } else {
        result = answerWrite(request, value, data, length);
    }
    entry.result = result;
    append(std::move(entry));
    return result;
}

int Emulator::answerRead(std::uint8_t code, std::uint8_t* data, int length)
{
    AdapterState& s = state_;
    auto one = [&](std::uint8_t v) {
        if (length > 0) data[0] = v;
        return std::min(length, 1);
    };
    switch (code) {
    case cmd::ReadFirmwareVersion: {
        const std::string& text = s.firmwareVersion;
        const std::size_t start = std::min(versionPos_, text.size());
        const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(length), text.size() - start);
        std::copy_n(text.begin() + static_cast<std::ptrdiff_t>(start), n, data);
        versionPos_ = start + n;
        if (static_cast<int>(n) < length) versionPos_ = 0;  // the text has ended
        return static_cast<int>(n);
    }
    case cmd::ReadStatusBlock: return copyOut(s.status, data, length);
    case cmd::ReadDelayTime: return one(s.delayTime);
    case cmd::ReadTimeOut: return one(s.timeOut);
    case cmd::ReadKeepAlive: return one(s.keepAlive);
    case cmd::ReadResyncErrorBits: return one(s.resyncErrorBits);
    case cmd::ReadLastFrameErrorBits: return one(s.lastFrameErrorBits);
    case cmd::ReadOptionFlags: return one(s.optionFlags);
    case cmd::ReadPreBitPattern: return one(s.preBit);
    case cmd::ReadPostBitPattern: return one(s.postBit);
    case cmd::ReadPolarityFlags: return one(s.polarityFlags);
    case cmd::ReadSquelchLevel: return copyOut(s.squelch, data, length);
    case cmd::ReadJitterBuffer: return one(s.jitterBuffer);
    case cmd::ReadMyRepeaterCall: return copyOut(s.myRepeaterCall, data, length);
    case cmd::ReadAltMyCall: return copyOut(s.altMyCall, data, length);
    case cmd::ReadAltMyCall2: return copyOut(s.altMyCall2, data, length);
    case cmd::ReadAltYourCall: return copyOut(s.altYourCall, data, length);
    case cmd::ReadAltRpt1Call: return copyOut(s.altRpt1Call, data, length);
    case cmd::ReadAltRpt2Call: return copyOut(s.altRpt2Call, data, length);
    case cmd::ReadDigitalCode: return one(s.digitalCode);
    case cmd::ReadSlowDataMessage: return readPiece(s.slowDataMessage, slowReadPos_, data, length);
    case cmd::ReadBeaconInterval: return one(s.beaconInterval);
    case cmd::ReadBeaconMessage: return readPiece(s.beaconMessage, beaconReadPos_, data, length);
    case cmd::ReadBaudRate: return one(s.baudCode);
    case cmd::ReadSerialMode: return one(s.serialMode);
    case cmd::ReadGpsBits: return one(s.gpsBits);
    case cmd::ReadGpsMessage: return readPiece(s.gpsMessage, gpsReadPos_, data, length);
    // Zero-length signals answer in either form.
    case cmd::RewindSlowDataMessage: slowReadPos_ = 0; return 0;
    case cmd::RewindBeaconMessage: beaconReadPos_ = 0; return 0;
    case cmd::RewindGpsMessage: gpsReadPos_ = 0; return 0;
    case cmd::StartTextWrite: slowWritePos_ = beaconWritePos_ = gpsWritePos_ = 0; return 0;
    case cmd::BeaconCommit: return 0;
    default: return StallResult;
    }
}

int Emulator::answerWrite(std::uint8_t code, std::uint16_t value, const std::uint8_t* data, int length)
{
    AdapterState& s = state_;
    const auto low = static_cast<std::uint8_t>(value & 0xFF);
    switch (code) {
    case cmd::WriteDelayTime: s.delayTime = low; return 0;
    case cmd::WriteTimeOut: s.timeOut = low; return 0;
    case cmd::WriteKeepAlive: s.keepAlive = low; return 0;
    case cmd::WriteResyncErrorBits: s.resyncErrorBits = low; return 0;
    case cmd::WriteLastFrameErrorBits: s.lastFrameErrorBits = low; return 0;
    case cmd::WriteCrcCheck: setBit(s.optionFlags, option::CrcCheck, value); return 0;
    case cmd::WriteCosCheck: setBit(s.optionFlags, option::CosCheck, value); return 0;
    case cmd::WriteLastFrameSend: setBit(s.optionFlags, option::LastFrameSend, value); return 0;
    case cmd::WriteDuplex: setBit(s.optionFlags, option::HalfDuplex, value); return 0;
    case cmd::WritePreBitPattern: s.preBit = low; return 0;
    case cmd::WritePostBitPattern: s.postBit = low; return 0;
    case cmd::WriteTxInvert: setBit(s.polarityFlags, polarity::TxInvert, value); return 0;
    case cmd::WriteRxInvert: setBit(s.polarityFlags, polarity::RxInvert, value); return 0;
    case cmd::WriteAutoRxPolarity: setBit(s.polarityFlags, polarity::AutoRx, value); return 0;
    case cmd::WriteSquelchLevel: s.squelch = enc::squelchBytes(value & 0x3FF); return 0;
    case cmd::WriteJitterBuffer: s.jitterBuffer = low; return 0;

    case cmd::WriteMyRepeaterCall: copyIn(s.myRepeaterCall, data, length); return length;
    case cmd::WriteAltMyCall: copyIn(s.altMyCall, data, length); return length;
    case cmd::WriteAltMyCall2: copyIn(s.altMyCall2, data, length); return length;
    case cmd::WriteAltYourCall: copyIn(s.altYourCall, data, length); return length;
    case cmd::WriteAltRpt1Call: copyIn(s.altRpt1Call, data, length); return length;
    case cmd::WriteAltRpt2Call: copyIn(s.altRpt2Call, data, length); return length;

    case cmd::WriteCallCheck: setBit(s.status[0], status_bit::CallCheck, value); return 0;
    case cmd::WriteDupCheck: setBit(s.status[0], status_bit::DupCheck, value); return 0;
    case cmd::WriteDupClear: setBit(s.status[0], status_bit::DupClear, value); return 0;
    case cmd::WriteReplaceMyCall: setBit(s.status[0], status_bit::ReplaceMyCall, value); return 0;
    case cmd::WriteReplaceMyCall2: setBit(s.status[0], status_bit::ReplaceMyCall2, value); return 0;
    case cmd::WriteReplaceYourCall: setBit(s.status[0], status_bit::ReplaceYourCall, value); return 0;
    case cmd::WriteReplaceRpt1Call: setBit(s.status[0], status_bit::ReplaceRpt1, value); return 0;
    case cmd::WriteReplaceRpt2Call: setBit(s.status[0], status_bit::ReplaceRpt2, value); return 0;
    case cmd::WriteReplaceFlag: setBit(s.status[1], status_bit::ReplaceFlag, value); return 0;
    case cmd::WriteAltFlagByte: s.status[2] = low; return 0;

    case cmd::WriteSlowDataBefore: setBit(s.status[1], status_bit::SlowDataBefore, value); return 0;
    case cmd::WriteSlowDataAfter: setBit(s.status[1], status_bit::SlowDataAfter, value); return 0;
    case cmd::WriteDigitalCodeInsert: setBit(s.status[1], status_bit::DigitalCodeInsert, value); return 0;
    case cmd::WriteDigitalCode:
        if (length > 0) s.digitalCode = data[0];
        return length;
    case cmd::StartTextWrite: slowWritePos_ = beaconWritePos_ = gpsWritePos_ = 0; return 0;
    case cmd::WriteSlowDataMessage: return writePiece(s.slowDataMessage, slowWritePos_, data, length);
    case cmd::RewindSlowDataMessage: slowReadPos_ = 0; return 0;

    case cmd::WriteBeaconInterval: s.beaconInterval = low; return 0;
    case cmd::WriteBeaconMessage: return writePiece(s.beaconMessage, beaconWritePos_, data, length);
    case cmd::BeaconCommit: return 0;
    case cmd::RewindBeaconMessage: beaconReadPos_ = 0; return 0;

    case cmd::WriteBaudRate: s.baudCode = low; return 0;
    case cmd::WriteSerialMode: s.serialMode = low; return 0;
    case cmd::WriteGpsBits: s.gpsBits = low; return 0;
    case cmd::WriteGpsMessage: return writePiece(s.gpsMessage, gpsWritePos_, data, length);
    case cmd::RewindGpsMessage: gpsReadPos_ = 0; return 0;
    default: return StallResult;
    }
}

void Emulator::recordPause(int ms)
{
    append(pauseEntry(ms));
}

LogEntry requestEntry(std::uint8_t requestType, std::uint8_t request, std::uint16_t value, std::uint16_t index,
                      const std::uint8_t* data, int length, int timeoutMs)
{
    LogEntry entry;
    entry.requestType = requestType;
    entry.request = request;
    entry.value = value;
    entry.index = index;
    entry.length = length;
    entry.timeoutMs = timeoutMs;
    if (!entry.isRead() && length > 0 && data != nullptr) entry.data.assign(data, data + length);
    return entry;
}

LogEntry pauseEntry(int ms)
{
    LogEntry entry;
    entry.kind = LogEntry::Kind::Pause;
    entry.pauseMs = ms;
    return entry;
}

void Emulator::append(LogEntry entry)
{
    log_.push_back(std::move(entry));
    if (listener_) listener_(log_.back());
}

std::vector<LogEntry> Emulator::requests() const
{
    std::vector<LogEntry> out;
    for (const LogEntry& e : log_)
        if (e.kind == LogEntry::Kind::Request) out.push_back(e);
    return out;
}

std::string describe(const LogEntry& entry)
{
    char line[160];
    if (entry.kind == LogEntry::Kind::Pause) {
        std::snprintf(line, sizeof line, "pause %d ms", entry.pauseMs);
        return line;
    }
    std::snprintf(line, sizeof line, "%-5s 0x%02X bmRequestType=0x%02X wValue=0x%04X len=%d -> %d",
                  entry.isRead() ? "read" : "write", entry.request, entry.requestType, entry.value, entry.length,
                  entry.result);
    std::string text = line;
    if (!entry.data.empty()) {
        text += " [";
        for (std::size_t i = 0; i < entry.data.size(); ++i) {
            std::snprintf(line, sizeof line, i == 0 ? "%02x" : " %02x", entry.data[i]);
            text += line;
        }
        text += "]";
    }
    return text;
}

}  // namespace emu
