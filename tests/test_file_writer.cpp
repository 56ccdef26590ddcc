// brisel-ctl's files on a full file system and on odd targets, each case on a
// small tmpfs and in a scratch folder: a file is whole or the old one stays,
// no temporary file is left, nothing but a regular file or a link is ever
// replaced, a link is replaced and not followed, and automatic backups get
// names of their own in a private folder.

#include "emulator/emulator.h"
#include "settings_file/settings_file.h"
#include "tests/support/ctl_run.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

namespace {

namespace fs = std::filesystem;

// The test process gets a mount namespace of its own, in which it may mount
// a tmpfs: as root directly, otherwise (or where root may not) in a user
// namespace where it is root.
bool ownMountNamespace()
{
    static const bool entered = [] {
        const uid_t uid = geteuid();
        const gid_t gid = getegid();
        const bool asRoot = uid == 0 && unshare(CLONE_NEWNS) == 0;
        if (!asRoot) {
            if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return false;
            std::ofstream("/proc/self/setgroups") << "deny";
            std::ofstream("/proc/self/uid_map") << "0 " << uid << " 1";
            std::ofstream("/proc/self/gid_map") << "0 " << gid << " 1";
        }
        return mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    }();
    return entered;
}

enum class Where { Tmpfs, Scratch };

// A fresh folder: a 64 KiB tmpfs of its own, or a folder in /tmp.
struct Place {
    std::string root;
    bool mounted = false;
    explicit Place(Where where)
    {
        char name[] = "/tmp/brisel-writer.XXXXXX";
        root = mkdtemp(name);
        if (where == Where::Tmpfs) mounted = ownMountNamespace() && mount("tmpfs", name, "tmpfs", 0, "size=64k") == 0;
    }
    ~Place()
    {
        if (mounted) umount(root.c_str());
        fs::remove_all(root);
    }
    std::string operator/(const std::string& name) const { return root + "/" + name; }
    void fill() const
    {
        std::ofstream file(*this / "fill");
        const std::string block(4096, '\0');
        while (file.write(block.data(), block.size()).flush()) {}
    }
};

std::set<std::string> namesIn(const std::string& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename());
    return names;
}

std::string contents(const std::string& path)
{
    std::ostringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
}

struct Ctl {
    emu::Emulator adapter;
    std::ostringstream out, err;
    int run(std::vector<std::string> args, const std::string& backups = "/nonexistent")
    {
        return ctltest::runDemo(adapter, std::move(args), out, err, backups);
    }
};

const std::string& backupText()
{
    static const std::string text = [] {
        Ctl ctl;
        ctl.run({"backup", "-"});
        return ctl.out.str();
    }();
    return text;
}

// What stands at the target before `backup` writes it.
enum class Old { Nothing, File, CharDevice, Fifo, Folder, Link, DanglingLink };

void plant(const Place& place, Old old, const std::string& target)
{
    const std::string old_text = "format = 1\n";
    std::ofstream(place / "elsewhere.toml") << old_text;
    if (old == Old::File) std::ofstream(target) << old_text;
    if (old == Old::File) chmod(target.c_str(), 0640);
    if (old == Old::Fifo) mkfifo(target.c_str(), 0644);
    if (old == Old::Folder) mkdir(target.c_str(), 0755);
    if (old == Old::Link) symlink("elsewhere.toml", target.c_str());
    if (old == Old::DanglingLink) symlink("nowhere.toml", target.c_str());
    // The null device, as root made here, otherwise mounted over a file.
    if (old == Old::CharDevice && mknod(target.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) {
        std::ofstream{target};
        ownMountNamespace();
        mount("/dev/null", target.c_str(), nullptr, MS_BIND, nullptr);
    }
}

// The target as lstat sees it: its type, mode and owner, and its text.
std::string describe(const std::string& path)
{
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0) return "nothing";
    std::ostringstream text;
    text << std::oct << st.st_mode << std::dec << " owner " << st.st_uid;
    if (S_ISREG(st.st_mode)) text << " holding " << contents(path);
    if (S_ISLNK(st.st_mode)) text << " to " << fs::read_symlink(path);
    return text.str();
}

struct Case {
    const char* name;
    Old old;
    bool force;
    bool full;   // the file system is full
    int status;  // 0: the target is a regular file holding the backup
};

const Case Cases[] = {
    {"New", Old::Nothing, false, false, 0},
    {"NewOnAFullDisk", Old::Nothing, false, true, 73},
    {"ForcedOnAFullDisk", Old::File, true, true, 73},
    {"ExistingWithoutForce", Old::File, false, false, 73},
    {"ForcedOverAFile", Old::File, true, false, 0},
    {"ForcedOverACharDevice", Old::CharDevice, true, false, 73},
    {"ForcedOverAFifo", Old::Fifo, true, false, 73},
    {"ForcedOverAFolder", Old::Folder, true, false, 73},
    {"ForcedOverALink", Old::Link, true, false, 0},
    {"DanglingLink", Old::DanglingLink, false, false, 73},
    {"ForcedOverADanglingLink", Old::DanglingLink, true, false, 0},
};

class Backup : public testing::TestWithParam<std::tuple<Case, Where>> {};

TEST_P(Backup, IsWholeOrLeavesTheOldAsItWas)
{
    const auto& [c, where] = GetParam();
    const Place place(where);
    if (where == Where::Tmpfs) {
        ASSERT_TRUE(place.mounted) << "no tmpfs: no mount namespace";
    }
    const std::string target = place / "x.toml";
    plant(place, c.old, target);
    // As root, a replaced file keeps its owner too.
    const bool owned = c.old == Old::File && lchown(target.c_str(), 1234, 1234) == 0;
    if (c.full) place.fill();
    const std::string before = describe(target);
    std::set<std::string> names = namesIn(place.root);
    names.insert("x.toml");

    Ctl ctl;
    std::vector<std::string> args{"backup", target};
    if (c.force) args.insert(args.begin(), "--force");
    ASSERT_EQ(ctl.run(args), c.status) << ctl.err.str();

    std::set<std::string> namesAfter = namesIn(place.root);
    namesAfter.insert("x.toml");
    EXPECT_EQ(namesAfter, names) << "a temporary file is left, or a link was followed";
    EXPECT_EQ(contents(place / "elsewhere.toml"), "format = 1\n");
    if (c.status != 0) {
        EXPECT_EQ(describe(target), before);
        EXPECT_NE(ctl.err.str().find(target), std::string::npos) << ctl.err.str();
        if (c.old == Old::CharDevice) umount(target.c_str());
        return;
    }
    struct stat st {};
    ASSERT_EQ(lstat(target.c_str(), &st), 0);
    EXPECT_TRUE(S_ISREG(st.st_mode));
    EXPECT_EQ(contents(target), backupText());
    if (c.old == Old::File) {
        EXPECT_EQ(st.st_mode & 07777, 0640u);
    }
    if (owned) {
        EXPECT_EQ(st.st_uid, 1234u);
    }
}

// Every case on a tmpfs, and those that need no full disk in /tmp too.
std::vector<std::tuple<Case, Where>> casesAndPlaces()
{
    std::vector<std::tuple<Case, Where>> all;
    for (const Case& c : Cases) {
        all.emplace_back(c, Where::Tmpfs);
        if (!c.full) all.emplace_back(c, Where::Scratch);
    }
    return all;
}

INSTANTIATE_TEST_SUITE_P(Cases, Backup, testing::ValuesIn(casesAndPlaces()), [](const auto& info) {
    return std::string(std::get<0>(info.param).name) +
           (std::get<1>(info.param) == Where::Tmpfs ? "_Tmpfs" : "_Scratch");
});

std::string restoredFile(const Place& place)
{
    std::ofstream(place / "f.toml") << "format = 1\n[basic]\ndelay_time_ms = 420\n";
    return place / "f.toml";
}

class AutomaticBackup : public testing::TestWithParam<Where> {};

// Each level of its folder is made 0700; each backup gets a name of its own,
// past a link planted at the next name, which is not followed.
TEST_P(AutomaticBackup, GetsANameOfItsOwnInAPrivateFolder)
{
    const Place place(GetParam());
    const std::string folder = place / "state/backups";
    const std::string stamp = folder + "/2026-12-07_120000";
    for (int i = 0; i < 2; ++i) {
        Ctl ctl;
        ASSERT_EQ(ctl.run({"restore", restoredFile(place)}, folder), 0) << ctl.err.str();
        if (i == 0) symlink((place / "planted.toml").c_str(), (stamp + "_2.toml").c_str());
    }
    const std::set<std::string> names{"2026-12-07_120000.toml", "2026-12-07_120000_2.toml", "2026-12-07_120000_3.toml"};
    EXPECT_EQ(namesIn(folder), names);
    EXPECT_FALSE(fs::exists(place / "planted.toml"));
    // Each names its adapter above the settings, with a digest that matches.
    for (const std::string& backup : {stamp + ".toml", stamp + "_3.toml"}) {
        const std::string text = contents(backup);
        // The firmware is named once, by the lines above the settings.
        EXPECT_TRUE(text.ends_with(std::regex_replace(backupText(), std::regex("# Firmware: .*\n"), ""))) << text;
        const auto own = settings::readSettingsFile(text).ownCopy;
        ASSERT_TRUE(own.has_value());
        EXPECT_EQ(own->kind, settings::OwnCopy::Kind::AutomaticBackup);
        EXPECT_EQ(own->adapter, (settings::AdapterIdentity{true, "", std::nullopt, "", "DV Brisel PIC V01.07"}));
    }
    for (const std::string& made : {place / "state", folder})
        EXPECT_EQ(fs::status(made).permissions(), fs::perms::owner_all) << made;
}

INSTANTIATE_TEST_SUITE_P(Places, AutomaticBackup, testing::Values(Where::Tmpfs, Where::Scratch));

TEST(AutomaticBackupOnAFullDisk, FailsAndNothingIsWritten)
{
    const Place place(Where::Tmpfs);
    ASSERT_TRUE(place.mounted) << "no tmpfs: no mount namespace";
    const std::string file = restoredFile(place);
    mkdir((place / "backups").c_str(), 0700);
    place.fill();
    Ctl ctl;
    const emu::AdapterState before = ctl.adapter.state();
    EXPECT_EQ(ctl.run({"restore", file}, place / "backups"), 73);
    EXPECT_NE(ctl.err.str().find(place / "backups/2026-12-07_120000.toml"), std::string::npos) << ctl.err.str();
    EXPECT_EQ(ctl.adapter.state(), before);
    EXPECT_TRUE(namesIn(place / "backups").empty());
}

}  // namespace
