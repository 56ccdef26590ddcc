#include "device/adapter_lock.h"

#include <cstdio>
#include <sstream>

std::optional<int> flockHolder(std::string_view procLocks, unsigned major, unsigned minor, unsigned long inode)
{
    // "1: FLOCK  ADVISORY  WRITE 1234 00:05:1178 0 EOF"; a waiter's line has
    // "->" after the number. The device numbers are hexadecimal.
    std::istringstream table{std::string(procLocks)};
    for (std::string line; std::getline(table, line);) {
        std::istringstream fields(line);
        std::string number, kind, mode, access, file;
        int pid = 0;
        if (!(fields >> number >> kind >> mode >> access >> pid >> file) || kind != "FLOCK") continue;
        unsigned fileMajor = 0, fileMinor = 0;
        unsigned long fileInode = 0;
        char end = 0;
        if (std::sscanf(file.c_str(), "%x:%x:%lu%c", &fileMajor, &fileMinor, &fileInode, &end) == 3 &&
            fileMajor == major && fileMinor == minor && fileInode == inode && pid > 0)
            return pid;
    }
    return std::nullopt;
}

std::string programOfCommandLine(std::string_view cmdline)
{
    const std::string_view first = cmdline.substr(0, cmdline.find('\0'));
    const std::size_t slash = first.rfind('/');
    return std::string(slash == std::string_view::npos ? first : first.substr(slash + 1));
}
