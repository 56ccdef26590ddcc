// The emulated adapter's log, which the other tests build on. What each
// write stores, its injected faults and missing features are exercised by
// the flows end to end and by the USB transfer shapes; how its texts move in
// pieces by the dialog tests.

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
