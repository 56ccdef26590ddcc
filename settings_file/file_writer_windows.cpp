// Windows: the same rule as on Linux, in NTFS's terms. The text goes to a
// temporary file beside the target, is flushed to the disk, and is moved
// into place with MoveFileExW: without MOVEFILE_REPLACE_EXISTING a name
// that is taken stays as it is (the move decides, not a check made before),
// and MOVEFILE_WRITE_THROUGH returns once the move is on the disk. What
// Linux refuses as a FIFO, a device or a link is on Windows a device path
// ("\\.\", "CON", "NUL") or a reparse point (a symbolic link, a junction, a
// mount point): neither is written to, through or over. Files get the
// folder's permissions: under %LOCALAPPDATA% only their user's.
#include "settings_file/file_writer.h"

#include "device/windows_text.h"
#include "interrupts/signals.h"

#include <windows.h>
// windows.h first
#include <bcrypt.h>

#include <cerrno>
#include <cstdio>

namespace settings {
namespace {

using windows_text::wide;

[[noreturn]] void fail(const std::string& path, int error)
{
    throw WriteError({WriteProblem::Kind::Failed, path, error});
}

[[noreturn]] void failLast(const std::string& path)
{
    fail(path, windows_text::errnoOf(GetLastError()));
}

// The path in UTF-16; a name that is not UTF-8 is no name a file can have.
std::wstring wideName(const std::string& path)
{
    std::wstring name = wide(path);
    if (name.empty() || windows_text::devicePath(path)) fail(path, EINVAL);
    return name;
}

bool separator(char c)
{
    return c == '/' || c == '\\';
}

std::pair<std::string, std::string> split(const std::string& path)
{
    const std::size_t slash = path.find_last_of("/\\");
    if (slash == std::string::npos) {
        // "C:name" is in drive C's current folder.
        if (path.size() >= 2 && path[1] == ':') return {path.substr(0, 2), path.substr(2)};
        return {".", path};
    }
    return {path.substr(0, slash + (slash == 0 || (slash == 2 && path[1] == ':') ? 1 : 0)), path.substr(slash + 1)};
}

// What is at `path`: nothing (ENOENT), or its attributes.
DWORD attributesOf(const std::wstring& path, const std::string& shown, bool& missing)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    missing = false;
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
            missing = true;
            return 0;
        }
        fail(shown, windows_text::errnoOf(error));
    }
    return attributes;
}

class TemporaryFile {
public:
    TemporaryFile(const std::string& folder, const std::string& name) : folder_(folder)
    {
        for (int attempt = 0; attempt < 100 && handle_ == INVALID_HANDLE_VALUE; ++attempt) {
            unsigned char random[6];
            if (!BCRYPT_SUCCESS(BCryptGenRandom(nullptr, random, sizeof random, BCRYPT_USE_SYSTEM_PREFERRED_RNG)))
                fail(pathIn(folder, name), EIO);
            char suffix[16];
            std::snprintf(suffix, sizeof suffix, "%02x%02x%02x%02x%02x%02x", random[0], random[1], random[2], random[3],
                          random[4], random[5]);
            path_ = wideName(pathIn(folder, "." + name.substr(0, 200) + "." + suffix + ".tmp"));
            handle_ = CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
            if (handle_ == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) failLast(pathIn(folder, name));
        }
        if (handle_ == INVALID_HANDLE_VALUE) fail(pathIn(folder, name), EEXIST);
    }
    ~TemporaryFile()
    {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
        if (!placed_) DeleteFileW(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    void fill(std::string_view text, const std::string& target)
    {
        while (!text.empty()) {
            const DWORD chunk = text.size() > 1u << 20 ? 1u << 20 : static_cast<DWORD>(text.size());
            DWORD written = 0;
            if (!WriteFile(handle_, text.data(), chunk, &written, nullptr)) failLast(target);
            if (written == 0) fail(target, ENOSPC);
            text.remove_prefix(written);
        }
        if (!FlushFileBuffers(handle_)) failLast(target);
        const BOOL closed = CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
        if (!closed) failLast(target);
    }

    bool placeUnlessTaken(const std::string& name)
    {
        const std::wstring target = wideName(pathIn(folder_, name));
        if (MoveFileExW(path_.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) return placed_ = true;
        const DWORD error = GetLastError();
        if (error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS) return false;
        fail(pathIn(folder_, name), windows_text::errnoOf(error));
    }

    void placeOver(const std::string& name)
    {
        const std::wstring target = wideName(pathIn(folder_, name));
        if (!MoveFileExW(path_.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            failLast(pathIn(folder_, name));
        placed_ = true;
    }

private:
    interrupts::Deferral deferral_;  // first made, last gone
    std::string folder_;
    std::wstring path_;
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    bool placed_ = false;
};

// The folder written in must be one, and not a reparse point.
void checkFolder(const std::string& folder, const std::string& file)
{
    bool missing = false;
    const DWORD attributes = attributesOf(wideName(folder == "." ? std::string(".") : folder), file, missing);
    if (missing) fail(file, ENOENT);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) fail(file, ENOTDIR);
}

}  // namespace

void writeWholeFile(const std::string& path, std::string_view text, bool replace, bool)
{
    const auto [folder, name] = split(path);
    if (name.empty() || name == "." || name == "..") fail(path, EISDIR);
    if (windows_text::devicePath(path)) throw WriteError({WriteProblem::Kind::NotRegular, path});
    checkFolder(folder, path);
    bool missing = false;
    const DWORD old = attributesOf(wideName(path), path, missing);
    if (!missing && (old & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE)))
        throw WriteError({WriteProblem::Kind::NotRegular, path});

    TemporaryFile file(folder, name);
    file.fill(text, path);
    if (replace) file.placeOver(name);
    else if (!file.placeUnlessTaken(name)) throw WriteError({WriteProblem::Kind::Exists, path});
}

std::string folderOf(const std::string& path)
{
    return split(path).first;
}

std::string pathIn(const std::string& folder, const std::string& name)
{
    if (folder == ".") return name;
    return folder.empty() || separator(folder.back()) || folder.back() == ':' ? folder + name : folder + "\\" + name;
}

std::string writeUnderFreeName(const std::string& folder, const std::vector<std::string>& names, std::string_view text)
{
    if (names.empty()) fail(folder, EINVAL);
    checkFolder(folder, pathIn(folder, names.front()));
    TemporaryFile file(folder, names.front());
    file.fill(text, pathIn(folder, names.front()));
    for (const std::string& name : names)
        if (file.placeUnlessTaken(name)) return pathIn(folder, name);
    throw WriteError({WriteProblem::Kind::AllNamesTaken, pathIn(folder, names.back())});
}

void makePrivateFolder(const std::string& folder)
{
    if (folder.empty()) fail(folder, ENOENT);
    // Past the drive ("C:\") or the share ("\\server\share\").
    std::size_t start = 1;
    if (folder.size() >= 2 && folder[1] == ':') start = 3;
    else if (folder.size() >= 2 && separator(folder[0]) && separator(folder[1])) {
        if (windows_text::devicePath(folder)) fail(folder, EINVAL);
        const std::size_t server = folder.find_first_of("/\\", 2);
        start = server == std::string::npos ? folder.size() : folder.find_first_of("/\\", server + 1);
        if (start == std::string::npos) start = folder.size();
    }
    for (std::size_t end = folder.find_first_of("/\\", start);; end = folder.find_first_of("/\\", end + 1)) {
        const std::string level = folder.substr(0, end);
        if (!level.empty() && !separator(level.back())) {
            const std::wstring wideLevel = wideName(level);
            bool missing = false;
            if (CreateDirectoryW(wideLevel.c_str(), nullptr)) {
                // Made here: it must be the folder made, not a reparse point put in its place.
                const DWORD made = attributesOf(wideLevel, level, missing);
                if (missing || !(made & FILE_ATTRIBUTE_DIRECTORY) || (made & FILE_ATTRIBUTE_REPARSE_POINT))
                    throw WriteError({WriteProblem::Kind::NotAFolder, level});
            } else if (GetLastError() != ERROR_ALREADY_EXISTS) {
                failLast(level);
            } else if (!(attributesOf(wideLevel, level, missing) & FILE_ATTRIBUTE_DIRECTORY)) {
                fail(level, ENOTDIR);
            }
        }
        if (end == std::string::npos) return;
    }
}

}  // namespace settings
