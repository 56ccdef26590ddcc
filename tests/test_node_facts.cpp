// Where the program's udev rule is found installed.

#include "device/node_facts.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

TEST(NodeFacts, FindsThePackagedAndTheLocalRulesEachFileOnce)
{
    const fs::path root = fs::temp_directory_path() / ("rules-" + std::to_string(getpid()));
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
    EXPECT_TRUE(installedUdevRules((root / "nothing").string()).empty());
    fs::remove_all(root);
}

}  // namespace
