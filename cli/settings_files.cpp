#include "cli/settings_files.h"

#include "cli/exit_status.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdlib>
#include <ostream>

settings::FileContents readCheckedFile(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly))
        throw CtlError(status::NoInput, path + ": " + file.errorString().toStdString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw CtlError(status::NoInput, path + ": " + file.errorString().toStdString());

    settings::FileContents contents =
        settings::readSettingsFile(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    if (!contents.problems.empty()) {
        std::string text;
        for (const settings::FileProblem& problem : contents.problems) {
            if (!text.empty()) text += '\n';
            text += path + ':' + std::to_string(problem.line) + ": " + problem.what;
        }
        throw CtlError(status::BadFile, text);
    }
    return contents;
}

void writeWholeFile(const std::string& path, const std::string& text, bool replace, std::ostream& out)
{
    if (path == "-") {
        out << text << std::flush;
        if (!out) throw CtlError(status::CantWrite, "standard output cannot be written");
        return;
    }
    const QString name = QString::fromStdString(path);
    if (!replace && QFileInfo::exists(name))
        throw CtlError(status::CantWrite, path + ": the file exists; --force replaces it");
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()) ||
        !file.commit())
        throw CtlError(status::CantWrite, path + ": " + file.errorString().toStdString());
}

std::string backupFolder()
{
    const char* state = std::getenv("XDG_STATE_HOME");
    std::string base;
    if (state != nullptr && state[0] == '/') {
        base = state;
    } else {
        const char* home = std::getenv("HOME");
        if (home == nullptr || home[0] == '\0')
            throw CtlError(status::CantWrite, "no folder for the automatic backup: HOME is not set");
        base = std::string(home) + "/.local/state";
    }
    return base + "/brisel-setting/backups";
}
