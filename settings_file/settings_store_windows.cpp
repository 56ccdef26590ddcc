// Reading a file whole, the state folder and the local time, on Windows.
// The program's files (the demo adapter, the backups, the write records)
// are kept in %LOCALAPPDATA%\brisel-setting, the user's own folder that no
// roaming profile copies.
#include "device/windows_text.h"
#include "settings_file/read_whole.h"
#include "settings_file/settings_store.h"

#include <windows.h>

#include <cerrno>
#include <ctime>

namespace settings {

bool nothingAt(const std::string& path)
{
    const std::wstring name = windows_text::wide(path);
    if (name.empty() || GetFileAttributesW(name.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

std::string readWholeFile(const std::string& path, bool regularOnly)
{
    const auto unreadable = [&path](int error) {
        return StoreError(StoreError::Kind::Unreadable, {StoreProblem::Kind::CannotRead, path, error});
    };
    const bool standardInput = path == "-";
    const std::wstring name = standardInput ? std::wstring() : windows_text::wide(path);
    if (!standardInput && (name.empty() || (regularOnly && windows_text::devicePath(path)))) {
        if (regularOnly && !name.empty())
            throw StoreError(StoreError::Kind::Unreadable, {StoreProblem::Kind::NotRegularFile, path});
        throw unreadable(ENOENT);
    }
    const HANDLE handle =
        standardInput ? GetStdHandle(STD_INPUT_HANDLE)
                      : CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE || handle == nullptr) throw unreadable(windows_text::errnoOf(GetLastError()));
    const auto done = [&] {
        if (!standardInput) CloseHandle(handle);
    };
    // A pipe or a console could wait for ever; a folder cannot be read.
    BY_HANDLE_FILE_INFORMATION facts{};
    if (regularOnly && (GetFileType(handle) != FILE_TYPE_DISK || !GetFileInformationByHandle(handle, &facts) ||
                        (facts.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)))) {
        done();
        throw StoreError(StoreError::Kind::Unreadable, {StoreProblem::Kind::NotRegularFile, path});
    }
    std::string bytes;
    char buffer[16384];
    for (;;) {
        DWORD n = 0;
        if (!ReadFile(handle, buffer, sizeof buffer, &n, nullptr)) {
            const DWORD error = GetLastError();
            if (error == ERROR_BROKEN_PIPE || error == ERROR_HANDLE_EOF) break;
            done();
            throw unreadable(windows_text::errnoOf(error));
        }
        if (n == 0) break;
        bytes.append(buffer, n);
        if (bytes.size() > LargestFile) {
            LARGE_INTEGER size{};
            const bool sized = GetFileType(handle) == FILE_TYPE_DISK && GetFileSizeEx(handle, &size);
            done();
            StoreProblem large{StoreProblem::Kind::TooLarge, path};
            if (sized) large.size = static_cast<std::uint64_t>(size.QuadPart);
            large.largest = LargestFile;
            throw StoreError(StoreError::Kind::Invalid, large);
        }
    }
    done();
    return bytes;
}

std::string stateFolder()
{
    wchar_t folder[MAX_PATH];
    const DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        throw StoreError(StoreError::Kind::CannotWrite, StoreProblem{StoreProblem::Kind::NoHome});
    const std::wstring path(folder, length);
    // An absolute path: "C:\..." or "\\server\share\...".
    if (!((path.size() >= 3 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/')) ||
          (path.size() >= 3 && path[0] == L'\\' && path[1] == L'\\')))
        throw StoreError(StoreError::Kind::CannotWrite,
                         StoreProblem{StoreProblem::Kind::HomeNotAbsolute, windows_text::utf8(path)});
    return windows_text::utf8(path) + "\\brisel-setting";
}

std::string localTimeText(const char* format)
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_s(&local, &now);
    char text[64];
    std::strftime(text, sizeof text, format, &local);
    return text;
}

}  // namespace settings
