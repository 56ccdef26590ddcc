// Which device is taken for the adapter, and when an opened one is usable.

#include "device/bus_walk.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

constexpr UsbDeviceId Adapter{0x04D8, 0x0300};
constexpr UsbDeviceId SameVendor{0x04D8, 0x000A};
constexpr UsbDeviceId Hub{0x1D6B, 0x0002};
constexpr UsbDeviceId Mouse{0x046D, 0xC077};

struct WalkCase {
    const char* label;
    std::vector<std::vector<UsbDeviceId>> buses;
    std::optional<AdapterPosition> expected;
};

void PrintTo(const WalkCase& c, std::ostream* os) { *os << c.label; }

class BusWalk : public testing::TestWithParam<WalkCase> {};

TEST_P(BusWalk, TakesTheFirstMatchInBusThenDeviceOrder)
{
    EXPECT_EQ(findAdapter(GetParam().buses), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Buses, BusWalk,
    testing::Values(
        WalkCase{"NoBuses", {}, std::nullopt},
        WalkCase{"NoMatch", {{Hub, Mouse}, {Hub}}, std::nullopt},
        WalkCase{"SameVendorOtherProductSkipped", {{Hub, SameVendor}, {Hub, Adapter}},
                 AdapterPosition{1, 1}},
        WalkCase{"TwoAdaptersOnTwoBusesFirstBusWins", {{Hub, Mouse, Adapter}, {Adapter, Hub}},
                 AdapterPosition{0, 2}},
        WalkCase{"TwoAdaptersOnOneBusFirstDeviceWins", {{Hub}, {Mouse, Adapter, Adapter}},
                 AdapterPosition{1, 1}},
        WalkCase{"EmptyBusBeforeTheAdapter", {{}, {Adapter}}, AdapterPosition{1, 0}},
        WalkCase{"SwappedIdsAreNoMatch", {{UsbDeviceId{0x0300, 0x04D8}}}, std::nullopt}),
    [](const auto& info) { return std::string(info.param.label); });

struct OpenCase {
    const char* label;
    bool handleIsNull;
    int setConfiguration;
    OpenStatus expected;
};

void PrintTo(const OpenCase& c, std::ostream* os) { *os << c.label; }

class OpenJudgement : public testing::TestWithParam<OpenCase> {};

TEST_P(OpenJudgement, OnlyAMissingHandleOrARefusedConfigurationMeansNoPermission)
{
    const OpenCase c = GetParam();
    EXPECT_EQ(judgeOpen(c.handleIsNull, c.setConfiguration), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Results, OpenJudgement,
    testing::Values(OpenCase{"Configured", false, 0, OpenStatus::Opened},
                    OpenCase{"NoHandle", true, 0, OpenStatus::NoPermission},
                    OpenCase{"ReadOnlyNode", false, -EPERM, OpenStatus::NoPermission},
                    OpenCase{"AccessDenied", false, -EACCES, OpenStatus::NoPermission},
                    OpenCase{"NoDescriptor", false, -EBADF, OpenStatus::NoPermission},
                    OpenCase{"BusyIsNotJudged", false, -EBUSY, OpenStatus::Opened},
                    OpenCase{"StallIsNotJudged", false, -EPIPE, OpenStatus::Opened}),
    [](const auto& info) { return std::string(info.param.label); });

}  // namespace
