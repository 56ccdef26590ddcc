#include "settings_file/settings_store.h"

#include "device/utf8.h"
#include "settings_file/file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <regex>
#include <tuple>
#include <vector>

namespace settings {
namespace {

// A settings file is a few KiB; a larger one is not one.
constexpr std::size_t LargestFile = std::size_t{1024} * 1024;

// "-" is standard input, which stays open. With `regularOnly` anything but
// a regular file is refused before a byte is read: a FIFO or a device never
// blocks the reader.
std::string readWhole(const std::string& path, bool regularOnly)
{
    const auto unreadable = [&path](int error) {
        return StoreError(StoreError::Kind::Unreadable, {StoreProblem::Kind::CannotRead, path, error});
    };
    const bool standardInput = path == "-";
    const int fd =
        standardInput ? STDIN_FILENO : open(path.c_str(), O_RDONLY | O_CLOEXEC | (regularOnly ? O_NONBLOCK : 0));
    if (fd < 0) throw unreadable(errno);
    const auto done = [&] {
        if (!standardInput) close(fd);
    };
    if (regularOnly) {
        struct stat st {};
        if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            done();
            throw StoreError(StoreError::Kind::Unreadable, {StoreProblem::Kind::NotRegularFile, path});
        }
    }
    std::string bytes;
    char buffer[16384];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const int error = errno;
            done();
            throw unreadable(error);
        }
        if (n == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
        if (bytes.size() > LargestFile) {
            struct stat st {};
            const bool sized = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
            done();
            StoreProblem large{StoreProblem::Kind::TooLarge, path};
            if (sized) large.size = static_cast<std::uint64_t>(st.st_size);
            large.largest = LargestFile;
            throw StoreError(StoreError::Kind::Invalid, large);
        }
    }
    done();
    return bytes;
}

}  // namespace

StoreError cannotWrite(const WriteError& error)
{
    StoreProblem problem{StoreProblem::Kind::CannotWrite, error.problem().path};
    problem.write = error.problem();
    return StoreError(error.taken() ? StoreError::Kind::Taken : StoreError::Kind::CannotWrite, problem);
}

FileContents loadSettingsFile(const std::string& path, bool regularOnly)
{
    FileContents contents = readSettingsFile(readWhole(path, regularOnly));
    if (!contents.problems.empty()) {
        StoreProblem invalid{StoreProblem::Kind::Invalid, path};
        invalid.problems = contents.problems;
        throw StoreError(StoreError::Kind::Invalid, invalid);
    }
    return contents;
}

std::string readSettingsText(const std::string& path, bool regularOnly)
{
    return readWhole(path, regularOnly);
}

void saveSettingsFile(const std::string& path, const std::string& text, bool replace)
{
    try {
        writeWholeFile(path, text, replace);
    } catch (const WriteError& error) {
        throw cannotWrite(error);
    }
}

namespace {

StoreError noStateFolder(StoreProblem problem)
{
    return StoreError(StoreError::Kind::CannotWrite, std::move(problem));
}

// A folder name is shown to the user and given in JSON, which is UTF-8: a
// folder whose name is not could not be found again from what is shown.
std::string utf8Folder(std::string folder, const char* variable)
{
    for (std::size_t at = 0; at < folder.size();)
        if (utf8::nextCharacter(folder, at) == utf8::NotUtf8)
            throw noStateFolder({StoreProblem::Kind::StateNotUtf8, folder, 0, {}, 0, {}, {}, variable});
    return folder;
}

}  // namespace

std::string stateFolder()
{
    // As the XDG rule has it, a relative XDG_STATE_HOME is ignored.
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state != nullptr && state[0] == '/')
        return utf8Folder(std::string(state) + "/brisel-setting", "XDG_STATE_HOME");
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] == '\0') throw noStateFolder({StoreProblem::Kind::NoHome});
    if (home[0] != '/') throw noStateFolder({StoreProblem::Kind::HomeNotAbsolute, home});
    return utf8Folder(std::string(home) + "/.local/state/brisel-setting", "XDG_STATE_HOME");
}

std::string automaticBackupFolder()
{
    return stateFolder() + "/backups";
}

std::string localTimeText(const char* format)
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[64];
    std::strftime(text, sizeof text, format, &local);
    return text;
}

std::string backupTimeStamp()
{
    return localTimeText("%Y-%m-%d_%H%M%S");
}

std::string saveAutomaticBackup(const std::string& folder, const std::string& stamp, const std::string& text)
{
    // stamp.toml, then stamp_2.toml and so on: in that order they sort by time.
    std::vector<std::string> names{stamp + ".toml"};
    for (int n = 2; n <= 100; ++n) names.push_back(stamp + "_" + std::to_string(n) + ".toml");
    try {
        makePrivateFolder(folder);
        return writeUnderFreeName(folder, names, text);
    } catch (const WriteError& error) {
        throw cannotWrite(error);
    }
}

std::vector<AutomaticBackup> automaticBackups(const std::string& folder)
{
    // 2026-12-07_153000.toml or 2026-12-07_153000_2.toml
    static const std::regex name(R"(^(\d{4}-\d{2}-\d{2})_(\d{2})(\d{2})(\d{2})(?:_(\d{1,3}))?\.toml$)");
    std::vector<AutomaticBackup> backups;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string file = entry->path().filename().string();
        std::smatch match;
        if (!std::regex_match(file, match, name) || !entry->is_regular_file(error)) continue;
        backups.push_back({entry->path().string(), match[1], match.str(2) + ':' + match.str(3) + ':' + match.str(4),
                           match[5].matched ? std::stoi(match[5]) : 1});
    }
    std::sort(backups.begin(), backups.end(), [](const AutomaticBackup& a, const AutomaticBackup& b) {
        return std::tie(a.date, a.time, a.number) > std::tie(b.date, b.time, b.number);
    });
    return backups;
}

}  // namespace settings
