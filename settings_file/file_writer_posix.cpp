#include "settings_file/file_writer.h"

#include "interrupts/signals.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <optional>

namespace settings {
namespace {

[[noreturn]] void fail(const std::string& path, int error)
{
    throw WriteError({WriteProblem::Kind::Failed, path, error});
}

// The mode a new file gets: 0666 less the umask, which Linux shows in
// /proc/self/status (reading it so leaves the umask of other threads alone).
mode_t newFileMode()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("Umask:", 0) == 0) return 0666 & ~static_cast<mode_t>(std::stoul(line.substr(6), nullptr, 8));
    return 0644;
}

class Folder {
public:
    // `file` names what is to be written there, in messages.
    Folder(const std::string& path, const std::string& file) : path_(path)
    {
        fd_ = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd_ < 0) fail(file, errno);
    }
    ~Folder() { close(fd_); }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;

    int fd() const { return fd_; }
    std::string pathOf(const std::string& name) const { return pathIn(path_, name); }

private:
    std::string path_;
    int fd_;
};

// The text in a file of its own, 0600 while it is written, that is removed
// unless it was put in place. A signal waits until then (signals.h), so
// that none leaves the file behind.
class TemporaryFile {
public:
    TemporaryFile(const Folder& folder, const std::string& name) : folder_(folder)
    {
        for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
            unsigned char random[6];
            if (getrandom(random, sizeof random, 0) != sizeof random) fail(folder.pathOf(name), errno);
            char suffix[16];
            std::snprintf(suffix, sizeof suffix, "%02x%02x%02x%02x%02x%02x", random[0], random[1], random[2], random[3],
                          random[4], random[5]);
            name_ = "." + name.substr(0, 200) + "." + suffix + ".tmp";
            fd_ = openat(folder.fd(), name_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
            if (fd_ < 0 && errno != EEXIST) fail(folder.pathOf(name), errno);
        }
        if (fd_ < 0) fail(folder.pathOf(name), EEXIST);
    }
    ~TemporaryFile()
    {
        if (fd_ >= 0) close(fd_);
        if (!placed_) unlinkat(folder_.fd(), name_.c_str(), 0);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // Writes all of `text` and syncs it, with the owner and mode it is to
    // have; `target` names the file in messages.
    void fill(std::string_view text, mode_t mode, std::optional<std::pair<uid_t, gid_t>> owner,
              const std::string& target)
    {
        while (!text.empty()) {
            const ssize_t n = write(fd_, text.data(), text.size());
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) fail(target, n < 0 ? errno : ENOSPC);
            text.remove_prefix(static_cast<std::size_t>(n));
        }
        if (owner && fchown(fd_, owner->first, owner->second) != 0) fail(target, errno);
        if (fchmod(fd_, mode) != 0 || fsync(fd_) != 0) fail(target, errno);
        const int closed = close(fd_);
        fd_ = -1;
        if (closed != 0) fail(target, errno);
    }

    // Renames the file to `name` unless that is taken (false then). Where the
    // file system has no such rename (NFS, CIFS), a hard link does the same:
    // it fails when the name is taken.
    bool placeUnlessTaken(const std::string& name)
    {
        if (renameat2(folder_.fd(), name_.c_str(), folder_.fd(), name.c_str(), RENAME_NOREPLACE) == 0)
            return placed_ = true;
        if (errno == EINVAL || errno == ENOSYS) {
            if (linkat(folder_.fd(), name_.c_str(), folder_.fd(), name.c_str(), 0) == 0) {
                placed_ = true;
                unlinkat(folder_.fd(), name_.c_str(), 0);
                return true;
            }
        }
        if (errno == EEXIST) return false;
        fail(folder_.pathOf(name), errno);
    }

    void placeOver(const std::string& name)
    {
        if (renameat(folder_.fd(), name_.c_str(), folder_.fd(), name.c_str()) != 0) fail(folder_.pathOf(name), errno);
        placed_ = true;
    }

private:
    interrupts::Deferral deferral_;  // first made, last gone
    const Folder& folder_;
    std::string name_;
    int fd_ = -1;
    bool placed_ = false;
};

// The folder's entries are on the disk, the new name among them. File
// systems that cannot sync a folder say EINVAL; nothing more can be done.
void syncFolder(const Folder& folder, const std::string& path)
{
    if (fsync(folder.fd()) != 0 && errno != EINVAL) fail(path, errno);
}

std::pair<std::string, std::string> split(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return {".", path};
    return {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
}

}  // namespace

std::string folderOf(const std::string& path)
{
    return split(path).first;
}

std::string pathIn(const std::string& folder, const std::string& name)
{
    if (folder == ".") return name;
    return !folder.empty() && folder.back() == '/' ? folder + name : folder + "/" + name;
}

void writeWholeFile(const std::string& path, std::string_view text, bool replace, bool privateFile)
{
    const auto [folderPath, name] = split(path);
    if (name.empty() || name == "." || name == "..") fail(path, EISDIR);
    const Folder folder(folderPath, path);

    mode_t mode = privateFile ? 0600 : newFileMode();
    std::optional<std::pair<uid_t, gid_t>> owner;
    struct stat old {};
    if (fstatat(folder.fd(), name.c_str(), &old, AT_SYMLINK_NOFOLLOW) == 0) {
        if (!S_ISREG(old.st_mode) && !S_ISLNK(old.st_mode)) throw WriteError({WriteProblem::Kind::NotRegular, path});
        if (replace && S_ISREG(old.st_mode) && !privateFile) {
            mode = old.st_mode & 07777;
            if (geteuid() == 0) owner = std::pair(old.st_uid, old.st_gid);
        }
    } else if (errno != ENOENT) {
        fail(path, errno);
    }

    TemporaryFile file(folder, name);
    file.fill(text, mode, owner, path);
    if (replace) file.placeOver(name);
    else if (!file.placeUnlessTaken(name)) throw WriteError({WriteProblem::Kind::Exists, path});
    syncFolder(folder, path);
}

std::string writeUnderFreeName(const std::string& folderPath, const std::vector<std::string>& names,
                               std::string_view text)
{
    if (names.empty()) fail(folderPath, EINVAL);
    const Folder folder(folderPath, folderPath + "/" + names.front());
    TemporaryFile file(folder, names.front());
    file.fill(text, 0600, std::nullopt, folder.pathOf(names.front()));
    for (const std::string& name : names) {
        if (!file.placeUnlessTaken(name)) continue;
        syncFolder(folder, folder.pathOf(name));
        return folder.pathOf(name);
    }
    throw WriteError({WriteProblem::Kind::AllNamesTaken, folder.pathOf(names.back())});
}

void makePrivateFolder(const std::string& folder)
{
    if (folder.empty()) fail(folder, ENOENT);
    for (std::size_t end = folder.find('/', 1);; end = folder.find('/', end + 1)) {
        const std::string level = folder.substr(0, end);
        struct stat made {};
        if (mkdir(level.c_str(), 0700) == 0) {
            // Made here: it must be the folder made, not a link put in its place.
            if (lstat(level.c_str(), &made) != 0) fail(level, errno);
            if (!S_ISDIR(made.st_mode)) throw WriteError({WriteProblem::Kind::NotAFolder, level});
        } else if (errno != EEXIST) {
            fail(level, errno);
        } else if (stat(level.c_str(), &made) != 0 || !S_ISDIR(made.st_mode)) {
            fail(level, ENOTDIR);
        }
        if (end == std::string::npos) return;
    }
}

}  // namespace settings
