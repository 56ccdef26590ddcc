// The lock on Windows. There is no flock and no /proc: the lock is a
// byte-range lock (LockFileEx) on a lock file, and Windows drops it when the
// holder's handles are closed, however the holder ends. A file that is
// locked cannot be replaced while it is open, so the lock is never on the
// locked thing itself:
//   - a file (the demo adapter's file) is locked through FILE.lock beside it,
//     which stays when the file is replaced;
//   - an adapter, which libusb-win32 names by a device name
//     ("\\.\libusb0-0001--0x04d8-0x0300"), is locked through a file named
//     after it in %ProgramData%\brisel-setting\locks, a folder every user
//     of the machine shares, as every user sees a device node's lock.
// A process that holds a lock and takes it again (the demo file after it
// is replaced) gets a second handle of the one it holds, as on Linux it
// locks the new file before letting go of the old one.
// The holder is the process that has the locked file open, as the Restart
// Manager tells (Windows tells it for the files of every process the asker
// may query); Wine tells no one.
#include "device/adapter_lock.h"
#include "device/windows_text.h"

#include <windows.h>
// windows.h first
#include <restartmanager.h>

#include <cctype>
#include <cerrno>
#include <cwchar>
#include <map>
#include <mutex>
#include <utility>
#include <vector>

namespace {

// The locked range: one byte at 2^62, past the end of any file.
constexpr DWORD LockedLow = 0;
constexpr DWORD LockedHigh = 0x40000000;

HANDLE handleOf(std::intptr_t fd)
{
    return reinterpret_cast<HANDLE>(fd);
}

// The locks this process holds: each handle with its lock file.
std::mutex heldMutex;
std::map<std::intptr_t, std::wstring> held;

void closeHandle(std::intptr_t fd)
{
    if (fd < 0) return;
    {
        const std::lock_guard guard(heldMutex);
        held.erase(fd);
    }
    CloseHandle(handleOf(fd));
}

// Another handle of a lock this process holds on `file`; -1 when it holds none.
std::intptr_t heldAgain(const std::wstring& file)
{
    const std::lock_guard guard(heldMutex);
    for (const auto& [fd, path] : held) {
        if (CompareStringOrdinal(path.c_str(), -1, file.c_str(), -1, TRUE) != CSTR_EQUAL) continue;
        HANDLE copy = nullptr;
        if (!DuplicateHandle(GetCurrentProcess(), handleOf(fd), GetCurrentProcess(), &copy, 0, FALSE,
                             DUPLICATE_SAME_ACCESS))
            return -1;
        const auto copied = reinterpret_cast<std::intptr_t>(copy);
        held.emplace(copied, file);
        return copied;
    }
    return -1;
}

// The lock file of an adapter's device name, made when missing.
std::wstring lockFileOf(const std::string& device)
{
    wchar_t data[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"ProgramData", data, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    std::wstring folder = std::wstring(data) + L"\\brisel-setting";
    CreateDirectoryW(folder.c_str(), nullptr);
    folder += L"\\locks";
    CreateDirectoryW(folder.c_str(), nullptr);
    // "\\.\libusb0-0001--0x04d8-0x0300" gives "libusb0-0001--0x04d8-0x0300.lock".
    std::string name;
    for (char c : device)
        if (std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_') name += c;
    if (name.empty() || name.size() > 120) return {};
    return folder + L"\\" + windows_text::wide(name) + L".lock";
}

std::string baseName(const std::wstring& path)
{
    const std::size_t slash = path.find_last_of(L"\\/");
    return windows_text::utf8(slash == std::wstring::npos ? path : path.substr(slash + 1));
}

// Who else has `file` open, as the Restart Manager tells.
AdapterHolder holderOf(const std::wstring& file)
{
    DWORD session = 0;
    WCHAR key[CCH_RM_SESSION_KEY + 1]{};
    if (RmStartSession(&session, 0, key) != ERROR_SUCCESS) return {};
    AdapterHolder holder;
    LPCWSTR files[] = {file.c_str()};
    if (RmRegisterResources(session, 1, files, 0, nullptr, 0, nullptr) == ERROR_SUCCESS) {
        UINT needed = 0, count = 0;
        DWORD reasons = 0;
        std::vector<RM_PROCESS_INFO> found;
        for (int round = 0; round < 3; ++round) {
            found.resize(needed);
            count = needed;
            const DWORD status = RmGetList(session, &needed, &count, found.data(), &reasons);
            if (status == ERROR_SUCCESS) {
                found.resize(count);
                break;
            }
            if (status != ERROR_MORE_DATA) {
                found.clear();
                break;
            }
        }
        for (const RM_PROCESS_INFO& process : found) {
            const DWORD pid = process.Process.dwProcessId;
            if (pid == GetCurrentProcessId() || pid == 0 || pid > 0x7fffffff) continue;
            holder.process = static_cast<int>(pid);
            holder.name = processName(static_cast<int>(pid));
            break;
        }
    }
    RmEndSession(session);
    return holder;
}

}  // namespace

AdapterLock::~AdapterLock()
{
    closeHandle(fd_);
}

AdapterLock::AdapterLock(AdapterLock&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

AdapterLock& AdapterLock::operator=(AdapterLock&& other) noexcept
{
    if (this != &other) {
        closeHandle(fd_);
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

std::string processName(int pid)
{
    const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (process == nullptr) return {};
    wchar_t path[MAX_PATH];
    DWORD length = MAX_PATH;
    const BOOL named = QueryFullProcessImageNameW(process, 0, path, &length);
    CloseHandle(process);
    std::string name = named ? baseName(std::wstring(path, length)) : std::string();
    if (name.size() > 255) name.resize(255);
    return name;
}

LockAttempt lockAdapterNode(const std::string& path)
{
    LockAttempt attempt;
    const bool device = windows_text::devicePath(path);
    if (!device) {
        // The file must be there, as a node must.
        const DWORD attributes = GetFileAttributesW(windows_text::wide(path).c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            errno = windows_text::errnoOf(GetLastError());
            if (errno == ENOENT) attempt.outcome = LockAttempt::Outcome::Missing;
            return attempt;
        }
    }
    const std::wstring file = device ? lockFileOf(path) : windows_text::wide(path + ".lock");
    if (file.empty()) return attempt;
    if (const std::intptr_t again = heldAgain(file); again >= 0) {
        attempt.outcome = LockAttempt::Outcome::Taken;
        attempt.lock = AdapterLock(again);
        return attempt;
    }
    const HANDLE handle =
        CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        errno = windows_text::errnoOf(GetLastError());
        return attempt;
    }
    AdapterLock lock(reinterpret_cast<std::intptr_t>(handle));
    // Only a file on a disk is locked: a pipe or a console would wait or take input.
    if (GetFileType(handle) != FILE_TYPE_DISK) {
        errno = EINVAL;
        return attempt;
    }
    OVERLAPPED range{};
    range.Offset = LockedLow;
    range.OffsetHigh = LockedHigh;
    if (LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &range)) {
        attempt.outcome = LockAttempt::Outcome::Taken;
        {
            const std::lock_guard guard(heldMutex);
            held.emplace(lock.fd_, file);
        }
        attempt.lock = std::move(lock);
    } else if (GetLastError() == ERROR_LOCK_VIOLATION || GetLastError() == ERROR_IO_PENDING) {
        attempt.outcome = LockAttempt::Outcome::InUse;
        attempt.holder = holderOf(file);
    } else {
        errno = windows_text::errnoOf(GetLastError());
    }
    return attempt;
}
