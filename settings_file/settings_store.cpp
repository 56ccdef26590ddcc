#include "settings_file/settings_store.h"

#include "settings_file/file_writer.h"
#include "settings_file/read_whole.h"

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

StoreError cannotWrite(const WriteError& error)
{
    StoreProblem problem{StoreProblem::Kind::CannotWrite, error.problem().path};
    problem.write = error.problem();
    return StoreError(error.taken() ? StoreError::Kind::Taken : StoreError::Kind::CannotWrite, problem);
}

FileContents loadSettingsFile(const std::string& path, bool regularOnly)
{
    FileContents contents = readSettingsFile(readWholeFile(path, regularOnly));
    if (!contents.problems.empty()) {
        StoreProblem invalid{StoreProblem::Kind::Invalid, path};
        invalid.problems = contents.problems;
        throw StoreError(StoreError::Kind::Invalid, invalid);
    }
    return contents;
}

std::string readSettingsText(const std::string& path, bool regularOnly)
{
    return readWholeFile(path, regularOnly);
}

void saveSettingsFile(const std::string& path, const std::string& text, bool replace)
{
    try {
        writeWholeFile(path, text, replace);
    } catch (const WriteError& error) {
        throw cannotWrite(error);
    }
}

std::string automaticBackupFolder()
{
    return pathIn(stateFolder(), "backups");
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
