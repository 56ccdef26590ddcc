// What is told of an adapter that cannot be had: who holds the lock on its
// node, as /proc/locks tells it, and where the program's udev rule is found.

#include "device/adapter_lock.h"
#include "device/node_facts.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

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
    // The holder by its whole program name, which the kernel's short name
    // cuts to 15 bytes ("test_adapter_ac").
    EXPECT_EQ(processName(getpid()), "test_adapter_access");
}

TEST(NodeFacts, FindsThePackagedAndTheLocalRulesEachFileOnce)
{
    const fs::path root = fs::temp_directory_path() / ("rules-" + std::to_string(getpid()));
    fs::remove_all(root);
    for (const char* file :
         {"usr/lib/udev/rules.d/70-brisel-setting.rules", "usr/lib/udev/rules.d/70-other.rules",
          "etc/udev/rules.d/70-brisel-setting-group.rules", "etc/udev/rules.d/71-brisel-setting.rules",
          "usr/local/lib/udev/rules.d/70-brisel-setting.rules.bak"}) {
        fs::create_directories((root / file).parent_path());
        std::ofstream(root / file) << "\n";
    }
    fs::create_directory_symlink("usr/lib", root / "lib");  // a merged /usr
    EXPECT_EQ(installedUdevRules(root.string()),
              (std::vector<std::string>{root / "etc/udev/rules.d/70-brisel-setting-group.rules",
                                        root / "usr/lib/udev/rules.d/70-brisel-setting.rules"}));
    fs::remove_all(root);
}

}  // namespace
