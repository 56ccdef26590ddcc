// The emulated adapter's own machinery that the other tests build on:
// injected faults and the log. What each write stores, and that a missing
// feature stalls its requests, is exercised by the flows end to end; how its
// texts move in pieces by the dialog tests.

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
    int read(std::uint8_t code, int length)
    {
        std::uint8_t buffer[8] = {};
        return link.VendorRead(code, buffer, length);
    }
};

TEST(Emulator, FaultsStrikeTheChosenRequestsOnly)
{
    Harness h;
    h.emulator.injectFault({FaultKind::Stall, cmd::ReadDelayTime, 2, 0});
    h.emulator.injectFault({FaultKind::Timeout, cmd::ReadTimeOut, 1, 0});
    h.emulator.injectFault({FaultKind::ShortRead, cmd::ReadStatusBlock, 1, 2});
    h.emulator.injectFault({FaultKind::Stall, cmd::WriteDelayTime, 1, 0});
    h.emulator.injectFaultAt(5, FaultKind::ShortRead, 1);
    h.emulator.injectFaultAt(7, FaultKind::Timeout);
    h.emulator.injectFaultAt(9, FaultKind::Unplug);
    auto write = [&h](std::uint16_t value) { return h.link.VendorWriteValue(cmd::WriteDelayTime, value); };
    const std::vector<int> results = {
        h.read(cmd::ReadDelayTime, 1),
        h.read(cmd::ReadDelayTime, 1),
        h.read(cmd::ReadDelayTime, 1),
        h.read(cmd::ReadTimeOut, 1),
        h.read(cmd::ReadStatusBlock, 3),
        h.read(cmd::ReadStatusBlock, 3),
        write(99),
        h.read(cmd::ReadTimeOut, 1),
        write(1),
        write(2),
        h.read(cmd::ReadDelayTime, 1),
    };
    EXPECT_EQ(results, (std::vector<int>{1, StallResult, 1, TimeoutResult, 2, 1, StallResult, TimeoutResult, 0,
                                         UnpluggedResult, UnpluggedResult}));
    EXPECT_EQ(h.emulator.state().delayTime, 1);  // the failed writes changed nothing

    // Clearing ends every fault and counts requests from 0 again.
    h.emulator.clearFaults();
    h.emulator.injectFaultAt(0, FaultKind::Stall);
    EXPECT_EQ(h.read(cmd::ReadDelayTime, 1), StallResult);
    EXPECT_EQ(h.read(cmd::ReadDelayTime, 1), 1);
}

TEST(Emulator, LogsEveryRequestAndPauseInOrderAndDescribesThem)
{
    Harness h;
    std::vector<std::string> heard;
    h.emulator.setListener([&heard](const LogEntry& e) { heard.push_back(describe(e)); });
    const Bytes call = {'A', 'B', 'C', ' ', ' ', ' ', ' ', ' '};
    h.link.VendorWriteData(cmd::WriteMyRepeaterCall, call.data(), 8);
    h.emulator.recordPause(50);
    h.read(cmd::ReadMyRepeaterCall, 8);
    h.link.ZeroLength(cmd::RewindGpsMessage, ZeroForm::Read);

    EXPECT_EQ(heard,
              (std::vector<std::string>{
                  "write 0x46 bmRequestType=0x40 wValue=0x0000 len=8 -> 8 [41 42 43 20 20 20 20 20]", "pause 50 ms",
                  "read  0x55 bmRequestType=0xC0 wValue=0x0000 len=8 -> 8 [41 42 43 20 20 20 20 20]",
                  "read  0xB8 bmRequestType=0xC0 wValue=0x0000 len=0 -> 0"}));
    EXPECT_EQ(h.emulator.requests().size(), 3u);
}

}  // namespace
