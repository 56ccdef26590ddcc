#include "settings/settings_store.h"

#include "settings/file_writer.h"
#include "settings/groups.h"

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

// "-" is standard input, which stays open.
std::string readWhole(const std::string& path, const std::string& name)
{
    const bool standardInput = path == "-";
    const int fd = standardInput ? STDIN_FILENO : open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw StoreError(StoreError::Kind::Unreadable, name + ": " + std::strerror(errno));
    const auto done = [&] {
        if (!standardInput) close(fd);
    };
    std::string bytes;
    char buffer[16384];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const int error = errno;
            done();
            throw StoreError(StoreError::Kind::Unreadable, name + ": " + std::strerror(error));
        }
        if (n == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(n));
        if (bytes.size() > LargestFile) {
            struct stat st {};
            const bool sized = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
            done();
            throw StoreError(StoreError::Kind::Invalid,
                             name + ": the file holds " +
                                 (sized ? std::to_string(st.st_size) : "more than " + std::to_string(LargestFile)) +
                                 " bytes; a settings file holds at most " + std::to_string(LargestFile));
        }
    }
    done();
    return bytes;
}

}  // namespace

FileContents loadSettingsFile(const std::string& path)
{
    const std::string name = fileName(path);
    FileContents contents = readSettingsFile(readWhole(path, name));
    if (!contents.problems.empty()) {
        std::string text;
        for (const FileProblem& problem : contents.problems) {
            if (!text.empty()) text += '\n';
            text += name + ':' + std::to_string(problem.line) + ": " + problem.what;
        }
        throw StoreError(StoreError::Kind::Invalid, text);
    }
    return contents;
}

void saveSettingsFile(const std::string& path, const std::string& text, bool replace)
{
    try {
        writeWholeFile(path, text, replace);
    } catch (const WriteError& error) {
        throw StoreError(error.taken() ? StoreError::Kind::Taken : StoreError::Kind::CannotWrite, error.what());
    }
}

std::string stateFolder()
{
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state != nullptr && state[0] == '/') return std::string(state) + "/brisel-setting";
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] == '\0')
        throw StoreError(StoreError::Kind::CannotWrite, "no folder for the program's state: HOME is not set");
    return std::string(home) + "/.local/state/brisel-setting";
}

std::string automaticBackupFolder()
{
    return stateFolder() + "/backups";
}

std::string backupTimeStamp()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d_%H%M%S", &local);
    return text;
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
        throw StoreError(StoreError::Kind::CannotWrite, error.what());
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

void putSettings(VendorLink& link, const Snapshot& snapshot)
{
    const Pause none = [](int) {};
    const StartUp started = startUp(link);
    for (Group group : AllGroups) {
        if (!snapshot.has(group)) continue;
        Snapshot held;
        readGroup(link, group, started, held);
        Snapshot ignored;
        saveGroup(link, none, group, merged(held, snapshot), ignored);
    }
}

}  // namespace settings
