// The real brisel-ctl program over emulated USB devices: it gets nothing but
// the testbed's environment, its libusb walks the testbed's buses and its
// requests are answered by the emulator in this process.

#include "device/usb_transport.h"
#include "emulator/emulator.h"
#include "tests/support/named_case.h"
#include "tests/usb/child_process.h"
#include "tests/usb/usb_testbed.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <usb.h>

#include <grp.h>
#include <pwd.h>

#include <array>
#include <optional>
#include <string>
#include <thread>
#include <vector>

using namespace std::chrono_literals;
using testing::HasSubstr;

namespace {

struct Outcome {
    std::optional<int> status;
    std::string out, err;
};

class CtlOverUsb : public testing::Test {
protected:
    void SetUp() override
    {
        if (const std::string why = usbtest::unavailableReason(); !why.empty()) GTEST_SKIP() << why;
        testbed_.emplace();
    }

    // One run to its end; what it prints fits in the pipes, so they are
    // read once it has ended.
    Outcome ctl(std::vector<std::string> args)
    {
        args.insert(args.begin(), BRISEL_CTL_PROGRAM);
        usbtest::Child child(std::move(args), environment(), true);
        Outcome outcome;
        outcome.status = child.exitCode(20s);
        outcome.out = child.output(5s);
        outcome.err = child.errors(5s);
        return outcome;
    }

    // The testbed's, with a state folder: restore and set keep a record of
    // their writes there.
    std::vector<std::string> environment() const
    {
        std::vector<std::string> env = testbed_->environment();
        env.push_back(usbtest::pathVariable());
        env.push_back("XDG_STATE_HOME=" + testing::TempDir() + "brisel-state-" + std::to_string(getpid()));
        return env;
    }

    std::optional<usbtest::UsbTestbed> testbed_;
};

// ---------------------------------------------------------------------------
// One command against one state of the bus: its exit status and what it
// says. In a needle, {node} stands for the adapter's node, {owner} for its
// owner and group as detect names them, {pid} for this process, which
// holds the adapter in the rows that say so.

struct Command {
    const char* name;
    bool adapter;
    mode_t mode;
    bool held;  // this process holds the adapter open
    std::vector<std::string> args;
    int status;
    bool onStdout;  // where the needles are, else on standard error
    std::vector<std::string> needles;
};

NAMED_CASE(Command)

std::string expand(std::string text, const std::string& node)
{
    const passwd* user = getpwuid(geteuid());
    const group* group = getgrgid(getegid());
    const std::pair<std::string, std::string> fields[] = {
        {"{node}", node},
        {"{owner}", "owner " + std::string(user ? user->pw_name : "?") + ", group " + (group ? group->gr_name : "?")},
        {"{pid}", std::to_string(getpid())}};
    for (const auto& [field, value] : fields)
        if (const auto at = text.find(field); at != std::string::npos) text.replace(at, field.size(), value);
    return text;
}

class CtlRun : public CtlOverUsb, public testing::WithParamInterface<Command> {};

TEST_P(CtlRun, ExitsWithItsStatusAndSaysWhy)
{
    const Command& r = GetParam();
    emu::Emulator adapter;
    const int device = r.adapter ? testbed_->addDevice({}, &adapter) : -1;
    if (r.adapter) testbed_->setMode(device, r.mode);
    AdapterAccess held;  // its transport holds the adapter until the test ends
    if (r.held) {
        held = OpenDevice();
        ASSERT_EQ(held.status, OpenStatus::Opened);
    }

    const Outcome o = ctl(r.args);
    EXPECT_EQ(o.status, r.status) << o.out << o.err;
    const std::string node = r.adapter ? testbed_->devName(device) : "";
    for (const std::string& needle : r.needles)
        EXPECT_THAT(r.onStdout ? o.out : o.err, HasSubstr(expand(needle, node)));
    if (r.args.back() == "--json") {  // one object on one line
        EXPECT_TRUE(o.out.starts_with('{') && o.out.ends_with("}\n")) << o.out;
        EXPECT_EQ(o.out.find('\n'), o.out.size() - 1);
    }
    if (r.adapter) {
        EXPECT_EQ(testbed_->log(device).empty(), r.status != 0) << "what was sent to the adapter";
    }
}

const std::string InUse = "in use by another program, test_usb_ctl (process {pid})";
const Command Commands[] = {
    {"DetectWithoutAdapter", false, 0644, false, {"detect"}, 69, true, {"No DV Brisel (Relavox) on the USB buses."}},
    {"DetectReadOnlyNode",
     true,
     0444,
     false,
     {"detect"},
     77,
     true,
     {"No permission to use {node}.", "{owner}, mode 0444", "udev rule"}},
    {"DetectUsableAdapter",
     true,
     0644,
     false,
     {"detect"},
     0,
     true,
     {"{node}  (used)", "Firmware: DV Brisel PIC V01.07", "Features:\n  slow_data: yes", "jitter_buffer: yes"}},
    {"DetectAsJson",
     true,
     0644,
     false,
     {"detect", "--json"},
     0,
     true,
     {"\"status\": \"opened\"", "\"firmware\": \"DV Brisel PIC V01.07\"", "\"beacon\": true", "\"node\": \"{node}\""}},
    {"DetectHeldAdapter", true, 0644, true, {"detect"}, 75, true, {InUse}},
    {"GetFromHeldAdapter", true, 0644, true, {"get", "basic.delay_time_ms"}, 75, false, {InUse}},
    {"DeviceThatIsNotThere",
     true,
     0644,
     false,
     {"--device", "9:9", "detect"},
     69,
     true,
     {"No DV Brisel (Relavox) at 9:9."}},
    {"PortThatIsNotThere",
     true,
     0644,
     false,
     {"get", "basic.delay_time_ms", "--device", "9-9.9"},
     69,
     false,
     {"No DV Brisel (Relavox) at 9-9.9."}},
};

INSTANTIATE_TEST_SUITE_P(UsbPath, CtlRun, testing::ValuesIn(Commands),
                         [](const testing::TestParamInfo<Command>& info) { return info.param.name; });

// ---------------------------------------------------------------------------
// With --wait, an adapter lost while the command starts is waited for at its
// USB port: the other adapter on the bus is never taken, and the command goes
// on once its adapter is back, at another address.

TEST_F(CtlOverUsb, WaitTakesOnlyTheLostAdapterBack)
{
    std::array<emu::Emulator, 2> adapters;
    std::array<int, 2> device = {testbed_->addDevice({1, 2, 0x04D8, 0x0300, "1.2"}, &adapters[0]),
                                 testbed_->addDevice({1, 3, 0x04D8, 0x0300, "1.3"}, &adapters[1])};
    // Whichever the command opens is pulled out at the second start-up request.
    for (int d : device) testbed_->pullOutAtRequest(d, 2);
    usbtest::Child child({BRISEL_CTL_PROGRAM, "--wait=60", "get", "basic.delay_time_ms"}, environment(), true);

    auto opened = [&](int d) { return !testbed_->configurations(d).empty(); };
    for (const auto end = usbtest::Clock::now() + 20s;
         !opened(device[0]) && !opened(device[1]) && usbtest::Clock::now() < end;)
        std::this_thread::sleep_for(20ms);
    std::this_thread::sleep_for(1s);  // the command walks the bus with the other adapter alone there
    const std::size_t a = opened(device[0]) ? 0 : 1, b = 1 - a;
    testbed_->removeDevice(device[a]);
    device[a] = testbed_->addDevice({1, 4, 0x04D8, 0x0300, a == 0 ? "1.2" : "1.3"}, &adapters[a]);

    EXPECT_EQ(child.exitCode(30s), std::optional<int>(0));
    EXPECT_EQ(child.output(5s), "basic.delay_time_ms = 300\n");
    EXPECT_THAT(child.errors(5s), HasSubstr("lost while starting; waiting for it again"));
    EXPECT_TRUE(testbed_->log(device[b]).empty());
    EXPECT_TRUE(testbed_->configurations(device[b]).empty());
}

// ---------------------------------------------------------------------------
// The adapter chosen by its port is lost while the command starts, and
// another adapter is on the bus: nothing is sent to the other, and the
// command names it when its wait is over.

TEST_F(CtlOverUsb, TheChosenAdapterLostIsNotReplacedByAnother)
{
    std::array<emu::Emulator, 2> adapters;
    const std::array<int, 2> device = {testbed_->addDevice({1, 2, 0x04D8, 0x0300, "1.2"}, &adapters[0]),
                                       testbed_->addDevice({1, 3, 0x04D8, 0x0300, "1.3"}, &adapters[1])};
    testbed_->pullOutAtRequest(device[0], 2);
    usbtest::Child child(
        {BRISEL_CTL_PROGRAM, "--device", testbed_->portPath(device[0]), "--wait=3", "set", "basic.delay_time_ms=500"},
        environment(), true);
    // Opened, then pulled out at its second start-up request: the bus no
    // longer lists it.
    for (const auto end = usbtest::Clock::now() + 20s; testbed_->log(device[0]).empty() && usbtest::Clock::now() < end;)
        std::this_thread::sleep_for(20ms);
    testbed_->removeDevice(device[0]);

    EXPECT_EQ(child.exitCode(30s), std::optional<int>(69));
    // The testbed numbers the buses of each of its runs afresh.
    const std::string port = testbed_->portPath(device[0]), bus = port.substr(0, port.find('-'));
    EXPECT_THAT(child.errors(5s), HasSubstr("at USB port " + port + " (device " + bus +
                                            ":2), is no longer connected; no other adapter is used in its place, and "
                                            "nothing was sent. Adapters connected now:\n  at USB port " +
                                            testbed_->portPath(device[1]) + " (device " + bus + ":3)"));
    EXPECT_TRUE(testbed_->log(device[1]).empty());
    EXPECT_TRUE(testbed_->configurations(device[1]).empty());
}

// ---------------------------------------------------------------------------
// The node of an adapter the bus lists cannot be opened yet: it is missing
// (unplugged between the walk and the open), or udev has not yet given it to
// the user. Without --wait the command says which; with it, it waits.

TEST_F(CtlOverUsb, AMissingNodeIsToldAsSuch)
{
    emu::Emulator adapter;
    const int device = testbed_->addDevice({}, &adapter);
    testbed_->vanishAfterScan(device);
    const Outcome o = ctl({"get", "basic.delay_time_ms"});
    EXPECT_EQ(o.status, std::optional<int>(69)) << o.err;
    EXPECT_THAT(o.err, HasSubstr("but its device node " + testbed_->devName(device) + " is missing"));
    EXPECT_THAT(o.err, testing::Not(HasSubstr("permission")));
    EXPECT_TRUE(testbed_->log(device).empty());
}

TEST_F(CtlOverUsb, WaitWaitsForAMissingNode)
{
    emu::Emulator adapter;
    int device = testbed_->addDevice({}, &adapter);
    testbed_->vanishAfterScan(device);
    usbtest::Child child({BRISEL_CTL_PROGRAM, "--wait=60", "get", "basic.delay_time_ms"}, environment(), true);
    EXPECT_THAT(child.errors(1500ms), HasSubstr("Waiting for the DV Brisel (Relavox) to be plugged in"));
    testbed_->removeDevice(device);
    device = testbed_->addDevice({1, 4}, &adapter);
    EXPECT_EQ(child.exitCode(30s), std::optional<int>(0));
    EXPECT_EQ(child.output(5s), "basic.delay_time_ms = 300\n");
}

TEST_F(CtlOverUsb, WaitWaitsForANodeGivenToTheUserLate)
{
    emu::Emulator adapter;
    const int device = testbed_->addDevice({}, &adapter);
    testbed_->setMode(device, 0444);
    usbtest::Child child({BRISEL_CTL_PROGRAM, "--wait=60", "get", "basic.delay_time_ms"}, environment(), true);
    EXPECT_THAT(child.errors(1500ms),
                HasSubstr("Waiting for permission to use the DV Brisel (Relavox) at " + testbed_->devName(device)));
    testbed_->setMode(device, 0644);
    EXPECT_EQ(child.exitCode(30s), std::optional<int>(0));
    EXPECT_EQ(child.output(5s), "basic.delay_time_ms = 300\n");
}

}  // namespace
