#include "device/adapter_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <sstream>
#include <utility>

AdapterLock::~AdapterLock()
{
    if (fd_ >= 0) close(static_cast<int>(fd_));
}

AdapterLock::AdapterLock(AdapterLock&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

AdapterLock& AdapterLock::operator=(AdapterLock&& other) noexcept
{
    if (this != &other) {
        if (fd_ >= 0) close(static_cast<int>(fd_));
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

namespace {

// The most of a command line read: a program name is far shorter.
constexpr std::streamsize LongestCommandLine = 4096;
constexpr std::size_t LongestName = 255;

std::string firstLine(const std::string& path)
{
    std::ifstream file(path);
    std::string line;
    std::getline(file, line);
    return line;
}

// Who holds the lock on the node open at `fd`, if /proc tells.
AdapterHolder holderOf(int fd)
{
    struct stat node {};
    if (fstat(fd, &node) != 0) return {};
    std::ostringstream locks;
    locks << std::ifstream("/proc/locks").rdbuf();
    const auto pid = flockHolder(locks.str(), major(node.st_dev), minor(node.st_dev), node.st_ino);
    if (!pid) return {};
    return {pid, processName(*pid)};
}

}  // namespace

std::string processName(int pid)
{
    const std::string proc = "/proc/" + std::to_string(pid);
    std::string cmdline(LongestCommandLine, '\0');
    std::ifstream file(proc + "/cmdline", std::ios::binary);
    file.read(cmdline.data(), LongestCommandLine);
    cmdline.resize(static_cast<std::size_t>(file.gcount()));
    std::string name = programOfCommandLine(cmdline);
    // No file name is longer; a longer argv[0] is cut there.
    if (name.size() > LongestName) name.resize(LongestName);
    return name.empty() ? firstLine(proc + "/comm") : name;
}

LockAttempt lockAdapterNode(const std::string& path)
{
    LockAttempt attempt;
    AdapterLock lock(open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!lock.held()) {
        if (errno == ENOENT || errno == ENODEV || errno == ENXIO) attempt.outcome = LockAttempt::Outcome::Missing;
        return attempt;
    }
    if (flock(static_cast<int>(lock.fd_), LOCK_EX | LOCK_NB) == 0) {
        attempt.outcome = LockAttempt::Outcome::Taken;
        attempt.lock = std::move(lock);
    } else if (errno == EWOULDBLOCK) {
        attempt.outcome = LockAttempt::Outcome::InUse;
        attempt.holder = holderOf(static_cast<int>(lock.fd_));
    }
    return attempt;
}
