#include "dialogs/store_problem_text.h"

#include "device/shown_text.h"
#include "dialogs/file_problem_text.h"

#include <QCoreApplication>

#include <cstring>

namespace {

// The context of this file's texts in the translations.
class Texts {
    Q_DECLARE_TR_FUNCTIONS(StoreProblem)
};

// A file's or folder's name as the system gives it, escaped.
QString pathText(const std::string& path)
{
    return QString::fromStdString(shown::fromUtf8(path));
}

// A settings file being read: "-" is standard input.
QString fileText(const std::string& path)
{
    return path == "-" ? Texts::tr("standard input") : pathText(path);
}

// The C library's words for `error`, in the user's locale.
QString reason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QString writeText(const settings::WriteProblem& problem)
{
    using Kind = settings::WriteProblem::Kind;
    const QString path = pathText(problem.path);
    switch (problem.kind) {
    case Kind::Failed: break;
    case Kind::NotRegular: return Texts::tr("%1 is not a regular file; it is left as it is.").arg(path);
    case Kind::Exists: return Texts::tr("%1 exists already.").arg(path);
    case Kind::AllNamesTaken: return Texts::tr("%1 exists already, and so do the names before it.").arg(path);
    case Kind::NotAFolder: return Texts::tr("%1 is not a folder.").arg(path);
    }
    return Texts::tr("%1 cannot be written: %2").arg(path, reason(problem.error));
}

}  // namespace

QString storeProblemText(const settings::StoreProblem& problem)
{
    if (problem.earlierRecord) {
        settings::StoreProblem read = problem;
        read.earlierRecord = false;
        return Texts::tr("The record of an earlier write cannot be read: %1").arg(storeProblemText(read));
    }
    using Kind = settings::StoreProblem::Kind;
    const QString file = fileText(problem.path);
    switch (problem.kind) {
    case Kind::CannotRead: break;
    case Kind::NotRegularFile: return Texts::tr("%1 is not a regular file.").arg(file);
    case Kind::TooLarge:
        if (!problem.size)
            return Texts::tr("%1 holds more than %2 bytes; a settings file holds at most %2 bytes.")
                .arg(file)
                .arg(problem.largest);
        return Texts::tr("%1 holds %2 bytes; a settings file holds at most %3 bytes.")
            .arg(file)
            .arg(*problem.size)
            .arg(problem.largest);
    case Kind::Invalid: {
        QStringList lines;
        for (const settings::FileProblem& p : problem.problems)
            lines << QStringLiteral("%1:%2: %3").arg(file).arg(p.line).arg(fileProblemText(p));
        return lines.join(QLatin1Char('\n'));
    }
    case Kind::CannotWrite: return writeText(problem.write);
    case Kind::StateNotUtf8:
        return Texts::tr(
                   "The folder for the program's state, %1, has a name that is not UTF-8; set %2 to a folder "
                   "whose name is UTF-8.")
            .arg(pathText(problem.path), QString::fromStdString(problem.variable));
    case Kind::NoHome: return Texts::tr("There is no folder for the program's state: HOME is not set.");
    case Kind::HomeNotAbsolute:
        return Texts::tr(
                   "There is no folder for the program's state: HOME is not an absolute path (%1); set HOME or "
                   "XDG_STATE_HOME to one.")
            .arg(pathText(problem.path));
    }
    return Texts::tr("%1 cannot be read: %2").arg(file, reason(problem.error));
}
