// The libusb 0.1 path itself: OpenDevice and UsbTransport in this process,
// over the system's libusb, with umockdev presenting emulated devices.

#include "device/commands.h"
#include "device/firmware_version.h"
#include "device/usb_transport.h"
#include "device/vendor_link.h"
#include "emulator/emulator.h"
#include "tests/usb/usb_testbed.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <usb.h>

#include <unistd.h>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

using testing::ElementsAre;
using testing::ElementsAreArray;
using usbtest::NodeIdentity;
using usbtest::NodeIoctl;
using usbtest::ModesTakeEffect;
using usbtest::UsbTestbed;

namespace {

std::vector<NodeIoctl::Kind> kinds(const std::vector<NodeIoctl>& ioctls)
{
    std::vector<NodeIoctl::Kind> out;
    for (const NodeIoctl& i : ioctls) out.push_back(i.kind);
    return out;
}

int count(const std::vector<NodeIoctl>& ioctls, NodeIoctl::Kind kind)
{
    int n = 0;
    for (const NodeIoctl& i : ioctls) n += i.kind == kind ? 1 : 0;
    return n;
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

std::string busAndDevice(const std::string& devName)
{
    return devName.substr(std::string("/dev/bus/usb/").size());
}

class UsbPath : public testing::Test {
protected:
    void SetUp() override
    {
        if (const std::string why = usbtest::unavailableReason(); !why.empty()) GTEST_SKIP() << why;
        testbed_ = std::make_unique<UsbTestbed>();
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

    std::unique_ptr<UsbTestbed> testbed_;
    std::vector<usb_dev_handle*> handles_;
};

// ---------------------------------------------------------------------------
// Transfer shapes: every one reaches the device exactly as sent.

struct Shape {
    const char* name;
    std::function<void(emu::Emulator&)> prepare;  // faults, state
    std::function<int(VendorLink&, std::uint8_t* buffer)> send;
    std::uint8_t requestType;
    std::uint8_t request;
    std::uint16_t value;
    int length;
    std::vector<std::uint8_t> sent;      // data stage of a write
    int result;
    std::vector<std::uint8_t> received;  // the buffer afterwards, 8 bytes
};

constexpr std::uint8_t Fill = 0xEE;  // what the buffer holds before the call

std::vector<std::uint8_t> filled(std::vector<std::uint8_t> head)
{
    head.resize(8, Fill);
    return head;
}

const std::vector<std::uint8_t> Untouched = filled({});

std::vector<Shape> shapes()
{
    auto none = [](emu::Emulator&) {};
    return {
        {"ReadOneByte", none,
         [](VendorLink& l, std::uint8_t* b) { return l.VendorRead(cmd::ReadDelayTime, b, 1); },
         0xC0, 0x52, 0x0000, 1, {}, 1, filled({30})},
        {"ReadThreeBytes", none,
         [](VendorLink& l, std::uint8_t* b) { return l.VendorRead(cmd::ReadStatusBlock, b, 3); },
         0xC0, 0xAF, 0x0000, 3, {}, 3, filled({0x03, 0x00, 0x00})},
        {"ReadEightBytes", none,
         [](VendorLink& l, std::uint8_t* b) { return l.VendorRead(cmd::ReadMyRepeaterCall, b, 8); },
         0xC0, 0x55, 0x0000, 8, {}, 8, {'J', 'P', '1', 'Y', 'I', 'U', ' ', 'A'}},
        {"ShortReadReturnsTheSmallerCount",
         [](emu::Emulator& e) { e.injectFault({emu::FaultKind::ShortRead, 0xAF, 1, 1}); },
         [](VendorLink& l, std::uint8_t* b) { return l.VendorRead(cmd::ReadStatusBlock, b, 3); },
         0xC0, 0xAF, 0x0000, 3, {}, 1, filled({0x03})},
        {"ReadAnsweredWithNothing",
         [](emu::Emulator& e) { e.injectFault({emu::FaultKind::ShortRead, 0x59, 1, 0}); },
         [](VendorLink& l, std::uint8_t* b) { return l.VendorRead(cmd::ReadBeaconInterval, b, 1); },
         0xC0, 0x59, 0x0000, 1, {}, 0, Untouched},
        {"ValueWrite", none,
         [](VendorLink& l, std::uint8_t*) { return l.VendorWriteValue(cmd::WriteDelayTime, 0x0032); },
         0x40, 0x02, 0x0032, 0, {}, 0, Untouched},
        {"ValueWriteOfTenBits", none,
         [](VendorLink& l, std::uint8_t*) { return l.VendorWriteValue(cmd::WriteSquelchLevel, 0x03FF); },
         0x40, 0x71, 0x03FF, 0, {}, 0, Untouched},
        {"DataWriteOfEightBytes", none,
         [](VendorLink& l, std::uint8_t*) {
             const std::uint8_t call[8] = {'J', 'R', '6', 'Y', 'P', 'R', ' ', 'B'};
             return l.VendorWriteData(cmd::WriteMyRepeaterCall, call, 8);
         },
         0x40, 0x46, 0x0000, 8, {'J', 'R', '6', 'Y', 'P', 'R', ' ', 'B'}, 8, Untouched},
        {"DataWriteOfFourBytes", none,
         [](VendorLink& l, std::uint8_t*) {
             const std::uint8_t part[4] = {'D', 'V', 0x00, 0xFF};
             return l.VendorWriteData(cmd::WriteAltMyCall2, part, 4);
         },
         0x40, 0xA1, 0x0000, 4, {'D', 'V', 0x00, 0xFF}, 4, Untouched},
        {"ZeroLengthWriteForm", none,
         [](VendorLink& l, std::uint8_t*) { return l.ZeroLength(cmd::StartTextWrite, ZeroForm::Write); },
         0x40, 0xE4, 0x0000, 0, {}, 0, Untouched},
        {"ZeroLengthReadForm", none,
         [](VendorLink& l, std::uint8_t*) { return l.ZeroLength(cmd::RewindGpsMessage, ZeroForm::Read); },
         0xC0, 0xB8, 0x0000, 0, {}, 0, Untouched},
        {"StalledRead",
         [](emu::Emulator& e) { e.injectFault({emu::FaultKind::Stall, 0x52, 1, 0}); },
         [](VendorLink& l, std::uint8_t* b) { return l.VendorRead(cmd::ReadDelayTime, b, 1); },
         0xC0, 0x52, 0x0000, 1, {}, -32, Untouched},
        {"TimedOutRead",
         [](emu::Emulator& e) { e.injectFault({emu::FaultKind::Timeout, 0xAF, 1, 0}); },
         [](VendorLink& l, std::uint8_t* b) { return l.VendorRead(cmd::ReadStatusBlock, b, 3); },
         0xC0, 0xAF, 0x0000, 3, {}, -110, Untouched},
        {"StalledValueWrite",
         [](emu::Emulator& e) { e.injectFault({emu::FaultKind::Stall, 0x02, 1, 0}); },
         [](VendorLink& l, std::uint8_t*) { return l.VendorWriteValue(cmd::WriteDelayTime, 7); },
         0x40, 0x02, 0x0007, 0, {}, -32, Untouched},
        {"TimedOutDataWrite",
         [](emu::Emulator& e) { e.injectFault({emu::FaultKind::Timeout, 0x46, 1, 0}); },
         [](VendorLink& l, std::uint8_t*) {
             const std::uint8_t call[8] = {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'};
             return l.VendorWriteData(cmd::WriteMyRepeaterCall, call, 8);
         },
         0x40, 0x46, 0x0000, 8, {'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'}, -110, Untouched},
        {"UnpluggedZeroLength",
         [](emu::Emulator& e) { e.unplugFrom(0); },
         [](VendorLink& l, std::uint8_t*) { return l.ZeroLength(cmd::StartTextWrite, ZeroForm::Write); },
         0x40, 0xE4, 0x0000, 0, {}, -19, Untouched},
        {"MissingFeatureProbe",
         [](emu::Emulator& e) { e.setFeature(emu::Feature::SerialPort, false); },
         [](VendorLink& l, std::uint8_t* b) { return l.VendorRead(cmd::ReadSerialMode, b, 1); },
         0xC0, 0xB3, 0x0000, 1, {}, -32, Untouched},
    };
}

void PrintTo(const Shape& s, std::ostream* os) { *os << s.name; }

class TransferShape : public UsbPath, public testing::WithParamInterface<Shape> {};

TEST_P(TransferShape, ReachesTheDeviceExactlyAndReturnsTheLibraryResult)
{
    const Shape& shape = GetParam();
    emu::Emulator adapter;
    const int device = testbed_->addDevice({}, &adapter);
    const OpenResult opened = open();
    ASSERT_EQ(opened.status, OpenStatus::Opened);
    UsbTransport transport(opened.handle);
    VendorLink link(transport);
    shape.prepare(adapter);

    std::vector<std::uint8_t> buffer(8, Fill);
    const int result = shape.send(link, buffer.data());

    EXPECT_EQ(result, shape.result);
    EXPECT_EQ(buffer, shape.received);
    const auto log = testbed_->log(device);
    ASSERT_EQ(log.size(), 1u);
    const emu::LogEntry& e = log.front();
    EXPECT_EQ(e.requestType, shape.requestType);
    EXPECT_EQ(e.request, shape.request);
    EXPECT_EQ(e.value, shape.value);
    EXPECT_EQ(e.index, 0);
    EXPECT_EQ(e.length, shape.length);
    EXPECT_EQ(e.timeoutMs, 100);
    if (!e.isRead()) {
        EXPECT_EQ(e.data, shape.sent);
    }
    // Opening selected configuration 1 and sent nothing else.
    EXPECT_THAT(kinds(testbed_->ioctls(device)),
                testing::Contains(NodeIoctl::Kind::SetConfiguration).Times(1));
    EXPECT_EQ(count(testbed_->ioctls(device), NodeIoctl::Kind::Control), 1);
}

INSTANTIATE_TEST_SUITE_P(UsbPath, TransferShape, testing::ValuesIn(shapes()),
                         [](const testing::TestParamInfo<Shape>& info) { return info.param.name; });

TEST_F(UsbPath, WritesChangeTheAdapterAndReadsBringTheirBytesBack)
{
    emu::Emulator adapter;
    testbed_->addDevice({}, &adapter);
    const OpenResult opened = open();
    ASSERT_EQ(opened.status, OpenStatus::Opened);
    UsbTransport transport(opened.handle);
    VendorLink link(transport);

    const std::uint8_t call[8] = {'J', 'R', '6', 'Y', 'P', 'R', ' ', 'B'};
    ASSERT_EQ(link.VendorWriteData(cmd::WriteMyRepeaterCall, call, 8), 8);
    ASSERT_EQ(link.VendorWriteValue(cmd::WriteDelayTime, 201), 0);
    std::uint8_t back[9] = {};
    ASSERT_EQ(link.VendorRead(cmd::ReadMyRepeaterCall, back, 8), 8);
    EXPECT_THAT(std::vector<std::uint8_t>(back, back + 8), ElementsAreArray(call));
    std::uint8_t delay = 0;
    ASSERT_EQ(link.VendorRead(cmd::ReadDelayTime, &delay, 1), 1);
    EXPECT_EQ(delay, 201);
}

// ---------------------------------------------------------------------------
// Failed requests as their callers judge them, over the real path.

struct VersionCase {
    const char* name;
    std::string firmware;
    std::optional<emu::Fault> fault;
    std::string shown;
    int reads;
};

void PrintTo(const VersionCase& c, std::ostream* os) { *os << c.name; }

class FirmwareVersion : public UsbPath, public testing::WithParamInterface<VersionCase> {};

TEST_P(FirmwareVersion, ReadsPiecesWhileTheyAreFull)
{
    const VersionCase& c = GetParam();
    emu::Emulator adapter;
    adapter.state().firmwareVersion = c.firmware;
    if (c.fault) adapter.injectFault(*c.fault);
    const int device = testbed_->addDevice({}, &adapter);
    const OpenResult opened = open();
    ASSERT_EQ(opened.status, OpenStatus::Opened);
    UsbTransport transport(opened.handle);
    VendorLink link(transport);

    EXPECT_EQ(firmware::readVersion(link), c.shown);
    const auto log = testbed_->log(device);
    ASSERT_EQ(static_cast<int>(log.size()), c.reads);
    for (const emu::LogEntry& e : log) {
        EXPECT_EQ(e.requestType, 0xC0);
        EXPECT_EQ(e.request, 0xFF);
        EXPECT_EQ(e.length, 8);
        EXPECT_EQ(e.timeoutMs, 100);
    }
}

INSTANTIATE_TEST_SUITE_P(
    UsbPath, FirmwareVersion,
    testing::Values(
        VersionCase{"ElevenCharacters", "PIC V01.07a", std::nullopt, "PIC V01.07a", 2},
        VersionCase{"SixteenCharacters", "DV Brisel V01.07", std::nullopt, "DV Brisel V01.07", 3},
        VersionCase{"StallEndsTheText", "DV Brisel PIC V01.07",
                    emu::Fault{emu::FaultKind::Stall, 0xFF, 2, 0}, "DV Brise", 2},
        VersionCase{"TimeOutOnTheFirstPieceShowsNothing", "DV Brisel PIC V01.07",
                    emu::Fault{emu::FaultKind::Timeout, 0xFF, 1, 0}, "", 1}),
    [](const testing::TestParamInfo<VersionCase>& info) { return info.param.name; });

TEST_F(UsbPath, ChunkedReadKeepsZerosWhereAPieceFailed)
{
    emu::Emulator adapter;
    adapter.injectFault({emu::FaultKind::Stall, cmd::ReadGpsMessage, 2, 0});
    const int device = testbed_->addDevice({}, &adapter);
    const OpenResult opened = open();
    ASSERT_EQ(opened.status, OpenStatus::Opened);
    UsbTransport transport(opened.handle);
    VendorLink link(transport);

    std::array<std::uint8_t, 29> block{};
    const int plan[] = {8, 8, 8, 5};
    link.readChunked(cmd::RewindGpsMessage, ZeroForm::Write, cmd::ReadGpsMessage, block, plan);

    const auto& gps = adapter.state().gpsMessage;
    EXPECT_TRUE(std::equal(block.begin(), block.begin() + 8, gps.begin()));
    EXPECT_TRUE(std::all_of(block.begin() + 8, block.begin() + 16, [](auto b) { return b == 0; }));
    // The firmware's position moved on only by what it delivered.
    EXPECT_TRUE(std::equal(block.begin() + 16, block.begin() + 24, gps.begin() + 8));
    std::vector<std::string> seen;
    for (const emu::LogEntry& e : testbed_->log(device))
        seen.push_back(std::to_string(e.requestType) + " " + std::to_string(e.request) + " " +
                       std::to_string(e.length) + " " + std::to_string(e.result));
    EXPECT_THAT(seen, ElementsAre("64 184 0 0", "192 183 8 8", "192 183 8 -32", "192 183 8 8",
                                  "192 183 5 5"));
}

// ---------------------------------------------------------------------------
// Which device OpenDevice opens.

struct WalkCase {
    const char* name;
    std::vector<NodeIdentity> devices;
    OpenStatus status;
};

void PrintTo(const WalkCase& c, std::ostream* os) { *os << c.name; }

class BusWalk : public UsbPath, public testing::WithParamInterface<WalkCase> {};

TEST_P(BusWalk, OpensTheFirstAdapterInLibusbOrderAndTouchesNoOtherDevice)
{
    const WalkCase& c = GetParam();
    std::vector<std::unique_ptr<emu::Emulator>> emulators;
    std::vector<int> devices;
    for (const NodeIdentity& identity : c.devices) {
        emulators.push_back(std::make_unique<emu::Emulator>());
        devices.push_back(testbed_->addDevice(identity, emulators.back().get()));
    }

    const OpenResult opened = open();
    ASSERT_EQ(opened.status, c.status);

    // The adapter that libusb lists first is the one that must be open.
    std::optional<std::size_t> expected;
    for (const std::string& name : libusbOrder()) {
        for (std::size_t i = 0; i < c.devices.size() && !expected; ++i)
            if (busAndDevice(testbed_->devName(devices[i])) == name &&
                c.devices[i].vendor == 0x04D8 && c.devices[i].product == 0x0300)
                expected = i;
        if (expected) break;
    }
    EXPECT_EQ(expected.has_value(), c.status == OpenStatus::Opened);
    EXPECT_EQ(libusbOrder().size(), c.devices.size()) << "libusb saw other devices than the testbed's";

    if (opened.status == OpenStatus::Opened) {
        UsbTransport transport(opened.handle);
        VendorLink link(transport);
        std::uint8_t byte = 0;
        EXPECT_EQ(link.VendorRead(cmd::ReadDelayTime, &byte, 1), 1);
    } else {
        EXPECT_EQ(opened.handle, nullptr);
    }

    for (std::size_t i = 0; i < c.devices.size(); ++i) {
        const auto ioctls = testbed_->ioctls(devices[i]);
        SCOPED_TRACE(testbed_->devName(devices[i]));
        if (expected && *expected == i) {
            EXPECT_EQ(count(ioctls, NodeIoctl::Kind::SetConfiguration), 1);
            for (const NodeIoctl& io : ioctls) {
                if (io.kind == NodeIoctl::Kind::SetConfiguration) {
                    EXPECT_EQ(io.configuration, 1);
                }
            }
            ASSERT_EQ(testbed_->log(devices[i]).size(), 1u);
            EXPECT_EQ(testbed_->log(devices[i]).front().request, 0x52);
        } else {
            EXPECT_EQ(count(ioctls, NodeIoctl::Kind::SetConfiguration), 0);
            EXPECT_EQ(count(ioctls, NodeIoctl::Kind::Control), 0);
            EXPECT_TRUE(testbed_->log(devices[i]).empty());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    UsbPath, BusWalk,
    testing::Values(
        WalkCase{"NoDevice", {}, OpenStatus::NotFound},
        WalkCase{"OneAdapter", {{1, 2, 0x04D8, 0x0300}}, OpenStatus::Opened},
        WalkCase{"TwoAdaptersOnTwoBuses", {{1, 2, 0x04D8, 0x0300}, {2, 3, 0x04D8, 0x0300}},
                 OpenStatus::Opened},
        WalkCase{"TwoAdaptersOnOneBus", {{1, 4, 0x04D8, 0x0300}, {1, 5, 0x04D8, 0x0300}},
                 OpenStatus::Opened},
        WalkCase{"OtherProductOfTheVendorIsSkipped", {{1, 2, 0x04D8, 0x0301}}, OpenStatus::NotFound},
        WalkCase{"OtherVendorIsSkipped", {{1, 2, 0x1234, 0x0300}}, OpenStatus::NotFound},
        WalkCase{"AdapterAmongOtherDevices",
                 {{1, 2, 0x04D8, 0x0301}, {1, 3, 0x0300, 0x04D8}, {2, 2, 0x04D8, 0x0300},
                  {3, 7, 0x04D8, 0x00DD}},
                 OpenStatus::Opened}),
    [](const testing::TestParamInfo<WalkCase>& info) { return info.param.name; });

// ---------------------------------------------------------------------------
// A found adapter that may not be used.

struct AccessCase {
    const char* name;
    mode_t mode;
    bool lockAfterScan;
    int setConfigurations;  // attempts libusb makes
};

void PrintTo(const AccessCase& c, std::ostream* os) { *os << c.name; }

class NodeAccess : public UsbPath, public testing::WithParamInterface<AccessCase> {};

TEST_P(NodeAccess, IsFoundButNotUsableAndNothingIsSent)
{
    const AccessCase& c = GetParam();
    emu::Emulator adapter;
    const int device = testbed_->addDevice({}, &adapter);
    testbed_->setMode(device, c.mode);
    if (c.lockAfterScan) testbed_->lockAfterScan(device);

    OpenResult opened;
    {
        ModesTakeEffect asUser;
        if (!asUser.usable()) GTEST_SKIP() << "cannot drop CAP_DAC_OVERRIDE, so node modes do not apply";
        opened = open();
    }
    EXPECT_EQ(opened.status, OpenStatus::NoPermission);
    EXPECT_EQ(opened.handle, nullptr);
    EXPECT_TRUE(testbed_->log(device).empty());
    const auto ioctls = testbed_->ioctls(device);
    EXPECT_EQ(count(ioctls, NodeIoctl::Kind::Control), 0);
    EXPECT_EQ(count(ioctls, NodeIoctl::Kind::SetConfiguration), c.setConfigurations);
    for (const NodeIoctl& io : ioctls) {
        if (io.kind == NodeIoctl::Kind::SetConfiguration) {
            EXPECT_EQ(io.error, EPERM);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    UsbPath, NodeAccess,
    testing::Values(AccessCase{"ReadOnlyNode", 0444, false, 1},
                    AccessCase{"NodeThatCannotBeOpened", 0644, true, 0}),
    [](const testing::TestParamInfo<AccessCase>& info) { return info.param.name; });

}  // namespace
