// Who holds the lock on an adapter's node, as /proc/locks tells it.

#include "device/adapter_lock.h"

#include <gtest/gtest.h>

namespace {

TEST(AdapterLock, TheHolderIsTheFlockOnTheNodesDeviceAndInode)
{
    // The node: device 00:05 (hexadecimal in the table), inode 1178.
    const struct {
        const char* label;
        const char* table;
        std::optional<int> holder;
    } cases[] = {
        {"Empty", "", std::nullopt},
        {"Held", "1: FLOCK  ADVISORY  WRITE 4321 00:05:1178 0 EOF\n", 4321},
        {"AmongOthers",
         "1: POSIX  ADVISORY  WRITE 11 00:05:1178 0 EOF\n2: FLOCK  ADVISORY  WRITE 12 00:05:1179 "
         "0 EOF\n3: FLOCK  ADVISORY  WRITE 13 00:06:1178 0 EOF\n4: FLOCK  ADVISORY  WRITE 14 "
         "00:05:11780 0 EOF\n5: FLOCK  ADVISORY  READ  15 00:05:1178 0 EOF\n",
         15},
        {"WaiterIsNoHolder", "1: -> FLOCK  ADVISORY  WRITE 99 00:05:1178 0 EOF\n", std::nullopt},
        {"MajorAndMinorSwapped", "1: FLOCK  ADVISORY  WRITE 7 05:00:1178 0 EOF\n", std::nullopt},
        {"OtherNamespace", "1: FLOCK  ADVISORY  WRITE 0 00:05:1178 0 EOF\n", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(flockHolder(c.table, 0, 5, 1178), c.holder) << c.label;
    EXPECT_EQ(flockHolder("1: FLOCK  ADVISORY  WRITE 8 fe:1a:9 0 EOF", 254, 26, 9), 8);
}

}  // namespace
