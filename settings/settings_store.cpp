#include "settings/settings_store.h"

#include "settings/groups.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdlib>
#include <ctime>

namespace settings {

FileContents loadSettingsFile(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        throw StoreError(StoreError::Kind::Unreadable, path + ": " + file.errorString().toStdString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw StoreError(StoreError::Kind::Unreadable, path + ": " + file.errorString().toStdString());

    FileContents contents =
        readSettingsFile(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!contents.problems.empty()) {
        std::string text;
        for (const FileProblem& problem : contents.problems) {
            if (!text.empty()) text += '\n';
            text += path + ':' + std::to_string(problem.line) + ": " + problem.what;
        }
        throw StoreError(StoreError::Kind::Invalid, text);
    }
    return contents;
}

void saveSettingsFile(const std::string& path, const std::string& text, bool replace)
{
    const QString name = QString::fromStdString(path);
    if (!replace && QFileInfo::exists(name))
        throw StoreError(StoreError::Kind::CannotWrite, path + ": the file exists");
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()) ||
        !file.commit())
        throw StoreError(StoreError::Kind::CannotWrite, path + ": " + file.errorString().toStdString());
}

std::string automaticBackupFolder()
{
    const char* state = std::getenv("XDG_STATE_HOME");
    std::string base;
    if (state != nullptr && state[0] == '/') {
        base = state;
    } else {
        const char* home = std::getenv("HOME");
        if (home == nullptr || home[0] == '\0')
            throw StoreError(StoreError::Kind::CannotWrite, "no folder for the automatic backup: HOME is not set");
        base = std::string(home) + "/.local/state";
    }
    return base + "/brisel-setting/backups";
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
    if (!QDir().mkpath(QString::fromStdString(folder)))
        throw StoreError(StoreError::Kind::CannotWrite, folder + ": the folder for automatic backups cannot be made");
    std::string path = folder + "/" + stamp + ".toml";
    for (int n = 2; QFile::exists(QString::fromStdString(path)); ++n)
        path = folder + "/" + stamp + "-" + std::to_string(n) + ".toml";
    saveSettingsFile(path, text, false);
    return path;
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
