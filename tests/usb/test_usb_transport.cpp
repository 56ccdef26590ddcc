// The libusb 0.1 path itself: OpenDevice and UsbTransport in this process,
// over the system's libusb, with umockdev presenting emulated devices. What
// the requests mean and how their callers judge them is tested over the
// emulator alone; here only what the USB layer adds.

#include "device/usb_api.h"
#include "device/usb_port.h"
#include "device/usb_transport.h"
#include "device/vendor_link.h"
#include "emulator/emulator.h"
#include "settings/adapter_switch.h"
#include "tests/support/named_case.h"
#include "tests/usb/usb_testbed.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

using usbtest::NodeIdentity;

namespace {

// The device nodes libusb found in its last bus walk, in its own order: bus
// by bus, device by device.
std::vector<std::string> libusbOrder()
{
    std::vector<std::string> order;
    for (usb_bus* bus = usb_get_busses(); bus != nullptr; bus = bus->next)
        for (struct usb_device* dev = bus->devices; dev != nullptr; dev = dev->next)
            order.push_back(deviceNodeOf({bus->dirname, dev->filename, {}}));
    return order;
}

class UsbPath : public testing::Test {
protected:
    void SetUp() override
    {
        if (const std::string why = usbtest::unavailableReason(); !why.empty()) GTEST_SKIP() << why;
        testbed_.emplace();
    }
    AdapterAccess open() { return OpenDevice(); }

    std::optional<usbtest::UsbTestbed> testbed_;
};

// ---------------------------------------------------------------------------
// Transfer shapes: every request reaches the device node exactly as sent, and
// the library's result and the bytes received come back unchanged.

struct Shape {
    const char* name;
    std::uint8_t requestType;
    std::uint8_t request;
    std::uint16_t value;
    int length;  // asked for by a read, sent by a write
    std::optional<emu::Fault> fault;
    int result;
    std::vector<std::uint8_t> received;  // the head of a read's buffer afterwards
};

NAMED_CASE(Shape)

constexpr std::uint8_t Fill = 0xEE;  // what a read's buffer holds before the call
const std::vector<std::uint8_t> Sent = {'J', 'R', 0x00, 0xFF, 'P', 'R', ' ', 'B'};

const Shape shapes[] = {
    {"ReadOfEightBytes", 0xC0, 0x55, 0, 8, {}, 8, {'N', '0', 'R', 'P', 'T', ' ', ' ', 'A'}},
    {"ShortReadReturnsTheSmallerCount", 0xC0, 0xAF, 0, 3, emu::Fault{emu::FaultKind::ShortRead, 0xAF, 1, 1}, 1, {0x03}},
    {"ReadAnsweredWithNothing", 0xC0, 0x59, 0, 1, emu::Fault{emu::FaultKind::ShortRead, 0x59, 1, 0}, 0, {}},
    {"ZeroLengthRead", 0xC0, 0xB8, 0, 0, {}, 0, {}},
    {"ValueWriteOfTenBits", 0x40, 0x71, 0x03FF, 0, {}, 0, {}},
    {"DataWriteOfEightBytes", 0x40, 0x46, 0, 8, {}, 8, {}},
    {"StallIsNegativeAndLeavesTheBuffer",
     0xC0,
     0x52,
     0,
     1,
     emu::Fault{emu::FaultKind::Stall, 0x52, 1, 0},
     emu::StallResult,
     {}},
    {"TimeOutIsNegative", 0x40, 0x46, 0, 8, emu::Fault{emu::FaultKind::Timeout, 0x46, 1, 0}, emu::TimeoutResult, {}},
};

class TransferShape : public UsbPath, public testing::WithParamInterface<Shape> {};

TEST_P(TransferShape, ReachesTheDeviceExactlyAndReturnsTheLibraryResult)
{
    const Shape& s = GetParam();
    emu::Emulator adapter;
    if (s.fault) adapter.injectFault(*s.fault);
    const int device = testbed_->addDevice({}, &adapter);
    const AdapterAccess opened = open();
    ASSERT_EQ(opened.status, OpenStatus::Opened);
    const bool read = s.requestType == 0xC0;
    std::vector<std::uint8_t> buffer = read ? std::vector<std::uint8_t>(8, Fill) : Sent;

    EXPECT_EQ(opened.transport->controlRequest(s.requestType, s.request, s.value, 0, buffer.data(), s.length, 100),
              s.result);
    if (read) {
        std::vector<std::uint8_t> received = s.received;
        received.resize(8, Fill);
        EXPECT_EQ(buffer, received);
    }
    const auto log = testbed_->log(device);
    ASSERT_EQ(log.size(), 1u) << "sent once, never again";
    const emu::LogEntry& e = log.front();
    EXPECT_EQ(e.requestType, s.requestType);
    EXPECT_EQ(e.request, s.request);
    EXPECT_EQ(e.value, s.value);
    EXPECT_EQ(e.index, 0);
    EXPECT_EQ(e.length, s.length);
    EXPECT_EQ(e.timeoutMs, 100);
    if (!read) {
        EXPECT_EQ(e.data, std::vector(Sent.begin(), Sent.begin() + s.length));
    }
}

INSTANTIATE_TEST_SUITE_P(UsbPath, TransferShape, testing::ValuesIn(shapes),
                         [](const testing::TestParamInfo<Shape>& info) { return info.param.name; });

// ---------------------------------------------------------------------------
// Which device OpenDevice opens, in the order libusb lists the buses.

struct WalkCase {
    const char* name;
    std::vector<NodeIdentity> devices;
};

NAMED_CASE(WalkCase)

class BusWalk : public UsbPath, public testing::WithParamInterface<WalkCase> {};

TEST_P(BusWalk, OpensTheFirstAdapterInLibusbOrderAndTouchesNoOtherDevice)
{
    const WalkCase& c = GetParam();
    std::vector<emu::Emulator> emulators(c.devices.size());
    std::vector<int> devices;
    for (std::size_t i = 0; i < c.devices.size(); ++i)
        devices.push_back(testbed_->addDevice(c.devices[i], &emulators[i]));

    const AdapterAccess opened = open();
    ASSERT_EQ(libusbOrder().size(), c.devices.size()) << "libusb saw other devices than the testbed's";
    std::optional<std::size_t> first;
    for (const std::string& name : libusbOrder())
        for (std::size_t i = 0; i < c.devices.size() && !first; ++i)
            if (testbed_->devName(devices[i]) == name && c.devices[i].vendor == 0x04D8 &&
                c.devices[i].product == 0x0300)
                first = i;
    ASSERT_EQ(opened.status, first ? OpenStatus::Opened : OpenStatus::NotFound);
    std::uint8_t byte = 0;
    if (first) {
        EXPECT_EQ(opened.transport->controlRequest(0xC0, 0x52, 0, 0, &byte, 1, 100), 1);
    }

    for (std::size_t i = 0; i < c.devices.size(); ++i) {
        SCOPED_TRACE(testbed_->devName(devices[i]));
        EXPECT_EQ(testbed_->configurations(devices[i]), first == i ? std::vector{1} : std::vector<int>{});
        EXPECT_EQ(testbed_->log(devices[i]).size(), first == i ? 1u : 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    UsbPath, BusWalk,
    testing::Values(
        WalkCase{"NoDevice", {}}, WalkCase{"TwoAdaptersOnTwoBuses", {{1, 2, 0x04D8, 0x0300}, {2, 3, 0x04D8, 0x0300}}},
        WalkCase{"TwoAdaptersOnOneBus", {{1, 4, 0x04D8, 0x0300}, {1, 5, 0x04D8, 0x0300}}},
        WalkCase{"AdapterAmongOtherDevices",
                 {{1, 2, 0x04D8, 0x0301}, {1, 3, 0x0300, 0x04D8}, {2, 2, 0x04D8, 0x0300}, {3, 7, 0x04D8, 0x00DD}}}),
    [](const testing::TestParamInfo<WalkCase>& info) { return info.param.name; });

// ---------------------------------------------------------------------------
// A lost adapter: its handle is closed, and only the adapter at its port path
// is opened again, found by its folder in /sys/bus/usb/devices.

NodeIdentity at(int address, const char* port)
{
    return {1, address, 0x04D8, 0x0300, port};
}

int readStatus(AdapterConnection& connection)
{
    std::uint8_t byte = 0;
    return connection.controlRequest(0xC0, 0x52, 0, 0, &byte, 1, 100);
}

std::optional<AdapterProblem> goneProblem(const std::function<void()>& action)
{
    try {
        action();
    } catch (const AdapterGone& gone) {
        return gone.problem();
    }
    return std::nullopt;
}

const AdapterProblem Lost{AdapterProblem::Kind::Lost};

TEST_F(UsbPath, ALostAdapterIsOpenedAgainOnlyAtItsPort)
{
    std::array<emu::Emulator, 2> adapters;
    std::array<int, 2> device = {testbed_->addDevice(at(2, "1.2"), &adapters[0]),
                                 testbed_->addDevice(at(3, "1.3"), &adapters[1])};
    AdapterConnection connection(nullptr, usbAdapterOpener());
    connection.reconnectIfLost();
    EXPECT_EQ(readStatus(connection), 1);
    const std::size_t a = adapters[0].requests().empty() ? 1 : 0, b = 1 - a;  // a: the one opened
    const std::string portOfA = testbed_->portPath(device[a]);

    testbed_->removeDevice(device[a]);
    EXPECT_EQ(goneProblem([&] { readStatus(connection); }), Lost);
    const auto refusal = goneProblem([&] { connection.reconnectIfLost(); });
    ASSERT_TRUE(refusal && refusal->kind == AdapterProblem::Kind::OtherAdapter && refusal->lost);
    EXPECT_EQ(refusal->lost->port, portOfA);
    ASSERT_EQ(refusal->seen.size(), 1u);
    EXPECT_EQ(refusal->seen[0].port, testbed_->portPath(device[b]));

    device[a] = testbed_->addDevice(at(4, a == 0 ? "1.2" : "1.3"), &adapters[a]);
    EXPECT_EQ(testbed_->portPath(device[a]), portOfA);
    connection.reconnectIfLost();
    EXPECT_EQ(readStatus(connection), 1);
    EXPECT_EQ(adapters[a].requests().size(), 2u);
    EXPECT_TRUE(testbed_->log(device[b]).empty());
    EXPECT_TRUE(testbed_->configurations(device[b]).empty());
}

// The descriptors this process has open, in all and on USB device nodes.
// (The total also counts what the testbed's threads in this same process
// open for a while, so only the nodes are compared.)
std::pair<std::size_t, std::size_t> openDescriptors()
{
    std::pair<std::size_t, std::size_t> count;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        ++count.first;
        count.second +=
            std::filesystem::read_symlink(entry.path(), error).string().find("/dev/bus/usb/") != std::string::npos;
    }
    return count;
}

TEST_F(UsbPath, FiftyReplugsLeaveNoDescriptorOpen)
{
    emu::Emulator adapter;
    int device = testbed_->addDevice(at(2, "1.2"), &adapter);
    std::size_t totalAfterOne = 0;
    {
        AdapterConnection connection(nullptr, usbAdapterOpener());
        for (int i = 1; i <= 50; ++i) {
            connection.reconnectIfLost();
            ASSERT_EQ(readStatus(connection), 1) << i;
            EXPECT_EQ(openDescriptors().second, 2u) << i;  // the handle and the lock
            testbed_->removeDevice(device);
            ASSERT_EQ(goneProblem([&] { readStatus(connection); }), Lost) << i;
            EXPECT_EQ(openDescriptors().second, 0u) << i;
            device = testbed_->addDevice(at(2 + i, "1.2"), &adapter);
            if (i == 1) totalAfterOne = openDescriptors().first;
        }
        std::printf("open descriptors after 1 and after 50 re-plugs: %zu, %zu\n", totalAfterOne,
                    openDescriptors().first);
        connection.reconnectIfLost();
    }
    EXPECT_EQ(openDescriptors().second, 0u);  // closed at the end, too
}

// ---------------------------------------------------------------------------
// The change to another adapter: its node is locked, opened, configured and
// sent the start-up requests before the node in use is let go; one that
// another program holds is neither opened nor sent anything.

std::vector<std::string> described(const std::vector<emu::LogEntry>& log)
{
    std::vector<std::string> lines;
    for (const emu::LogEntry& e : log) lines.push_back(emu::describe(e));
    return lines;
}

TEST_F(UsbPath, AChangeOpensTheOtherNodeBeforeReleasingTheOneInUse)
{
    std::array<emu::Emulator, 2> adapters;
    const std::array<int, 2> device = {testbed_->addDevice(at(2, "1.2"), &adapters[0]),
                                       testbed_->addDevice(at(3, "1.3"), &adapters[1])};
    AdapterConnection connection(nullptr, usbAdapterOpener());
    connection.reconnectIfLost();
    VendorLink link(connection);
    const AdapterNode inUse = *connection.adapter();
    const std::size_t a = inUse.path == testbed_->devName(device[0]) ? 0 : 1, b = 1 - a;
    const AdapterNode other = listAdapters().at(1 - inUse.index);
    ASSERT_EQ(other.path, testbed_->devName(device[b]));

    {
        const LockAttempt held = lockAdapterNode(other.path);
        const auto offers = settings::adapterOffers(usbWalk(), connection);
        ASSERT_EQ(offers.size(), 2u);
        EXPECT_TRUE(offers[inUse.index].inUse && !offers[inUse.index].heldBy);
        ASSERT_TRUE(!offers[other.index].inUse && offers[other.index].heldBy);
        const auto refusal = settings::switchAdapter(connection, link, usbWalk, other).refusal;
        ASSERT_TRUE(refusal);
        EXPECT_EQ(refusal->kind, AdapterProblem::Kind::InUse);
        EXPECT_EQ(refusal->holder, *offers[other.index].heldBy);
        EXPECT_TRUE(testbed_->configurations(device[b]).empty());
        EXPECT_EQ(lockAdapterNode(inUse.path).outcome, LockAttempt::Outcome::InUse);  // kept
    }
    EXPECT_EQ(settings::switchAdapter(connection, link, usbWalk, other).refusal, std::nullopt);

    emu::Emulator alone;
    VendorLink direct(alone);
    settings::startUp(direct);
    EXPECT_EQ(described(testbed_->log(device[b])), described(alone.log()));
    EXPECT_EQ(testbed_->configurations(device[b]), std::vector{1});
    EXPECT_TRUE(testbed_->log(device[a]).empty());
    EXPECT_EQ(connection.adapter()->path, other.path);
    EXPECT_EQ(lockAdapterNode(testbed_->devName(device[a])).outcome, LockAttempt::Outcome::Taken);
    EXPECT_EQ(openDescriptors().second, 2u);  // the new one's handle and lock only
}

}  // namespace
