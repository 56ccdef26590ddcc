#include "cli/store_problems.h"

#include "cli/file_problems.h"

#include <cstring>

namespace {

std::string writeText(const settings::WriteProblem& problem)
{
    using Kind = settings::WriteProblem::Kind;
    switch (problem.kind) {
    case Kind::Failed: break;
    case Kind::NotRegular: return problem.path + ": not a regular file; it is left as it is";
    case Kind::Exists: return problem.path + ": the file exists";
    case Kind::AllNamesTaken: return problem.path + ": the file exists, and so do the names before it";
    case Kind::NotAFolder: return problem.path + ": not a folder";
    }
    return problem.path + ": " + std::strerror(problem.error);
}

}  // namespace

std::string storeText(const settings::StoreProblem& problem)
{
    if (problem.earlierRecord) {
        settings::StoreProblem read = problem;
        read.earlierRecord = false;
        return "the record of an earlier write cannot be read: " + storeText(read);
    }
    using Kind = settings::StoreProblem::Kind;
    const std::string name = fileName(problem.path);
    switch (problem.kind) {
    case Kind::CannotRead: break;
    case Kind::NotRegularFile: return problem.path + ": not a regular file";
    case Kind::TooLarge:
        return name + ": the file holds " +
               (problem.size ? std::to_string(*problem.size) : "more than " + std::to_string(problem.largest)) +
               " bytes; a settings file holds at most " + std::to_string(problem.largest);
    case Kind::Invalid: {
        std::string text;
        for (const settings::FileProblem& p : problem.problems) {
            if (!text.empty()) text += '\n';
            text += name + ':' + std::to_string(p.line) + ": " + fileProblemText(p);
        }
        return text;
    }
    case Kind::CannotWrite: return writeText(problem.write);
    case Kind::StateNotUtf8:
        return "the folder for the program's state, " + problem.path + ", has a name that is not UTF-8; set " +
               problem.variable + " to a folder whose name is UTF-8";
    case Kind::NoHome: return "no folder for the program's state: HOME is not set";
    case Kind::HomeNotAbsolute:
        return "no folder for the program's state: HOME is not an absolute path (" + problem.path +
               "); set HOME or XDG_STATE_HOME to one";
    }
    return name + ": " + std::strerror(problem.error);
}
