// Which devices are adapters, which one is opened, and when it is usable.

#include "device/adapter_list.h"
#include "device/usb_port.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

namespace {

TEST(BusWalk, ListsEveryAdapterInWalkOrderAndChoosesTheFirstOrTheOneAtAnAddress)
{
    constexpr UsbDeviceId Adapter{0x04D8, 0x0300}, SameVendor{0x04D8, 0x000A}, Hub{0x1D6B, 0x0002},
        Swapped{0x0300, 0x04D8}, SameProduct{0x1234, 0x0300};
    const std::vector<AdapterNode> adapters = adaptersAmong({{"001", "001", Hub},
                                                             {"001", "009", SameVendor},
                                                             {"001", "010", Adapter},
                                                             {"002", "004", Swapped},
                                                             {"002", "005", SameProduct},
                                                             {"002", "012", Adapter},
                                                             {"003", "002", Adapter}});
    EXPECT_EQ(adapters, (std::vector<AdapterNode>{{2, {1, 10}, "/dev/bus/usb/001/010"},
                                                  {5, {2, 12}, "/dev/bus/usb/002/012"},
                                                  {6, {3, 2}, "/dev/bus/usb/003/002"}}));
    // The address asked for, and the place in the walk of the adapter chosen.
    const std::pair<std::optional<AdapterAddress>, std::optional<std::size_t>> cases[] = {
        {std::nullopt, 2},
        {AdapterAddress{2, 12}, 5},
        {AdapterAddress{3, 2}, 6},
        {AdapterAddress{1, 9}, std::nullopt},
        {AdapterAddress{2, 5}, std::nullopt},
        {AdapterAddress{12, 2}, std::nullopt}};
    for (const auto& [address, chosen] : cases) {
        const auto node = chooseAdapter(adapters, address);
        EXPECT_EQ(node ? std::optional(node->index) : std::nullopt, chosen)
            << (address ? std::to_string(address->bus) + ":" + std::to_string(address->device) : "");
    }
    EXPECT_EQ(chooseAdapter({}, std::nullopt), std::nullopt);
}

TEST(BusWalk, AfterALossOnlyTheAdapterAtItsPortOrTheOnlyOneEverSeenIsTaken)
{
    const AdapterNode lost{0, {1, 7}, "", "1-1.2"}, unknownPort{0, {1, 7}, "", ""};
    const AdapterNode back{3, {1, 9}, "", "1-1.2"}, other{1, {1, 8}, "", "1-1.3"};
    const AdapterChoice byAddress(AdapterAddress{1, 7}), byPort("1-1.2");
    const struct {
        const char* label;
        std::vector<AdapterNode> adapters;
        std::optional<AdapterNode> opened;
        std::size_t mostSeen;
        std::optional<std::size_t> taken;  // the walk index
        bool othersOnly;
        std::optional<AdapterChoice> choice{};  // what --device or the Adapter menu named
    } cases[] = {
        {"NeverOpenedTakesTheFirst", {other, back}, std::nullopt, 2, 1, false},
        {"BackAtItsPort", {other, back}, lost, 2, 3, false},
        {"OthersOnly", {other}, lost, 2, std::nullopt, true},
        {"NoneThere", {}, lost, 2, std::nullopt, false},
        {"OnlyOneEverSeen", {other}, lost, 1, 1, false},
        {"PortNeverKnownOnlyOne", {other}, unknownPort, 1, 1, false},
        {"PortNeverKnownTwoSeen", {other}, unknownPort, 2, std::nullopt, true},
        {"AnotherPortWithoutAPortOfItsOwn", {AdapterNode{2, {1, 9}, "", ""}}, unknownPort, 2, std::nullopt, true},
        // A chosen adapter is the choice for good: only its port is taken.
        {"ChosenByPortBackAtItsPort", {other, back}, lost, 1, 3, false, byPort},
        {"ChosenByPortOnlyOneEverSeen", {other}, lost, 1, std::nullopt, true, byPort},
        {"ChosenByAddressOnlyOneEverSeen", {other}, lost, 1, std::nullopt, true, byAddress},
        {"ChosenByAddressNoPortKnown", {other}, unknownPort, 1, std::nullopt, true, byAddress},
    };
    for (const auto& c : cases) {
        const AdapterPick pick = pickAdapter(c.adapters, c.choice, c.opened, c.mostSeen);
        EXPECT_EQ(pick.node ? std::optional(pick.node->index) : std::nullopt, c.taken) << c.label;
        EXPECT_EQ(pick.othersOnly, c.othersOnly) << c.label;
    }
}

TEST(BusWalk, ThePortPathIsTheSysfsFolderOfTheBusAndDeviceNumbers)
{
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / ("sysfs-" + std::to_string(getpid()));
    const fs::path devices = root / "sys/bus/usb/devices";
    const struct {
        const char* name;
        const char* busnum;
        const char* devnum;
    } folders[] = {{"usb1", "1", "1"}, {"1-1", "1", "2"},   {"1-1.2", "1", "7"}, {"1-1.2:1.0", "1", "8"},
                   {"2-1", "2", "7"},  {"3-1", "3\n", "x"}, {"4-1", "4", "007"}, {"1-1.9\n", "1", "9"}};
    for (const auto& f : folders) {
        fs::create_directories(devices / f.name);
        std::ofstream(devices / f.name / "busnum") << f.busnum << "\n";
        std::ofstream(devices / f.name / "devnum") << f.devnum << "\n";
    }
    const std::pair<AdapterAddress, std::string> cases[] = {{{1, 7}, "1-1.2"}, {{2, 7}, "2-1"}, {{1, 2}, "1-1"},
                                                            {{4, 7}, "4-1"},   {{1, 1}, ""},  // a root hub is no port
                                                            {{1, 8}, ""},  // an interface's folder is no device
                                                            {{3, 1}, ""},      {{1, 9}, ""},    {{5, 5}, ""}};
    for (const auto& [address, port] : cases)
        EXPECT_EQ(usbPortPath(root.string(), address), port) << address.bus << ":" << address.device;
    EXPECT_EQ(usbPortPath((root / "none").string(), {1, 7}), "");
    fs::remove_all(root);
}

// --device names an adapter by BUS:DEVICE or by port path; a port path
// chooses the adapter plugged in there, whatever its address.
TEST(BusWalk, ChoosesByAddressOrByPortPath)
{
    const std::vector<AdapterNode> adapters{{0, {1, 7}, "", "1-1.2"}, {1, {1, 9}, "", "1-1.3"}, {2, {2, 4}, "", ""}};
    const std::pair<const char*, std::optional<std::size_t>> cases[] = {{"1:9", 1},
                                                                        {"1-1.3", 1},
                                                                        {"1-1.2", 0},
                                                                        {"002:004", 2},
                                                                        {"1-1", std::nullopt},
                                                                        {"1-1.2.1", std::nullopt},
                                                                        {"2-1", std::nullopt},
                                                                        {"3-1.2.3.4.5.6.7", std::nullopt}};
    for (const auto& [given, chosen] : cases) {
        const std::optional<AdapterChoice> choice = parseAdapterChoice(given);
        ASSERT_TRUE(choice) << given;
        const auto node = chooseAdapter(adapters, choice);
        EXPECT_EQ(node ? std::optional(node->index) : std::nullopt, chosen) << given;
    }
    // An address is two decimal numbers of up to three digits; a port path
    // a bus and up to seven ports.
    for (const char* refused : {"1-1.", "1-", "-1.2", "1-1..2", "1-1.2.3.4.5.6.7.8", "1-1:1.0", "1.2", "1-x", "", "1",
                                "1:", ":7", "1:7:2", "-1:7", "1:0x7", "0001:7", " 1:7"})
        EXPECT_EQ(parseAdapterChoice(refused), std::nullopt) << refused;
}

TEST(BusWalk, OnlyAMissingHandleOrARefusedConfigurationMeansNoPermission)
{
    const struct {
        bool handleIsNull;
        int setConfiguration;
        OpenStatus expected;
    } cases[] = {
        {false, 0, OpenStatus::Opened},
        {true, 0, OpenStatus::NoPermission},
        {false, -EPERM, OpenStatus::NoPermission},
        {false, -EACCES, OpenStatus::NoPermission},
        {false, -EBADF, OpenStatus::NoPermission},
        {false, -EBUSY, OpenStatus::Opened},
        {false, -EPIPE, OpenStatus::Opened},
    };
    for (const auto& c : cases)
        EXPECT_EQ(judgeOpen(c.handleIsNull, c.setConfiguration), c.expected)
            << c.handleIsNull << " " << c.setConfiguration;
}

}  // namespace
