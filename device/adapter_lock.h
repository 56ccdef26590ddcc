#pragma once
// Only one program at a time talks to an adapter: whoever opens it takes an
// advisory lock (flock) on the adapter's own device node, and holds it for as
// long as it keeps the adapter open. The lock is on the node itself, not on a
// file elsewhere, so every program that follows the rule sees it, whatever its
// user, and the kernel drops it when the holder ends, however it ends.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct LockAttempt;

// Who holds an adapter, as far as /proc tells: the process and its name.
// Nothing known: no process; a process whose name cannot be read: no name.
struct AdapterHolder {
    std::optional<int> process{};
    std::string name{};
    bool operator==(const AdapterHolder&) const = default;
};

// Opens the adapter's device node at `path` read-only and takes the lock
// without waiting.
LockAttempt lockAdapterNode(const std::string& path);

class AdapterLock {
public:
    AdapterLock() = default;
    ~AdapterLock();
    AdapterLock(AdapterLock&& other) noexcept;
    AdapterLock& operator=(AdapterLock&& other) noexcept;

    bool held() const { return fd_ >= 0; }

private:
    friend LockAttempt lockAdapterNode(const std::string& path);
    explicit AdapterLock(std::intptr_t fd) : fd_(fd) {}
    // The node opened read-only, holding the lock (on Windows, the handle that
    // holds it).
    std::intptr_t fd_ = -1;
};

struct LockAttempt {
    enum class Outcome {
        Taken,    // `lock` holds it
        InUse,    // another open of the node holds it
        Failed,   // the node could not be opened or locked
        Missing,  // the node is not there (the adapter was unplugged, or /dev/bus/usb is not)
    };
    Outcome outcome = Outcome::Failed;
    AdapterLock lock;
    // For InUse, who holds it, as far as /proc tells.
    AdapterHolder holder;
};

// The process that holds a flock on a file, from the text of /proc/locks. The
// file is given as that table names it: its file system's device (major and
// minor of st_dev) and its inode. Processes waiting for the lock are not
// holders.
std::optional<int> flockHolder(std::string_view procLocks, unsigned major, unsigned minor, unsigned long inode);

// A program's name from its command line as /proc/PID/cmdline gives it
// (arguments ended by NUL bytes): the base name of the first; empty when
// there is none.
std::string programOfCommandLine(std::string_view cmdline);
// The name of process `pid`: the base name of its argv[0], or where that
// cannot be read (a kernel thread, another user's process under hidepid),
// the short name the kernel keeps, which it cuts to 15 bytes.
std::string processName(int pid);
