// brisel-ctl on a bus of two emulated adapters: the adapter --device names
// stays the one used. A is lost during the start-up reads and, on a later
// walk of the wait, comes back at another port or at its own, or another
// adapter appears; only A at its port is ever written.

#include "cli/ctl.h"
#include "emulator/emulator.h"
#include "tests/support/named_case.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

struct Case {
    const char* name;
    const char* args;  // after "brisel-ctl", split at blanks
    // What the bus holds from the wait's second walk on.
    bool aBackAtItsPort, aBackElsewhere, bThere;
    int status;
    const char* err;
    char written;  // 'a', 'b', or 0: nothing is written to any adapter
};

NAMED_CASE(Case)

const Case Cases[] = {
    {"ChosenByPortBackElsewhereIsNotTaken", "--device 1-1 --wait=0.5 set basic.delay_time_ms=500", false, true, false,
     69,
     "The DV Brisel (Relavox) in use, at USB port 1-1 (device 1:7), is no longer connected; no other adapter is "
     "used in its place, and nothing was sent. Adapters connected now:\n  at USB port 1-2 (device 1:9)",
     0},
    {"ChosenByAddressBackElsewhereIsNotTaken", "--device 1:7 --wait=0.5 set basic.delay_time_ms=500", false, true,
     false, 69, "Adapters connected now:\n  at USB port 1-2 (device 1:9)", 0},
    {"ChosenAndAnotherAppears", "--device 1-1 --wait=0.5 set basic.delay_time_ms=500", false, false, true, 69,
     "Adapters connected now:\n  at USB port 1-3 (device 1:8)", 0},
    {"ChosenBackAtItsPortIsTaken", "--device 1-1 --wait=5 set basic.delay_time_ms=500", true, false, true, 0,
     "waiting for it again", 'a'},
    // Without a choice, the one adapter there is taken when no walk ever found
    // two: the bus cannot tell A at another port from another adapter.
    {"NoChoiceOnlyOneEverSeenMoved", "--wait=5 set basic.delay_time_ms=500", false, true, false, 0, "", 'a'},
    {"NoChoiceOnlyOneEverSeenAnother", "--wait=5 set basic.delay_time_ms=500", false, false, true, 0, "", 'b'},
};

class CtlAdapterChoice : public testing::TestWithParam<Case> {};

bool anyWrite(const emu::Emulator& adapter)
{
    for (const emu::LogEntry& e : adapter.requests())
        if (!e.isRead() && e.length + e.value > 0) return true;
    return false;
}

TEST_P(CtlAdapterChoice, OnlyTheChosenAdapterIsWritten)
{
    const Case& c = GetParam();
    emu::Emulator a, b;
    std::vector<emu::BusSlot> bus{{&a, "1-1", {1, 7}}, {&b, "1-3", {1, 8}}};
    b.unplugFrom(0);
    a.unplugFrom(3);  // during the start-up reads
    const std::function<AdapterWalk()> walk = emu::emulatedBusWalk(bus);
    int walks = 0;

    std::vector<std::string> args{"brisel-ctl"};
    std::istringstream words(c.args);
    for (std::string word; words >> word;) args.push_back(word);
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    std::ostringstream out, err;
    CtlIo io{out, err};
    io.pause = [&a](int ms) { a.recordPause(ms); };
    io.busWalk = [&] {
        if (++walks == 2) {
            if (c.aBackAtItsPort || c.aBackElsewhere) a.plugIn();
            if (c.aBackElsewhere) bus[0] = {&a, "1-2", {1, 9}};
            if (c.aBackAtItsPort) bus[0].address = {1, 10};
            if (c.bThere) b.plugIn();
        }
        return walk();
    };
    EXPECT_EQ(runCtl(static_cast<int>(args.size()), argv.data(), io), c.status) << err.str();
    EXPECT_NE(err.str().find(c.err), std::string::npos) << err.str();
    EXPECT_EQ(anyWrite(a), c.written == 'a');
    EXPECT_EQ(anyWrite(b), c.written == 'b');
    if (c.written != 0) {
        EXPECT_EQ((c.written == 'a' ? a : b).state().delayTime, 50);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, CtlAdapterChoice, testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
