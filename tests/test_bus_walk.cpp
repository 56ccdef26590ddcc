// Which devices are adapters, which one is opened, and when it is usable.

#include "device/adapter_list.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

TEST(BusWalk, ListsEveryAdapterInWalkOrderAndChoosesTheFirstOrTheOneAtAnAddress)
{
    constexpr UsbDeviceId Adapter{0x04D8, 0x0300}, SameVendor{0x04D8, 0x000A}, Hub{0x1D6B, 0x0002},
        Swapped{0x0300, 0x04D8};
    const std::vector<AdapterNode> adapters = adaptersAmong({{"001", "001", Hub},
        {"001", "009", SameVendor}, {"001", "010", Adapter}, {"002", "004", Swapped},
        {"002", "012", Adapter}, {"003", "002", Adapter}});
    EXPECT_EQ(adapters, (std::vector<AdapterNode>{{2, {1, 10}, "/dev/bus/usb/001/010"},
                                                   {4, {2, 12}, "/dev/bus/usb/002/012"},
                                                   {5, {3, 2}, "/dev/bus/usb/003/002"}}));
    const struct {
        std::optional<AdapterAddress> address;
        std::optional<std::size_t> chosen;  // its place in the walk
    } cases[] = {{std::nullopt, 2}, {AdapterAddress{2, 12}, 4}, {AdapterAddress{3, 2}, 5},
                 {AdapterAddress{1, 9}, std::nullopt}, {AdapterAddress{12, 2}, std::nullopt}};
    for (const auto& c : cases) {
        const auto node = chooseAdapter(adapters, c.address);
        EXPECT_EQ(node ? std::optional(node->index) : std::nullopt, c.chosen)
            << (c.address ? c.address->bus : -1) << ":" << (c.address ? c.address->device : -1);
    }
    EXPECT_EQ(chooseAdapter({}, std::nullopt), std::nullopt);
}

TEST(BusWalk, ReadsAnAddressAsBusColonDevice)
{
    const struct {
        const char* text;
        std::optional<AdapterAddress> expected;
    } cases[] = {{"1:7", AdapterAddress{1, 7}},   {"001:007", AdapterAddress{1, 7}},
                 {"2:127", AdapterAddress{2, 127}}, {"1", std::nullopt},
                 {"1:", std::nullopt},            {":7", std::nullopt},
                 {"1:7:2", std::nullopt},         {"-1:7", std::nullopt},
                 {"1:0x7", std::nullopt},         {"0001:7", std::nullopt},
                 {" 1:7", std::nullopt}};
    for (const auto& c : cases) EXPECT_EQ(parseAdapterAddress(c.text), c.expected) << c.text;
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
