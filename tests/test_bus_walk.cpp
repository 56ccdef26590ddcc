// Which devices are adapters, which one is opened, and when it is usable.

#include "device/adapter_list.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace {

TEST(BusWalk, ListsEveryAdapterInWalkOrderAndChoosesTheFirstOrTheOneAtAnAddress)
{
    constexpr UsbDeviceId Adapter{0x04D8, 0x0300}, SameVendor{0x04D8, 0x000A}, Hub{0x1D6B, 0x0002},
        Swapped{0x0300, 0x04D8}, SameProduct{0x1234, 0x0300};
    const std::vector<AdapterNode> adapters = adaptersAmong({{"001", "001", Hub},
        {"001", "009", SameVendor}, {"001", "010", Adapter}, {"002", "004", Swapped}, {"002", "005", SameProduct},
        {"002", "012", Adapter}, {"003", "002", Adapter}});
    EXPECT_EQ(adapters, (std::vector<AdapterNode>{{2, {1, 10}, "/dev/bus/usb/001/010"},
                                                   {5, {2, 12}, "/dev/bus/usb/002/012"},
                                                   {6, {3, 2}, "/dev/bus/usb/003/002"}}));
    // The address asked for, and the place in the walk of the adapter chosen.
    const std::pair<std::optional<AdapterAddress>, std::optional<std::size_t>> cases[] = {
        {std::nullopt, 2}, {AdapterAddress{2, 12}, 5}, {AdapterAddress{3, 2}, 6},
        {AdapterAddress{1, 9}, std::nullopt}, {AdapterAddress{2, 5}, std::nullopt},
        {AdapterAddress{12, 2}, std::nullopt}};
    for (const auto& [address, chosen] : cases) {
        const auto node = chooseAdapter(adapters, address);
        EXPECT_EQ(node ? std::optional(node->index) : std::nullopt, chosen)
            << (address ? std::to_string(address->bus) + ":" + std::to_string(address->device) : "");
    }
    EXPECT_EQ(chooseAdapter({}, std::nullopt), std::nullopt);
}

TEST(BusWalk, ReadsAnAddressAsBusColonDevice)
{
    EXPECT_EQ(parseAdapterAddress("1:7"), (AdapterAddress{1, 7}));
    EXPECT_EQ(parseAdapterAddress("001:127"), (AdapterAddress{1, 127}));
    for (const char* wrong : {"1", "1:", ":7", "1:7:2", "-1:7", "1:0x7", "0001:7", " 1:7"})
        EXPECT_EQ(parseAdapterAddress(wrong), std::nullopt) << wrong;
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
