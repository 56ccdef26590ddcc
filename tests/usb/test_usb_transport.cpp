// The libusb 0.1 path itself: OpenDevice and UsbTransport in this process,
// over the system's libusb, with umockdev presenting emulated devices. What
// the requests mean and how their callers judge them is tested over the
// emulator alone; here only what the USB layer adds.

#include "device/usb_transport.h"
#include "device/vendor_link.h"
#include "emulator/emulator.h"
#include "tests/usb/usb_testbed.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <usb.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

using testing::ElementsAre;
using usbtest::NodeIdentity;
using usbtest::NodeIoctl;

namespace {

int count(const std::vector<NodeIoctl>& ioctls, NodeIoctl::Kind kind)
{
    return static_cast<int>(
        std::count_if(ioctls.begin(), ioctls.end(), [kind](const NodeIoctl& i) { return i.kind == kind; }));
}

// libusb's own order of the devices it found: bus by bus, device by device,
// as "BBB/DDD".
std::vector<std::string> libusbOrder()
{
    std::vector<std::string> order;
    for (usb_bus* bus = usb_get_busses(); bus != nullptr; bus = bus->next)
        for (struct usb_device* dev = bus->devices; dev != nullptr; dev = dev->next)
            order.push_back(std::string(bus->dirname) + "/" + dev->filename);
    return order;
}

class UsbPath : public testing::Test {
protected:
    void SetUp() override
    {
        if (const std::string why = usbtest::unavailableReason(); !why.empty()) GTEST_SKIP() << why;
        testbed_.emplace();
    }
    void TearDown() override
    {
        // The program never closes its handle; a test closes it so that the
        // next testbed starts from nothing.
        for (usb_dev_handle* h : handles_) usb_close(h);
        testbed_.reset();
    }

    OpenResult open()
    {
        OpenResult result = OpenDevice();
        if (result.handle != nullptr) handles_.push_back(result.handle);
        return result;
    }
    // "BBB/DDD" of a testbed device, as libusbOrder() names it.
    std::string busAndDevice(int device) const
    {
        return testbed_->devName(device).substr(std::string("/dev/bus/usb/").size());
    }

    std::optional<usbtest::UsbTestbed> testbed_;
    std::vector<usb_dev_handle*> handles_;
};

// ---------------------------------------------------------------------------
// Transfer shapes: every one reaches the device node exactly as sent, and
// the library's result and received bytes come back unchanged.

enum class Call { Read, Value, Data, ZeroRead, ZeroWrite };

struct Shape {
    const char* name;
    Call call;
    std::uint8_t request;
    std::uint16_t value;                 // of a value write
    int length;                          // asked for by a read, sent by a data write
    std::optional<emu::Fault> fault;
    std::uint8_t requestType;            // as the device sees it
    int result;
    std::vector<std::uint8_t> received;  // the head of the buffer afterwards
};

void PrintTo(const Shape& s, std::ostream* os) { *os << s.name; }

constexpr std::uint8_t Fill = 0xEE;  // what the buffer holds before the call
const std::vector<std::uint8_t> Sent = {'J', 'R', 0x00, 0xFF, 'P', 'R', ' ', 'B'};
const std::vector<std::uint8_t> Nothing;

const Shape shapes[] = {
    {"ReadOfEightBytes", Call::Read, 0x55, 0, 8, {}, 0xC0, 8, {'J', 'P', '1', 'Y', 'I', 'U', ' ', 'A'}},
    {"ShortReadReturnsTheSmallerCount", Call::Read, 0xAF, 0, 3,
     emu::Fault{emu::FaultKind::ShortRead, 0xAF, 1, 1}, 0xC0, 1, {0x03}},
    {"ReadAnsweredWithNothing", Call::Read, 0x59, 0, 1,
     emu::Fault{emu::FaultKind::ShortRead, 0x59, 1, 0}, 0xC0, 0, Nothing},
    {"ValueWriteOfTenBits", Call::Value, 0x71, 0x03FF, 0, {}, 0x40, 0, Nothing},
    {"DataWriteOfEightBytes", Call::Data, 0x46, 0, 8, {}, 0x40, 8, Nothing},
    {"ZeroLengthWriteForm", Call::ZeroWrite, 0xE4, 0, 0, {}, 0x40, 0, Nothing},
    {"ZeroLengthReadForm", Call::ZeroRead, 0xB8, 0, 0, {}, 0xC0, 0, Nothing},
    {"StallIsNegativeAndLeavesTheBuffer", Call::Read, 0x52, 0, 1,
     emu::Fault{emu::FaultKind::Stall, 0x52, 1, 0}, 0xC0, emu::StallResult, Nothing},
    {"TimeOutIsNegative", Call::Data, 0x46, 0, 8, emu::Fault{emu::FaultKind::Timeout, 0x46, 1, 0},
     0x40, emu::TimeoutResult, Nothing},
};

int send(VendorLink& link, const Shape& s, std::uint8_t* buffer)
{
    switch (s.call) {
    case Call::Read: return link.VendorRead(s.request, buffer, s.length);
    case Call::Value: return link.VendorWriteValue(s.request, s.value);
    case Call::Data: return link.VendorWriteData(s.request, Sent.data(), s.length);
    case Call::ZeroRead: return link.ZeroLength(s.request, ZeroForm::Read);
    case Call::ZeroWrite: return link.ZeroLength(s.request, ZeroForm::Write);
    }
    return 0;
}

class TransferShape : public UsbPath, public testing::WithParamInterface<Shape> {};

TEST_P(TransferShape, ReachesTheDeviceExactlyAndReturnsTheLibraryResult)
{
    const Shape& shape = GetParam();
    emu::Emulator adapter;
    if (shape.fault) adapter.injectFault(*shape.fault);
    const int device = testbed_->addDevice({}, &adapter);
    const OpenResult opened = open();
    ASSERT_EQ(opened.status, OpenStatus::Opened);
    UsbTransport transport(opened.handle);
    VendorLink link(transport);

    std::vector<std::uint8_t> buffer(8, Fill);
    EXPECT_EQ(send(link, shape, buffer.data()), shape.result);
    std::vector<std::uint8_t> received = shape.received;
    received.resize(8, Fill);
    EXPECT_EQ(buffer, received);

    const auto log = testbed_->log(device);
    ASSERT_EQ(log.size(), 1u);
    const emu::LogEntry& e = log.front();
    EXPECT_EQ(e.requestType, shape.requestType);
    EXPECT_EQ(e.request, shape.request);
    EXPECT_EQ(e.value, shape.value);
    EXPECT_EQ(e.index, 0);
    EXPECT_EQ(e.length, shape.length);
    EXPECT_EQ(e.timeoutMs, 100);
    if (shape.call == Call::Data) {
        EXPECT_EQ(e.data, Sent);
    }
    EXPECT_EQ(count(testbed_->ioctls(device), NodeIoctl::Kind::Control), 1) << "sent once, no retry";
}

INSTANTIATE_TEST_SUITE_P(UsbPath, TransferShape, testing::ValuesIn(shapes),
                         [](const testing::TestParamInfo<Shape>& info) { return info.param.name; });

// ---------------------------------------------------------------------------
// Which device OpenDevice opens, in the order libusb lists the buses.

struct WalkCase {
    const char* name;
    std::vector<NodeIdentity> devices;
};

void PrintTo(const WalkCase& c, std::ostream* os) { *os << c.name; }

class BusWalk : public UsbPath, public testing::WithParamInterface<WalkCase> {};

TEST_P(BusWalk, OpensTheFirstAdapterInLibusbOrderAndTouchesNoOtherDevice)
{
    const WalkCase& c = GetParam();
    std::vector<emu::Emulator> emulators(c.devices.size());
    std::vector<int> devices;
    for (std::size_t i = 0; i < c.devices.size(); ++i)
        devices.push_back(testbed_->addDevice(c.devices[i], &emulators[i]));

    const OpenResult opened = open();
    ASSERT_EQ(libusbOrder().size(), c.devices.size()) << "libusb saw other devices than the testbed's";
    std::optional<std::size_t> first;
    for (const std::string& name : libusbOrder())
        for (std::size_t i = 0; i < c.devices.size() && !first; ++i)
            if (busAndDevice(devices[i]) == name && c.devices[i].vendor == 0x04D8 &&
                c.devices[i].product == 0x0300)
                first = i;
    ASSERT_EQ(opened.status, first ? OpenStatus::Opened : OpenStatus::NotFound);
    std::uint8_t byte = 0;
    if (first) {
        EXPECT_EQ(UsbTransport(opened.handle).controlRequest(0xC0, 0x52, 0, 0, &byte, 1, 100), 1);
    }

    for (std::size_t i = 0; i < c.devices.size(); ++i) {
        SCOPED_TRACE(testbed_->devName(devices[i]));
        const auto ioctls = testbed_->ioctls(devices[i]);
        std::vector<int> configurations;
        for (const NodeIoctl& io : ioctls)
            if (io.kind == NodeIoctl::Kind::SetConfiguration) configurations.push_back(io.configuration);
        if (first == i) {
            EXPECT_THAT(configurations, ElementsAre(1));
            EXPECT_EQ(count(ioctls, NodeIoctl::Kind::Control), 1);
        } else {
            EXPECT_TRUE(configurations.empty());
            EXPECT_EQ(count(ioctls, NodeIoctl::Kind::Control), 0);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    UsbPath, BusWalk,
    testing::Values(
        WalkCase{"NoDevice", {}},
        WalkCase{"TwoAdaptersOnTwoBuses", {{1, 2, 0x04D8, 0x0300}, {2, 3, 0x04D8, 0x0300}}},
        WalkCase{"TwoAdaptersOnOneBus", {{1, 4, 0x04D8, 0x0300}, {1, 5, 0x04D8, 0x0300}}},
        WalkCase{"AdapterAmongOtherDevices",
                 {{1, 2, 0x04D8, 0x0301}, {1, 3, 0x0300, 0x04D8}, {2, 2, 0x04D8, 0x0300},
                  {3, 7, 0x04D8, 0x00DD}}}),
    [](const testing::TestParamInfo<WalkCase>& info) { return info.param.name; });

// ---------------------------------------------------------------------------
// Unplugging and plugging in again: libusb 0.1 learns of both only when it
// walks the buses again.

TEST_F(UsbPath, AnUnpluggedAdapterLeavesTheBusesAndAReplugIsFoundByTheNextWalk)
{
    emu::Emulator adapter;
    for (int address : {2, 2, 9}) {  // plugged in, again at the same address, then at another
        const int device = testbed_->addDevice({1, address}, &adapter);
        ASSERT_EQ(open().status, OpenStatus::Opened);
        EXPECT_THAT(libusbOrder(), ElementsAre(busAndDevice(device)));
        EXPECT_EQ(count(testbed_->ioctls(device), NodeIoctl::Kind::SetConfiguration), 1);
        testbed_->removeDevice(device);
        usb_find_busses();
        usb_find_devices();
        EXPECT_THAT(libusbOrder(), testing::IsEmpty());
    }
}

}  // namespace
