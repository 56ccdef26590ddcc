// The emulated adapter: every write changes what its read returns, chunked
// texts keep positions, features can be dropped and faults injected.

#include "device/commands.h"
#include "device/encodings.h"
#include "device/vendor_link.h"
#include "emulator/emulator.h"

#include <gtest/gtest.h>

using namespace emu;
using Bytes = std::vector<std::uint8_t>;

namespace {

struct Harness {
    Emulator emulator;
    VendorLink link{emulator};
    Bytes read(std::uint8_t code, int length)
    {
        Bytes buffer(static_cast<std::size_t>(length), 0xEE);
        const int n = link.VendorRead(code, buffer.data(), length);
        buffer.resize(n < 0 ? 0 : static_cast<std::size_t>(n));
        return buffer;
    }
};

struct ValueRoundTrip {
    std::uint8_t writeCode;
    std::uint16_t value;
    std::uint8_t readCode;
    int readLength;
    Bytes expected;
};

void PrintTo(const ValueRoundTrip& c, std::ostream* os) { *os << "write " << int(c.writeCode); }

class ValueWrites : public testing::TestWithParam<ValueRoundTrip> {};

TEST_P(ValueWrites, ReadBackShowsTheWrittenValue)
{
    const ValueRoundTrip c = GetParam();
    Harness h;
    // Start from a known state so flags compose into their shared bytes.
    h.emulator.state().optionFlags = 0x00;
    h.emulator.state().polarityFlags = 0x00;
    h.emulator.state().status = {0, 0, 0};
    EXPECT_EQ(h.link.VendorWriteValue(c.writeCode, c.value), 0);
    EXPECT_EQ(h.read(c.readCode, c.readLength), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    EveryValueCode, ValueWrites,
    testing::Values(
        ValueRoundTrip{cmd::WriteDelayTime, 255, cmd::ReadDelayTime, 1, {255}},
        ValueRoundTrip{cmd::WriteTimeOut, 0, cmd::ReadTimeOut, 1, {0}},
        ValueRoundTrip{cmd::WriteKeepAlive, 7, cmd::ReadKeepAlive, 1, {7}},
        ValueRoundTrip{cmd::WriteResyncErrorBits, 24, cmd::ReadResyncErrorBits, 1, {24}},
        ValueRoundTrip{cmd::WriteLastFrameErrorBits, 3, cmd::ReadLastFrameErrorBits, 1, {3}},
        ValueRoundTrip{cmd::WriteCrcCheck, 1, cmd::ReadOptionFlags, 1, {0x02}},
        ValueRoundTrip{cmd::WriteCosCheck, 1, cmd::ReadOptionFlags, 1, {0x04}},
        ValueRoundTrip{cmd::WriteLastFrameSend, 1, cmd::ReadOptionFlags, 1, {0x08}},
        ValueRoundTrip{cmd::WriteDuplex, 1, cmd::ReadOptionFlags, 1, {0x80}},
        ValueRoundTrip{cmd::WritePreBitPattern, 0xF0, cmd::ReadPreBitPattern, 1, {0xF0}},
        ValueRoundTrip{cmd::WritePostBitPattern, 0x66, cmd::ReadPostBitPattern, 1, {0x66}},
        ValueRoundTrip{cmd::WriteTxInvert, 1, cmd::ReadPolarityFlags, 1, {0x01}},
        ValueRoundTrip{cmd::WriteRxInvert, 1, cmd::ReadPolarityFlags, 1, {0x02}},
        ValueRoundTrip{cmd::WriteAutoRxPolarity, 1, cmd::ReadPolarityFlags, 1, {0x80}},
        ValueRoundTrip{cmd::WriteSquelchLevel, 1023, cmd::ReadSquelchLevel, 2, {0xFF, 0xC0}},
        ValueRoundTrip{cmd::WriteSquelchLevel, 1, cmd::ReadSquelchLevel, 2, {0x00, 0x40}},
        ValueRoundTrip{cmd::WriteJitterBuffer, 200, cmd::ReadJitterBuffer, 1, {200}},
        ValueRoundTrip{cmd::WriteCallCheck, 1, cmd::ReadStatusBlock, 3, {0x01, 0, 0}},
        ValueRoundTrip{cmd::WriteReplaceRpt2Call, 1, cmd::ReadStatusBlock, 3, {0x80, 0, 0}},
        ValueRoundTrip{cmd::WriteReplaceFlag, 1, cmd::ReadStatusBlock, 3, {0, 0x01, 0}},
        ValueRoundTrip{cmd::WriteAltFlagByte, 0xC5, cmd::ReadStatusBlock, 3, {0, 0, 0xC5}},
        ValueRoundTrip{cmd::WriteSlowDataBefore, 1, cmd::ReadStatusBlock, 3, {0, 0x02, 0}},
        ValueRoundTrip{cmd::WriteSlowDataAfter, 1, cmd::ReadStatusBlock, 3, {0, 0x04, 0}},
        ValueRoundTrip{cmd::WriteDigitalCodeInsert, 1, cmd::ReadStatusBlock, 3, {0, 0x08, 0}},
        ValueRoundTrip{cmd::WriteBeaconInterval, 30, cmd::ReadBeaconInterval, 1, {30}},
        ValueRoundTrip{cmd::WriteBaudRate, 192, cmd::ReadBaudRate, 1, {192}},
        ValueRoundTrip{cmd::WriteSerialMode, 6, cmd::ReadSerialMode, 1, {6}},
        ValueRoundTrip{cmd::WriteGpsBits, 0x81, cmd::ReadGpsBits, 1, {0x81}}));

TEST(Emulator, FlagWritesComposeAndClearTheirOwnBitOnly)
{
    Harness h;
    h.emulator.state().optionFlags = 0xFF;
    h.link.VendorWriteValue(cmd::WriteCrcCheck, 0);
    h.link.VendorWriteValue(cmd::WriteDuplex, 0);
    EXPECT_EQ(h.read(cmd::ReadOptionFlags, 1), Bytes{0x7D});
}

TEST(Emulator, CallSignWritesAndReads)
{
    Harness h;
    const Bytes abc = {'A', 'B', 'C', ' ', ' ', ' ', ' ', ' '};
    EXPECT_EQ(h.link.VendorWriteData(cmd::WriteAltYourCall, abc.data(), 8), 8);
    EXPECT_EQ(h.read(cmd::ReadAltYourCall, 8), abc);
    const Bytes four = {'W', 'X', 'Y', 'Z'};
    EXPECT_EQ(h.link.VendorWriteData(cmd::WriteAltMyCall2, four.data(), 4), 4);
    EXPECT_EQ(h.read(cmd::ReadAltMyCall2, 4), four);
    const Bytes code = {0x12};
    h.link.VendorWriteData(cmd::WriteDigitalCode, code.data(), 1);
    EXPECT_EQ(h.read(cmd::ReadDigitalCode, 1), code);
}

struct ChunkedText {
    std::uint8_t writeCode, rewindCode, readCode;
    std::size_t size;
};

void PrintTo(const ChunkedText& c, std::ostream* os) { *os << "text " << int(c.writeCode); }

class ChunkedTexts : public testing::TestWithParam<ChunkedText> {};

TEST_P(ChunkedTexts, WriteOpenedBy0xE4ReadsBackAfterTheRewindInEitherForm)
{
    const ChunkedText c = GetParam();
    Harness h;
    Bytes text(c.size);
    for (std::size_t i = 0; i < c.size; ++i) text[i] = static_cast<std::uint8_t>('a' + i);
    const std::span<const int> plan = c.size == 29 ? std::span<const int>(enc::Plan29)
                                                   : std::span<const int>(enc::Plan20);
    h.link.writeChunked(c.writeCode, text, plan);

    for (ZeroForm form : {ZeroForm::Read, ZeroForm::Write}) {
        Bytes back(c.size, 0);
        h.link.readChunked(c.rewindCode, form, c.readCode, back, plan);
        EXPECT_EQ(back, text);
    }
    // Without a rewind the position has run off the end: the pieces are empty.
    EXPECT_EQ(h.read(c.readCode, 8), Bytes{});
}

INSTANTIATE_TEST_SUITE_P(
    ThreeTexts, ChunkedTexts,
    testing::Values(ChunkedText{cmd::WriteSlowDataMessage, cmd::RewindSlowDataMessage,
                                cmd::ReadSlowDataMessage, 20},
                    ChunkedText{cmd::WriteBeaconMessage, cmd::RewindBeaconMessage,
                                cmd::ReadBeaconMessage, 20},
                    ChunkedText{cmd::WriteGpsMessage, cmd::RewindGpsMessage, cmd::ReadGpsMessage, 29}));

TEST(Emulator, FirmwareVersionComesInPiecesAndStartsAgainAfterTheEnd)
{
    Harness h;
    h.emulator.state().firmwareVersion = "0123456789ABCDEF";
    EXPECT_EQ(h.read(cmd::ReadFirmwareVersion, 8).size(), 8u);
    EXPECT_EQ(h.read(cmd::ReadFirmwareVersion, 8).size(), 8u);
    EXPECT_EQ(h.read(cmd::ReadFirmwareVersion, 8).size(), 0u);
    EXPECT_EQ(h.read(cmd::ReadFirmwareVersion, 8), Bytes({'0', '1', '2', '3', '4', '5', '6', '7'}));
}

TEST(Emulator, UnknownCodesAndRequest0x00)
{
    Harness h;
    EXPECT_EQ(h.link.VendorWriteValue(0x00, 0), 0);
    EXPECT_EQ(h.link.VendorWriteValue(0x7E, 1), StallResult);
    std::uint8_t b = 0;
    EXPECT_EQ(h.link.VendorRead(0x7E, &b, 1), StallResult);
    // A write code read as a read is not a request the firmware knows.
    EXPECT_EQ(h.link.VendorRead(cmd::WriteDelayTime, &b, 1), StallResult);
}

struct FeatureCase {
    Feature feature;
    std::vector<std::uint8_t> failing;
};

void PrintTo(const FeatureCase& c, std::ostream* os) { *os << "feature " << int(c.feature); }

class Features : public testing::TestWithParam<FeatureCase> {};

TEST_P(Features, ADroppedFeatureFailsItsRequestsAndNothingElse)
{
    Harness h;
    h.emulator.setFeature(GetParam().feature, false);
    for (std::uint8_t code : GetParam().failing) {
        std::uint8_t buffer[8] = {};
        EXPECT_EQ(h.link.VendorRead(code, buffer, 1), StallResult) << int(code);
    }
    std::uint8_t buffer[8] = {};
    EXPECT_EQ(h.link.VendorRead(cmd::ReadDelayTime, buffer, 1), 1);
}

INSTANTIATE_TEST_SUITE_P(
    EachFeature, Features,
    testing::Values(FeatureCase{Feature::SlowData, {cmd::ReadStatusBlock, cmd::ReadDigitalCode}},
                    FeatureCase{Feature::Beacon, {cmd::ReadBeaconInterval, cmd::ReadBeaconMessage}},
                    FeatureCase{Feature::SerialPort, {cmd::ReadSerialMode, cmd::ReadBaudRate}},
                    FeatureCase{Feature::Squelch, {cmd::ReadSquelchLevel}},
                    FeatureCase{Feature::Jitter, {cmd::ReadJitterBuffer}}));

TEST(Faults, EachKindOnTheChosenOccurrenceOnly)
{
    Harness h;
    h.emulator.injectFault({FaultKind::Stall, cmd::ReadDelayTime, 2, 0});
    h.emulator.injectFault({FaultKind::Timeout, cmd::ReadTimeOut, 1, 0});
    h.emulator.injectFault({FaultKind::ShortRead, cmd::ReadStatusBlock, 1, 2});
    std::uint8_t buffer[8] = {};
    EXPECT_EQ(h.link.VendorRead(cmd::ReadDelayTime, buffer, 1), 1);
    EXPECT_EQ(h.link.VendorRead(cmd::ReadDelayTime, buffer, 1), StallResult);
    EXPECT_EQ(h.link.VendorRead(cmd::ReadDelayTime, buffer, 1), 1);
    EXPECT_EQ(h.link.VendorRead(cmd::ReadTimeOut, buffer, 1), TimeoutResult);
    EXPECT_EQ(h.link.VendorRead(cmd::ReadStatusBlock, buffer, 3), 2);
    EXPECT_EQ(h.link.VendorRead(cmd::ReadStatusBlock, buffer, 3), 3);
}

TEST(Faults, AFailedWriteChangesNothing)
{
    Harness h;
    h.emulator.injectFault({FaultKind::Stall, cmd::WriteDelayTime, 1, 0});
    h.emulator.state().delayTime = 5;
    EXPECT_LT(h.link.VendorWriteValue(cmd::WriteDelayTime, 99), 0);
    EXPECT_EQ(h.emulator.state().delayTime, 5);
}

TEST(Faults, ByRequestIndexAndUnplug)
{
    Harness h;
    h.emulator.injectFaultAt(1, FaultKind::Timeout);
    h.emulator.injectFaultAt(3, FaultKind::Unplug);
    std::uint8_t buffer[8] = {};
    EXPECT_EQ(h.link.VendorRead(cmd::ReadDelayTime, buffer, 1), 1);
    EXPECT_EQ(h.link.VendorRead(cmd::ReadDelayTime, buffer, 1), TimeoutResult);
    EXPECT_EQ(h.link.VendorWriteValue(cmd::WriteDelayTime, 1), 0);
    EXPECT_EQ(h.link.VendorWriteValue(cmd::WriteDelayTime, 2), UnpluggedResult);
    EXPECT_EQ(h.link.VendorRead(cmd::ReadDelayTime, buffer, 1), UnpluggedResult);
    EXPECT_EQ(h.emulator.state().delayTime, 1);
}

TEST(Log, RecordsEveryRequestAndPauseInOrder)
{
    Harness h;
    std::vector<std::string> heard;
    h.emulator.setListener([&](const LogEntry& e) { heard.push_back(describe(e)); });
    const Bytes call = {'A', 'B', 'C', ' ', ' ', ' ', ' ', ' '};
    h.link.VendorWriteData(cmd::WriteMyRepeaterCall, call.data(), 8);
    h.emulator.recordPause(50);
    std::uint8_t buffer[8] = {};
    h.link.VendorRead(cmd::ReadMyRepeaterCall, buffer, 8);
    h.link.ZeroLength(cmd::RewindGpsMessage, ZeroForm::Read);

    const auto& log = h.emulator.log();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[0].requestType, 0x40);
    EXPECT_EQ(log[0].data, call);
    EXPECT_EQ(log[0].result, 8);
    EXPECT_EQ(log[0].timeoutMs, 100);
    EXPECT_EQ(log[1].kind, LogEntry::Kind::Pause);
    EXPECT_EQ(log[1].pauseMs, 50);
    EXPECT_EQ(log[2].requestType, 0xC0);
    EXPECT_EQ(log[2].data, call);
    EXPECT_EQ(log[3].requestType, 0xC0);
    EXPECT_EQ(log[3].length, 0);
    ASSERT_EQ(heard.size(), 4u);
    EXPECT_EQ(heard[0], "write 0x46 bmRequestType=0x40 wValue=0x0000 len=8 -> 8 [41 42 43 20 20 20 20 20]");
    EXPECT_EQ(heard[1], "pause 50 ms");
    EXPECT_EQ(h.emulator.requests().size(), 3u);
}

}  // namespace

namespace {
TEST(Link, AnUnjudgedByteReadGivesZeroWhenItFails)
{
    Harness h;
    h.emulator.state().delayTime = 77;
    h.emulator.injectFault({FaultKind::Stall, cmd::ReadDelayTime, 2, 0});
    EXPECT_EQ(h.link.readByte(cmd::ReadDelayTime), 77);
    EXPECT_EQ(h.link.readByte(cmd::ReadDelayTime), 0);
}
}  // namespace
