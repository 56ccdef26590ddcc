// Which device is taken for the adapter, and when an opened one is usable.

#include "device/bus_walk.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

TEST(BusWalk, TakesTheFirstMatchInBusThenDeviceOrder)
{
    constexpr UsbDeviceId Adapter{0x04D8, 0x0300}, SameVendor{0x04D8, 0x000A}, Hub{0x1D6B, 0x0002},
        Mouse{0x046D, 0xC077}, Swapped{0x0300, 0x04D8};
    const struct {
        const char* label;
        std::vector<std::vector<UsbDeviceId>> buses;
        std::optional<AdapterPosition> expected;
    } cases[] = {
        {"NoBuses", {}, std::nullopt},
        {"NoMatch", {{Hub, Mouse}, {Hub, Swapped}}, std::nullopt},
        {"SameVendorOtherProductSkipped", {{Hub, SameVendor}, {Hub, Adapter}}, AdapterPosition{1, 1}},
        {"TwoAdaptersOnTwoBusesFirstBusWins", {{Hub, Mouse, Adapter}, {Adapter, Hub}}, AdapterPosition{0, 2}},
        {"TwoAdaptersOnOneBusFirstDeviceWins", {{Hub}, {Mouse, Adapter, Adapter}}, AdapterPosition{1, 1}},
        {"EmptyBusBeforeTheAdapter", {{}, {Adapter}}, AdapterPosition{1, 0}},
    };
    for (const auto& c : cases) EXPECT_EQ(findAdapter(c.buses), c.expected) << c.label;
}

TEST(BusWalk, OnlyAMissingHandleOrARefusedConfigurationMeansNoPermission)
{
    const struct {
        bool handleIsNull;
        int setConfiguration;
        OpenStatus expected;
    } cases[] = {
        {false, 0, OpenStatus::Opened},           {true, 0, OpenStatus::NoPermission},
        {false, -EPERM, OpenStatus::NoPermission}, {false, -EACCES, OpenStatus::NoPermission},
        {false, -EBADF, OpenStatus::NoPermission}, {false, -EBUSY, OpenStatus::Opened},
        {false, -EPIPE, OpenStatus::Opened},
    };
    for (const auto& c : cases)
        EXPECT_EQ(judgeOpen(c.handleIsNull, c.setConfiguration), c.expected)
            << c.handleIsNull << " " << c.setConfiguration;
}

}  // namespace
